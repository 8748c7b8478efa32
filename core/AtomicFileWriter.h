#pragma once

#include <QByteArray>
#include <QString>

// Every file the user keeps (workbooks, text reports, CSV, settings) is written here, whole or not
// at all: the bytes go to a temporary file beside it, are flushed and synced, and only then
// replace the old file. On any failure the old file stays as it was.
namespace AtomicFileWriter {

// Empty on success, otherwise the Czech cause ("na disku není volné místo") for the caller's
// message.
[[nodiscard]] QString Write(const QString& fileName, const QByteArray& bytes);

} // namespace AtomicFileWriter
