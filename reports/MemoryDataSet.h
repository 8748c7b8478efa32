#pragma once

#include "ReportDataSet.h"

#include <vector>

// A data set held in memory: a list of fields and rows of values.
class MemoryDataSet : public ReportDataSet {
  public:
    struct Field {
        QString name;
        FieldType type = String;
        QString caption; // empty: the name
    };

    MemoryDataSet() = default;
    explicit MemoryDataSet(std::vector<Field> fields) : m_fields(std::move(fields)) {}

    void addField(const QString& name, FieldType type, const QString& caption = {});
    void addRow(const QVariantList& values);
    int rowCount() const { return int(m_rows.size()); }
    int currentRow() const { return m_row; }
    void setActive(bool active) { m_active = active; }
    void setOpenable(bool openable) { m_openable = openable; }

    int fieldCount() const override { return int(m_fields.size()); }
    QString fieldName(int field) const override;
    QString fieldCaption(int field) const override;
    FieldType fieldType(int field) const override;
    QVariant value(int field) const override;
    bool isActive() const override { return m_active; }
    bool open() override;

    void first() override;
    void next() override;
    void prior() override;
    bool eof() const override { return m_eof; }
    bool isEmpty() const override { return m_rows.empty(); }

  private:
    std::vector<Field> m_fields;
    std::vector<QVariantList> m_rows;
    int m_row = 0;
    bool m_eof = true;
    bool m_active = true;
    bool m_openable = true;
};
