#pragma once

#include "SheetDialogs.h"
#include "TallySheet.h"
#include "TempStandDatabase.h"

#include <QStringList>
#include <deque>
#include <gtest/gtest.h>
#include <memory>

// Messages and questions as a log ("? " before a question); answers from a queue. A question
// without a queued answer is answered No and counted.
class ScriptedDialogs : public SheetDialogs {
  public:
    void show(const UserMessage& message) override { log << message.ForDisplay(); }
    bool ask(const UserMessage& question, Buttons) override;
    std::deque<bool> answers;
    QStringList log;
    int unanswered = 0;
};

// The tally sheet over a stand database in a temporary directory, with the shipped reference files.
class SheetFixture : public ::testing::Test {
  protected:
    SheetFixture();
    void TearDown() override;

    // The species as the "Nová dřevina" dialog hands it over.
    void add(const QString& abbreviation) { sheet.addSpecies(abbreviation); }
    // Counts typed into the grid from `row` down, each handed back by the cell editor.
    void counts(int row, const QStringList& texts);
    // The counts typed, "Tloušťka", the height typed and left, "Výpočet ", "Záznam".
    void computeAndRecord(const QString& abbreviation, int row, const QStringList& texts,
                          const QString& height);
    void typeDiameter(const QString& text);
    void typeHeight(const QString& text);
    void answer(bool yes) { dialogs.answers.push_back(yes); }
    SheetCommands commands() { return sheet.Refresh(); }
    QStringList messages();
    const EditingFlags& flags() const { return sheet.flags(); }
    QString count(int row) const { return sheet.view().rows[size_t(row)][SheetView::CountColumn]; }
    QString cell(int row, int column) const {
        return sheet.view().rows[size_t(row)][size_t(column)].trimmed();
    }

    testsupport::TempStandDatabase db;
    StandSession session;
    StandDatabase& database = db.database;
    StandStore& store = db.store;
    TallySheet sheet;
    ScriptedDialogs dialogs;
};
