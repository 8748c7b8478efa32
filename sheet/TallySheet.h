#pragma once

#include "HeightCurveFit.h"
#include "PlausibilityCheck.h"
#include "SheetDialogs.h"
#include "SheetUndo.h"
#include "SheetView.h"
#include "StandSession.h"
#include "StandStore.h"
#include "SummaryTable.h"

#include <QString>
#include <QUndoStack>
#include <optional>
#include <vector>

// The tally sheet without its window: the rules of "JHK - průměrkovací zápisník" and of the
// summary " Souhrn " over the one current stand. It owns the editing flags, the working copy, the
// class layout and the species on display; each operation is what the surveyor does (a count
// typed, "Tloušťka", "Výpočet ", "Záznam", a species added, the stand saved …) and leaves the
// texts to show in view() and the focus to give in takeFocus(). Refresh() is the 200 ms tick: it
// derives every enabled and ticked state from the flags. Questions and messages go to the dialogs.
//
// The window and rivwood-cli run the same operations, so the command line computes exactly what
// the buttons do.
class TallySheet {
  public:
    enum class Header { River, Bank, RiverKm, Action, Date, ShrubArea, Designation, Comment };

    // `store` may be null for work without a database (the command line's compute); saving then
    // fails with a message. `referenceDirectory` holds JHK.KRI and JHK.HMO.
    TallySheet(StandSession& session, StandStore* store, QString referenceDirectory);

    void setDialogs(SheetDialogs* dialogs);
    SheetDialogs& dialogs() { return *m_dialogs; }
    StandSession& session() { return m_s; }
    const StandSession& session() const { return m_s; }
    const EditingFlags& flags() const { return m_s.flags; }
    const SheetView& view() const { return m_view; }
    const SummaryTable& summary() const { return m_summary; }
    const QString& referenceDirectory() const { return m_refDir; }
    // The last data or caliper file read; emptied when the stand is cleared.
    const QString& currentDataFile() const { return m_currentDataFile; }
    // The items of "JHK podle:" and "Tabulková zásoba podle:": every group once, in first use.
    static QStringList CurveSpeciesItems();
    static QStringList TableSpeciesItems();

    SheetCommands Refresh();
    // The control to focus after the last operation (once).
    SheetFocus takeFocus();

    // The class layout.
    void widthChosen(const QString& text);
    void firstCentreChosen(const QString& text);

    // The grid: a count handed back by the cell editor; leaving the grid sums the counts.
    void countEdited(int row, const QString& text);
    void gridLeft();

    // The mean stem.
    void diameterEntered();
    void diameterTyped(const QString& text);
    void diameterLeft();
    void heightEntered();
    void heightTyped(const QString& text);
    void heightLeft();
    void meanDiameterClicked();                   // "Tloušťka"
    void stockClicked();                          // "Výpočet "
    void recordClicked();                         // "Záznam"
    void restoreClicked();                        // "Ze záznamu"
    void curveSpeciesChosen(const QString& text); // "JHK podle:"
    void tableSpeciesChosen(const QString& text); // "Tabulková zásoba podle:"

    // The sample heights of the species on display ("Výškové vzorníky") and its height curve.
    // A cell of the sample grid handed back by its editor; a pair counts once both are numbers.
    void sampleEdited(int row, int column, const QString& text);
    // Pairs "dřevina;tloušťka;výška" from a file's content, added to the species of the stand;
    // pairs of other species and bad lines are reported. False when nothing was added.
    bool importSampleHeights(const QByteArray& content);
    // "Výška z křivky": the mean height read from the best height curve at curveDiameter(), as if
    // typed (`only`: that model's curve).
    void heightFromCurveClicked(std::optional<HeightModel> only = std::nullopt);
    // The height curves of the species on display fitted to its sample heights.
    HeightCurves heightCurves(std::optional<HeightModel> only = std::nullopt) const;
    // The diameter the curve is read at: the diameter box's number, else the basal-area mean of
    // the tally as "Tloušťka" shows it; 0 when there is neither.
    double curveDiameter() const;

    // The species.
    bool canAddSpecies() const;
    void addSpecies(const QString& abbreviation); // the choice of the "Nová dřevina" dialog
    void speciesPicked(int index);
    void deleteSpecies(); // "&Zrušit dřevinu"
    // "Nový porost", "Zrušit &všechny dřeviny": the header starts empty, designation, comment and
    // stand code included.
    void newStand();

    void headerEdited(Header field, const QString& text);
    void setWithComment(bool on);

