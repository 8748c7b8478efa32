#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

// Starting other programs and opening documents in the desktop's viewer. Tests put a recorder in
// place, so no browser or panel actually starts.
class DesktopLauncher {
  public:
    // A started program (program, arguments) or an opened URL (the URL, no arguments).
    using Recorder = std::function<bool(const QString& target, const QStringList& arguments)>;

    static bool startDetached(const QString& program, const QStringList& arguments);
    static bool openUrl(const QUrl& url);

    static void setRecorder(Recorder recorder);
};
