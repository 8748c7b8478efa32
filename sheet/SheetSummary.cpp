// The summary window's computation over the stand of the sheet, and its save.
#include "SheetSummary.h"

#include "SummaryHandOff.h"
#include "TallySheet.h"

void SheetSummary::show() {
    const TallySheet::Operation op = m_sheet.other();
    m_table.Fill(m_sheet.m_state.stand);
    if (m_sheet.m_state.stand.area > 0)
        compute();
}

void SheetSummary::setTableStock(int row, const QString& text) {
    m_table.setCell(SummaryTable::TableStockColumn, row, text);
}

SummaryResult SheetSummary::compute() {
    const TallySheet::Operation op = m_sheet.other();
    const SummaryResult result = m_table.Compute(m_sheet.m_state.stand);
    if (result.error)
        m_sheet.m_dialogs->show(*result.error);
    return result;
}

bool SheetSummary::computeAndSave() {
    const TallySheet::Operation op = m_sheet.other();
    const SummaryHandOff::Outcome out =
        SummaryHandOff::ComputeSummary(m_table, m_sheet.m_state, m_sheet.m_state.key(), m_sheet.store(),
                                       m_sheet.onceQuestion(), m_sheet.conflictQuestion());
    if (out.result.error)
        m_sheet.m_dialogs->show(*out.result.error);
    m_sheet.markSaved(out.save);
    return out.stored();
}

bool SheetSummary::takeNextStandRequest() {
    return std::exchange(m_nextStandRequested, false);
}
