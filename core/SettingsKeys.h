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
// The address of a stand database on a server (postgresql://user@host:port/db, never with a
// password); read before Path.
inline constexpr const char* Server = "Server";
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

inline constexpr const char* Tisk = "Tisk"; // printing: code pages as ascii, cp867, cp852, cp1250
inline constexpr const char* KodovaStrankaTiskarny = "KodovaStrankaTiskarny"; // line printers
inline constexpr const char* KodovaStrankaTextu = "KodovaStrankaTextu";       // text export

inline constexpr const char* Nabidka = "Nabidka";               // the main window's menu
inline constexpr const char* VsechnyPrikazy = "VsechnyPrikazy"; // 1: the hidden commands are shown too

inline constexpr const char* Start = "Start";                     // the first start
inline constexpr const char* UkazkaNabidnuta = "UkazkaNabidnuta"; // 1: the sample stand was offered

} // namespace SettingsKeys
