#pragma once

// Messages of the caliper import windows, as the user sees them ("\r" is the line break).
namespace ImportMessages {

inline constexpr const char* EmptyFile = "Prázdný datový soubor !";
inline constexpr const char* Unassigned = " Nejsou přiřazeny všechny dřeviny !";
inline constexpr const char* Duplicate = " Duplicita drevin. \r  Opravte drevinu!";

} // namespace ImportMessages
