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
    void typeDiameter(const QString& text) { sheet.meanStem().setDiameter(text); }
    void typeHeight(const QString& text) { sheet.meanStem().setHeight(text); }
    void answer(bool yes) { dialogs.answers.push_back(yes); }
    SheetCommands commands() const { return sheet.commands(); }
    // The control the last operations led to (once).
    SheetFocus takeFocus() { return std::exchange(focus, SheetFocus::None); }
    QStringList messages();
    const EditingFlags& flags() const { return sheet.state().flags; }
    QString count(int row) const { return sheet.view().rows[size_t(row)][SheetView::CountColumn]; }
    QString cell(int row, int column) const {
        return sheet.view().rows[size_t(row)][size_t(column)].trimmed();
    }
    // A stand of rivwood-cli's JSON onto the sheet, as the command line hands it over.
    void openJson(const QByteArray& json);

    testsupport::TempStandDatabase db;
    StandDatabase& database = db.database;
    StandStore& store = db.store;
    TallySheet sheet;
    // What the sheet holds, read-only.
    const SheetState& session = sheet.state();
    ScriptedDialogs dialogs;
    SheetFocus focus = SheetFocus::None;
};
