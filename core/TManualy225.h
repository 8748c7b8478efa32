#pragma once

#include "TManual225.h"

#include <QString>
#include <vector>

// The stand: its header fields and its species in the order they were added.
class TManualy225 {
  public:
    QString name;         // "Název"
    QString designation;  // POPIS, "Porost"
    QString date;         // DATUM, free text
    QString comment;      // KOMENT
    QString code;         // KODPOROSTU, see MakeStandCode
    QString river;        // NazevTok
    QString bank;         // NazevBreh
    QString riverKm;      // NazevRKm
    QString action;       // NazevAkce
    double shrubArea = 0; // KROVINY, m2
    double area = 10000;  // PLOCHA, m2
    std::int32_t age = 0; // VEK
    bool summary = false; // SOUHRN
    // The change counter (ZMENA) of the stand's database row when the stand was loaded or last
    // saved; a save compares it with the row to find changes made meanwhile by someone else.
    // -1: not known (the stand did not come from the database), nothing is compared.
    std::int64_t changeCounter = -1;

    int count() const { return int(m_items.size()); }
    const QString& abbreviationAt(int i) const { return m_items[size_t(i)].abbreviation; }
    TManual225& at(int i) { return m_items[size_t(i)].species; }
    const TManual225& at(int i) const { return m_items[size_t(i)].species; }

    // Index of the species with this abbreviation (compared trimmed, case-insensitive), or -1.
    int indexOf(const QString& abbreviation) const;
    int indexOf(const Kod3& abbreviation) const { return indexOf(CharsToString(abbreviation)); }
    TManual225* find(const QString& abbreviation);
    const TManual225* find(const QString& abbreviation) const;

    // Appends a species under its trimmed abbreviation.
    void append(const QString& abbreviation, const TManual225& species);
    void removeAt(int i);
    // Empties name, date and location texts, resets flags, areas and age, and drops every species;
    // the designation, the comment and the stand code are kept.
    void ClearStand();

    friend bool operator==(const TManualy225&, const TManualy225&) = default;

  private:
    struct Item {
        QString abbreviation;
        TManual225 species;
        friend bool operator==(const Item&, const Item&) = default;
    };
    std::vector<Item> m_items;
};
