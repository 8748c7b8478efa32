#pragma once

#include "ModelDataSet.h"

#include <QStringList>
#include <vector>

// The rows of the stand report query as the report's data set. A query model builds its whole
// record for every column header it is asked for, and the report looks fields up by name for
// every element of every record; the names are therefore read once, when the query is set.
// Columns named by setZeroWhenEmpty are numbers whose empty value reads as 0 (the summary stores a
// species' stock only in its own group's column, and the report prints the other as 0,00 like the
// totals do).
class StandQueryDataSet : public ModelDataSet {
  public:
    void setQuery(QAbstractItemModel* model);
    void setZeroWhenEmpty(const QStringList& names) { m_zeroNames = names; }

    int fieldCount() const override { return int(m_names.size()); }
    QString fieldName(int field) const override { return m_names.value(field); }
    FieldType fieldType(int field) const override;
    QVariant value(int field) const override;

  private:
    bool zeroWhenEmpty(int field) const;

    QStringList m_names;
    QStringList m_zeroNames;
    std::vector<char> m_zero;
};
