#pragma once

#include <QByteArray>

class TFileVersion;

// The readable properties of a TFileVersion as one compact JSON object, keys named and ordered as
// the properties are declared (MajorVersion … ProductVersion), numbers as JSON numbers.
QByteArray versionInfoJson(const TFileVersion& version);
