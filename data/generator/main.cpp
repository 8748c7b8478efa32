// Writes the reference files JHK.KRI and JHK.HMO into the directory given on the command line.
#include "ReferenceFiles.h"
#include "RivwoodError.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw IoError(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    try {
        const QString dir = QString::fromLocal8Bit(argv[1]);
        if (!QDir().mkpath(dir))
            throw IoError(QStringLiteral("cannot create %1").arg(dir));
        std::vector<SpeciesTables> species;
        for (const SpeciesModel& model : CurveSpeciesModels())
            species.push_back(BuildSpeciesTables(model));
        writeFile(QDir(dir).filePath("JHK.KRI"), BuildCurveFile(species));
        writeFile(QDir(dir).filePath("JHK.HMO"), BuildVolumeFile(species));
    } catch (const RivwoodError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
