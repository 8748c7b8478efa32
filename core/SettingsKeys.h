#pragma once

// Sections and keys of the settings file.
namespace SettingsKeys {

inline constexpr const char* PracPlo = "PracPlo"; // window positions: <short name>Leva / <short name>Horni
inline constexpr const char* Leva = "Leva";
inline constexpr const char* Horni = "Horni";
inline constexpr const char* Zapisnik = "Zapisnik";
inline constexpr const char* Telegram = "Telegram";
inline constexpr const char* NovaDrev = "NovaDrev";
inline constexpr const char* PrumerkaVaduz = "PrumerkaVaduz";
inline constexpr const char* PrumerkaHaglov = "PrumerkaHaglov";

inline constexpr const char* DataBase = "DataBase";
inline constexpr const char* Path = "Path";
// Seconds a database operation waits while another program holds the database (default 30).
inline constexpr const char* BusyTimeout = "BusyTimeout";

inline constexpr const char* KodyDrevin = "KodyDrevin"; // caliper species code = abbreviation

inline constexpr const char* PrumerkaData = "PrumerkaData";
inline constexpr const char* Mantax = "Mantax";
inline constexpr const char* Vaduz = "Vaduz";

inline constexpr const char* UserIdentification = "UserIdentification";
inline constexpr const char* Zavod = "Zavod";
inline constexpr const char* Provoz = "Provoz";
inline constexpr const char* Taxator = "Taxator";
inline constexpr const char* Uzivatel = "Uzivatel";

} // namespace SettingsKeys
