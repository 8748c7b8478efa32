#include "TManualy225.h"

int TManualy225::indexOf(const QString& abbreviation) const {
    const QString key = abbreviation.trimmed();
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].abbreviation.compare(key, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

TManual225* TManualy225::find(const QString& abbreviation) {
    const int i = indexOf(abbreviation);
    return i < 0 ? nullptr : &m_items[size_t(i)].species;
}

const TManual225* TManualy225::find(const QString& abbreviation) const {
    const int i = indexOf(abbreviation);
    return i < 0 ? nullptr : &m_items[size_t(i)].species;
}

void TManualy225::append(const QString& abbreviation, const TManual225& species) {
    m_items.push_back({abbreviation.trimmed(), species});
}

void TManualy225::removeAt(int i) {
    m_items.erase(m_items.begin() + i);
}

void TManualy225::ClearStand() {
    name.clear();
    date.clear();
    river.clear();
    bank.clear();
    riverKm.clear();
    action.clear();
    summary = false;
    age = 0;
    area = 0;
    shrubArea = 0;
    m_items.clear();
}
