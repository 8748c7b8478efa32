#include "TFDoExcelu.h"

#include "NumberText.h"
#include "ProgramPaths.h"
#include "RivwoodError.h"
#include "SpeciesTables.h"
#include "StandDatabase.h"
#include "StandQueries.h"
#include "StandReportQueries.h"
#include "StockTotals.h"
#include "SurveySheetName.h"
#include "TextUtils.h"

#include <QDir>
#include <numbers>

using namespace ExcelLink;
using StandQueries::number;
using StandQueries::text;

namespace {

// A number written "as text": rounded to an integer, halves to even.
QString roundedText(double value) {
    return NumberText::shortest(RoundHalfEven(value));
}

QString twoDecimals(double value) {
    return NumberText::shortest(RoundHalfEven(value * 100) / 100);
}

QString fileNamePart(const QString& part) {
    QString p = part.trimmed();
    for (QChar& c : p)
        if (c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' ||
            c == u'>' || c == u'|')
            c = u'_';
    return p;
}

} // namespace

TFDoExcelu::TFDoExcelu(StandDatabase& database) : m_db(database) {
    templateFile = QDir(ProgramPaths::DataDirectory()).filePath(TemplateName);
}

TFDoExcelu::~TFDoExcelu() = default;

QString TFDoExcelu::OutputDirectory() const {
    const QString dir = QDir(m_db.filesDirectory()).filePath(OutputFolder);
    if (!QDir().mkpath(dir))
        throw RivwoodError(QStringLiteral("Adresář „%1“ nelze vytvořit.").arg(QDir::toNativeSeparators(dir)));
    return dir;
}

QString TFDoExcelu::ProposedFileName(const QueryRow& stand) {
    return fileNamePart(text(stand, "NazevTok")) + u'_' + fileNamePart(text(stand, "NazevBreh")) + u'_' +
           fileNamePart(text(stand, "NazevRKm")) + QStringLiteral(".xlsx");
}

void TFDoExcelu::openTemplate() {
    TemplateBook = &OpenWorkbook(*ExcelApp, templateFile);
}

QString TFDoExcelu::proposedDirectory() const {
    const QString dir = QDir(m_db.filesDirectory()).filePath(OutputFolder);
    // A folder that cannot be made (read-only media) costs only the proposal, not the export.
    return QDir().mkpath(dir) ? dir : m_db.filesDirectory();
}

QString TFDoExcelu::ExportOneStand(int key, const TManualy225& stand, const ClassLayout& layout) {
    const std::vector<QueryRow> rows = summaryRows(key);
    const QueryRow first = rows.empty() ? QueryRow() : rows.front();
    const QString file = SaveDialog1 ? SaveDialog1(proposedDirectory(), ProposedFileName(first)) : QString();
    if (file.isEmpty())
        return {};
    return exportOneStand(rows, stand, layout, file);
}

QString TFDoExcelu::ExportOneStand(int key, const TManualy225& stand, const ClassLayout& layout,
                                   const QString& outputFile) {
    return exportOneStand(summaryRows(key), stand, layout, outputFile);
}

std::vector<QueryRow> TFDoExcelu::summaryRows(int key) const {
    if (key <= 0 || !StandQueries::HasSummary(m_db, key))
        throw RivwoodError(NotComputed);
    return StandQueries::QSestava(m_db, key);
}

QString TFDoExcelu::exportOneStand(const std::vector<QueryRow>& rows, const TManualy225& stand,
                                   const ClassLayout& layout, QString file) {
    ExcelApp = CreateExcel();
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".xlsx");

    m_user = UserIdentification::Load(m_db.settingsFile());
    openTemplate();
    writeSummarySheet(*TemplateBook, rows);
    writeTallySheets(*TemplateBook, stand, layout);
    // The file is replaced only once the new one is complete.
    SaveWorkbookAs(*TemplateBook, file);
    CloseWorkbook(*ExcelApp, *TemplateBook);
    TemplateBook = nullptr;
    ExcelApp.reset();
    return file;
}

