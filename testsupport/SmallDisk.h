#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A small tmpfs mounted in a temporary directory, for the failures of a full disk and of
// read-only media. Mounting needs root (or the right to mount); where it is refused, mounted()
// is false and skipReason() says why, for GTEST_SKIP.
class SmallDisk {
  public:
    explicit SmallDisk(int kilobytes = 2048);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    const QString& skipReason() const { return m_skipReason; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // Takes every free byte with a filler file.
    void fill();
    // Makes the file system read-only; false when that was refused.
    bool makeReadOnly();

  private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_skipReason;
};

} // namespace testsupport
