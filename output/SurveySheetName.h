#pragma once

#include <QString>

// The sheet of a survey in the all-stands workbook: the survey name made a valid sheet name.
// A stand without a survey name goes to "Bez akce"; characters a sheet name cannot hold
// ([ ] : * ? / \) become "_", apostrophes at either end are dropped and the name is cut to 31
// characters. Names that then differ only in letter case share one sheet (see sheetKey).
namespace SurveySheetName {

inline const QString NoSurvey = QStringLiteral("Bez akce");

QString of(const QString& surveyName);
// The key under which sheets are told apart (letter case ignored).
QString sheetKey(const QString& sheetName);

} // namespace SurveySheetName
