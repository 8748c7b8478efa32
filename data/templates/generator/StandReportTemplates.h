#pragma once

#include "TSestavaTyp.h"

#include <QByteArray>
#include <QStringList>

// The two stand reports shipped with the program, "jhkrep.pts" and "jhkkom.pts" (the same report
// with the stand comment), built as report objects over the columns of the stand report query:
// A4 portrait, a title block on the first page, per river a head and totals (group 0 on NazevTok),
// per stand (group 1 on the stand key, each stand on a new page) a header with its page number
// from STRANKA and column captions (repeated on the pages a stand continues on), one line per
// species and the stand totals, the totals of the whole report at its end and page numbers in
// the page foot.
namespace StandReportTemplates {

void build(TSestavaTyp& report, bool withComment);
// The template lines as the designer writes them.
QStringList lines(bool withComment);
// The template file: cp1250, CR LF line ends.
QByteArray fileBytes(bool withComment);

} // namespace StandReportTemplates
