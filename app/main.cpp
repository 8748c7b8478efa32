#include "QtTranslations.h"
#include "TZapisnik.h"
#include "TallyContext.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

// rivwood [--settings FILE]   the tally sheet; FILE replaces the settings file beside the program
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QtTranslations::InstallCzech(app);
    QApplication::setApplicationName("rivwood");
    QApplication::setApplicationDisplayName("JHK - průměrkovací zápisník");
    QApplication::setQuitOnLastWindowClosed(false);
    // The desktop entry's name ties the window to its menu entry and icon (Wayland's app id).
    QGuiApplication::setDesktopFileName("cz.rivwood.Rivwood");
    QApplication::setWindowIcon(
        QIcon::fromTheme("cz.rivwood.Rivwood", QIcon(":/icons/cz.rivwood.Rivwood.svg")));

    QCommandLineParser parser;
    parser.setApplicationDescription("Průměrkovací zápisník JHK");
    parser.addHelpOption();
    const QCommandLineOption settings("settings", "Soubor nastavení místo souboru vedle programu.", "soubor");
    parser.addOption(settings);
    parser.process(app);

    TallyOptions options;
    options.settingsFile = parser.value(settings);
    TallyContext context(options);
    context.createWindows();
    context.zapisnik()->show();
    return QApplication::exec();
}
