#pragma once

#include "TSestavaTyp.h"

#include <QString>
#include <QStringList>
#include <vector>

// Rebuilds a report's object model from the lines of its template. Malformed numbers take their
// defaults and unknown lines are skipped; input the model cannot hold (group or sub-report numbers out
// of range, sub-reports nested too deep, too many elements, no template line at all) makes read()
// fail with a Czech message and leaves the report empty.
class TemplateReader {
  public:
    static constexpr int kMaxItems = 20000; // elements and functions of one template
    static constexpr int kMaxSubReportDepth = 8;

    bool read(const QStringList& lines, TSestavaTyp& report);
    QString errorString() const { return m_error; }

    // Directory from which the pictures of kind 11 elements are loaded; none are loaded when empty.
    void setPictureDirectory(const QString& directory) { m_pictureDirectory = directory; }

  private:
    bool readType(const QStringList& lines, const std::vector<int>& lineNumbers, TSestavaTyp& report,
                  int depth);
    void readInfo(class TemplateLineReader& fields, int type, TSestavaTyp& report);
    void readFunction(class TemplateLineReader& fields, TSestavaTyp& report);
    bool readElement(class TemplateLineReader& fields, TOddilSestavy& section, const TSestavaTyp& report);
    bool fail(const QString& message);

    QString m_error;
    QString m_pictureDirectory;
    int m_items = 0;
};
