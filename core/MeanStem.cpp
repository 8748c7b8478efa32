#include "MeanStem.h"

#include "RivwoodError.h"
#include "SpeciesTables.h"

#include <cmath>
#include <numbers>

namespace MeanStem {

long long SectiCetnosti(WorkingCopy& work) {
    if (work.Cetnosti.empty())
        return 0;
    double total = 0;
    for (size_t k = 1; k < work.Cetnosti.size(); ++k)
        total += work.Cetnosti[k];
    work.Cetnosti[0] = total;
    return (long long)RoundHalfEven(total);
}

double BasalAreaMeanDiameter(WorkingCopy& work, const ClassLayout& layout) {
    const double n = RoundHalfEven(work.Cetnosti.empty() ? 0 : work.Cetnosti[0]);
    work.KruhoveZakladny.assign(work.Cetnosti.size(), 0.0);
    for (int k = 0; k < layout.PocetStupnu && size_t(k + 1) < work.Cetnosti.size(); ++k) {
        const double d = RoundHalfEven(layout.StredPrvniho + k * layout.SirkaStupne);
        const double g = (d / 200) * (d / 200) * std::numbers::pi;
        work.KruhoveZakladny[size_t(k + 1)] = g * work.Cetnosti[size_t(k + 1)];
        work.KruhoveZakladny[0] += work.KruhoveZakladny[size_t(k + 1)];
    }
    if (n <= 0)
        return 0;
    return std::sqrt(work.KruhoveZakladny[0] / n / std::numbers::pi) * 200;
}

QString FormatMeanValue(double value) {
    return FormatNumber("%8.4g", value);
}

double ThroughDisplay(double value) {
    return ToNumber(FormatMeanValue(value), 0);
}

QString CurveWarning(int diameterFlag, int heightFlag) {
    QString text;
    if (diameterFlag == 2)
        text = "Tloustka středniho kmene je vetší\rnež horní mez grafikonu JHK !\rPoužije se horní mez.";
    else if (diameterFlag == 1)
        text = "Tloustka středniho kmene je menší\rnež dolní mez grafikonu JHK !\rPoužije se dolní mez.";
    if (diameterFlag != 0 && heightFlag != 0)
        text += "\r";
    if (heightFlag == 2)
        text += "Výška středniho kmene je nad\rhorní hranicí grafikonu JHK !\rPoužije se horní křivka.";
    else if (heightFlag == 1)
        text += "Výška středniho kmene je pod\rspodní hranicí grafikonu JHK !\rPoužije se dolní křivka.";
    return text;
}

CurveSearch ComputeStock(StandSession& session, const QString& refDir) {
    WorkingCopy& w = session.work;
    const ClassLayout& layout = session.layout;
    if (w.Cetnosti.size() != size_t(layout.ElementCount()))
        throw RivwoodError(QString("Dřevina %1 nemá tloušťkové stupně podle nastavené šířky stupně.")
                               .arg(CharsToString(w.KodDreviny)));
    const CurveSearch search = FindCurve(refDir, w.KodJhkDle, w.StrTloustka, w.StrVyska);
    w.CisloJhk100 = search.curve;
    w.ObjJednotky.assign(w.Cetnosti.size(), 0.0);
    w.Objemy.assign(w.Cetnosti.size(), 0.0);
    for (int k = 1; k <= layout.PocetStupnu; ++k) {
        const double centre = layout.StredPrvniho + (k - 1) * layout.SirkaStupne;
        w.ObjJednotky[size_t(k)] = VolumeFromTable(search.diameterRow, search.volumeRow, centre).volume;
        w.Objemy[size_t(k)] = w.ObjJednotky[size_t(k)] * w.Cetnosti[size_t(k)];
        w.Objemy[0] += w.Objemy[size_t(k)];
    }
    session.flags.Vypocteno = true;
    session.flags.Zaznamenano = false;
    session.flags.Ulozeno = false;
    session.stand.summary = false;
    return search;
}

UserMessages ComputeStand(StandSession& session, const QString& refDir) {
    UserMessages warnings;
    const int limit = int(SpeciesTables::DrevZkratky().size());
    for (int i = 0; i < session.stand.count(); ++i) {
        session.LoadWorkingCopy(session.stand.at(i));
        WorkingCopy& w = session.work;
        const QString abbr = CharsToString(w.KodDreviny);
        if (IsBlank(CharsToString(w.KodJhkDle)))
            w.KodJhkDle = StringToChars(SpeciesTables::CurveSpeciesOf(abbr));
        if (IsBlank(CharsToString(w.KodTabZasDle)))
            w.KodTabZasDle = StringToChars(SpeciesTables::TableSpeciesOf(abbr));
        // The sheet holds whole trees per class.
        for (size_t k = 1; k < w.Cetnosti.size(); ++k)
            w.Cetnosti[k] = RoundHalfEven(w.Cetnosti[k]);
        if (SectiCetnosti(w) <= 0)
            continue;
        const double computed = BasalAreaMeanDiameter(w, session.layout);
        if (w.StrTloustka <= 0 || w.TloustkaVypoctena) {
            w.StrTloustka = computed;
            w.TloustkaVypoctena = true;
        }
        w.StrTloustka = ThroughDisplay(w.StrTloustka);
        w.StrVyska = ThroughDisplay(w.StrVyska);
        const CurveSearch search = ComputeStock(session, refDir);
        const QString warning = CurveWarning(search.diameterFlag, search.heightFlag);
        if (!warning.isEmpty())
            warnings.push_back({UserMessage::Warning, abbr + ": " + warning});
        session.RecordWorkingCopy(limit);
    }
    return warnings;
}

} // namespace MeanStem
