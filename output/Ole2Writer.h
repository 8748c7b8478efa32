#pragma once

#include <QByteArray>
#include <QString>

// A compound document (OLE2 structured storage, version 3, 512-byte sectors) holding one stream
// in its root storage: the container of Excel 5.0 workbooks. Streams shorter than the 4096-byte
// mini-stream cutoff are padded with zeros to it, so everything lives in ordinary sectors.
namespace Ole2Writer {

// The file bytes; false with `error` set when the stream is too long for one FAT sector list
// (about 6.8 MB) or the name longer than 31 characters.
bool write(const QString& streamName, const QByteArray& stream, QByteArray& file, QString& error);

} // namespace Ole2Writer
