#include "MemoryDataSet.h"

void MemoryDataSet::addField(const QString& name, FieldType type, const QString& caption) {
    m_fields.push_back({name, type, caption});
}

void MemoryDataSet::addRow(const QVariantList& values) {
    m_rows.push_back(values);
    if (m_rows.size() == 1) {
        m_row = 0;
        m_eof = false;
    }
}

QString MemoryDataSet::fieldName(int field) const {
    return field >= 0 && field < fieldCount() ? m_fields[size_t(field)].name : QString();
}

QString MemoryDataSet::fieldCaption(int field) const {
    if (field < 0 || field >= fieldCount())
        return {};
    const Field& f = m_fields[size_t(field)];
    return f.caption.isEmpty() ? f.name : f.caption;
}

ReportDataSet::FieldType MemoryDataSet::fieldType(int field) const {
    return field >= 0 && field < fieldCount() ? m_fields[size_t(field)].type : String;
}

QVariant MemoryDataSet::value(int field) const {
    if (m_rows.empty() || field < 0 || field >= fieldCount())
        return {};
    const QVariantList& row = m_rows[size_t(m_row)];
    return field < row.size() ? row[field] : QVariant();
}

bool MemoryDataSet::open() {
    if (m_openable)
        m_active = true;
    return m_active;
}

void MemoryDataSet::first() {
    m_row = 0;
    m_eof = m_rows.empty();
}

void MemoryDataSet::next() {
    if (m_row + 1 < int(m_rows.size()))
        ++m_row;
    else
        m_eof = true;
}

void MemoryDataSet::prior() {
    if (m_row > 0)
        --m_row;
    m_eof = m_rows.empty();
}
