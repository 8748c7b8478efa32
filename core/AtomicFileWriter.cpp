#include "AtomicFileWriter.h"

#include "FileErrorText.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace AtomicFileWriter {

namespace {

// The cause when the system gave no error number (Qt refused before any system call).
QString causeFoundByLooking(const QFileInfo& target) {
    const QStorageInfo storage(target.absolutePath());
    if (storage.isValid() && storage.isReadOnly())
        return FileErrorText::FromSystemError(EROFS);
    if (target.isDir())
        return FileErrorText::FromSystemError(EISDIR);
    if ((target.exists() && !target.isWritable()) || !QFileInfo(target.absolutePath()).isWritable())
        return FileErrorText::FromSystemError(EACCES);
    return FileErrorText::FromSystemError(0);
}

QString causeOf(int error, const QFileInfo& target) {
    return error != 0 ? FileErrorText::FromSystemError(error) : causeFoundByLooking(target);
}

} // namespace

QString Write(const QString& fileName, const QByteArray& bytes) {
    const QFileInfo target(fileName);
    if (!QFileInfo(target.absolutePath()).isDir())
        return QStringLiteral("adresář „%1“ neexistuje").arg(QDir::toNativeSeparators(target.absolutePath()));
    // Unbuffered, so that a failed write is seen at the write and its error number is still fresh.
    QSaveFile file(fileName);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return causeOf(errno, target);
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int error = errno;
        file.cancelWriting();
        return causeOf(error == 0 ? EIO : error, target);
    }
#ifdef Q_OS_UNIX
    // A file system that reserves space late reports a full disk only here.
    if (::fsync(file.handle()) != 0) {
        const int error = errno;
        file.cancelWriting();
        return causeOf(error, target);
    }
#endif
    errno = 0;
    if (!file.commit())
        return causeOf(errno, target);
    return {};
}

} // namespace AtomicFileWriter
