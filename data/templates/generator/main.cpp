// Writes the stand report templates "jhkrep.pts" and "jhkkom.pts" into the directory given on the
// command line.
#include "StandReportTemplates.h"

#include <QDir>
#include <QSaveFile>
#include <cstdio>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const bool ok = writeFile(dir.filePath("jhkrep.pts"), StandReportTemplates::fileBytes(false)) &&
                    writeFile(dir.filePath("jhkkom.pts"), StandReportTemplates::fileBytes(true));
    return ok ? 0 : 1;
}
