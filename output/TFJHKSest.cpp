#include "TFJHKSest.h"

#include "CzechCollation.h"
#include "ProgramPaths.h"
#include "RivwoodError.h"
#include "SqlSupport.h"
#include "StandDatabase.h"
#include "StandPageNumbering.h"
#include "StandPageTracker.h"
#include "StandPages.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <limits>
#include <vector>

namespace {

constexpr int kStandGroup = TFJHKSest::StandGroup;

QLocale reportLocale() {
    return QLocale(QLocale::Czech, QLocale::CzechRepublic);
}

} // namespace

TFJHKSest::TFJHKSest(StandDatabase& database) : m_db(database) {
    SJHKVysRep.setReportName(QString::fromLatin1(ReportName));
    SJHKVysCom.setReportName(QString::fromLatin1(CommentReportName));
    SJHKVysC.setReportName(QString::fromLatin1(ReportName));
    SJHKVysC.setLocale(reportLocale());
    SJHKVysC.setDataSet(&m_data);
    m_data.setLocale(reportLocale());
    m_data.setDatabaseDataSet(true);
    m_data.setZeroWhenEmpty({QStringLiteral("DR_ZAS_J"), QStringLiteral("DR_ZAS_L"),
                             QStringLiteral("ZHA_JEHL"), QStringLiteral("ZHA_LIST")});
    SJHKVysC.OnGetDataType = [this](int field, ReportDataSet::FieldType type) {
        return FieldType(m_data.fieldName(field), type);
    };
}

TFJHKSest::~TFJHKSest() {
    closeQSestava();
}

QStringList TFJHKSest::QSestavaLines() {
    return {QStringLiteral("Select RivwoodPor.klic,"),
            QStringLiteral("  NazevTok, NazevBreh, NazevRKm, NazevAkce,"),
            QStringLiteral("  VEK, POPIS, KROVINY, datum,  zavod, provoz, taxator, uzivatel,"),
            QStringLiteral("  RivwoodSes.KLIC KLIC, RivwoodSes.PLOCHA PLOCHA, ZAKM, DR_ZKR,"),
            QStringLiteral("  DR_KOD, DR_ZAKM, DR_PLO, DR_PLO_RED, DR_PLO_RHA, "),
            QStringLiteral("  DR_ZAST, JEHL, VYSKA, TLOUSTKA, GHA,"),
            QStringLiteral("  ZTJ, ZTL, ZT, ZHA, ZHA_JEHL, ZHA_LIST, "),
            QStringLiteral("  DR_ZAS_J, DR_ZAS_L, DR_ZAS_CEL, KOMENT, STRANKA"),
            QStringLiteral(" from RivwoodSes, RivwoodPor"),
            QStringLiteral("  where  RivwoodSes.KLIC=RivwoodPor.KLIC"),
            QStringLiteral("      and  RivwoodSes.KLIC  = 1"),
            QStringLiteral("      and used=true"),
            QStringLiteral("     and  RivwoodPor.vypocteno=true"),
            QStringLiteral("    and RivwoodPor.souhrn=true"),
            QStringLiteral("order by NazevTok, NazevBreh, NazevRKm, NazevAkce, RivwoodPor.KLIC, DR_KOD")};
}

QString TFJHKSest::QSestavaRangeCondition() {
    return QStringLiteral("      and  RivwoodSes.KLIC >= :PKlic1 and RivwoodSes.KLIC <= :PKlic2");
}

QStringList TFJHKSest::StandFields() {
    return {QStringLiteral("klic"),     QStringLiteral("NazevTok"),  QStringLiteral("NazevBreh"),
            QStringLiteral("NazevRKm"), QStringLiteral("NazevAkce"), QStringLiteral("VEK"),
            QStringLiteral("POPIS"),    QStringLiteral("KROVINY"),   QStringLiteral("datum"),
            QStringLiteral("zavod"),    QStringLiteral("provoz"),    QStringLiteral("taxator"),
            QStringLiteral("uzivatel"), QStringLiteral("KLIC"),      QStringLiteral("KOMENT")};
}

QString TFJHKSest::StandOrderLine() {
    return QStringLiteral("order by NazevTok, NazevBreh, NazevRKm, NazevAkce, KLIC");
}

ReportDataSet::FieldType TFJHKSest::FieldType(const QString& field, ReportDataSet::FieldType type) {
    return field.compare(QStringLiteral("KOMENT"), Qt::CaseInsensitive) == 0 ? ReportDataSet::Memo : type;
}

QStringList TFJHKSest::QPorLines() {
    return {QStringLiteral("Select *"),
            QStringLiteral(" from  RivwoodPor "),
            QStringLiteral("  where  used=true"),
            QStringLiteral("        and vypocteno=true"),
            QStringLiteral("order by  NazevAkce, KLIC"),
            QString()};
}

QStringList TFJHKSest::QPorDrevLines() {
    return {QStringLiteral("select klic, count(dr_zkr) pocet"), QStringLiteral("from rivwoodses"),
            QStringLiteral("where klic=:klic"), QStringLiteral("group by klic")};
}

QStringList TFJHKSest::QPomSestLines() {
    return {QStringLiteral("select * from rivwoodses"), QStringLiteral("where klic=:klic")};
}

