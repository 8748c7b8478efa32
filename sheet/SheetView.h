#pragma once

#include <QFlags>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// What the tally sheet shows: every text of its grid, totals, boxes, combos and header edits, as
// the controller keeps them. The window copies them into its widgets.
struct SheetView {
    static constexpr int Columns = 5; // "Obvod", "Tl.stupeň", "Četnost", "Obj.jedn.", "Objem"
    static constexpr int CountColumn = 2;
    using Row = std::array<QString, Columns>;

    std::vector<Row> rows; // one per diameter class
    Row totals;            // CelkForm: " Celkem", total count, mean tree volume, total volume

    QString widthText = "4";  // SirkaTlStupne
    QString firstText = "10"; // PrvniTlStupen

    QStringList species;   // VyberDrevin, in stand order
    int speciesIndex = -1; // the item shown, -1 for none
    QString speciesName;   // JmenoDrev
    QString curveSpecies;  // PocDle; empty for no selection
    QString tableSpecies;  // TabZasDle; empty for no selection

    QString diameter; // ETloustka
    QString height;   // EVyska
    QString jhk;      // EJHK
    // Typed into the box and not yet handed over (the box not left).
    bool diameterModified = false;
    bool heightModified = false;

    QString river, bank, riverKm, action, date, shrubArea; // the stand header edits
    QString designation, comment;                          // "Popis porostu", "Poznámka"

    // "Výškové vzorníky": diameter and height texts of the species' sample trees, as typed; the
    // last row is always empty, for the next pair.
    using SampleRow = std::array<QString, 2>;
    std::vector<SampleRow> samples{SampleRow{}};

    // The grid is scrolled so that this row is the top row whenever scrollRequest changes.
    int topRow = 0;
    int scrollRequest = 0;

    QString speciesText() const { return speciesIndex >= 0 ? species.value(speciesIndex) : QString(); }
    friend bool operator==(const SheetView&, const SheetView&) = default;
};

// Enabled and ticked states of the sheet's commands, derived from the editing flags.
struct SheetCommands {
    bool vypocet = false;             // "Výpočet "
    bool tloustka = false;            // "Tloušťka" and the diameter and height boxes
    bool speciesCombo = false;        // VyberDrevin
    bool groupCombos = false;         // PocDle, TabZasDle, the grid, "Do databáze" of the user dialog
    bool novaDrevina = false;         // "&Nová dřevina"
    bool novaDrevinaPovolena = false; // its dialog may open: the species on display is recorded
    bool zaznam = false;              // "Záznam"
    bool zeZaznamu = false;           // "Ze záznamu"
    bool souhrn = false;              // "&Souhrn"
    bool dataInput = false;           // data file, caliper imports, "Vyber porost" of the stand list
    bool layoutCombos = false;        // width and first-centre combos
    bool ulozeni = false;             // "Uložení porostu do databáze"
    bool zrusitDrevinu = false;       // "&Zrušit dřevinu", "Zrušit &všechny dřeviny"
    bool vzorniky = false;            // the sample-height grid and their import from a file
    bool vyskaZKrivky = false;        // "Výška z křivky"
    bool vypocteno = false;           // check box "Vypočteno"
    bool zaznamenano = false;         // check box "Zaznamenáno"
    bool ulozeno = false;             // check box "Uloženo v databázi"
    bool sKomentarem = false;         // menu tick "S komentářem"
    friend bool operator==(const SheetCommands&, const SheetCommands&) = default;
};

// The control an operation hands the focus to, as the sheet leads the surveyor along.
enum class SheetFocus { None, Grid, Tloustka, Diameter, Height, Vypocet, Zaznam, SpeciesCombo };

// The edits of the stand header.
enum class SheetHeader { River, Bank, RiverKm, Action, Date, ShrubArea, Designation, Comment };

// The two boxes of the mean stem.
enum class MeanStemBox { Diameter, Height };

// What an operation changed on the sheet, for the window to show again.
enum class SheetPart {
    Grid = 0x01,     // the class layout, the counts, volumes and totals
    Species = 0x02,  // the species list, the species on display, its name and groups
    MeanStem = 0x04, // the diameter, height and JHK boxes
    Samples = 0x08,  // the sample heights of the species on display
    Header = 0x10,   // the stand header
    Commands = 0x20, // enabled and ticked states
    Check = 0x40,    // the stand or the working copy: "Kontrola porostu" may find otherwise
};
Q_DECLARE_FLAGS(SheetParts, SheetPart)
Q_DECLARE_OPERATORS_FOR_FLAGS(SheetParts)
