#include "StandQueryDataSet.h"

#include <QAbstractItemModel>

void StandQueryDataSet::setQuery(QAbstractItemModel* model) {
    m_names.clear();
    if (model)
        for (int i = 0; i < model->columnCount(); ++i)
            m_names << model->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
    setModel(model);
}
