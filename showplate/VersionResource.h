#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The version resource of a program file: a PE file's RT_VERSION resource or the ".rsrc_version"
// section of an ELF file.
struct VersionResource {
    // Size the file declares for its version resource; 0 when it has none or cannot be opened.
    quint64 declaredSize = 0;
    // The resource bytes; empty when the declared resource could not be read from the file.
    QByteArray data;

    // Reads the resource from a file's contents.
    static VersionResource fromBytes(QByteArrayView file);
    // Reads the resource from a file on disk (mapped, not loaded, so large programs cost little).
    static VersionResource fromFile(const QString& path);
};
