#pragma once

#include <QString>

// Who produced a stand: enterprise ("Závod"), unit ("Provoz"), surveyor ("Taxátor") and the
// person who entered the data ("Data zadal - jméno"). The current values live in the settings
// file, section "UserIdentification"; the store copies them into a stand's row when its key is
// allocated and when an old database first gets the columns.
struct UserIdentification {
    QString zavod;    // key "Zavod", column ZAVOD
    QString provoz;   // key "Provoz", column PROVOZ
    QString taxator;  // key "Taxator", column TAXATOR
    QString uzivatel; // key "Uzivatel", column UZIVATEL

    // The four keys of the settings file; missing keys (or no file) read as empty texts.
    static UserIdentification Load(const QString& settingsFile);
    // Writes each non-empty value to its key; an empty value keeps the stored one. No file name
    // writes nothing.
    void Save(const QString& settingsFile) const;

    friend bool operator==(const UserIdentification&, const UserIdentification&) = default;
};
