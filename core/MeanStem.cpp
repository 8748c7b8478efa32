#include "MeanStem.h"

#include "TextUtils.h"

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

} // namespace MeanStem
