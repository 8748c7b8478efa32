#include "DesktopLauncher.h"

#include <QDesktopServices>
#include <QProcess>

namespace {

DesktopLauncher::Recorder& recorder() {
    static DesktopLauncher::Recorder r;
    return r;
}

} // namespace

bool DesktopLauncher::startDetached(const QString& program, const QStringList& arguments) {
    if (recorder())
        return recorder()(program, arguments);
    return QProcess::startDetached(program, arguments);
}

bool DesktopLauncher::openUrl(const QUrl& url) {
    if (recorder())
        return recorder()(url.toString(), {});
    return QDesktopServices::openUrl(url);
}

void DesktopLauncher::setRecorder(Recorder r) {
    recorder() = std::move(r);
}
