#include "ModelDataSet.h"

#include <QAbstractItemModel>

ModelDataSet::ModelDataSet(QAbstractItemModel* model) {
    setModel(model);
}

void ModelDataSet::setModel(QAbstractItemModel* model) {
    m_model = model;
    m_types.clear();
    first();
}

int ModelDataSet::rowCount() const {
    if (!m_model)
        return 0;
    return m_model->rowCount();
}

int ModelDataSet::fieldCount() const {
    return m_model ? m_model->columnCount() : 0;
}

QString ModelDataSet::fieldName(int field) const {
    if (!m_model || field < 0 || field >= fieldCount())
        return {};
    return m_model->headerData(field, Qt::Horizontal, Qt::DisplayRole).toString();
}

ReportDataSet::FieldType ModelDataSet::fieldType(int field) const {
    if (!m_model || field < 0 || field >= fieldCount())
        return String;
    if (int(m_types.size()) != fieldCount())
        m_types.assign(size_t(fieldCount()), -1);
    if (m_types[size_t(field)] < 0)
        m_types[size_t(field)] = detectType(field);
    return FieldType(m_types[size_t(field)]);
}

ReportDataSet::FieldType ModelDataSet::detectType(int field) const {
    // The first row with a value tells the type; a model says no more about its columns.
    for (int row = 0; row < rowCount(); ++row) {
        const QVariant v = m_model->data(m_model->index(row, field), Qt::EditRole);
        if (v.isValid() && !v.isNull())
            return typeOfValue(v);
    }
    return String;
}

ReportDataSet::FieldType ModelDataSet::typeOfValue(const QVariant& v) {
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return Number;
    case QMetaType::Bool:
        return Boolean;
    case QMetaType::QDate:
        return Date;
    case QMetaType::QTime:
        return Time;
    case QMetaType::QDateTime:
        return DateTime;
    case QMetaType::QByteArray:
        return Binary;
    case QMetaType::QImage:
    case QMetaType::QPixmap:
        return Graphic;
    case QMetaType::QString:
        return v.toString().contains(u'\n') ? Memo : String;
    default:
        return String;
    }
}

QVariant ModelDataSet::value(int field) const {
    if (!m_model || field < 0 || field >= fieldCount() || m_row >= rowCount())
        return {};
    return m_model->data(m_model->index(m_row, field), Qt::EditRole);
}

void ModelDataSet::first() {
    m_row = 0;
    m_eof = isEmpty();
}

void ModelDataSet::next() {
    if (!m_model) {
        m_eof = true;
        return;
    }
    if (m_row + 1 >= rowCount() && m_model->canFetchMore(QModelIndex()))
        m_model->fetchMore(QModelIndex());
    if (m_row + 1 < rowCount())
        ++m_row;
    else
        m_eof = true;
}

void ModelDataSet::prior() {
    if (m_row > 0)
        --m_row;
    m_eof = isEmpty();
}

bool ModelDataSet::isEmpty() const {
    return rowCount() == 0;
}
