#pragma once

#include "ModelDataSet.h"

#include <QStringList>

// The rows of the stand report query as the report's data set. A query model builds its whole
// record for every column header it is asked for, and the report looks fields up by name for
// every element of every record; the names are therefore read once, when the query is set.
class StandQueryDataSet : public ModelDataSet {
  public:
    void setQuery(QAbstractItemModel* model);

    int fieldCount() const override { return int(m_names.size()); }
    QString fieldName(int field) const override { return m_names.value(field); }

  private:
    QStringList m_names;
};
