#include "SpeciesTables.h"

#include "SpeciesData.h"
#include "TextUtils.h"

#include <QHash>

namespace {

template <size_t N> QStringList toList(const char* const (&lines)[N]) {
    QStringList out;
    out.reserve(int(N));
    for (const char* l : lines)
        out.append(QString::fromUtf8(l));
    return out;
}

// One keyed list with its upper-cased keys mapped to trimmed values.
class KeyedList {
  public:
    explicit KeyedList(QStringList lines) : m_lines(std::move(lines)) {
        for (const QString& l : m_lines) {
            const QString key = NamePart(l).toUpper();
            if (!m_values.contains(key))
                m_values.insert(key, ValuePart(l));
        }
    }
    bool contains(const QString& key) const { return m_values.contains(key.trimmed().toUpper()); }
    QString value(const QString& key) const { return m_values.value(key.trimmed().toUpper()); }
    const QStringList& lines() const { return m_lines; }

  private:
    QStringList m_lines;
    QHash<QString, QString> m_values;
};

const KeyedList& jmcs() {
    static const KeyedList l(toList(species_data::kDrevJmCs));
    return l;
}
const KeyedList& jhk() {
    static const KeyedList l(toList(species_data::kDrevJHK));
    return l;
}
const KeyedList& jl() {
    static const KeyedList l(toList(species_data::kDrevJL));
    return l;
}
const KeyedList& tab() {
    static const KeyedList l(toList(species_data::kDrevTab));
    return l;
}
const KeyedList& kod() {
    static const KeyedList l(toList(species_data::kDrevKod));
    return l;
}

QStringList distinct(const KeyedList& list) {
    QStringList out;
    for (const QString& abbr : SpeciesTables::DrevZkratky()) {
        const QString v = TrimSet(list.value(abbr));
        if (!out.contains(v))
            out.append(v);
    }
    return out;
}

} // namespace

namespace SpeciesTables {

QString SpeciesName(const QString& a) {
    return jmcs().value(a);
}
QString CurveSpeciesOf(const QString& a) {
    return jhk().value(a);
}
bool IsConifer(const QString& a) {
    return jl().value(a) == "j";
}
QString TableSpeciesOf(const QString& a) {
    return tab().value(a);
}
int SpeciesCode(const QString& a) {
    return ToInteger(kod().value(a), 0);
}

QStringList DrevJmCs() {
    return jmcs().lines();
}
QStringList DrevJHK() {
    return jhk().lines();
}
QStringList DrevJL() {
    return jl().lines();
}
QStringList DrevTab() {
    return tab().lines();
}
QStringList DrevKod() {
    return kod().lines();
}

const QStringList& DrevZkratky() {
    static const QStringList list = [] {
        QStringList out;
        for (const QString& l : jmcs().lines())
            out.append(NamePart(l));
        return out;
    }();
    return list;
}

QStringList DrevJako() {
    QStringList out;
    for (const QString& abbr : DrevZkratky())
        out.append(TrimSet(jhk().value(abbr)));
    return out;
}

QStringList DistinctCurveSpecies() {
    return distinct(jhk());
}
QStringList DistinctTableSpecies() {
    return distinct(tab());
}

} // namespace SpeciesTables