void TFDoExcelu::writeSummarySheet(Workbook& book, const std::vector<QueryRow>& rows) {
    Worksheet& CurrentSheet = GetWorksheet(book, QStringLiteral("sestava"));
    Activate(CurrentSheet);
    const QueryRow first = rows.empty() ? QueryRow() : rows.front();
    // The area cell of the template is labelled as the stand area, as in the all-stands block,
    // and the stocking cell beside it is filled as there.
    const std::pair<const char*, QString> header[] = {
        {"akce", text(first, "NazevAkce")},
        {"tok", text(first, "NazevTok")},
        {"breh", text(first, "NazevBreh")},
        {"kilometr", text(first, "NazevRKm")},
        {"plocha", rows.empty() ? QString() : NumberText::shortest(number(first, "PLOCHA"))},
        {"zakmeneni", rows.empty() ? QString() : twoDecimals(number(first, "ZAKM"))},
        {"zavod", text(first, "zavod")},
        {"provoz", text(first, "provoz")},
        {"taxator", text(first, "taxator")},
        {"jmeno", text(first, "uzivatel")},
        {"datum", text(first, "datum")},
    };
    for (const auto& [name, value] : header) {
        int r = 0, c = 0;
        GetNamedCell(book, QString::fromLatin1(name), r, c);
        if (r > 0)
            SetCellText(CurrentSheet, r, c, value);
    }
    int zr = 0, zc = 0, zr2 = 0, zc2 = 0;
    GetNamedRange(book, QStringLiteral("zacatek"), zr, zc, zr2, zc2);
    const int n = int(rows.size());
    for (int i = 1; i < n; ++i)
        InsertRow(CurrentSheet, zr + 1);
    for (int i = 1; i < n; ++i)
        CopyRange(CurrentSheet, zr, zc, zr2, zc2, CurrentSheet, zr + i, 1);
    for (int i = 0; i < std::max(n, 1); ++i) {
        const QueryRow row = i < n ? rows[size_t(i)] : QueryRow();
        SetCellText(CurrentSheet, zr + i, zc, SpeciesTables::SpeciesName(text(row, "DR_ZKR")));
        int column = zc + 1;
        for (const char* field : {"TLOUSTKA", "VYSKA", "DR_ZAS_J", "DR_ZAS_L", "DR_ZAS_CEL"})
            SetCellNumber(CurrentSheet, zr + i, column++, number(row, field));
    }
}

void TFDoExcelu::writeTallySheets(Workbook& book, const TManualy225& stand, const ClassLayout& layout) {
    const int m = stand.count();
    const int f = GetNamedColumn(book, QStringLiteral("drevina_zacatek"));
    const int l = GetNamedColumn(book, QStringLiteral("drevina_konec"));
    const int S = std::max(1, (l - f) / 3 + 1);
    Worksheet& base = GetWorksheet(book, QStringLiteral("zapisnik"));
    Activate(base);
    int nr = 0, nc = 0;
    GetNamedCell(book, QStringLiteral("drevina_sloupce"), nr, nc);
    const int E = m > 0 ? (m - 1) / S : 0;
    std::vector<Worksheet*> sheets{&base};
    for (int u = 1; u <= E; ++u) {
        Worksheet& sheet = AddWorksheetAfterActive(book, QStringLiteral("zapisnik") + QString::number(u));
        Activate(sheet);
        CopySheetCells(base, sheet);
        sheets.push_back(&sheet);
    }

    int lo = 0, hi = 0;
    for (int p = 0; p < m; ++p) {
        Worksheet& sheet = *sheets[size_t(p / S)];
        Activate(sheet);
        if (nr > 0)
            SetCellText(sheet, nr, nc + 3 * (p % S), SpeciesTables::SpeciesName(stand.abbreviationAt(p)));
        const auto& classes = stand.at(p).classes;
        for (int k = 1; k < int(classes.size()); ++k)
            if (classes[size_t(k)].trees > 0) {
                if (lo == 0 || k < lo)
                    lo = k;
                if (k > hi)
                    hi = k;
            }
    }
    // Without a single tree there are no class rows to fill (the class row stays empty).
    if (hi == 0)
        return;

    int s = 0, c = 0, s2 = 0, c2 = 0;
    GetNamedRange(book, QStringLiteral("tloustka_radek"), s, c, s2, c2);
    for (Worksheet* sheet : sheets) {
        Activate(*sheet);
        for (int k = lo + 1; k <= hi; ++k) {
            InsertRow(*sheet, s + 1);
            CopyRange(*sheet, s, c, s2, c2, *sheet, s + 1, c);
        }
        for (int k = lo; k <= hi; ++k) {
            const double d = (k - 1) * layout.SirkaStupne + layout.StredPrvniho;
            SetCellNumber(*sheet, s + k - lo, c, d);
            SetCellNumber(*sheet, s + k - lo, c + 1, d * std::numbers::pi);
        }
    }
    for (int p = 0; p < m; ++p) {
        Worksheet& sheet = *sheets[size_t(p / S)];
        Activate(sheet);
        const int g = p % S;
        const auto& classes = stand.at(p).classes;
        for (int k = lo; k <= hi; ++k) {
            // A species with a shorter class array has no trees in the classes it lacks.
            const TTloustkoveStupne cls = k < int(classes.size()) ? classes[size_t(k)] : TTloustkoveStupne{};
            SetCellNumber(sheet, s + k - lo, f + 3 * g, cls.trees);
            SetCellNumber(sheet, s + k - lo, f + 3 * g + 1, cls.treeVolume);
            SetCellNumber(sheet, s + k - lo, f + 3 * g + 2, cls.classVolume);
        }
    }
    Activate(base);
}

