// The operations of the sheet as they reach the undo stack and the window, and Ctrl+Z and Ctrl+Y.
#include "TallySheet.h"

TallySheet::Operation::Operation(TallySheet& sheet, Kind kind, const char* text, int mergeId)
    : m_sheet(sheet), m_kind(kind), m_text(text), m_mergeId(mergeId), m_outer(sheet.m_depth == 0) {
    ++sheet.m_depth;
    if (!m_outer)
        return;
    sheet.m_afresh = false;
    m_before = sheet.m_state;
    m_commandsBefore = sheet.commands();
    switch (kind) {
    case Kind::Edit:
    case Kind::Other:
        if (sheet.m_beforeTyping)
            m_editBase = std::exchange(sheet.m_beforeTyping, std::nullopt);
        break;
    case Kind::Typing:
        if (!sheet.m_beforeTyping)
            sheet.m_beforeTyping = sheet.m_state;
        break;
    case Kind::History:
        sheet.typingIntoHistory();
        break;
    }
}

TallySheet::Operation::~Operation() {
    --m_sheet.m_depth;
    if (!m_outer)
        return;
    // Nothing here may end the program while an operation's error is on its way to the window.
    try {
        m_sheet.followBoxes();
        record();
        announce();
    } catch (...) {
    }
}

void TallySheet::Operation::record() {
    TallySheet& s = m_sheet;
    if (s.m_afresh) {
        s.m_trail.clear();
        return;
    }
    if (m_kind != Kind::Edit && m_kind != Kind::Other)
        return;
    SheetDelta change = SheetDelta::between(m_editBase ? *m_editBase : *m_before, s.m_state);
    if (change.empty())
        return;
    if (m_kind == Kind::Other) {
        s.m_trail.push_back(std::move(change));
        return;
    }
    s.m_undo.push(new SheetEdit(s, QString::fromUtf8(m_text), m_mergeId, std::exchange(s.m_trail, {}),
                                std::move(change), s.m_saves));
}

void TallySheet::Operation::announce() {
    const SheetState& b = *m_before;
    const SheetState& a = m_sheet.m_state;
    const SheetView& bv = b.view;
    const SheetView& av = a.view;
    SheetParts parts;
    if (bv.rows != av.rows || bv.totals != av.totals || bv.widthText != av.widthText ||
        bv.firstText != av.firstText || bv.scrollRequest != av.scrollRequest)
        parts |= SheetPart::Grid;
    if (bv.species != av.species || bv.speciesIndex != av.speciesIndex || bv.speciesName != av.speciesName ||
        bv.curveSpecies != av.curveSpecies || bv.tableSpecies != av.tableSpecies)
        parts |= SheetPart::Species;
    if (bv.diameter != av.diameter || bv.height != av.height || bv.jhk != av.jhk ||
        b.work.CisloJhk100 != a.work.CisloJhk100)
        parts |= SheetPart::MeanStem;
    if (bv.samples != av.samples || b.work.VyskoveVzorniky != a.work.VyskoveVzorniky)
        parts |= SheetPart::Samples;
    if (bv.river != av.river || bv.bank != av.bank || bv.riverKm != av.riverKm || bv.action != av.action ||
        bv.date != av.date || bv.shrubArea != av.shrubArea || bv.designation != av.designation ||
        bv.comment != av.comment)
        parts |= SheetPart::Header;
    if (!(m_commandsBefore == m_sheet.commands()))
        parts |= SheetPart::Commands;
    if (!(b.stand == a.stand) || !(b.work == a.work) || !(b.flags == a.flags) ||
        (parts & (SheetPart::Species | SheetPart::MeanStem)))
        parts |= SheetPart::Check;
    const SheetFocus focus = std::exchange(m_sheet.m_focus, SheetFocus::None);
    if (parts || focus != SheetFocus::None)
        emit m_sheet.changed(parts, focus);
}

void TallySheet::startAfresh() {
    m_undo.clear();
    m_trail.clear();
    m_afresh = true;
}

// Typing not yet taken in by an edit is a change outside the history once the history moves.
void TallySheet::typingIntoHistory() {
    if (!m_beforeTyping)
        return;
    SheetDelta typed = SheetDelta::between(*m_beforeTyping, m_state);
    m_beforeTyping.reset();
    if (!typed.empty())
        m_trail.push_back(std::move(typed));
}

// Undoing an edit takes back the changes made outside the history since it as well.
void TallySheet::undoEdit(const SheetEdit& edit) {
    const Operation op(*this, Operation::Kind::History);
    const EditingFlags flags = m_state.flags;
    const std::int64_t changeCounter = m_state.stand.changeCounter;
    for (auto it = m_trail.rbegin(); it != m_trail.rend(); ++it)
        it->revert(m_state);
    edit.change().revert(m_state);
    m_trail = edit.lead();
    afterHistory(edit.saves(), flags, changeCounter);
}

// Redoing an edit puts the sheet where the edit left it: the changes made outside the history
// since the edit before it was undone are taken back, those made before this edit come again.
void TallySheet::redoEdit(const SheetEdit& edit) {
    const Operation op(*this, Operation::Kind::History);
    const EditingFlags flags = m_state.flags;
    const std::int64_t changeCounter = m_state.stand.changeCounter;
    for (auto it = m_trail.rbegin(); it != m_trail.rend(); ++it)
        it->revert(m_state);
    for (const SheetDelta& d : edit.lead())
        d.apply(m_state);
    edit.change().apply(m_state);
    m_trail.clear();
    afterHistory(edit.saves(), flags, changeCounter);
}

void TallySheet::afterHistory(int saves, const EditingFlags& flagsBefore, std::int64_t changeCounter) {
    // The database keeps what was saved: a stand saved since this moment keeps its key and its
    // row's change counter, and differs from its stored rows now.
    if (saves != m_saves) {
        m_state.flags.KlicZaznamu = flagsBefore.KlicZaznamu;
        m_state.flags.Ulozeno = false;
    }
    m_state.stand.changeCounter = changeCounter;
    m_reportedBad.assign(m_state.view.rows.size(), QString());
    ++m_state.view.scrollRequest;
}
