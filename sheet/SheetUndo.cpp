#include "SheetUndo.h"

#include "TallySheet.h"

template <class T>
std::optional<ListChange<T>> ListChange<T>::between(const std::vector<T>& before,
                                                    const std::vector<T>& after) {
    if (before == after)
        return std::nullopt;
    ListChange c;
    if (before.size() == after.size()) {
        for (size_t i = 0; i < before.size(); ++i)
            if (!(before[i] == after[i])) {
                c.m_at.push_back(i);
                c.m_before.push_back(before[i]);
                c.m_after.push_back(after[i]);
            }
        return c;
    }
    size_t from = 0;
    while (from < before.size() && from < after.size() && before[from] == after[from])
        ++from;
    size_t tail = 0;
    while (tail < before.size() - from && tail < after.size() - from &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    c.m_from = from;
    c.m_before.assign(before.begin() + qsizetype(from), before.end() - qsizetype(tail));
    c.m_after.assign(after.begin() + qsizetype(from), after.end() - qsizetype(tail));
    return c;
}

template <class T>
void ListChange<T>::put(std::vector<T>& list, size_t replaced, const std::vector<T>& values) const {
    if (!m_at.empty()) {
        for (size_t i = 0; i < m_at.size(); ++i)
            if (m_at[i] < list.size())
                list[m_at[i]] = values[i];
        return;
    }
    const size_t from = std::min(m_from, list.size());
    const size_t to = std::min(from + replaced, list.size());
    list.erase(list.begin() + qsizetype(from), list.begin() + qsizetype(to));
    list.insert(list.begin() + qsizetype(from), values.begin(), values.end());
}

namespace {

template <class T> std::optional<ValueChange<T>> valueChange(T before, T after) {
    if (before == after)
        return std::nullopt;
    return ValueChange<T>{std::move(before), std::move(after)};
}

template <class T> void absorbValue(Part<ValueChange<T>>& mine, const Part<ValueChange<T>>& later) {
    if (!later)
        return;
    if (mine)
        mine->after = later->after;
    else
        mine = later;
    if (mine->before == mine->after)
        mine.reset();
}

template <class T> void putList(const Part<ListChange<T>>& change, std::vector<T>& list, bool after) {
    if (change)
        after ? change->apply(list) : change->revert(list);
}

std::vector<SheetDelta::Species> speciesOf(const TManualy225& stand) {
    std::vector<SheetDelta::Species> out;
    out.reserve(size_t(stand.count()));
    for (int i = 0; i < stand.count(); ++i)
        out.push_back({stand.abbreviationAt(i), stand.at(i)});
    return out;
}

void setSpecies(TManualy225& stand, const std::vector<SheetDelta::Species>& species) {
    while (stand.count() > 0)
        stand.removeAt(stand.count() - 1);
    for (const SheetDelta::Species& s : species)
        stand.append(s.abbreviation, s.species);
}

TManualy225 headerOf(const TManualy225& stand) {
    TManualy225 header = stand;
    setSpecies(header, {});
    return header;
}

// The scalars without the lists. The lists are replaced by empty ones (clear() would keep their
// memory), so a kept change holds none of it.
WorkingCopy scalarsOf(const WorkingCopy& work) {
    WorkingCopy w = work;
    w.Cetnosti = std::vector<double>();
    w.ObjJednotky = std::vector<double>();
    w.Objemy = std::vector<double>();
    w.KruhoveZakladny = std::vector<double>();
    w.VyskoveVzorniky = SampleHeights();
    return w;
}

SheetView scalarsOf(const SheetView& view) {
    SheetView v = view;
    v.rows = std::vector<SheetView::Row>();
    v.species = QStringList();
    v.samples = std::vector<SheetView::SampleRow>();
    v.scrollRequest = 0;
    return v;
}

EditingFlags contentOf(EditingFlags flags) {
    flags.SKomentarem = false;
    return flags;
}

std::vector<QString> itemsOf(const QStringList& list) {
    return {list.begin(), list.end()};
}

} // namespace

SheetDelta SheetDelta::between(const SheetState& before, const SheetState& after) {
    SheetDelta d;
    if (!(before.stand == after.stand)) {
        d.m_header = valueChange(headerOf(before.stand), headerOf(after.stand));
        d.m_species = ListChange<Species>::between(speciesOf(before.stand), speciesOf(after.stand));
    }
    d.m_layout = valueChange(before.layout, after.layout);
    if (!(before.work == after.work)) {
        const WorkingCopy& b = before.work;
        const WorkingCopy& a = after.work;
        d.m_work = valueChange(scalarsOf(b), scalarsOf(a));
        d.m_counts = ListChange<double>::between(b.Cetnosti, a.Cetnosti);
        d.m_treeVolumes = ListChange<double>::between(b.ObjJednotky, a.ObjJednotky);
        d.m_volumes = ListChange<double>::between(b.Objemy, a.Objemy);
        d.m_basalAreas = ListChange<double>::between(b.KruhoveZakladny, a.KruhoveZakladny);
        d.m_samples = ListChange<SampleHeight>::between(b.VyskoveVzorniky, a.VyskoveVzorniky);
    }
    d.m_flags = valueChange(contentOf(before.flags), contentOf(after.flags));
    d.m_view = valueChange(scalarsOf(before.view), scalarsOf(after.view));
    d.m_rows = ListChange<SheetView::Row>::between(before.view.rows, after.view.rows);
    if (before.view.species != after.view.species)
        d.m_speciesItems =
            ListChange<QString>::between(itemsOf(before.view.species), itemsOf(after.view.species));
    d.m_sampleRows = ListChange<SheetView::SampleRow>::between(before.view.samples, after.view.samples);
    return d;
}

bool SheetDelta::hasLists() const {
    return m_species || m_counts || m_treeVolumes || m_volumes || m_basalAreas || m_samples || m_rows ||
           m_speciesItems || m_sampleRows;
}

bool SheetDelta::empty() const {
    return !hasLists() && !m_header && !m_layout && !m_work && !m_flags && !m_view;
}

bool SheetDelta::absorb(const SheetDelta& later) {
    if (hasLists() || later.hasLists())
        return false;
    absorbValue(m_header, later.m_header);
    absorbValue(m_layout, later.m_layout);
    absorbValue(m_work, later.m_work);
    absorbValue(m_flags, later.m_flags);
    absorbValue(m_view, later.m_view);
    return true;
}

void SheetDelta::revert(SheetState& state) const {
    put(state, false);
}

void SheetDelta::apply(SheetState& state) const {
    put(state, true);
}

void SheetDelta::put(SheetState& s, bool after) const {
    const auto value = [after](const auto& change) -> const auto& {
        return after ? change->after : change->before;
    };
    if (m_header || m_species) {
        std::vector<Species> species = speciesOf(s.stand);
        putList(m_species, species, after);
        if (m_header)
            s.stand = value(m_header);
        setSpecies(s.stand, species);
    }
    if (m_layout)
        s.layout = value(m_layout);
    WorkingCopy& w = s.work;
    if (m_work) {
        WorkingCopy scalars = value(m_work);
        scalars.Cetnosti = std::move(w.Cetnosti);
        scalars.ObjJednotky = std::move(w.ObjJednotky);
        scalars.Objemy = std::move(w.Objemy);
        scalars.KruhoveZakladny = std::move(w.KruhoveZakladny);
        scalars.VyskoveVzorniky = std::move(w.VyskoveVzorniky);
        w = std::move(scalars);
    }
    putList(m_counts, w.Cetnosti, after);
    putList(m_treeVolumes, w.ObjJednotky, after);
    putList(m_volumes, w.Objemy, after);
    putList(m_basalAreas, w.KruhoveZakladny, after);
    putList(m_samples, w.VyskoveVzorniky, after);
    if (m_flags) {
        const bool withComment = s.flags.SKomentarem;
        s.flags = value(m_flags);
        s.flags.SKomentarem = withComment;
    }
    SheetView& v = s.view;
    if (m_view) {
        SheetView scalars = value(m_view);
        scalars.rows = std::move(v.rows);
        scalars.species = std::move(v.species);
        scalars.samples = std::move(v.samples);
        scalars.scrollRequest = v.scrollRequest;
        v = std::move(scalars);
    }
    putList(m_rows, v.rows, after);
    putList(m_sampleRows, v.samples, after);
    if (m_speciesItems) {
        std::vector<QString> items = itemsOf(v.species);
        putList(m_speciesItems, items, after);
        v.species = QStringList(items.begin(), items.end());
    }
}

SheetEdit::SheetEdit(TallySheet& sheet, const QString& text, int mergeId, std::vector<SheetDelta> lead,
                     SheetDelta change, int saves)
    : QUndoCommand(text), m_sheet(sheet), m_mergeId(mergeId), m_lead(std::move(lead)),
      m_change(std::move(change)), m_saves(saves) {}

bool SheetEdit::mergeWith(const QUndoCommand* other) {
    const auto* later = dynamic_cast<const SheetEdit*>(other);
    if (!later || !later->m_lead.empty() || later->m_saves != m_saves || !m_change.absorb(later->m_change))
        return false;
    // Typed back to what it was: nothing left to undo.
    setObsolete(m_change.empty());
    return true;
}

void SheetEdit::undo() {
    m_sheet.undoEdit(*this);
}

void SheetEdit::redo() {
    if (m_done)
        m_sheet.redoEdit(*this);
    m_done = true;
}
