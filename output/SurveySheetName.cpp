#include "SurveySheetName.h"

#include "TextUtils.h"

namespace SurveySheetName {

QString of(const QString& surveyName) {
    QString name = surveyName.simplified();
    for (QChar& c : name)
        if (QStringLiteral("[]:*?/\\").contains(c) || c.category() == QChar::Other_Control)
            c = u'_';
    while (name.startsWith(u'\''))
        name.remove(0, 1);
    name = CutAtCharacter(name, 31);
    while (name.endsWith(u'\'') || name.endsWith(u' '))
        name.chop(1);
    return name.isEmpty() ? NoSurvey : name;
}

QString sheetKey(const QString& sheetName) {
    return sheetName.toCaseFolded();
}

} // namespace SurveySheetName
