#include "SpeciesCodes.h"

#include "RivwoodError.h"
#include "SpeciesAssignment.h"

void SpeciesCodes::Add(const QString& code) {
    const QString c = SpeciesAssignment::CutCode(code);
    if (c.isEmpty())
        return;
    const QString folded = c.toCaseFolded();
    if (m_folded.contains(folded))
        return;
    if (m_codes.size() >= MaxCodes)
        throw RivwoodError(
            QString("Soubor průměrky obsahuje více než %1 různých kódů dřevin, tolik jich nelze "
                    "přiřadit. Soubor je poškozený nebo to není soubor průměrky.")
                .arg(MaxCodes));
    m_folded.insert(folded);
    m_codes.append(c);
}
