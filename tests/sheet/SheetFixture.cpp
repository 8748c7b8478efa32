#include "SheetFixture.h"

#include "LocaleNumbers.h"
#include "StandJson.h"
#include "TestSupport.h"

bool ScriptedDialogs::ask(const UserMessage& question, Buttons) {
    log << "? " + question.ForDisplay();
    if (answers.empty()) {
        ++unanswered;
        return false;
    }
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

SheetFixture::SheetFixture() : sheet(&store, testsupport::binDir()) {
    LocaleNumbers::setDecimalPoint('.');
    sheet.setDialogs(&dialogs);
    QObject::connect(&sheet, &TallySheet::changed, [this](SheetParts, SheetFocus to) {
        if (to != SheetFocus::None)
            focus = to;
    });
}

void SheetFixture::TearDown() {
    EXPECT_EQ(dialogs.unanswered, 0) << "a question had no scripted answer";
    LocaleNumbers::resetDecimalPoint();
}

void SheetFixture::counts(int row, const QStringList& texts) {
    for (const QString& t : texts)
        sheet.setCount(row++, t);
}

void SheetFixture::computeAndRecord(const QString& abbreviation, int row, const QStringList& texts,
                                    const QString& height) {
    add(abbreviation);
    counts(row, texts);
    sheet.meanStem().computeDiameter();
    typeHeight(height);
    sheet.meanStem().computeStock();
    sheet.meanStem().record();
}

void SheetFixture::openJson(const QByteArray& json) {
    StandSession stand;
    const int key = StandJson::FromJsonBytes(json, stand);
    sheet.open({OpenedStand::Origin::CommandLine, stand, key, {}});
}

QStringList SheetFixture::messages() {
    QStringList out;
    out.swap(dialogs.log);
    return out;
}
