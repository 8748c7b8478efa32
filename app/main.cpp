#include "QtTranslations.h"
#include "TZapisnik.h"
#include "TallyContext.h"

#include <QApplication>
#include <QCommandLineParser>

// rivwood [--settings FILE]   the tally sheet; FILE replaces the settings file beside the program
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QtTranslations::InstallCzech(app);
    QApplication::setApplicationName("rivwood");
    QApplication::setApplicationDisplayName("JHK - průměrkovací zápisník");
    QApplication::setQuitOnLastWindowClosed(false);

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
