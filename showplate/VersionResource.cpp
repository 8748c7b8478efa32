#include "VersionResource.h"

#include "ElfVersionSection.h"
#include "PeVersionResource.h"

#include <QFile>
#include <QFileInfo>

namespace {

// A VS_VERSIONINFO block is at most 64 KiB long (its length is a 16-bit field); declared
// resources beyond that carry nothing more the block could use.
constexpr quint64 MaxBlockSize = 0x10000;

} // namespace

VersionResource VersionResource::fromBytes(QByteArrayView bytes) {
    const ByteView file(bytes);
    std::optional<ResourceSpan> span = findPeVersionResource(file);
    if (!span)
        span = findElfVersionSection(file);
    VersionResource result;
    if (!span)
        return result;
    result.declaredSize = span->size;
    bool ok = true;
    const ByteView resource = file.sub(span->offset, span->size, ok);
    if (ok)
        result.data = resource.bytes().first(qsizetype(qMin(resource.size(), MaxBlockSize))).toByteArray();
    return result;
}

VersionResource VersionResource::fromFile(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return {};
    if (const uchar* mapped = file.map(0, file.size()))
        return fromBytes(QByteArrayView(mapped, file.size()));
    return fromBytes(file.readAll());
}
