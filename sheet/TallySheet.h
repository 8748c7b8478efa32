#pragma once

#include "OpenedStand.h"
#include "PlausibilityCheck.h"
#include "SheetDialogs.h"
#include "SheetHeights.h"
#include "SheetMeanStem.h"
#include "SheetState.h"
#include "SheetSummary.h"
#include "SheetUndo.h"
#include "StandStore.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <optional>
#include <vector>

// The tally sheet "JHK - průměrkovací zápisník" without its window: the one current stand with
// the species on display, and the rules of every edit. It alone owns the sheet's state (state():
// the stand, the working copy, the editing flags and the texts on display). Each edit is what the
// surveyor means (a count set, a species added, the stand saved …) and is one command on the undo
// stack; after every operation changed() names what changed and where the surveyor goes next.
// The panels "Střední kmen" and "Výškové vzorníky" and the summary window have their own edits
// (meanStem(), heights(), summary()). Questions and messages go to the dialogs.
//
// The window and rivwood-cli run the same operations, so the command line computes exactly what
// the buttons do.
class TallySheet : public QObject {
    Q_OBJECT
  public:
    // `store` may be null for work without a database (the command line's compute); saving then
    // fails with a message. `referenceDirectory` holds JHK.KRI and JHK.HMO.
    TallySheet(StandStore* store, QString referenceDirectory, QObject* parent = nullptr);

    void setDialogs(SheetDialogs* dialogs);
    const SheetState& state() const { return m_state; }
    const SheetView& view() const { return m_state.view; }
    // The enabled and ticked states of the commands, derived from the flags.
    SheetCommands commands() const;
    // The edits of the sheet, 200 at most; loading, importing, clearing or reading a stand starts
    // afresh. A save is not undone, and after one an undone or redone sheet counts as unsaved.
    QUndoStack& undoStack() { return m_undo; }
    SheetMeanStem& meanStem() { return m_meanStem; }
    SheetHeights& heights() { return m_heights; }
    SheetSummary& summary() { return m_summary; }

    // The class layout: "Šířka stupně" (the first centre follows) and "První stupeň".
    void setClassWidth(const QString& text);
    void setFirstCentre(const QString& text);
    // The count typed into the grid row; a text that is no integer counts 0 and is reported once.
    void setCount(int row, const QString& text);
    // The choice of the "Nová dřevina" dialog, when commands().novaDrevinaPovolena.
    void addSpecies(const QString& abbreviation);
    void pickSpecies(int index);
    void deleteSpecies(); // "&Zrušit dřevinu"
    void setHeader(SheetHeader field, const QString& text);
    void setWithComment(bool on); // "S komentářem"

    // "Nový porost", "Zrušit &všechny dřeviny": the header starts empty, designation, comment and
    // stand code included.
    void newStand();
    void loadStand(int key);    // a stand chosen in "Seznam porostů"
    void standDeleted(int key); // a stand deleted in "Seznam porostů"
    void open(const OpenedStand& opened);
    // "Čtení dat ze souboru"; false, with the reader's messages, when nothing was read.
    bool readDataFile(const QString& fileName);
    // The sample stand offered at the first start (a stand as rivwood-cli reads it).
    bool openSample(const QString& fileName);
    // "Uložení porostu do databáze"; true when stored.
    bool save();
    // Closing the window: asks when anything typed has not reached the database.
    bool mayClose();
    // "Kontrola porostu": the stand with the species on display as it stands on the sheet. The
    // window leaves out the area (its save stores 1 ha); a stand file is checked with it.
    std::vector<PlausibilityWarning> check(bool withArea = false) const;

  signals:
    // After each operation that changed something or leads the surveyor to another control.
    void changed(SheetParts parts, SheetFocus focus);

  private:
    friend class SheetMeanStem;
    friend class SheetHeights;
    friend class SheetSummary;
    friend class SheetEdit;

    // One operation of the sheet. The outermost one of nested operations records what changed
    // and announces it: an edit as one command of the undo stack (unless nothing changed), other
    // operations as changes outside the history, which undoing the edit before them takes back
    // too. Typing into a box records nothing yet: the edit that takes the text in starts from the
    // sheet before the first keystroke.
    class Operation {
      public:
        enum class Kind { Edit, Other, Typing, History };
        Operation(TallySheet& sheet, Kind kind, const char* text = nullptr, int mergeId = -1);
        ~Operation();
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

      private:
        void record();
        void announce();

        TallySheet& m_sheet;
        Kind m_kind;
        const char* m_text;
        int m_mergeId;
        bool m_outer;
        std::optional<SheetState> m_before;
        std::optional<SheetState> m_editBase;
        SheetCommands m_commandsBefore;
    };
    Operation edit(const char* text, int mergeId = -1) {
        return Operation(*this, Operation::Kind::Edit, text, mergeId);
    }
    Operation other() { return Operation(*this, Operation::Kind::Other); }

    void undoEdit(const SheetEdit& edit);
    void redoEdit(const SheetEdit& edit);
    void typingIntoHistory();
    void afterHistory(int saves, const EditingFlags& flagsBefore, std::int64_t changeCounter);
    // A new stand on the sheet: nothing to undo.
    void startAfresh();
    // The flags that follow the boxes, after every operation.
    void followBoxes();

    void showFindings(const std::vector<PlausibilityWarning>& warnings);
    // Before a save: true when no species of the stand lacks its computation, or the user saves
    // anyway.
    bool mayStoreUncomputed(const std::vector<PlausibilityWarning>& warnings);
    YesNoQuestion onceQuestion();
    YesNoQuestion conflictQuestion();
    StandStore& store();
    void markSaved(const SaveResult& saved);
    void applyLayout(int width, double firstCentre);
    void NastavStupne();
    void SectiCetnosti();
    void NulujTab();
    void ZPracNaDispl();
    void NactiPorostDoOkna();
    void loadSpecies(const TManual225& species);
    bool selectSpecies(const QString& abbreviation);
    void record();
    void showImported(const StandSession& imported);
    void showReadAsNewStand(const StandSession& read, const QString& dataFile);
    void showLayout();
    void showTotals();
    void showComputedDiameter(double diameter);
    void emptySpeciesPanel();
    void showHeader();
    void requestScroll(int row);
    QString speciesText() const { return m_state.view.speciesText(); }
    bool fileExists(const QString& fileName);

    SheetState m_state;
    StandStore* m_store;
    QString m_refDir;
    FixedAnswerDialogs m_noDialogs;
    SheetDialogs* m_dialogs = &m_noDialogs;
    SheetFocus m_focus = SheetFocus::None;
    std::vector<QString> m_reportedBad; // per row: the bad count text already reported
    QUndoStack m_undo;
    // The changes outside the history since the edit on top of the undo stack.
    std::vector<SheetDelta> m_trail;
    // The sheet before the first keystroke in a box, until an operation takes the text in.
    std::optional<SheetState> m_beforeTyping;
    int m_depth = 0;
    bool m_afresh = false;
    int m_saves = 0;
    SheetMeanStem m_meanStem{*this};
    SheetHeights m_heights{*this};
    SheetSummary m_summary{*this};
};
