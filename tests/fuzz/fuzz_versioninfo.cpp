// libs: showplate_version
// Fuzzes the version reader: format detection, PE resource trees, ELF section tables and the
// VS_VERSIONINFO block with every property the panel and --info read.
#include "TFileVersion.h"
#include "VersionBlock.h"
#include "VersionJson.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));

    // As a program file: PE or ELF, then the block inside it.
    TFileVersion file;
    file.loadBytes(QStringLiteral("fuzz"), bytes);
    (void)versionInfoJson(file);
    (void)file.infoString(QStringLiteral("Comments"));

    // As a bare block, so mutations reach the block parser without a file around it.
    const VersionBlock block(bytes.toByteArray());
    (void)block.query(QStringLiteral("\\"));
    if (const auto translation = block.query(QStringLiteral("\\VarFileInfo\\Translation"));
        translation && translation->bytes.size() >= 4) {
        const auto word = [&](int at) {
            return uint16_t(uint8_t(translation->bytes[at]) | uint8_t(translation->bytes[at + 1]) << 8);
        };
        const QString table = QStringLiteral("%1%2")
                                  .arg(word(0), 4, 16, QLatin1Char('0'))
                                  .arg(word(2), 4, 16, QLatin1Char('0'));
        for (const char* name : {"ProductName", "CompanyName", "FileVersion", "LegalCopyright"})
            if (const auto value = block.query(QStringLiteral("\\StringFileInfo\\") + table +
                                               QLatin1Char('\\') + QLatin1String(name)))
                (void)value->toString();
    }
    return 0;
}
