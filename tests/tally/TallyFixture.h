#pragma once

#include "MessageBox.h"
#include "TZapisnik.h"
#include "TallyContext.h"
#include "TallySheet.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// The program's windows on a temporary database and settings file, with scripted message
// boxes, file and input dialogs, modal windows and launches. Tests find the controls by name.
class TallyFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the windows and runs the first display (database from the settings file).
    void start(bool withDatabasePath = true);
    // Where the started program looks for its sample stand; none unless a test says so.
    QString samplesDirectory;
    TZapisnik* main() const { return m_ctx->zapisnik(); }
    TallyContext& ctx() { return *m_ctx; }
    const SheetState& state() const { return m_ctx->sheet.state(); }
    const EditingFlags& flags() const { return state().flags; }
    // A control or a menu command of the main window by its name.
    template <class W = QWidget> W* widget(const char* name) const {
        W* w = main()->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QAction* action(const char* name) const { return widget<QAction>(name); }

    QString dbDir() const { return m_dir.filePath("db"); }
    QString settings() const { return m_dir.filePath("Rivwood.INI"); }
    QString tempPath(const QString& name) const { return m_dir.filePath(name); }

    // "Nová dřevina" with the name typed into the dialog, then "Vybrat" (or "Zrušit").
    void addSpecies(const QString& name, bool choose = true);
    // Types keys into the widget that has the focus, or into a given widget (any characters).
    static void type(const QString& text);
    static void typeInto(QWidget* widget, const QString& text);
    static void key(Qt::Key key);
    // Counts typed into the grid from `row` down, Enter after each.
    void typeCounts(int row, const QStringList& counts);
    void click(QWidget* w);
    // Text of a grid cell and of the totals, trimmed.
    QString cell(int row, int column) const;
    QString total(int column) const;
    // The messages shown and asked since the last call, as displayed.
    QStringList messages();
    // Two species tallied, computed and recorded, and the stand header filled (not saved).
    void fillSampleStand();
    // Sample heights typed into "Výškové vzorníky" from its last row: diameter, height, … each
    // followed by Enter.
    void typeSamples(const QStringList& texts);
    // The width and first centre typed into the class combos and confirmed.
    void setLayout(const QString& width, const QString& first = {});

    std::vector<int> m_exitCodes;
    QStringList m_launched;

  private:
    QTemporaryDir m_dir;
    std::unique_ptr<TallyContext> m_ctx;
};
