#pragma once

#include "SheetState.h"

#include <QUndoCommand>
#include <memory>
#include <optional>
#include <vector>

class TallySheet;

// The elements of a list one edit changed. For lists of the same length only the elements that
// differ are kept, with their positions; otherwise the run between the common beginning and end.
template <class T> class ListChange {
  public:
    static std::optional<ListChange> between(const std::vector<T>& before, const std::vector<T>& after);
    void revert(std::vector<T>& list) const { put(list, m_after.size(), m_before); }
    void apply(std::vector<T>& list) const { put(list, m_before.size(), m_after); }

  private:
    void put(std::vector<T>& list, size_t replaced, const std::vector<T>& values) const;

    std::vector<size_t> m_at; // positions of a same-length change; empty for a run
    size_t m_from = 0;        // where the run starts
    std::vector<T> m_before, m_after;
};

// A part of a change, kept on the heap only when present: a step of the history then costs the
// parts it changed, not the room of every part it could have changed.
template <class T> class Part {
  public:
    Part() = default;
    Part(std::optional<T> value) {
        if (value)
            m_p = std::make_unique<T>(std::move(*value));
    }
    Part(const Part& other) : m_p(other.m_p ? std::make_unique<T>(*other.m_p) : nullptr) {}
    Part& operator=(const Part& other) {
        m_p = other.m_p ? std::make_unique<T>(*other.m_p) : nullptr;
        return *this;
    }
    Part(Part&&) noexcept = default;
    Part& operator=(Part&&) noexcept = default;
    explicit operator bool() const { return bool(m_p); }
    const T* operator->() const { return m_p.get(); }
    T* operator->() { return m_p.get(); }
    void reset() { m_p.reset(); }

  private:
    std::unique_ptr<T> m_p;
};

// One part of the sheet before and after an edit.
template <class T> struct ValueChange { T before, after; };

// What one edit (or one operation outside the history) changed on the sheet: only the parts
// and list elements that differ, old and new. The stand's header and species, the layout, the
// working copy, the flags and the texts on display are compared; the "with comment" tick is not
// the sheet's content and is left out.
class SheetDelta {
  public:
    struct Species {
        QString abbreviation;
        TManual225 species;
        friend bool operator==(const Species&, const Species&) = default;
    };

    static SheetDelta between(const SheetState& before, const SheetState& after);
    bool empty() const;
    void revert(SheetState& state) const; // after → before
    void apply(SheetState& state) const;  // before → after
    // Takes in the change of the next edit of the same box, when neither changed a list.
    bool absorb(const SheetDelta& later);

  private:
    void put(SheetState& state, bool after) const;
    bool hasLists() const;

    Part<ValueChange<TManualy225>> m_header; // the stand without its species
    Part<ListChange<Species>> m_species;
    Part<ValueChange<ClassLayout>> m_layout;
    Part<ValueChange<WorkingCopy>> m_work; // the working copy without its lists
    Part<ListChange<double>> m_counts, m_treeVolumes, m_volumes, m_basalAreas;
    Part<ListChange<SampleHeight>> m_samples;
    Part<ValueChange<EditingFlags>> m_flags;
    Part<ValueChange<SheetView>> m_view; // the texts without the lists
    Part<ListChange<SheetView::Row>> m_rows;
    Part<ListChange<QString>> m_speciesItems;
    Part<ListChange<SheetView::SampleRow>> m_sampleRows;
};

// One edit of the sheet on its undo stack ("Četnost", "Záznam", …): its change, and the changes
// made outside the history between the edit before it and this one ("lead"), which a redo puts
// back first. The edit is done when it is pushed, so the first redo() changes nothing.
class SheetEdit : public QUndoCommand {
  public:
    SheetEdit(TallySheet& sheet, const QString& text, int mergeId, std::vector<SheetDelta> lead,
              SheetDelta change, int saves);
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;

    const std::vector<SheetDelta>& lead() const { return m_lead; }
    const SheetDelta& change() const { return m_change; }
    // The saves of the stand before this edit: undoing past a save leaves the stand unsaved.
    int saves() const { return m_saves; }

  private:
    TallySheet& m_sheet;
    int m_mergeId;
    std::vector<SheetDelta> m_lead;
    SheetDelta m_change;
    int m_saves;
    bool m_done = false;
};
