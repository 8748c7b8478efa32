// bench_workbook [STANDS] [SPECIES]: builds a stand database (default 1,000 stands of 8 species in
// five surveys) from the tests' stand fixtures, then times the all-stands export through the
// template (seconds, stands per second) against the floor: the same cells written into a workbook
// without a template, no row copies or inserts, and saved.
#include "ExcelLink.h"
#include "SqlTransaction.h"
#include "StandFixtures.h"
#include "StandQueries.h"
#include "TFDoExcelu.h"
#include "XlsxWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

double seconds(const QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e9;
}

// The cells of the export written one by one into fresh sheets, and the file saved.
void writeFloor(StandDatabase& db, const QString& file) {
    Workbook book;
    std::map<QString, std::pair<Worksheet*, int>> sheets;
    for (const QueryRow& stand : StandQueries::QPor(db)) {
        const QString survey = StandQueries::text(stand, "NazevAkce");
        auto it = sheets.find(survey);
        if (it == sheets.end()) {
            Worksheet& s = book.addSheet(survey, book.sheetCount());
            for (int c : {4, 3, 6, 9})
                s.setText(2 + (c == 4 ? 0 : 2), c, survey);
            it = sheets.emplace(survey, std::make_pair(&s, 6)).first;
        }
        Worksheet& s = *it->second.first;
        int row = it->second.second;
        s.setText(row + 2, 3, StandQueries::text(stand, "NazevTok"));
        s.setText(row + 2, 7, StandQueries::text(stand, "NazevBreh"));
        s.setText(row + 2, 12, StandQueries::text(stand, "NazevRKm"));
        s.setNumber(row + 4, 3, StandQueries::number(stand, "PLOCHA"));
        row += 8;
        for (const QueryRow& r : StandQueries::QSestava(db, int(StandQueries::number(stand, "KLIC")))) {
            s.setText(row, 1, StandQueries::text(r, "DR_ZKR"));
            int column = 2;
            for (const char* f : {"TLOUSTKA", "VYSKA", "DR_ZAS_J", "DR_ZAS_L", "DR_ZAS_CEL"})
                s.setNumber(row, column++, StandQueries::number(r, f));
            ++row;
        }
        for (int c : {4, 5, 6})
            s.setNumber(row + 1, c, 0);
        it->second.second = row + 1;
    }
    QString error;
    if (!XlsxWriter::write(book, file, error))
        std::fprintf(stderr, "%s\n", qPrintable(error));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int stands = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int species = argc > 2 ? std::atoi(argv[2]) : 8;
    ReportDatabase db;
    QElapsedTimer t;
    t.start();
    {
        SqlTransaction tx(db.database());
        for (int i = 0; i < stands; ++i) {
            StandPlan plan = Stand(QStringLiteral("Tok %1").arg(i % 20), i % 2 ? "L" : "P",
                                   QStringLiteral("%1,%2").arg(i / 40).arg(i % 10),
                                   QStringLiteral("Akce %1").arg(i % 5), species);
            db.add(plan, i);
        }
        tx.commit();
    }
    std::printf("database: %d stands x %d species saved in %.2f s\n", stands, species, seconds(t));

    TFDoExcelu exporter(db.database());
    exporter.templateFile = QDir(QCoreApplication::applicationDirPath())
                                .filePath(QStringLiteral("../bin/") + TFDoExcelu::TemplateName);
    t.restart();
    const QString file = exporter.ExportAllStands();
    const double exportTime = seconds(t);
    if (file.isEmpty()) {
        std::fprintf(stderr, "nothing exported\n");
        return 1;
    }
    std::printf("all-stands export through the template: %.3f s = %.0f stands/s, %.2f MB\n", exportTime,
                stands / exportTime, QFileInfo(file).size() / 1048576.0);

    QTemporaryDir dir;
    t.restart();
    writeFloor(db.database(), dir.filePath(QStringLiteral("floor.xlsx")));
    const double floorTime = seconds(t);
    std::printf(
        "same cells without a template (floor): %.3f s = %.0f stands/s; template export / floor = %.2f\n",
        floorTime, stands / floorTime, exportTime / floorTime);
    return 0;
}
