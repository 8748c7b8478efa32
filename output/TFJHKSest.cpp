#include "TFJHKSest.h"

#include "CzechCollation.h"
#include "ProgramPaths.h"
#include "RivwoodError.h"
#include "SqlSupport.h"
#include "SqlTransaction.h"
#include "StandDatabase.h"
#include "StandPageNumbering.h"
#include "StandPageTracker.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
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
    // The comment column is a memo: printed over as many lines as it takes.
    SJHKVysC.OnGetDataType = [this](int field, ReportDataSet::FieldType type) {
        return field == m_commentField ? ReportDataSet::Memo : type;
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
    if (!NumberPages())
        return false;

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
    m_commentField = m_data.fieldIndex(QStringLiteral("KOMENT"));
}

void TFJHKSest::closeQSestava() {
    m_data.setQuery(nullptr);
    m_commentField = -1;
    m_qsestava.reset();
}

bool TFJHKSest::NumberPages() {
    StandPageNumbering numbering(*this);
    if (numbering.applies()) {
        const StandPageNumbering::Result result = numbering.run();
        if (result != StandPageNumbering::NotApplicable)
            return result == StandPageNumbering::Done;
    }
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

std::optional<TFJHKSest::Layout> TFJHKSest::LayOutStands(const std::vector<int>* keys) {
    if (keys) {
        QStringList list;
        for (int key : *keys)
            list << QString::number(key);
        openQSestava(QStringLiteral("      and  RivwoodSes.KLIC in (%1)").arg(list.join(u',')));
    } else {
        openQSestava(QSestavaRangeCondition(), 0, std::numeric_limits<int>::max());
    }
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
    const std::map<int, int>& pages = layout->firstPages;

    QSqlDatabase db = m_db.connection();
    std::vector<int> keys;
    {
        QSqlQuery por(db);
        por.setForwardOnly(true);
        if (!por.exec(CzechCollation::Collated(QPorLines()).join(u'\n')))
            SqlSupport::Fail(por, QStringLiteral("QPor"));
        const int klic = por.record().indexOf(QStringLiteral("KLIC"));
        while (por.next())
            keys.push_back(por.value(klic).toInt());
    }
    // A read-only database keeps the page numbers it holds; the report is still composed.
    if (m_db.isReadOnly())
        return true;
    SqlTransaction tx(db);
    QSqlQuery drev = SqlSupport::Prepare(db, QPorDrevLines().join(u'\n'));
    // The species rows of QPomSest are edited together: every one of them gets the stand's page.
    QSqlQuery post = SqlSupport::Prepare(db, QStringLiteral("update rivwoodses set STRANKA = :stranka\n") +
                                                 QPomSestLines()[1]);
    for (int key : keys) {
        drev.bindValue(QStringLiteral(":klic"), key);
        if (!drev.exec())
            SqlSupport::Fail(drev, QStringLiteral("QPorDrev"));
        const int count = drev.next() ? drev.value(1).toInt() : 0;
        drev.finish();
        if (count == 0)
            continue;
        const auto found = pages.find(key);
        const int page = found == pages.end() ? 0 : std::min(found->second, 32767);
        post.bindValue(QStringLiteral(":stranka"), page);
        post.bindValue(QStringLiteral(":klic"), key);
        if (!post.exec())
            SqlSupport::Fail(post, QStringLiteral("QPomSest"));
    }
    tx.commit();
    return true;
}
