#pragma once

#include "ClassLayout.h"
#include "EditingFlags.h"
#include "SheetView.h"
#include "TManualy225.h"
#include "WorkingCopy.h"

#include <QUndoCommand>
#include <functional>

// The whole sheet at one moment: what an edit changed, to be put back by Ctrl+Z.
struct SheetSnapshot {
    TManualy225 stand;
    ClassLayout layout;
    WorkingCopy work;
    EditingFlags flags;
    SheetView view;
    int saves = 0; // saves of the stand before this moment
    bool sameContent(const SheetSnapshot& other) const {
        return stand == other.stand && layout == other.layout && work == other.work && flags == other.flags &&
               view == other.view;
    }
};

// One edit of the sheet between two snapshots. The edit is done when it is pushed, so the first
// redo() changes nothing.
class SheetEdit : public QUndoCommand {
  public:
    using Restore = std::function<void(const SheetSnapshot&)>;
    SheetEdit(const QString& text, SheetSnapshot before, SheetSnapshot after, Restore restore)
        : QUndoCommand(text), m_before(std::move(before)), m_after(std::move(after)),
          m_restore(std::move(restore)) {}
    void undo() override { m_restore(m_before); }
    void redo() override {
        if (m_done)
            m_restore(m_after);
        m_done = true;
    }

  private:
    SheetSnapshot m_before, m_after;
    Restore m_restore;
    bool m_done = false;
};
