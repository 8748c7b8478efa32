#include "SmallDisk.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/mount.h>

namespace testsupport {

SmallDisk::SmallDisk(int kilobytes) {
    if (!m_dir.isValid()) {
        m_skipReason = QStringLiteral("no temporary directory");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options.constData()) != 0) {
        m_skipReason = QStringLiteral("a small tmpfs cannot be mounted here (needs root): %1")
                           .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
}

SmallDisk::~SmallDisk() {
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

void SmallDisk::fill() {
    QFile filler(filePath(QStringLiteral(".filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, '\0');
    while (filler.write(block) == block.size()) {
    }
    // The last partial page as well.
    while (filler.write(block.constData(), 1) == 1) {
    }
}

bool SmallDisk::makeReadOnly() {
    return ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                   nullptr) == 0;
}

} // namespace testsupport
