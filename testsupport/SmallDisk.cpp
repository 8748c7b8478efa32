#include "SmallDisk.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/mount.h>

SmallDisk::SmallDisk(int kilobytes) {
    if (!m_dir.isValid()) {
        m_reason = QStringLiteral("no temporary directory");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options.constData()) != 0) {
        m_reason = QStringLiteral("a tmpfs cannot be mounted here (%1)")
                       .arg(QString::fromLocal8Bit(strerror(errno)));
        return;
    }
    m_mounted = true;
}

SmallDisk::~SmallDisk() {
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

void SmallDisk::fill() {
    QFile f(filePath(QStringLiteral("vypln")));
    if (!f.open(QIODevice::WriteOnly))
        return;
    const QByteArray block(4096, 'x');
    while (f.write(block) == block.size() && f.flush()) {
    }
    // What a full block does not fill, single bytes do.
    while (f.write("x", 1) == 1 && f.flush()) {
    }
}
