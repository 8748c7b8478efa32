#pragma once

#include "TSestavaTyp.h"

#include <QStringList>

// Writes a report's object model as template lines, in the designer's order: I,0; I,1; I,2; I,3 for
// sections 0 to 4; I,4 per group; I,5; I,6; the F lines; the elements of Z, H, T, K, P; S n and U n of
// every group; the D n lines of every sub-report.
class TemplateWriter {
  public:
    static QStringList write(const TSestavaTyp& report);
    static QString elementLine(const QString& section, const TSiReportElement& element);
    static QString functionLine(int index, const TemplateFunction& function);
};
