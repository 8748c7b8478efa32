#include "StandListModel.h"

#include "CzechCollation.h"
#include "StoreBackend.h"

StandListModel::StandListModel(StandDatabase& db, QObject* parent) : QAbstractTableModel(parent), m_db(db) {}

QString StandListModel::FilterText(bool computed, bool notComputed) {
    if (computed && notComputed)
        return {};
    if (computed)
        return "Vypocteno";
    if (notComputed)
        return "not Vypocteno";
    return "Vypocteno and not Vypocteno";
}

void StandListModel::setFilter(bool computed, bool notComputed) {
    m_filter = FilterText(computed, notComputed);
    refresh();
}

void StandListModel::refresh() {
    QString sql = "select KLIC, NazevTok, NazevBreh, NazevRKm, NazevAkce, PLOCHA, VYPOCTENO, SOUHRN "
                  "from RivwoodPor where USED = true";
    if (!m_filter.isEmpty())
        sql += " and (" + m_filter + ")";
    // The key last: stands with equal texts come in one order on every backend.
    sql += CzechCollation::OrderBy(" order by NazevTok, NazevBreh, NazevRKm, NazevAkce, KLIC");
    std::vector<Row> rows;
    {
        StatementRef q = m_db.backend().statement(sql);
        q->touching(StandTables::Por).open();
        while (q->next())
            rows.push_back({int(q->integer(0)), q->text(1), q->text(2), q->text(3), q->text(4), q->number(5),
                            q->boolean(6), q->boolean(7)});
    }
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int StandListModel::keyAt(int row) const {
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)].key : 0;
}

bool StandListModel::DeleteStand(int row, StandStore& store) {
    const int key = keyAt(row);
    if (key == 0)
        return false;
    const bool deleted = store.DeleteStandRows(key);
    refresh();
    return deleted;
}

UserMessage StandListModel::DeleteQuestion() {
    return {UserMessage::Warning, " Opravdu si přejete zrušit záznam ?"};
}

int StandListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int StandListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant StandListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_rows.size()) || role != Qt::DisplayRole)
        return {};
    const Row& r = m_rows[size_t(index.row())];
    switch (index.column()) {
    case 0:
        return r.key;
    case 1:
        return r.river;
    case 2:
        return r.bank;
    case 3:
        return r.riverKm;
    case 4:
        return r.action;
    case 5:
        return r.computed ? QStringLiteral("Ano") : QStringLiteral("Ne");
    }
    return {};
}

QVariant StandListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const titles[ColumnCount] = {"KLIC",           "Tok",        "Břeh",
                                                    "Říční kilometr", "Název Akce", "VYPOČTENO"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromUtf8(titles[section]);
}
