#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

// One row of a report query: its values by column, looked up by name without regard to case. An
// empty row (no columns) reads every field as an invalid value.
class QueryRow {
  public:
    QueryRow() = default;
    QueryRow(std::shared_ptr<const QStringList> names, std::vector<QVariant> values)
        : m_names(std::move(names)), m_values(std::move(values)) {}

    bool isEmpty() const { return m_values.empty(); }
    int count() const { return int(m_values.size()); }
    QString fieldName(int column) const { return m_names ? m_names->value(column) : QString(); }
    int indexOf(const QString& name) const;
    QVariant value(int column) const;
    QVariant value(const QString& name) const { return value(indexOf(name)); }

  private:
    std::shared_ptr<const QStringList> m_names;
    std::vector<QVariant> m_values;
};

// The rows of a report query read whole, with the names of its columns.
struct QueryRows {
    std::shared_ptr<const QStringList> names = std::make_shared<const QStringList>();
    std::vector<QueryRow> rows;
};

// A report query's rows as a table model: the columns named by their horizontal headers, values
// in the edit role as the database typed them.
class QueryRowsModel : public QAbstractTableModel {
  public:
    explicit QueryRowsModel(QueryRows rows, QObject* parent = nullptr)
        : QAbstractTableModel(parent), m_rows(std::move(rows)) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  private:
    QueryRows m_rows;
};