QString TFDoExcelu::ExportAllStands(const QString& outputFile) {
    ExcelApp = CreateExcel();
    m_user = UserIdentification::Load(m_db.settingsFile());
    const std::vector<QueryRow> stands = StandQueries::QPor(m_db);
    if (stands.empty())
        return {};
    m_standRows = StandReportQueries::QSestavaByStand(m_db);
    const QString file = outputFile.isEmpty() ? QDir(OutputDirectory()).filePath(AllStandsName) : outputFile;
    openTemplate();
    ResultBook = &AddWorkbook(*ExcelApp);

    // Survey sheets by their key, with the last row used on each.
    struct SurveySheet {
        Worksheet* sheet;
        int row;
    };
    std::map<QString, SurveySheet> surveys;
    int done = 0;
    for (const QueryRow& stand : stands) {
        const QString sheetName = SurveySheetName::of(text(stand, "NazevAkce"));
        const QString key = SurveySheetName::sheetKey(sheetName);
        auto it = surveys.find(key);
        if (it == surveys.end()) {
            Worksheet& CurrentSheet = surveys.empty() ? AddFirstWorksheet(*ExcelApp, sheetName)
                                                      : AddWorksheetAfterActive(*ExcelApp, sheetName);
            WriteSurveySheetHeader(CurrentSheet, stand);
            it = surveys.emplace(key, SurveySheet{&CurrentSheet, RadekSestavy}).first;
        }
        RadekSestavy = it->second.row;
        AppendStandBlock(*it->second.sheet, stand);
        it->second.row = RadekSestavy;
        if (Progress && !Progress(++done, int(stands.size()))) {
            m_standRows.clear();
            return {};
        }
    }
    m_standRows.clear();
    Activate(ResultBook->sheet(0));
    SaveWorkbookAs(*ResultBook, file);
    CloseWorkbook(*ExcelApp, *ResultBook);
    CloseWorkbook(*ExcelApp, *TemplateBook);
    ResultBook = TemplateBook = nullptr;
    ExcelApp.reset();
    return file;
}

void TFDoExcelu::WriteSurveySheetHeader(Worksheet& sheet, const QueryRow& stand) {
    Worksheet& t = WorksheetAt(*TemplateBook, 1);
    CopyAllRows(t, sheet);
    DeleteRow(sheet, 14);
    SetCellText(sheet, 2, 4, text(stand, "NazevAkce"));
    SetCellText(sheet, 4, 3, m_user.zavod);
    SetCellText(sheet, 4, 6, m_user.provoz);
    SetCellText(sheet, 4, 9, m_user.taxator);
    SetCellText(sheet, 6, 4, m_user.uzivatel);
    SetCellText(sheet, 6, 9, text(stand, "datum"));
    RadekSestavy = 6;
}

void TFDoExcelu::AppendStandBlock(Worksheet& sheet, const QueryRow& stand) {
    const int R = RadekSestavy;
    Worksheet& t = WorksheetAt(*TemplateBook, 1);
    CopyRows(t, 7, 18, sheet, R + 1);
    DeleteRow(sheet, R + 8);
    SetCellText(sheet, R + 2, 3, text(stand, "NazevTok"));
    SetCellText(sheet, R + 2, 7, text(stand, "NazevBreh"));
    SetCellText(sheet, R + 2, 12, text(stand, "NazevRKm"));
    SetCellText(sheet, R + 4, 3, NumberText::shortest(number(stand, "PLOCHA")));

    const auto read = m_standRows.find(int(number(stand, "KLIC")));
    const std::vector<QueryRow> rows = read != m_standRows.end() ? read->second : std::vector<QueryRow>();
    const QueryRow first = rows.empty() ? QueryRow() : rows.front();
    SetCellText(sheet, R + 4, 7, twoDecimals(number(first, "ZAKM")));

    int j = R + 8;
    const int n = std::max(int(rows.size()), 1);
    for (int i = 1; i <= n; ++i) {
        const QueryRow row = rows.empty() ? QueryRow() : rows[size_t(i - 1)];
        if (i > 1) {
            ++j;
            InsertRow(sheet, j);
            CopyRange(t, 14, 1, 14, 15, sheet, j, 1);
        }
        SetCellText(sheet, j, 1, text(row, "DR_ZKR"));
        int column = 2;
        for (const char* field : {"TLOUSTKA", "VYSKA", "DR_ZAS_J", "DR_ZAS_L", "DR_ZAS_CEL"})
            SetCellText(sheet, j, column++, roundedText(number(row, field)));
    }
    // The shrub area is shown with its unit, outside the stock sums.
    const double x = rows.empty() ? 0 : number(rows.back(), "KROVINY");
    if (x > 0) {
        ++j;
        InsertRow(sheet, j);
        CopyRange(t, 14, 1, 14, 15, sheet, j, 1);
        SetCellText(sheet, j, 1, StockTotals::ShrubLabel);
        SetCellText(sheet, j, 5, roundedText(x));
        SetCellText(sheet, j, 6, roundedText(x));
    }
    const StockTotals::Totals sums = StockTotals::Of(rows);
    SetCellText(sheet, j + 2, 4, roundedText(sums.conifer));
    SetCellText(sheet, j + 2, 5, roundedText(sums.broadleaf));
    SetCellText(sheet, j + 2, 6, roundedText(sums.total));
    RadekSestavy = j + 2;
}
