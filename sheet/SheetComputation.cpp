#include "SheetComputation.h"

#include "TextUtils.h"

std::vector<SpeciesComputation> ComputeAllSpecies(TallySheet& sheet) {
    std::vector<SpeciesComputation> out;
    const int count = int(sheet.view().species.size());
    for (int i = 0; i < count; ++i) {
        SpeciesComputation c;
        c.abbreviation = sheet.view().species.value(i).trimmed();
        sheet.speciesPicked(i);
        if (!sheet.Refresh().tloustka) {
            c.reason = "Dřevina nemá v zápisníku žádné stromy.";
            out.push_back(c);
            continue;
        }
        sheet.meanDiameterClicked();
        if (!sheet.Refresh().vypocet) {
            c.reason =
                IsBlank(sheet.view().height) ? "Není zadána střední výška." : "Není zadána střední tloušťka.";
            out.push_back(c);
            continue;
        }
        sheet.stockClicked();
        sheet.Refresh();
        sheet.recordClicked();
        sheet.Refresh();
        c.computed = sheet.flags().Vypocteno;
        out.push_back(c);
    }
    sheet.takeFocus();
    return out;
}
