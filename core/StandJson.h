#pragma once

#include "StandSession.h"

#include <QJsonObject>

// The stand as JSON, as rivwood-cli reads and prints it: header, layout, key, the change counter
// of its database row ("change", -1 when it did not come from the database) and every species
// with its full class array ([centre, trees, treeVolume, classVolume], element 0 = totals) and its
// sample heights ([diameter, height]).
namespace StandJson {

// The stand and its layout under the database key `key` (0: not stored).
QJsonObject ToJson(const StandSession& session, int key);
QJsonObject SpeciesToJson(const TManual225& species);
// Replaces the session's stand and layout with the JSON content and returns the stand's key.
// Missing fields take the defaults of a new stand (blank species groups those of the
// abbreviation); a malformed document is a RivwoodError and leaves the session as it was.
int FromJson(const QJsonObject& json, StandSession& session);
int FromJsonBytes(const QByteArray& bytes, StandSession& session);

} // namespace StandJson
