#include "QtTranslations.h"
#include "TZapisnik.h"
#include "TallyContext.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <vector>

namespace {

// Messages of the window system while the application starts: held back, so that a start without
// a display ends with our own message alone instead of Qt's abort.
struct StartMessages {
    QtMessageHandler previous = nullptr;
    std::vector<std::tuple<QtMsgType, QString, QString>> held; // type, category, text
};
StartMessages g_start;

void whileStarting(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs("rivwood: Okno programu nelze otevřít: není k dispozici grafické prostředí (displej).\n"
                   "Bez okna pracuje příkazová řádka rivwood-cli (rivwood-cli --help).\n",
                   stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    g_start.held.emplace_back(type, QString::fromLatin1(context.category ? context.category : ""), message);
}

} // namespace

// rivwood [--settings FILE]   the tally sheet; FILE replaces the settings file beside the program
int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName("rivwood");
    QCoreApplication::setApplicationVersion(RIVWOOD_VERSION);
    QString settingsFile;
    {
        // Help and version are answered before the window system is asked for.
        QCoreApplication arguments(argc, argv);
        QtTranslations::InstallCzech(arguments);
        QCommandLineParser parser;
        parser.setApplicationDescription("Průměrkovací zápisník JHK");
        parser.addHelpOption();
        parser.addVersionOption();
        const QCommandLineOption settings("settings", "Soubor nastavení místo souboru vedle programu.",
                                          "soubor");
        parser.addOption(settings);
        parser.process(arguments);
        settingsFile = parser.value(settings);
    }

    g_start.previous = qInstallMessageHandler(whileStarting);
    QApplication app(argc, argv);
    qInstallMessageHandler(g_start.previous);
    for (const auto& [type, category, text] : g_start.held) {
        const QByteArray c = category.toLatin1();
        g_start.previous(type, QMessageLogContext(nullptr, 0, nullptr, c.constData()), text);
    }
    g_start.held.clear();

    QtTranslations::InstallCzech(app);
    QApplication::setApplicationDisplayName("JHK - průměrkovací zápisník");
    QApplication::setQuitOnLastWindowClosed(false);
    // The desktop entry's name ties the window to its menu entry and icon (Wayland's app id).
    QGuiApplication::setDesktopFileName("cz.rivwood.Rivwood");
    QApplication::setWindowIcon(
        QIcon::fromTheme("cz.rivwood.Rivwood", QIcon(":/icons/cz.rivwood.Rivwood.svg")));

    TallyOptions options;
    options.settingsFile = settingsFile;
    TallyContext context(options);
    context.createWindows();
    context.zapisnik()->show();
    return QApplication::exec();
}
