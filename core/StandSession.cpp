#include "StandSession.h"

#include "Real48.h"
#include "StandCode.h"

#include <algorithm>

StandSession::StandSession() {
    SetClassLayout(4, 10);
}

void StandSession::SetClassLayout(int width, double firstCentre) {
    layout = ClassLayout::Make(width, firstCentre);
    const size_t n = size_t(layout.ElementCount());
    work.Cetnosti.resize(n);
    work.ObjJednotky.resize(n);
    work.Objemy.resize(n);
    work.KruhoveZakladny.resize(n);
}

void StandSession::StoreWorkingCopy(TManual225& s, bool computed) const {
    s.abbreviation = work.KodDreviny;
    s.curveSpecies = work.KodJhkDle;
    s.tableSpecies = work.KodTabZasDle;
    s.meanDiameterComputed = work.TloustkaVypoctena;
    s.computed = computed;
    s.meanDiameter = RoundToReal48(work.StrTloustka);
    s.meanHeight = RoundToReal48(work.StrVyska);
    s.tableStock = RoundToReal48(work.TabZasoba);
    s.curve = NarrowTo16(work.CisloJhk100, "JHK");
    s.classWidth = NarrowTo16(layout.SirkaStupne, "TL_INTERVAL");
    s.firstCentre = layout.StredPrvniho;
    s.sampleHeights = work.VyskoveVzorniky;
    const size_t n = work.Cetnosti.size();
    s.classes.resize(n);
    s.classCount = NarrowTo16(qint64(n), "POCET_TL");
    for (size_t i = 0; i < n; ++i) {
        TTloustkoveStupne& e = s.classes[i];
        if (i >= 1)
            e.centre = double(i - 1) * layout.SirkaStupne + layout.StredPrvniho;
        e.trees = work.Cetnosti[i];
        e.treeVolume = i < work.ObjJednotky.size() ? work.ObjJednotky[i] : 0;
        e.classVolume = i < work.Objemy.size() ? work.Objemy[i] : 0;
    }
}

StandSession::Recording StandSession::RecordWorkingCopy(int speciesLimit, bool computed) {
    const QString key = CharsToString(work.KodDreviny);
    if (TManual225* existing = stand.find(key)) {
        // Narrow into a copy first so a range error leaves the stored species as it was.
        TManual225 updated = *existing;
        StoreWorkingCopy(updated, computed);
        *existing = updated;
        return Recording::Replaced;
    }
    if (stand.count() >= speciesLimit)
        return Recording::Refused;
    TManual225 added;
    StoreWorkingCopy(added, computed);
    stand.append(key, added);
    return Recording::Appended;
}

const TManual225* StandSession::SelectSpecies(const Kod3& abbreviation) {
    const TManual225* s = stand.find(CharsToString(abbreviation));
    if (s)
        LoadWorkingCopy(*s);
    return s;
}

bool StandSession::DeleteSpecies(const Kod3& abbreviation) {
    const int i = stand.indexOf(abbreviation);
    if (i < 0)
        return false;
    stand.removeAt(i);
    return true;
}

void StandSession::ResetWorkingCopy() {
    for (auto* v : {&work.Cetnosti, &work.ObjJednotky, &work.Objemy, &work.KruhoveZakladny})
        std::fill(v->begin(), v->end(), 0.0);
    work.StrTloustka = 0;
    work.StrVyska = 0;
    work.CisloJhk100 = 0;
    work.TabZasoba = 0;
    work.VyskoveVzorniky.clear();
}

void StandSession::LoadWorkingCopy(const TManual225& s) {
    work.KodDreviny = s.abbreviation;
    work.KodJhkDle = s.curveSpecies;
    work.KodTabZasDle = s.tableSpecies;
    work.StrTloustka = s.meanDiameter;
    work.TloustkaVypoctena = s.meanDiameterComputed;
    work.StrVyska = s.meanHeight;
    work.CisloJhk100 = s.curve;
    work.TabZasoba = s.tableStock;
    work.VyskoveVzorniky = s.sampleHeights;
    const size_t n = s.classes.size();
    work.Cetnosti.resize(n);
    work.ObjJednotky.resize(n);
    work.Objemy.resize(n);
    for (size_t i = 0; i < n; ++i) {
        work.Cetnosti[i] = s.classes[i].trees;
        work.ObjJednotky[i] = s.classes[i].treeVolume;
        work.Objemy[i] = s.classes[i].classVolume;
    }
}

QString StandSession::KodPorostu() const {
    return MakeStandCode(stand.river, stand.bank, stand.riverKm, stand.action);
}
