#include "TFJHKSest.h"

#include "ProgramPaths.h"
#include "RivwoodError.h"
#include "StandDatabase.h"
#include "StandPageNumbering.h"
#include "StandPageTracker.h"
#include "StandPages.h"

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

    openQSestava(StandReportQueries::Scope::KeyRange(PKlic1, PKlic2));
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

void TFJHKSest::openQSestava(const StandReportQueries::Scope& scope) {
    closeQSestava();
    // A data model moves back and forth over its rows: they are read whole.
    m_qsestava = std::make_unique<QueryRowsModel>(StandReportQueries::QSestava(m_db, scope));
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
    openQSestava(StandReportQueries::Scope::NoStand());
    QStringList names;
    for (int i = 0; i < m_data.fieldCount(); ++i)
        names << m_data.fieldName(i);
    closeQSestava();
    return names;
}

ReportDataSet::FieldType TFJHKSest::FieldType(const QString& field, ReportDataSet::FieldType type) {
    return field.compare(QStringLiteral("KOMENT"), Qt::CaseInsensitive) == 0 ? ReportDataSet::Memo : type;
}

std::optional<TFJHKSest::Layout> TFJHKSest::LayOutStands() {
    openQSestava(StandReportQueries::Scope::KeyRange(0, std::numeric_limits<int>::max()));
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
    for (const StandPages::Stand& s : StandPages::Read(m_db, {})) {
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
