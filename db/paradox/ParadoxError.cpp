#include "ParadoxError.h"

#include "RivwoodError.h"

#include <QDir>

namespace Paradox {

void FailHeader(const QString& file, const QString& detail) {
    throw RivwoodError(QString("Soubor „%1“ není tabulka Paradox nebo má poškozenou hlavičku: %2.")
                           .arg(QDir::toNativeSeparators(file), detail));
}

void FailBlock(const QString& file, qint64 block, const QString& detail) {
    throw RivwoodError(QString("Soubor „%1“ je poškozen v bloku %2: %3.")
                           .arg(QDir::toNativeSeparators(file))
                           .arg(block)
                           .arg(detail));
}

} // namespace Paradox
