#include "OldDatabaseCommands.h"

#include "DatabaseChooser.h"
#include "FileDialog.h"
#include "MessageBox.h"
#include "OldDatabaseDirectory.h"
#include "OldDatabaseTakeOver.h"
#include "TallyContext.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

namespace OldDatabaseCommands {

namespace {

const char* const kTables = "Tabulky databáze (*.db)|*.db|Všechny soubory (*.*)|*.*";

// The take-over into the current database with its progress window; the summary or the error is
// shown. True when it ran to its end or was stopped by the user.
bool takeOver(TallyContext& ctx, QWidget* parent, const QString& oldDirectory) {
    OldDatabaseTakeOver::Result result;
    const bool ran = RunGuarded(parent, [&] {
        QProgressDialog progress("Čtení databáze starší verze…", "Přerušit", 0, 0, parent);
        progress.setObjectName("takeOverProgress");
        progress.setWindowTitle("Převzetí databáze starší verze");
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        progress.setValue(0);
        QApplication::processEvents();
        result = OldDatabaseTakeOver::TakeOver(
            oldDirectory, ctx.database, false, [&progress](int done, int total) {
                progress.setMaximum(total);
                progress.setValue(done);
                progress.setLabelText(QString("Převzato %1 z %2 porostů").arg(done).arg(total));
                QApplication::processEvents();
                return !progress.wasCanceled();
            });
    });
    if (ran)
        MessageBox::show(parent, OldDatabaseTakeOver::Summary(result));
    return ran;
}

} // namespace

void TakeOverChosen(TallyContext& ctx, QWidget* parent) {
    const QString file = FileDialog::getAnyFileName(
        parent, "Databáze starší verze", ctx.database.filesDirectory(), kTables, "RivwoodPor.db",
        "Vyberte složku s databází starší verze programu. Její porosty se převezmou do otevřené databáze "
        "pod svými klíči; složka starší verze zůstane beze změny.");
    if (file.isEmpty())
        return;
    const QString directory = QFileInfo(file).absolutePath();
    if (!OldDatabaseDirectory::HoldsOldDatabase(directory)) {
        MessageBox::show(parent,
                         {UserMessage::Warning, QString("Složka „%1“ neobsahuje databázi starší verze "
                                                        "programu.")
                                                    .arg(QDir::toNativeSeparators(directory))});
        return;
    }
    takeOver(ctx, parent, directory);
}

bool OfferTakeOver(TallyContext& ctx, QWidget* parent, const QString& oldDirectory) {
    if (!MessageBox::ask(parent, OldDatabaseTakeOver::OfferQuestion()))
        return false;
    // A new directory beside the old one, made for the dialog and removed again when unused; the
    // old directory itself is never written.
    const QFileInfo old(oldDirectory);
    const QString proposed = old.absoluteDir().filePath(old.fileName() + " (nová databáze)");
    const bool made = !QFileInfo::exists(proposed) && QDir().mkpath(proposed);
    for (;;) {
        const QString file = FileDialog::getAnyFileName(
            parent, "Složka nové databáze", proposed, kTables, "RivwoodPor.db",
            "Vyberte složku, ve které program založí novou databázi a převezme do ní porosty databáze starší "
            "verze.");
        const QString target = file.isEmpty() ? QString() : QFileInfo(file).absolutePath();
        if (made && QDir(target) != QDir(proposed))
            QDir().rmdir(proposed);
        if (target.isEmpty())
            return false;
        bool opened = false;
        RunGuarded(parent, [&] {
            opened = DatabaseChooser::UseDirectory(ctx.database, target, [parent](const UserMessage& q) {
                return MessageBox::ask(parent, q, MessageBox::Buttons::OkNo);
            });
        });
        if (opened)
            return takeOver(ctx, parent, oldDirectory);
    }
}

} // namespace OldDatabaseCommands
