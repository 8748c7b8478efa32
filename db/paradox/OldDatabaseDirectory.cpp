#include "OldDatabaseDirectory.h"

#include "ParadoxHeader.h"
#include "RivwoodError.h"

#include <QDir>
#include <QFile>

namespace OldDatabaseDirectory {

namespace {

bool isParadoxTable(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    try {
        ParadoxHeader::Read(file, path);
        return true;
    } catch (const RivwoodError&) {
        return false;
    }
}

} // namespace

bool HoldsOldDatabase(const QString& directory) {
    if (directory.isEmpty())
        return false;
    const QDir dir(directory);
    // Name filters match regardless of case.
    for (const QString& entry : dir.entryList({"Rivwood*.db"}, QDir::Files | QDir::Hidden))
        if (isParadoxTable(dir.filePath(entry)))
            return true;
    return false;
}

QString Message(const QString& directory) {
    return QString("Složka „%1“ obsahuje databázi starší verze programu (tabulky Paradox). Jako databázi "
                   "této verze ji program neotevře ani nezmění.")
        .arg(QDir::toNativeSeparators(directory));
}

void Refuse(const QString& directory) {
    if (HoldsOldDatabase(directory))
        throw RivwoodError(Message(directory));
}

} // namespace OldDatabaseDirectory
