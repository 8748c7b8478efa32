#pragma once

#include "TOddilSestavy.h"
#include "TPolSkup.h"
#include "TemplateFunction.h"

#include <QRect>
#include <QString>
#include <array>
#include <memory>
#include <vector>

// Paper of a report (I,2 line), in hundredths of an inch. Width and height are those of the paper
// format; landscape orientation turns the page.
struct ReportPaper {
    int orientation = 0; // 0 portrait "na výšku", 1 landscape "na šířku"
    int width = 850;
    int height = 1200;
    int marginLeft = 0;
    int marginRight = 0;
    int marginTop = 0;
    int marginBottom = 0;
    int columns = 1;
    int columnGap = 0;
    int reserved = 0;
    bool reservedPresent = false; // the reserved value is written back when it was read or is not 0
};

// Layout grid (I,6 line).
struct ReportGrid {
    int type = 0; // 1 character grid "Znakový rastr", 0 graphic grid "Grafický rastr"
    int x = 8;
    int y = 8;
    int lineSpacing = 0; // 0 = 6, 1 = 4, 2 = 3 lines per inch
    int pitch = 0;       // 1 = 12, 2 = 17, otherwise 10 characters per inch

    bool isCharacterGrid() const { return type == 1; }
    int linesPerInch() const { return lineSpacing == 1 ? 4 : lineSpacing == 2 ? 3 : 6; }
    // Height of one text line of the character grid in hundredths of an inch.
    double lineHeight() const { return 100.0 / linesPerInch(); }
    double characterWidth() const { return pitch == 1 ? 100.0 / 12 : pitch == 2 ? 6.0 : 10.0; }
    int stepX() const { return isCharacterGrid() ? int(characterWidth()) : x; }
    int stepY() const { return isCharacterGrid() ? int(lineHeight()) : y; }
};

// A report type: the template's content as an object model (paper, sections, groups, functions,
// sub-reports), filled by TemplateReader and saved by TemplateWriter.
class TSestavaTyp {
  public:
    static constexpr int kMaxGroups = 100;
    static constexpr int kMaxSubReports = 100;

    explicit TSestavaTyp(bool hasPageSections = true);
    virtual ~TSestavaTyp();
    TSestavaTyp(const TSestavaTyp&) = delete;
    TSestavaTyp& operator=(const TSestavaTyp&) = delete;

    // A type without page sections reads no page head and foot and none of the paper values.
    bool hasPageSections() const { return m_hasPageSections; }

    // Back to an empty template.
    void clear();

    QString description() const { return m_description; }
    void setDescription(const QString& text) { m_description = text; }
    // Format version of the template last read (4.0.0 when it had no I,1 line).
    int versionMajor() const { return m_versionMajor; }
    int versionMinor() const { return m_versionMinor; }
    int versionRelease() const { return m_versionRelease; }
    void setVersion(int major, int minor, int release);

    ReportPaper& paper() { return m_paper; }
    const ReportPaper& paper() const { return m_paper; }
    ReportGrid& grid() { return m_grid; }
    const ReportGrid& grid() const { return m_grid; }
    int i5Value() const { return m_i5Value; }
    void setI5Value(int value) { m_i5Value = value; }

    // Page size after orientation, and the page less its margins.
    int pageWidth() const;
    int pageHeight() const;
    QRect printableRect() const;

    // Sections by number: 0 to 4, group heads 2n + 5 and foots 2n + 6; null when there is none.
    TOddilSestavy* section(int number);
    const TOddilSestavy* section(int number) const;

    std::vector<TPolSkup>& groups() { return m_groups; }
    const std::vector<TPolSkup>& groups() const { return m_groups; }
    // Makes groups 0 .. number exist.
    TPolSkup& ensureGroup(int number);

    std::vector<TemplateFunction>& functions() { return m_functions; }
    const std::vector<TemplateFunction>& functions() const { return m_functions; }
    // Index of the function with that name, case-insensitive; -1 when there is none.
    int findFunction(const QString& name) const;

    const std::vector<std::unique_ptr<TSestavaTyp>>& subReports() const { return m_subReports; }
    TSestavaTyp* subReport(int number) const;
    TSestavaTyp& ensureSubReport(int number);

  private:
    bool m_hasPageSections;
    QString m_description;
    int m_versionMajor = 4;
    int m_versionMinor = 0;
    int m_versionRelease = 0;
    ReportPaper m_paper;
    ReportGrid m_grid;
    int m_i5Value = 0;
    std::array<TOddilSestavy, 5> m_sections;
    std::vector<TPolSkup> m_groups;
    std::vector<TemplateFunction> m_functions;
    std::vector<std::unique_ptr<TSestavaTyp>> m_subReports;
};
