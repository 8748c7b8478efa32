#include "StandBatchCommands.h"

#include "FileDialog.h"
#include "MessageBox.h"
#include "StandBatch.h"
#include "StandCsvExport.h"
#include "TallyContext.h"

#include <QApplication>
#include <QDir>
#include <QProgressDialog>

namespace StandBatchCommands {

namespace {

// The closing list: how many stands were done, and every stand or species left with its reason.
UserMessage closingList(const StandBatchResult& r) {
    QStringList lines{QString("Vypočteno a uloženo porostů: %1").arg(r.computed.size())};
    if (r.interrupted)
        lines << "Výpočet byl přerušen.";
    if (!r.skipped.empty()) {
        lines << "Nevypočteno:";
        for (const StandBatchResult::Skip& s : r.skipped)
            lines << (s.species.isEmpty() ? QString("porost %1: %2").arg(s.key).arg(s.reason)
                                          : QString("porost %1, %2: %3").arg(s.key).arg(s.species, s.reason));
    }
    return {r.skipped.empty() ? UserMessage::Information : UserMessage::Warning, lines.join('\r')};
}

} // namespace

bool ComputeStands(TallyContext& ctx, QWidget* parent, const std::vector<int>& keys) {
    if (keys.empty()) {
        MessageBox::show(parent, {UserMessage::Information, "Není vybrán žádný porost."});
        return false;
    }
    StandBatchResult result;
    bool ran = RunGuarded(parent, [&] {
        QProgressDialog progress("Výpočet porostů", "Přerušit", 0, int(keys.size()), parent);
        progress.setObjectName("batchProgress");
        progress.setWindowTitle("Informace");
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(300);
        result = ::ComputeStands(ctx.store, ctx.dataDirectory(), keys, [&progress](int done, int total) {
            progress.setValue(done);
            progress.setLabelText(QString("Vypočteno %1 z %2 porostů").arg(done).arg(total));
            QApplication::processEvents();
            return !progress.wasCanceled();
        });
    });
    if (!ran)
        return false;
    // The sheet shows the stored stand again when the run changed it and nothing was typed since.
    const int shown = ctx.sheet.state().key();
    if (shown > 0 && ctx.sheet.state().saved() &&
        std::find(result.computed.begin(), result.computed.end(), shown) != result.computed.end())
        RunGuarded(parent, [&] { ctx.sheet.loadStand(shown); });
    MessageBox::show(parent, closingList(result));
    return !result.computed.empty();
}

bool ComputeStandsNotComputed(TallyContext& ctx, QWidget* parent) {
    std::vector<int> keys;
    if (!RunGuarded(parent, [&] { keys = ctx.store.StandsNotComputed(); }))
        return false;
    if (keys.empty()) {
        MessageBox::show(parent, {UserMessage::Information, "Všechny porosty v databázi jsou vypočteny."});
        return false;
    }
    return ComputeStands(ctx, parent, keys);
}

bool ExportCsv(TallyContext& ctx, QWidget* parent, const std::vector<int>& keys) {
    if (keys.empty()) {
        MessageBox::show(parent, {UserMessage::Information, "Není vybrán žádný porost."});
        return false;
    }
    const QString file = FileDialog::getSaveFileName(
        parent, "Export do CSV", QDir(ctx.database.filesDirectory()).filePath("porosty.csv"),
        "Tabulka CSV (*.csv)|*.csv|Všechny soubory (*.*)|*.*");
    if (file.isEmpty())
        return false;
    return RunGuarded(parent,
                      [&] { StandCsvExport::Export(ctx.store, keys, file, StandCsvExport::Format::Czech); });
}

} // namespace StandBatchCommands
