#pragma once

#include "ReportDataSet.h"

#include <QPointer>
#include <vector>

class QAbstractItemModel;

// A data set over the rows of a table model, such as a QSqlQueryModel: the columns are the fields,
// named by their horizontal header; rows are fetched as the cursor moves on.
class ModelDataSet : public ReportDataSet {
  public:
    explicit ModelDataSet(QAbstractItemModel* model = nullptr);

    void setModel(QAbstractItemModel* model);
    QAbstractItemModel* model() const { return m_model; }
    // Database models: the template directory may then come from an alias.
    void setDatabaseDataSet(bool database) { m_database = database; }
    int currentRow() const { return m_row; }

    int fieldCount() const override;
    QString fieldName(int field) const override;
    FieldType fieldType(int field) const override;
    QVariant value(int field) const override;
    bool isActive() const override { return m_model != nullptr; }
    bool open() override { return m_model != nullptr; }
    bool isDatabaseDataSet() const override { return m_database; }

    void first() override;
    void next() override;
    void prior() override;
    bool eof() const override { return m_eof; }
    bool isEmpty() const override;

    // The type a column takes from its first value that is not empty.
    static FieldType typeOfValue(const QVariant& value);

  private:
    int rowCount() const;
    FieldType detectType(int field) const;

    QPointer<QAbstractItemModel> m_model;
    int m_row = 0;
    bool m_eof = true;
    bool m_database = false;
    mutable std::vector<int> m_types; // detected field types, -1 not yet known
};
