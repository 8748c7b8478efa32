#pragma once

#include "UserMessage.h"

#include <QString>
#include <optional>

// The sample stand offered once, at the first start after the database was chosen: the offer is
// made while the settings file has no "Start"/"UkazkaNabidnuta" and the sample is there.
namespace SampleOffer {

inline constexpr const char* FileName = "ukazkovy-porost.json";

// The sample to offer, or nothing when it was offered before or is missing.
std::optional<QString> Pending(const QString& settingsFile, const QString& samplesDirectory);
// Remembers the offer, whatever the answer; an unwritable settings file only means asking again.
void MarkOffered(const QString& settingsFile);
UserMessage Question();

} // namespace SampleOffer
