#pragma once

#include <QString>

// Czech wording of why a file could not be read or written, for the end of a message:
// "Sešit „a.xlsx“ nelze uložit: na disku není volné místo." Never the system's English text.
namespace FileErrorText {

// From a system error number (errno); an unknown number gives a general wording with the number.
QString FromSystemError(int error);
// Why a file cannot be opened for reading, found by looking at it: missing, a directory, no rights.
QString ReadFailure(const QString& path);
// The whole message for a file chosen to be read that is not there: "Soubor … nebyl nalezen !".
QString NotFound(const QString& path);

} // namespace FileErrorText
