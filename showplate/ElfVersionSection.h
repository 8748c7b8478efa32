#pragma once

#include "ByteView.h"
#include "ResourceSpan.h"

#include <QByteArray>
#include <optional>

// Name of the ELF section in which our own builds carry their version resource.
inline const QByteArray ElfVersionSectionName = QByteArrayLiteral(".rsrc_version");

// Finds the section ".rsrc_version" of an ELF file (32 or 64 bit, either byte order).
// Returns nothing when the file is no ELF file or has no such section with contents.
std::optional<ResourceSpan> findElfVersionSection(const ByteView& file);
