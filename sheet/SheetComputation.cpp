#include "SheetComputation.h"

#include "TextUtils.h"

std::vector<SpeciesComputation> ComputeAllSpecies(TallySheet& sheet) {
    std::vector<SpeciesComputation> out;
    const int count = int(sheet.view().species.size());
    for (int i = 0; i < count; ++i) {
        SpeciesComputation c;
        c.abbreviation = sheet.view().species.value(i).trimmed();
        sheet.pickSpecies(i);
        if (!sheet.commands().tloustka) {
            c.outcome = SpeciesComputation::NoTrees;
            c.reason = "Dřevina nemá v zápisníku žádné stromy.";
            out.push_back(c);
            continue;
        }
        sheet.meanStem().computeDiameter();
        if (!sheet.commands().vypocet) {
            const bool noHeight = IsBlank(sheet.view().height);
            c.outcome = noHeight ? SpeciesComputation::NoHeight : SpeciesComputation::NoDiameter;
            c.reason = noHeight ? "Není zadána střední výška." : "Není zadána střední tloušťka.";
            out.push_back(c);
            continue;
        }
        sheet.meanStem().computeStock();
        sheet.meanStem().record();
        out.push_back(c);
    }
    return out;
}
