#include "SheetFixture.h"

#include "LocaleNumbers.h"
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

SheetFixture::SheetFixture() : sheet(session, &store, testsupport::binDir()) {
    LocaleNumbers::setDecimalPoint('.');
    sheet.setDialogs(&dialogs);
    sheet.Refresh();
}

void SheetFixture::TearDown() {
    EXPECT_EQ(dialogs.unanswered, 0) << "a question had no scripted answer";
    LocaleNumbers::resetDecimalPoint();
}

void SheetFixture::counts(int row, const QStringList& texts) {
    for (const QString& t : texts)
        sheet.countEdited(row++, t);
    sheet.gridLeft();
    sheet.Refresh();
}

void SheetFixture::typeDiameter(const QString& text) {
    sheet.diameterEntered();
    sheet.diameterTyped(text);
    sheet.diameterLeft();
    sheet.Refresh();
}

void SheetFixture::typeHeight(const QString& text) {
    sheet.heightEntered();
    sheet.heightTyped(text);
    sheet.heightLeft();
    sheet.Refresh();
}

void SheetFixture::computeAndRecord(const QString& abbreviation, int row, const QStringList& texts,
                                    const QString& height) {
    add(abbreviation);
    counts(row, texts);
    sheet.meanDiameterClicked();
    sheet.Refresh();
    typeHeight(height);
    sheet.stockClicked();
    sheet.Refresh();
    sheet.recordClicked();
    sheet.Refresh();
}

QStringList SheetFixture::messages() {
    QStringList out;
    out.swap(dialogs.log);
    return out;
}
