// Ctrl+Z and Ctrl+Y on the sheet.
#include "TallySheet.h"

TallySheet::Step::Step(TallySheet& sheet, const char* text)
    : m_sheet(sheet), m_text(text), m_outer(sheet.m_stepDepth == 0) {
    ++sheet.m_stepDepth;
    if (m_outer && m_text)
        m_before = sheet.m_beforeTyping ? std::move(*sheet.m_beforeTyping) : sheet.snapshot();
    if (m_outer)
        sheet.m_beforeTyping.reset();
}

TallySheet::Step::~Step() {
    --m_sheet.m_stepDepth;
    if (!m_outer || !m_text)
        return;
    SheetSnapshot after = m_sheet.snapshot();
    if (after.sameContent(m_before))
        return;
    m_sheet.m_undo.push(new SheetEdit(QString::fromUtf8(m_text), std::move(m_before), std::move(after),
                                      [sheet = &m_sheet](const SheetSnapshot& s) { sheet->restore(s); }));
}

SheetSnapshot TallySheet::snapshot() const {
    return {m_s.stand, m_s.layout, m_s.work, m_s.flags, m_view, m_saves};
}

void TallySheet::restore(const SheetSnapshot& s) {
    const EditingFlags now = m_s.flags;
    m_s.stand = s.stand;
    m_s.layout = s.layout;
    m_s.work = s.work;
    m_s.flags = s.flags;
    m_view = s.view;
    // The database keeps what was saved: a stand saved since this moment keeps its key and
    // differs from its stored rows now.
    if (s.saves != m_saves) {
        m_s.flags.KlicZaznamu = now.KlicZaznamu;
        m_s.flags.Ulozeno = false;
    }
    m_s.flags.SKomentarem = now.SKomentarem;
    m_reportedBad.assign(m_view.rows.size(), QString());
    ++m_view.scrollRequest;
}

void TallySheet::typingStarts() {
    if (!m_beforeTyping && m_stepDepth == 0)
        m_beforeTyping = snapshot();
}

void TallySheet::undo() {
    const Busy busy(*this);
    m_undo.undo();
}

void TallySheet::redo() {
    const Busy busy(*this);
    m_undo.redo();
}
