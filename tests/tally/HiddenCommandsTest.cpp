// The hidden menu commands: hidden unless the settings file asks for all of them, then shown with
// their submenus, separators and keys.
#include "HiddenCommands.h"
#include "ApplicationEnvironment.h"
#include "HelpTopics.h"
#include "IniFile.h"
#include "SettingsKeys.h"
#include "TZapisnik.h"
#include "TallyContext.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Menus {
    QMenuBar bar;
    QMenu* data = bar.addMenu("&Data");
    QAction* novy = data->addAction("Nový porost");
    QAction* cteni = data->addAction("Čtení dat ze &souboru");
    QAction* separator = data->addSeparator();
    QMenu* prumerka = data->addMenu("Vstup z registrační &průměrky");
    QAction* mantax = prumerka->addAction("&Mantax");
    QMenu* tisky = bar.addMenu("Tisky");
    QAction* porost = tisky->addAction("Tento porost");

    Menus() {
        for (QAction* a : {cteni, separator, prumerka->menuAction(), tisky->menuAction(), porost})
            a->setVisible(false);
    }
    std::vector<std::pair<QAction*, QKeySequence>> keys() const {
        return {{cteni, QKeySequence(Qt::CTRL | Qt::Key_O)}, {porost, QKeySequence(Qt::CTRL | Qt::Key_P)}};
    }
};

} // namespace

[[maybe_unused]] const auto* const kApp =
    testsupport::InstallApplication<QApplication>("hidden_commands_test");

class HiddenCommandsTest : public ::testing::Test {};

// The captions of the commands under some menus, without access letters and keys.
void commands(const QList<QAction*>& actions, QStringList& out) {
    for (QAction* a : actions) {
        if (a->menu())
            commands(a->menu()->actions(), out);
        else if (!a->isSeparator())
            out << a->text().section(u'\t', 0, 0).remove(u'&').trimmed();
    }
}

TEST_F(HiddenCommandsTest, ShownWithTheirKeysOnlyWhenTheSettingsAskForIt) {
    QTemporaryDir dir;
    const QString settings = dir.filePath("Rivwood.INI");

    Menus plain;
    HiddenCommands::ShowWhenWanted(settings, plain.bar.actions(), plain.keys());
    EXPECT_FALSE(plain.cteni->isVisible());
    EXPECT_FALSE(plain.tisky->menuAction()->isVisible());
    IniFile(settings).WriteString(SettingsKeys::Nabidka, SettingsKeys::VsechnyPrikazy, "0");
    HiddenCommands::ShowWhenWanted(settings, plain.bar.actions(), plain.keys());
    EXPECT_FALSE(plain.porost->isVisible());

    IniFile(settings).WriteString(SettingsKeys::Nabidka, SettingsKeys::VsechnyPrikazy, "1");
    Menus all;
    HiddenCommands::ShowWhenWanted(settings, all.bar.actions(), all.keys());
    for (QAction* a : {all.cteni, all.separator, all.prumerka->menuAction(), all.mantax,
                       all.tisky->menuAction(), all.porost})
        EXPECT_TRUE(a->isVisible()) << a->text().toStdString();
    EXPECT_EQ(all.porost->text(), "Tento porost\tCtrl+P");
    EXPECT_EQ(all.cteni->text(), "Čtení dat ze &souboru\tCtrl+O");
    EXPECT_EQ(all.novy->text(), "Nový porost"); // shown anyway: left as it is
}

TEST_F(HiddenCommandsTest, TheMainWindowShowsThemAndTheHelpListsEveryCommand) {
    QTemporaryDir dir;
    TallyOptions o;
    o.settingsFile = dir.filePath("Rivwood.INI");
    o.programDirectory = dir.path();
    o.dataDirectory = testsupport::binDir();
    o.samplesDirectory = dir.filePath("bez-ukazek");
    o.terminate = [](int) {};
    IniFile(o.settingsFile).WriteString(SettingsKeys::Nabidka, SettingsKeys::VsechnyPrikazy, "1");
    TallyContext ctx(o);
    ctx.createWindows();
    QMenuBar* bar = ctx.zapisnik()->menuBar();
    QStringList all;
    commands(bar->actions(), all);
    int hidden = 0;
    for (QAction* a : bar->findChildren<QAction*>())
        hidden += !a->isSeparator() && !a->text().isEmpty() && !a->isVisible() ? 1 : 0;
    EXPECT_EQ(hidden, 0);
    EXPECT_EQ(all.size(), 30);
    // The help's chapter on all commands lists each of them.
    const QString page =
        HelpTopics::Url(testsupport::binDir() + "/help", HelpTopics::AllCommands).toLocalFile();
    const QString help = QString::fromUtf8(testsupport::readFile(page));
    for (const QString& command : all)
        EXPECT_TRUE(help.contains(QStringLiteral("<td>%1").arg(command))) << command.toStdString();
    EXPECT_TRUE(help.contains("VsechnyPrikazy=1"));
}

// A new installation writes a settings file that shows every command; an existing settings file
// without the key keeps the menu as it was.
TEST_F(HiddenCommandsTest, ANewInstallationShowsEveryCommand) {
    const auto printingShown = [](const QString& settings) {
        QTemporaryDir dir;
        TallyOptions o;
        o.settingsFile = settings;
        o.programDirectory = dir.path();
        o.dataDirectory = testsupport::binDir();
        o.samplesDirectory = dir.filePath("bez-ukazek");
        o.terminate = [](int) {};
        TallyContext ctx(o);
        ctx.createWindows();
        return ctx.zapisnik()->findChild<QAction*>("TiskTentoPorost1")->isVisible();
    };
    QTemporaryDir dir;
    const QString fresh = dir.filePath("novy/Rivwood.INI");
    QDir().mkpath(dir.filePath("novy"));
    EXPECT_TRUE(printingShown(fresh));
    EXPECT_EQ(IniFile(fresh).ReadInteger(SettingsKeys::Nabidka, SettingsKeys::VsechnyPrikazy, 0), 1);

    const QString existing = dir.filePath("Rivwood.INI");
    IniFile(existing).WriteString(SettingsKeys::DataBase, SettingsKeys::Path, dir.path());
    EXPECT_FALSE(printingShown(existing));
    EXPECT_FALSE(IniFile(existing).ValueExists(SettingsKeys::Nabidka, SettingsKeys::VsechnyPrikazy));
}
