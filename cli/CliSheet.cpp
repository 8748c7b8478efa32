#include "CliSheet.h"

#include "CliCommand.h"
#include "StandJson.h"

CliSheet::CliSheet(StandStore* store, const QString& referenceDirectory, bool answer)
    : sheet(session, store, referenceDirectory), m_answer(answer) {
    sheet.setDialogs(this);
}

void CliSheet::load(const QByteArray& json) {
    StandJson::FromJsonBytes(json, session);
    sheet.standReplaced();
}

void CliSheet::show(const UserMessage& message) {
    const QString species = sheet.view().speciesText().trimmed();
    printError(species.isEmpty() ? message.ForDisplay() : species + ": " + message.ForDisplay());
}

bool CliSheet::ask(const UserMessage&, Buttons) {
    return m_answer;
}
