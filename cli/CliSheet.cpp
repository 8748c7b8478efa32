#include "CliSheet.h"

#include "CliCommand.h"
#include "StandJson.h"

CliSheet::CliSheet(StandStore* store, const QString& referenceDirectory, bool answer)
    : sheet(store, referenceDirectory), m_answer(answer) {
    sheet.setDialogs(this);
}

void CliSheet::load(const QByteArray& json) {
    StandSession stand;
    const int key = StandJson::FromJsonBytes(json, stand);
    sheet.open({OpenedStand::Origin::CommandLine, stand, key, {}});
}

QJsonObject CliSheet::json() const {
    return StandJson::ToJson(sheet.state(), sheet.state().key());
}

void CliSheet::show(const UserMessage& message) {
    const QString species = sheet.view().speciesText().trimmed();
    printError(species.isEmpty() ? message.ForDisplay() : species + ": " + message.ForDisplay());
}

bool CliSheet::ask(const UserMessage&, Buttons) {
    return m_answer;
}