QString TFJHKSest::templateDirectory() const {
    return m_templateDir.isEmpty() ? ProgramPaths::DataDirectory() : m_templateDir;
}

bool TFJHKSest::PrintStand(int key) {
    PKlic1 = key;
    PKlic2 = key;
    return RunStandReport();
}

bool TFJHKSest::PrintAllStands() {
    PKlic1 = 0;
    PKlic2 = std::numeric_limits<int>::max();
    return RunStandReport();
}

void TFJHKSest::ChooseTemplate() {
    SJHKVysC.setReportName(SKomentarem ? SJHKVysCom.reportName() : SJHKVysRep.reportName());
    SJHKVysC.setReportDir(templateDirectory());
    SJHKVysC.ReportDirIgnore = false;
}

bool TFJHKSest::RunStandReport() {
    ChooseTemplate();
    ReadPageLayout();
    if (!NumberPages()) {
        SJHKVysC.output().clear(); // nothing of an earlier run stays to be printed
        return false;
    }

    openQSestava(QSestavaRangeCondition(), PKlic1, PKlic2);
    bool result = true;
    try {
        if (Preview) {
            result = Preview(SJHKVysC);
        } else if (SJHKVysC.compose() == TSestavaD::ComposeFailed) {
            throw RivwoodError(SJHKVysC.errorString());
        }
    } catch (...) {
        closeQSestava();
        throw;
    }
    closeQSestava();
    return result;
}

void TFJHKSest::ReadPageLayout() {
    if (!SJHKVysC.loadTemplate())
        throw RivwoodError(SJHKVysC.errorString());
    if (int(SJHKVysC.groups().size()) <= kStandGroup)
        throw RivwoodError(QStringLiteral("Předloha tiskové sestavy \"%1\" nemá skupinu porostu (aspoň dvě "
                                          "skupiny), stránky nelze očíslovat.")
                               .arg(SJHKVysC.templateFileName()));
}

void TFJHKSest::openQSestava(const QString& condition, int firstKey, int lastKey) {
    closeQSestava();
    QStringList lines = CzechCollation::Collated(QSestavaLines());
    lines[10] = condition;
    // A data model moves back and forth over its rows.
    QSqlQuery query(m_db.connection());
    query.setForwardOnly(false);
    if (!query.prepare(lines.join(u'\n')))
        SqlSupport::Fail(query, QStringLiteral("QSestava"));
    if (condition.contains(QStringLiteral(":PKlic1"))) {
        query.bindValue(QStringLiteral(":PKlic1"), firstKey);
        query.bindValue(QStringLiteral(":PKlic2"), lastKey);
    }
    if (!query.exec())
        SqlSupport::Fail(query, QStringLiteral("QSestava"));
    m_qsestava = std::make_unique<QSqlQueryModel>();
    m_qsestava->setQuery(std::move(query));
    if (m_qsestava->lastError().isValid())
        throw RivwoodError(
            QStringLiteral("Chyba databáze: QSestava: %1").arg(m_qsestava->lastError().text()));
    m_data.setQuery(m_qsestava.get());
}

void TFJHKSest::closeQSestava() {
    m_data.setQuery(nullptr);
    m_qsestava.reset();
}

bool TFJHKSest::NumberPages() {
    StandPageNumbering numbering(*this);
    if (numbering.applies())
        return numbering.run() == StandPageNumbering::Done;
    return numberAllPages();
}

QStringList TFJHKSest::QSestavaFieldNames() {
    openQSestava(QStringLiteral("      and  1 = 0"));
    QStringList names;
    for (int i = 0; i < m_data.fieldCount(); ++i)
        names << m_data.fieldName(i);
    closeQSestava();
    return names;
}

std::optional<TFJHKSest::Layout> TFJHKSest::LayOutStands() {
    openQSestava(QSestavaRangeCondition(), 0, std::numeric_limits<int>::max());
    Layout layout;
    int result = TSestavaD::ComposeOk;
    {
        // The tracker notes the page on which each stand's head lands.
        StandPageTracker tracker(SJHKVysC, m_data, kStandGroup);
        SJHKVysC.setProgress(NumberingProgress);
        result = SJHKVysC.TSestavaD::compose();
        SJHKVysC.setProgress(nullptr);
        layout.firstPages = tracker.pages();
        layout.pageCount = SJHKVysC.output().pageCount();
    }
    closeQSestava();
    SJHKVysC.output().clear();
    if (result == TSestavaD::ComposeInterrupted)
        return std::nullopt;
    if (result != TSestavaD::ComposeOk)
        throw RivwoodError(SJHKVysC.errorString());
    return layout;
}

bool TFJHKSest::numberAllPages() {
    const std::optional<Layout> layout = LayOutStands();
    if (!layout)
        return false;
    // A read-only database keeps the page numbers it holds; the report is still composed.
    if (m_db.isReadOnly())
        return true;
    std::vector<std::pair<int, int>> changes;
    for (const StandPages::Stand& s : StandPages::Read(m_db, {}, StandOrderLine())) {
        if (s.speciesRows == 0)
            continue;
        const auto found = layout->firstPages.find(s.key);
        const int page = found == layout->firstPages.end() ? 0 : std::min(found->second, 32767);
        if (s.page != page)
            changes.emplace_back(s.key, page);
    }
    StandPages::Write(m_db, changes);
    return true;
}
