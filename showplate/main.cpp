#include "InfoCommand.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>

#ifdef SHOWPLATE_PANEL
#include "TForm1.h"
#include <QApplication>
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
    TForm1 form(QCoreApplication::arguments().mid(1));
    form.show();
    return app.exec();
#else
    std::fputs("showplate bez okna: použití: showplate --info SOUBOR\n", stderr);
    return 2;
#endif
}
