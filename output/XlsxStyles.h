#pragma once

#include <QString>
#include <map>
#include <utility>
#include <vector>

class QXmlStreamReader;
class QXmlStreamWriter;

// The cell formats of a workbook (xl/styles.xml): number formats, fonts, fills, borders and the
// cell format records that combine them. Cells refer to a record by index. Formats copied from
// another workbook are imported record by record, sharing what is already there.
class XlsxStyles {
  public:
    struct CellFormat {
        int numFmtId = 0, fontId = 0, fillId = 0, borderId = 0;
        QString attributes; // the other attributes (applyFont="1" …), as written
        QString children;   // alignment / protection, as written
        friend bool operator==(const CellFormat&, const CellFormat&) = default;
    };

    // One font, the two fills every workbook starts with, one empty border, one format.
    XlsxStyles();

    // Reads styles.xml; false with `error` set when it is no such part or exceeds the limits.
    bool read(const QByteArray& xml, QString& error);
    QByteArray write() const;

    int formatCount() const { return int(m_cellXfs.size()); }
    const CellFormat& format(int index) const { return m_cellXfs[size_t(index)]; }
    QString numberFormatCode(int numFmtId) const;
    // The record `index` of `other`, added here unless an equal one exists; its index here.
    int import(const XlsxStyles& other, int index);
    // A format index that is valid here (0 for anything out of range).
    int valid(int index) const { return index >= 0 && index < formatCount() ? index : 0; }

  private:
    static int addUnique(std::vector<QString>& list, const QString& item);
    void readCellFormats(QXmlStreamReader& reader);

    std::map<int, QString> m_numFmts; // custom number formats, id -> code
    std::vector<QString> m_fonts, m_fills, m_borders;
    std::vector<CellFormat> m_cellXfs;
    std::vector<QString> m_cellStyleXfs, m_cellStyles, m_dxfs;
    std::map<std::pair<const XlsxStyles*, int>, int> m_imported;
};