    // The stand as a whole.
    void loadStand(int key);    // a stand chosen in "Seznam porostů"
    void standDeleted(int key); // a stand deleted in "Seznam porostů"
    void standReplaced();       // a stand put into the session from outside (the command line)
    bool saveStand();           // "Uložení porostu do databáze"; true when stored
    // False, with "Soubor … nebyl nalezen !", when the file does not exist.
    bool fileExists(const QString& fileName);
    bool readDataFile(const QString& fileName); // "Čtení dat ze souboru"
    // The sample stand offered at the first start (a stand as rivwood-cli reads it), as a new,
    // unsaved stand.
    bool openSample(const QString& fileName);
    // After a caliper import window closed; `imported` is its ImportHotov.
    void caliperImportDone(bool imported, const QString& fileName);
    // Closing the window: asks when anything typed has not reached the database.
    bool mayClose();
    // Something typed on the species on display that "Záznam" has not put into the stand.
    bool hasUnrecordedEdits() const;
    // "Kontrola porostu": the stand with the species on display as it stands on the sheet. The
    // window leaves out the area (its save stores 1 ha); a stand file is checked with it.
    std::vector<PlausibilityWarning> check(bool withArea = false) const;
    // The findings of check() in one warning (before saving and printing); nothing when none.
    void showCheck() { showFindings(check()); }

    // The summary window.
    void summaryShown(); // fills the grid and computes when the stand has an area
    void summaryCellEdited(int row, const QString& text);
    SummaryResult summaryCompute();
    bool summaryComputeAndSave(); // "Výpočet a uložení do databáze"
    // "Další porost": the sheet clears the stand when next activated.
    void requestNextStand() { m_nextStandRequested = true; }
    bool takeNextStandRequest();

    // Ctrl+Z and Ctrl+Y: the edits of the sheet (counts, mean stem, groups, species added or
    // deleted, computations and records) step by step. Loading, importing, clearing or reading a
    // stand starts afresh; a save is not undone, and after one the sheet counts as unsaved again.
    void undo();
    void redo();
    const QUndoStack& undoStack() const { return m_undo; }

  private:
    // An operation seen as one edit: the sheet before and after it becomes one step of the undo
    // stack, unless nothing changed. Operations inside another one (and those made with an empty
    // text) are no step of their own.
    class Step {
      public:
        Step(TallySheet& sheet, const char* text);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

      private:
        TallySheet& m_sheet;
        const char* m_text;
        bool m_outer;
        SheetSnapshot m_before;
    };
    SheetSnapshot snapshot() const;
    void restore(const SheetSnapshot& s);
    // A new stand on the sheet: nothing to undo.
    void startAfresh() { m_undo.clear(); }
    void typingStarts();

    // Marks an operation that may put up a box. A box takes the focus from the control the user
    // was in; the leave handlers this sets off while the box is up are dropped and run when the
    // control is really left, so nothing is summed or reported twice.
    class Busy {
      public:
        explicit Busy(TallySheet& sheet) : m_sheet(sheet), m_was(sheet.m_busy) { sheet.m_busy = true; }
        ~Busy() { m_sheet.m_busy = m_was; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

      private:
        TallySheet& m_sheet;
        bool m_was;
    };

    void showFindings(const std::vector<PlausibilityWarning>& warnings);
    // Before a save: true when no species of the stand lacks its computation, or the user saves
    // anyway.
    bool mayStoreUncomputed(const std::vector<PlausibilityWarning>& warnings);
    YesNoQuestion onceQuestion();
    YesNoQuestion conflictQuestion();
    StandStore& store();
    void NastavStupne();
    void SectiCetnosti();
    void NulujTab();
    void ZPracNaDispl();
    void NactiPorostDoOkna();
    // A stand read from a file on display as a new, unsaved stand without a summary.
    void showReadAsNewStand(const QString& dataFile);
    void applyLayout(int width, double firstCentre);
    void showLayout();
    void showTotals();
    void showComputedDiameter(double diameter);
    void emptySpeciesPanel();
    void showHeader();
    void showSamples();
    void takeSamplesFromView();
    void requestScroll(int row);
    QString speciesText() const { return m_view.speciesText(); }

    StandSession& m_s;
    StandStore* m_store;
    QString m_refDir;
    FixedAnswerDialogs m_noDialogs;
    SheetDialogs* m_dialogs = &m_noDialogs;
    SheetView m_view;
    SummaryTable m_summary;
    SheetFocus m_focus = SheetFocus::None;
    std::vector<QString> m_reportedBad; // per row: the bad count text already reported
    QString m_currentDataFile;
    bool m_nextStandRequested = false;
    bool m_busy = false;
    QUndoStack m_undo;
    // The sheet before the first keystroke in a box: the step that takes the typed text in starts here.
    std::optional<SheetSnapshot> m_beforeTyping;
    int m_stepDepth = 0;
    int m_saves = 0;
    // The curves of the last sample heights fitted, refitted only when the pairs change.
    mutable std::optional<std::pair<SampleHeights, HeightCurves>> m_curves;
};
