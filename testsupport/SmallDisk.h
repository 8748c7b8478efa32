#pragma once

#include <QString>
#include <QTemporaryDir>

// A directory on a file system of its own with little room (a tmpfs mounted for the test), where
// writes fail with "no space left on device" once it is full. Mounting needs root; elsewhere
// isReady() is false and reason() says why, for the test to skip.
class SmallDisk {
  public:
    explicit SmallDisk(int kilobytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool isReady() const { return m_mounted; }
    QString reason() const { return m_reason; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    // Fills what room is left with a file of its own.
    void fill();

  private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_reason;
};
