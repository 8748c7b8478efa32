#include "OldDatabaseTakeOver.h"

#include "DatabaseError.h"
#include "OldStands.h"
#include "RivwoodError.h"
#include "StandRows.h"
#include "StoreBackend.h"
#include "WriteChunks.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace OldDatabaseTakeOver {

namespace {

// Stands per chunk, and the longest a chunk stays open.
constexpr int kChunkStands = 500, kChunkMilliseconds = 1000;

QString conflictReason() {
    return QStringLiteral("V cílové databázi už je porost s tímto klíčem; nebyl přepsán.");
}

} // namespace

Result TakeOver(const QString& directory, StandDatabase& target, bool overwrite, const Progress& progress) {
    const QString from = QFileInfo(directory).canonicalFilePath();
    if (!target.isServer() && !from.isEmpty() && from == QFileInfo(target.directory()).canonicalFilePath())
        throw RivwoodError("Databázi starší verze nelze převzít do téže složky.");
    target.RequireWritable("porosty do ní nelze převzít");
    OldStands::Content old;
    try {
        old = OldStands::Read(directory);
    } catch (const RivwoodError& e) {
        throw RivwoodError(
            QString("Databázi starší verze ve složce „%1“ nelze převzít, nic nebylo uloženo.\r%2")
                .arg(QDir::toNativeSeparators(directory), e.message()));
    }

    Result result;
    result.notRead = old.notRead;
    for (const OldStands::Skip& s : old.skipped)
        result.skipped.push_back({s.key, s.reason});

    WriteChunks chunks(target, kChunkStands, kChunkMilliseconds);
    std::vector<int> pending;
    int pendingHeights = 0;
    const auto commit = [&] {
        if (!chunks.commit())
            throw RivwoodError("Databáze porostů odmítla uložit část převzatých porostů.");
        result.imported.insert(result.imported.end(), pending.begin(), pending.end());
        result.heights += pendingHeights;
        pending.clear();
        pendingHeights = 0;
    };
    const int total = int(old.stands.size());
    try {
        for (int done = 0; done < total; ++done) {
            const OldStands::Stand& s = old.stands[size_t(done)];
            chunks.beginStand();
            try {
                if (StandRows::Read(target, s.key).used && !overwrite) {
                    chunks.dropStand();
                    result.skipped.push_back({s.key, conflictReason()});
                } else {
                    StandRows::Claim(target, s.key, s.user);
                    StandRows::Write(target, s.stand, s.key);
                    chunks.endStand();
                    pending.push_back(s.key);
                    for (int i = 0; i < s.stand.count(); ++i)
                        pendingHeights += int(s.stand.at(i).sampleHeights.size());
                }
            } catch (const DatabaseError&) {
                throw;
            } catch (const RivwoodError& e) {
                // A stand the store refuses (a text with a NUL character …) is left out alone.
                chunks.dropStand();
                result.skipped.push_back({s.key, "Porost nebyl převzat: " + e.message()});
            }
            if (chunks.standDone())
                commit();
            if (progress && !progress(done + 1, total)) {
                result.interrupted = done + 1 < total;
                break;
            }
        }
        commit();
    } catch (const std::exception& e) {
        // The chunks committed before the error stay; the message says how many stands they hold.
        target.backend().keyCache() = {};
        const auto* own = dynamic_cast<const RivwoodError*>(&e);
        const QString text = (own ? own->message() : QString::fromLocal8Bit(e.what())) +
                             QString("\rPřevzato a uloženo porostů: %1.").arg(result.imported.size());
        if (const auto* db = dynamic_cast<const DatabaseError*>(&e))
            throw DatabaseError(db->cause(), text);
        throw RivwoodError(text);
    }
    target.backend().keyCache() = {};
    std::stable_sort(result.skipped.begin(), result.skipped.end(),
                     [](const Skip& a, const Skip& b) { return a.key < b.key; });
    return result;
}

UserMessage OfferQuestion() {
    return {UserMessage::Information,
            "Složka obsahuje databázi starší verze programu. Převzít porosty do nové databáze?"};
}

UserMessage Summary(const Result& r) {
    QStringList lines{
        QString("Převzato porostů: %1 (výškových vzorníků: %2).").arg(r.imported.size()).arg(r.heights)};
    if (r.interrupted)
        lines << "Převzetí bylo přerušeno; porosty převzaté do té doby zůstávají uloženy.";
    // Conflicts are one line of keys; the other reasons a line each, a long list cut (the command
    // line gives all of it).
    QStringList conflicts, others;
    for (const Skip& s : r.skipped)
        (s.reason == conflictReason() ? conflicts : others) << QString::number(s.key);
    constexpr qsizetype kShown = 25;
    if (!conflicts.isEmpty())
        lines << QString("Klíče, pod kterými cílová databáze už porost má (nepřepsány, %1): %2%3")
                     .arg(conflicts.size())
                     .arg(conflicts.mid(0, kShown).join(", "), conflicts.size() > kShown ? ", …" : "");
    if (!others.isEmpty()) {
        lines << QString("Nepřevzato (%1):").arg(others.size());
        qsizetype shown = 0;
        for (const Skip& s : r.skipped)
            if (s.reason != conflictReason() && shown++ < kShown)
                lines << QString("porost %1: %2").arg(s.key).arg(s.reason);
        if (others.size() > kShown)
            lines << QString("… a dalších %1.").arg(others.size() - kShown);
    }
    if (!r.notRead.isEmpty())
        lines << "Tabulky ještě starší verze programu, které se nečtou: " + r.notRead.join(", ") + ".";
    return {r.skipped.empty() && !r.interrupted ? UserMessage::Information : UserMessage::Warning,
            lines.join('\r')};
}

} // namespace OldDatabaseTakeOver
