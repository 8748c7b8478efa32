#pragma once

#include "SheetDialogs.h"
#include "TallySheet.h"

#include <QByteArray>
#include <QJsonObject>

// The tally sheet of a command: messages on stderr (named by the species on display), every
// question answered with `answer`.
class CliSheet : public SheetDialogs {
  public:
    CliSheet(StandStore* store, const QString& referenceDirectory, bool answer = false);

    // The stand JSON into the sheet, shown as a stand just loaded.
    void load(const QByteArray& json);
    // The stand of the sheet as stand JSON.
    QJsonObject json() const;

    void show(const UserMessage& message) override;
    bool ask(const UserMessage& question, Buttons buttons) override;

    TallySheet sheet;

  private:
    bool m_answer;
};
