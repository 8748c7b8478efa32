// bench_workbook [STANDS] [SPECIES] [FORMULAS]: builds a stand database (default 1,000 stands of 8
// species in five surveys) from the tests' stand fixtures, then times the all-stands export through the
// template (seconds, stands per second) against the floor: the same cells written into a workbook
// without a template, no row copies or inserts, and saved. Last, the export through a template whose
// stand sheet carries FORMULAS more formula cells (default 20,000; 0 skips it): a table of 20
// columns below the stand block, each cell computed from the one left of it.
#include "ExcelLink.h"
#include "SqlTransaction.h"
#include "StandFixtures.h"
#include "StandQueries.h"
#include "TFDoExcelu.h"
#include "XlsxReader.h"
#include "XlsxWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>

namespace {

double seconds(const QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e9;
}

// Processor time of the program, which other programs on the machine hardly change.
double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
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

// The template with `count` formula cells added to its stand sheet, below the rows the export copies.
QString templateWithFormulas(const QString& templateFile, const QString& file, int count) {
    XlsxReader reader;
    const std::unique_ptr<Workbook> book = reader.read(templateFile);
    if (!book) {
        std::fprintf(stderr, "%s\n", qPrintable(reader.errorString()));
        return {};
    }
    Worksheet& sheet = book->sheet(0);
    for (int i = 0; i < count; ++i) {
        const int row = 20 + i / 20, column = 17 + i % 20;
        sheet.setFormula(row, column, CellReference::format({row, column - 1}) + QStringLiteral("+1"));
    }
    QString error;
    if (!XlsxWriter::write(*book, file, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return {};
    }
    return file;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int stands = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int species = argc > 2 ? std::atoi(argv[2]) : 8;
    const int formulas = argc > 3 ? std::atoi(argv[3]) : 20000;
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
    double cpu = cpuSeconds();
    const QString file = exporter.ExportAllStands();
    const double exportTime = seconds(t), exportCpu = cpuSeconds() - cpu;
    if (file.isEmpty()) {
        std::fprintf(stderr, "nothing exported\n");
        return 1;
    }
    std::printf(
        "all-stands export through the template: %.3f s (processor %.3f s) = %.0f stands/s, %.2f MB\n",
        exportTime, exportCpu, stands / exportCpu, QFileInfo(file).size() / 1048576.0);

    QTemporaryDir dir;
    t.restart();
    cpu = cpuSeconds();
    writeFloor(db.database(), dir.filePath(QStringLiteral("floor.xlsx")));
    const double floorTime = seconds(t), floorCpu = cpuSeconds() - cpu;
    std::printf("same cells without a template (floor): %.3f s (processor %.3f s) = %.0f stands/s\n",
                floorTime, floorCpu, stands / floorCpu);
    std::printf("template export / floor = %.2f (processor time; wall %.2f), goal <= 2\n",
                exportCpu / floorCpu, exportTime / floorTime);

    if (formulas > 0) {
        const QString withFormulas = templateWithFormulas(
            exporter.templateFile, dir.filePath(QStringLiteral("vzorce.xltx")), formulas);
        if (withFormulas.isEmpty())
            return 1;
        exporter.templateFile = withFormulas;
        t.restart();
        cpu = cpuSeconds();
        exporter.ExportAllStands(dir.filePath(QStringLiteral("vzorce.xlsx")));
        const double formulaTime = seconds(t), formulaCpu = cpuSeconds() - cpu;
        std::printf(
            "the same through a template with %d more formula cells: %.3f s (processor %.3f s) = %.2f x "
            "the plain template\n",
            formulas, formulaTime, formulaCpu, formulaCpu / exportCpu);
    }
    return 0;
}
