#include "StandFixtures.h"

#include "ClassLayout.h"
#include "DatabaseChooser.h"
#include "RawQuery.h"
#include "SpeciesTables.h"
#include "SummaryTable.h"

#include <cmath>

StandPlan Stand(const QString& river, const QString& bank, const QString& riverKm, const QString& action,
                int species) {
    StandPlan s;
    s.river = river;
    s.bank = bank;
    s.riverKm = riverKm;
    s.action = action;
    s.species = species;
    return s;
}

TManualy225 MakeReportStand(const StandPlan& plan, int seed) {
    TManualy225 st;
    st.name = QStringLiteral("Zkušební");
    st.designation = QStringLiteral("Porost %1").arg(seed);
    st.date = QStringLiteral("14.10.2026");
    st.comment = plan.comment;
    st.river = plan.river;
    st.bank = plan.bank;
    st.riverKm = plan.riverKm;
    st.action = plan.action;
    st.shrubArea = 150;
    st.area = plan.area;
    st.age = 40 + seed % 30;
    const ClassLayout layout = ClassLayout::Make(4, 10);
    const QStringList& all = SpeciesTables::DrevZkratky();
    for (int k = 0; k < plan.species && k < all.size(); ++k) {
        const QString abbr = all[(k * 5 + seed) % all.size()];
        if (st.indexOf(abbr) >= 0)
            continue;
        TManual225 e;
        e.abbreviation = StringToChars(abbr);
        e.curveSpecies = StringToChars(SpeciesTables::CurveSpeciesOf(abbr));
        e.tableSpecies = StringToChars(SpeciesTables::TableSpeciesOf(abbr));
        e.classWidth = 4;
        e.firstCentre = 10;
        e.classes.resize(size_t(layout.ElementCount()));
        e.classCount = std::int16_t(e.classes.size());
        double trees = 0, volume = 0, diameters = 0;
        for (int c = 1; c < layout.ElementCount(); ++c) {
            TTloustkoveStupne& el = e.classes[size_t(c)];
            el.centre = layout.Centre(c);
            if (c >= 3 && c <= 9) {
                el.trees = 1 + (c + k + seed) % 7;
                el.treeVolume = 0.0004 * std::pow(el.centre, 2.2);
                el.classVolume = el.trees * el.treeVolume;
                trees += el.trees;
                volume += el.classVolume;
                diameters += el.trees * el.centre * el.centre;
            }
        }
        e.classes[0].trees = trees;
        e.classes[0].classVolume = volume;
        e.classes[0].treeVolume = volume / trees;
        e.meanDiameter = std::round(std::sqrt(diameters / trees) * 10) / 10;
        e.meanDiameterComputed = true;
        e.meanHeight = 15 + (k + seed) % 12;
        e.computed = true;
        e.curve = std::int16_t(1000 + k);
        st.append(abbr, e);
    }
    SummaryTable table;
    table.Fill(st);
    table.Compute(st);
    st.summary = plan.summary;
    return st;
}

ReportDatabase::ReportDatabase() {
    m_db = std::make_unique<StandDatabase>(m_dir.filePath(QStringLiteral("Rivwood.INI")));
    DatabaseChooser::UseDirectory(*m_db, m_dir.path(), [](const UserMessage&) { return true; });
    m_store = std::make_unique<StandStore>(*m_db);
}

int ReportDatabase::add(const StandPlan& plan, int seed) {
    TManualy225 st = MakeReportStand(plan, seed);
    const int key = m_store->AllocateStandKey();
    m_store->SaveStand(st, key);
    return key;
}

int ReportDatabase::stranka(int key) {
    testsupport::RawQuery q(*m_db);
    q.prepare(QStringLiteral("select distinct STRANKA from rivwoodses where klic = ?"));
    q.addBindValue(key);
    if (!q.exec() || !q.next())
        return -1;
    const int page = q.value(0).toInt();
    return q.next() ? -2 : page;
}
