#include "QueryRows.h"

int QueryRow::indexOf(const QString& name) const {
    if (!m_names)
        return -1;
    for (int i = 0; i < m_names->size(); ++i)
        if (m_names->at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant QueryRow::value(int column) const {
    return column >= 0 && column < count() ? m_values[size_t(column)] : QVariant();
}

int QueryRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.rows.size());
}

int QueryRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.names->size());
}

QVariant QueryRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_rows.rows[size_t(index.row())].value(index.column());
}

QVariant QueryRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_rows.names->at(section);
}
