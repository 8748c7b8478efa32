#include "StandQueryDataSet.h"

#include <QAbstractItemModel>

void StandQueryDataSet::setQuery(QAbstractItemModel* model) {
    m_names.clear();
    m_zero.clear();
    if (model)
        for (int i = 0; i < model->columnCount(); ++i) {
            m_names << model->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
            m_zero.push_back(m_zeroNames.contains(m_names.last(), Qt::CaseInsensitive) ? 1 : 0);
        }
    setModel(model);
}

bool StandQueryDataSet::zeroWhenEmpty(int field) const {
    return field >= 0 && field < int(m_zero.size()) && m_zero[size_t(field)];
}

ReportDataSet::FieldType StandQueryDataSet::fieldType(int field) const {
    return zeroWhenEmpty(field) ? Number : ModelDataSet::fieldType(field);
}

QVariant StandQueryDataSet::value(int field) const {
    QVariant v = ModelDataSet::value(field);
    if (zeroWhenEmpty(field) && !isEmpty() && (!v.isValid() || v.isNull()))
        return 0.0;
    return v;
}
