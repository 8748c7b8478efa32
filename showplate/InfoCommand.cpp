#include "InfoCommand.h"

#include "TFileVersion.h"
#include "VersionJson.h"

#include <QFile>
#include <cstdio>

namespace {

// Larger input on standard input is no program file this reader could use.
constexpr qint64 MaxStandardInput = 256 * 1024 * 1024;

} // namespace

int runInfoCommand(const QStringList& arguments) {
    if (arguments.size() != 1) {
        std::fputs("použití: showplate --info SOUBOR\n", stderr);
        return 2;
    }
    TFileVersion version;
    if (arguments.first() == QLatin1String("-")) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            std::fputs("standardní vstup nelze číst\n", stderr);
            return 1;
        }
        QByteArray contents;
        while (contents.size() < MaxStandardInput) {
            const QByteArray chunk = in.read(64 * 1024);
            if (chunk.isEmpty())
                break;
            contents += chunk;
        }
        version.loadBytes(arguments.first(), contents);
    } else {
        version.setFileName(arguments.first());
    }
    const QByteArray json = versionInfoJson(version) + '\n';
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
