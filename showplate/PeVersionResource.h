#pragma once

#include "ByteView.h"
#include "ResourceSpan.h"

#include <optional>

// Finds the version resource (type RT_VERSION) in the resource section of a PE file (32 or 64 bit).
// Returns nothing when the file is no PE file or has no version resource.
std::optional<ResourceSpan> findPeVersionResource(const ByteView& file);
