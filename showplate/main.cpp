#include "InfoCommand.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>

#ifdef SHOWPLATE_PANEL
#include "TForm1.h"
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Qt's own texts in Czech (Debian qt6-translations-l10n); English when it is not installed.
void installCzech(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Czech, QLocale::CzechRepublic), QStringLiteral("qt"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

} // namespace
#endif

// showplate [FILE [ANY]]   shows the panel for FILE; a second parameter keeps it open
// showplate --info FILE    prints FILE's version fields as JSON, without a window
int main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "--info") == 0) {
        QCoreApplication app(argc, argv);
        return runInfoCommand(QCoreApplication::arguments().mid(2));
    }
#ifdef SHOWPLATE_PANEL
    QApplication app(argc, argv);
    installCzech(app);
    TForm1 form(QCoreApplication::arguments().mid(1));
    form.show();
    return app.exec();
#else
    std::fputs("showplate bez okna: použití: showplate --info SOUBOR\n", stderr);
    return 2;
#endif
}
