#include "OldStands.h"

#include "ClassLayout.h"
#include "ParadoxTable.h"
#include "ParadoxText.h"
#include "RivwoodError.h"
#include "TextUtils.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>

namespace OldStands {

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// A rule a row breaks: the whole stand is left out with this reason.
struct Broken {
    QString reason;
};

// What a column must hold to be taken over.
enum class Kind { Number, Integer, Flag, Text };

bool fits(Kind kind, Paradox::FieldType type) {
    using T = Paradox::FieldType;
    switch (kind) {
    case Kind::Number:
    case Kind::Integer:
        return type == T::Short || type == T::Long || type == T::AutoIncrement || type == T::Number ||
               type == T::Currency;
    case Kind::Flag:
        return type == T::Logical;
    case Kind::Text:
        return type == T::Alpha || type == T::Memo || type == T::Blob;
    }
    return false;
}

// One of the tables, its columns found by name; a column the table lacks reads as empty.
class Table {
  public:
    explicit Table(const QString& path) : m_table(path) {}

    int column(const char* name, Kind kind, bool required = false) const {
        const int index = m_table.fieldIndex(name);
        if (index < 0) {
            if (required)
                throw RivwoodError(QString("Tabulka „%1“ nemá sloupec %2, porosty z ní nelze převzít.")
                                       .arg(native(m_table.fileName()), name));
            return -1;
        }
        const Paradox::Field& f = m_table.header().fields[size_t(index)];
        if (!fits(kind, f.type))
            throw RivwoodError(QString("Sloupec %1 tabulky „%2“ je typu %3, jaký tam být nemá; porosty z ní "
                                       "nelze převzít.")
                                   .arg(name, native(m_table.fileName()), Paradox::TypeName(f.type)));
        return index;
    }
    bool next() { return m_table.next(); }

    double number(int column) const {
        const QVariant v = value(column);
        return v.isNull() ? 0.0 : v.toDouble();
    }
    qint64 integer(int column, const char* name) const {
        const QVariant v = value(column);
        if (v.isNull())
            return 0;
        if (v.typeId() == QMetaType::Int)
            return v.toInt();
        const double d = v.toDouble();
        if (!std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 9e15)
            throw Broken{QString("hodnota %1 sloupce %2 není celé číslo").arg(d).arg(name)};
        return qint64(d);
    }
    bool flag(int column) const { return value(column).toBool(); }
    QString text(int column) const {
        const QVariant v = value(column);
        if (v.typeId() != QMetaType::QByteArray)
            return v.toString();
        bool ok = true;
        const QString s = Paradox::DecodeText(v.toByteArray(), m_table.header().codePage, ok);
        if (!ok)
            throw RivwoodError(QString("Text tabulky „%1“ je v kódové stránce %2, kterou program nepřevádí.")
                                   .arg(native(m_table.fileName()))
                                   .arg(m_table.header().codePage));
        return s;
    }

  private:
    QVariant value(int column) const { return column < 0 ? QVariant() : m_table.value(column); }
    ParadoxTable m_table;
};

std::int16_t short16(qint64 value, const char* name) {
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw Broken{QString("hodnota %1 sloupce %2 se nevejde do 16 bitů").arg(value).arg(name)};
    return std::int16_t(value);
}

QString decimal(double value) {
    return QString::number(value, 'g', 10).replace('.', ',');
}

// A stand being read, with what its rows so far said of it.
struct Pending {
    Stand out;
    QString problem; // the first rule its rows broke
    std::vector<ClassLayout> layouts;
    std::vector<std::vector<bool>> filled; // class elements a row has given
    std::vector<bool> summarised;
};

// Rows of a key that has no used stand.
struct Orphans {
    QStringList species;
    int classes = 0, summaries = 0, heights = 0;
};

class Reader {
  public:
    explicit Reader(const QString& directory) : m_dir(directory) {}

    Content read() {
        readStands();
        readSpecies();
        readClasses();
        readSummaries();
        if (const QString vys = find("RivwoodVys.db"); !vys.isEmpty())
            readHeights(vys);
        return finish();
    }

  private:
    QString find(const QString& name) const {
        const QStringList found = m_dir.entryList({name}, QDir::Files | QDir::Hidden);
        return found.isEmpty() ? QString() : m_dir.filePath(found.first());
    }
    QString required(const QString& table) const {
        const QString path = find(table + ".db");
        if (path.isEmpty())
            throw RivwoodError(QString("Ve složce „%1“ chybí tabulka %2.db, porosty z ní nelze převzít.")
                                   .arg(native(m_dir.path()), table));
        return path;
    }

    // The stand of a child row's key, null when the key has none (the row is counted there).
    Pending* standOf(const Table& t, int keyColumn, const std::function<void(Orphans&)>& orphan) {
        qint64 key = 0;
        try {
            key = t.integer(keyColumn, "KLIC");
        } catch (const Broken&) {
            key = 0;
        }
        const auto it = m_stands.find(key);
        if (it == m_stands.end()) {
            orphan(m_orphans[key]);
            return nullptr;
        }
        return it->second.problem.isEmpty() ? &it->second : nullptr;
    }
    // The position of the species in the stand, or a broken rule.
    // `what` names the row in the reason ("souhrnný řádek"), made only when needed.
    static int speciesOf(const Pending& p, const QString& zkr, const std::function<QString()>& what) {
        const int i = p.out.stand.indexOf(zkr);
        if (i < 0)
            throw Broken{QString("%1 dřeviny „%2“, která v porostu není").arg(what(), zkr)};
        return i;
    }
    // Runs the reading of one row of a stand; a broken rule becomes the stand's problem.
    static void rowOf(Pending& p, const std::function<void()>& read) {
        try {
            read();
        } catch (const Broken& b) {
            p.problem = b.reason;
        }
    }

    void readStands() {
        Table t(required("RivwoodPor"));
        const int klic = t.column("KLIC", Kind::Integer, true), used = t.column("USED", Kind::Flag, true);
        const int tok = t.column("NazevTok", Kind::Text), breh = t.column("NazevBreh", Kind::Text),
                  rkm = t.column("NazevRKm", Kind::Text), akce = t.column("NazevAkce", Kind::Text),
                  plocha = t.column("PLOCHA", Kind::Number), vek = t.column("VEK", Kind::Integer),
                  kroviny = t.column("KROVINY", Kind::Number), popis = t.column("POPIS", Kind::Text),
                  koment = t.column("KOMENT", Kind::Text), kod = t.column("KODPOROSTU", Kind::Text),
                  datum = t.column("DATUM", Kind::Text), zavod = t.column("ZAVOD", Kind::Text),
                  provoz = t.column("PROVOZ", Kind::Text), taxator = t.column("TAXATOR", Kind::Text),
                  uzivatel = t.column("UZIVATEL", Kind::Text);
        std::map<qint64, bool> seen; // key → a used row had it
        while (t.next()) {
            qint64 key = 0;
            QString bad;
            try {
                key = t.integer(klic, "KLIC");
            } catch (const Broken& b) {
                bad = b.reason;
            }
            const bool isUsed = t.flag(used);
            const auto before = seen.find(key);
            if (before != seen.end()) {
                before->second = before->second || isUsed;
                if (before->second)
                    m_stands[key].problem = QString("klíč %1 je v tabulce porostů dvakrát").arg(key);
                continue;
            }
            seen[key] = isUsed;
            if (!isUsed)
                continue;
            Pending& p = m_stands[key];
            if (key < 1 || key > std::numeric_limits<std::int32_t>::max() || !bad.isEmpty()) {
                p.problem = bad.isEmpty() ? QString("klíč %1 není platný klíč porostu").arg(key) : bad;
                continue;
            }
            rowOf(p, [&] {
                p.out.key = int(key);
                TManualy225& st = p.out.stand;
                st.river = t.text(tok);
                st.bank = t.text(breh);
                st.riverKm = t.text(rkm);
                st.action = t.text(akce);
                st.area = t.number(plocha);
                const qint64 age = t.integer(vek, "VEK");
                if (age < std::numeric_limits<std::int32_t>::min() ||
                    age > std::numeric_limits<std::int32_t>::max())
                    throw Broken{QString("věk porostu %1 je mimo rozsah").arg(age)};
                st.age = std::int32_t(age);
                st.shrubArea = t.number(kroviny);
                st.designation = t.text(popis);
                st.comment = t.text(koment);
                st.code = t.text(kod);
                st.date = t.text(datum);
                st.summary = false;
                p.out.user = {t.text(zavod), t.text(provoz), t.text(taxator), t.text(uzivatel)};
            });
        }
    }

    void readSpecies() {
        Table t(required("RivwoodDre"));
        const int klic = t.column("KLIC", Kind::Integer, true), zkr = t.column("DR_ZKR", Kind::Text, true);
        const int vyp = t.column("DR_VYP", Kind::Text), tab = t.column("DR_TAB", Kind::Text),
                  jhk = t.column("JHK", Kind::Integer), tloustka = t.column("TLOUSTKA", Kind::Number),
                  vypocTl = t.column("VYPOC_TL", Kind::Flag), vyska = t.column("VYSKA", Kind::Number),
                  vypocteno = t.column("VYPOCTENO", Kind::Flag), tabZas = t.column("TAB_ZAS", Kind::Number),
                  interval = t.column("TL_INTERVAL", Kind::Integer),
                  pocet = t.column("POCET_TL", Kind::Integer), minimum = t.column("TL_MIN", Kind::Number);
        while (t.next()) {
            const QString name = t.text(zkr).trimmed();
            Pending* p = standOf(t, klic, [&](Orphans& o) { o.species << name; });
            if (!p)
                continue;
            rowOf(*p, [&] {
                if (name.isEmpty())
                    throw Broken{"řádek dřeviny nemá zkratku"};
                if (p->out.stand.indexOf(name) >= 0)
                    throw Broken{QString("dřevina „%1“ je v porostu dvakrát").arg(name)};
                const auto where = [&name](const Broken& b) {
                    return Broken{"dřevina „" + name + "“: " + b.reason};
                };
                TManual225 s;
                try {
                    s.abbreviation = StringToChars(name);
                    s.curveSpecies = StringToChars(t.text(vyp));
                    s.tableSpecies = StringToChars(t.text(tab));
                    s.meanDiameter = t.number(tloustka);
                    s.meanDiameterComputed = t.flag(vypocTl);
                    s.meanHeight = t.number(vyska);
                    s.computed = t.flag(vypocteno);
                    s.tableStock = t.number(tabZas);
                    s.curve = short16(t.integer(jhk, "JHK"), "JHK");
                    s.classWidth = short16(t.integer(interval, "TL_INTERVAL"), "TL_INTERVAL");
                    s.classCount = short16(t.integer(pocet, "POCET_TL"), "POCET_TL");
                    if (s.classWidth < 1 || s.classWidth > 4)
                        throw Broken{
                            QString("šířka tloušťkového stupně %1 cm není 1 až 4").arg(s.classWidth)};
                    if (s.classCount < 0)
                        throw Broken{QString("počet tloušťkových stupňů %1 je záporný").arg(s.classCount)};
                } catch (const Broken& b) {
                    throw where(b);
                }
                // As the older program's upgrade did: an empty first centre is the width's default.
                const double stored = t.number(minimum);
                const double first = stored == 0 ? ClassLayout::DefaultFirstCentre(s.classWidth)
                                                 : RoundHalfEven(stored * 2) / 2;
                const ClassLayout layout = ClassLayout::Make(s.classWidth, first);
                s.firstCentre = layout.StredPrvniho;
                s.classes.resize(size_t(s.classCount));
                for (int i = 1; i < s.classCount; ++i)
                    s.classes[size_t(i)].centre = layout.Centre(i);
                p->out.stand.append(name, s);
                p->layouts.push_back(layout);
                p->filled.emplace_back(size_t(s.classCount), false);
                p->summarised.push_back(false);
            });
        }
    }

    void readClasses() {
        Table t(required("RivwoodTlo"));
        const int klic = t.column("KLIC", Kind::Integer, true), zkr = t.column("DR_ZKR", Kind::Text, true);
        const int tloustka = t.column("TLOUSTKA", Kind::Number), cetnost = t.column("CETNOST", Kind::Number),
                  objemJ = t.column("OBJEMJ", Kind::Number), objemC = t.column("OBJEMC", Kind::Number);
        while (t.next()) {
            Pending* p = standOf(t, klic, [](Orphans& o) { ++o.classes; });
            if (!p)
                continue;
            rowOf(*p, [&] {
                const QString name = t.text(zkr).trimmed();
                const double d = t.number(tloustka);
                const int at =
                    speciesOf(*p, name, [d] { return QString("tloušťkový stupeň %1 cm").arg(decimal(d)); });
                const ClassLayout& layout = p->layouts[size_t(at)];
                TManual225& s = p->out.stand.at(at);
                const double index = RoundHalfEven((d - layout.StredPrvniho) / layout.SirkaStupne) + 1;
                if (!std::isfinite(index) || index < 1 || index >= s.classCount ||
                    std::fabs(layout.Centre(int(index)) - d) > 1e-6)
                    throw Broken{QString("tloušťkový stupeň %1 cm dřeviny „%2“ neleží ve stupních dřeviny "
                                         "(šířka %3 cm, první střed %4 cm, %5 stupňů)")
                                     .arg(decimal(d), name)
                                     .arg(layout.SirkaStupne)
                                     .arg(decimal(layout.StredPrvniho))
                                     .arg(s.classCount - 1)};
                const size_t i = size_t(index);
                if (p->filled[size_t(at)][i])
                    throw Broken{QString("tloušťkový stupeň %1 cm dřeviny „%2“ je uveden dvakrát")
                                     .arg(decimal(d), name)};
                const double trees = t.number(cetnost);
                if (trees < 0 || !std::isfinite(trees))
                    throw Broken{QString("počet stromů %1 ve stupni %2 cm dřeviny „%3“ není platný")
                                     .arg(decimal(trees), decimal(d), name)};
                p->filled[size_t(at)][i] = true;
                s.classes[i] = {layout.Centre(int(i)), trees, t.number(objemJ), t.number(objemC)};
                s.classes[0].trees += trees;
                s.classes[0].classVolume += s.classes[i].classVolume;
            });
        }
    }

    void readSummaries() {
        Table t(required("RivwoodSes"));
        const int klic = t.column("KLIC", Kind::Integer, true), zkr = t.column("DR_ZKR", Kind::Text, true);
        const int kod = t.column("DR_KOD", Kind::Integer), g = t.column("DR_G", Kind::Number),
                  plo = t.column("DR_PLO", Kind::Number), red = t.column("DR_PLO_RED", Kind::Number),
                  rha = t.column("DR_PLO_RHA", Kind::Number), zakm = t.column("DR_ZAKM", Kind::Number),
                  zas = t.column("DR_ZAS_CEL", Kind::Number), zast = t.column("DR_ZAST", Kind::Number),
                  gha = t.column("GHA", Kind::Number), jehl = t.column("JEHL", Kind::Flag),
                  porZakm = t.column("ZAKM", Kind::Number), zha = t.column("ZHA", Kind::Number);
        while (t.next()) {
            Pending* p = standOf(t, klic, [](Orphans& o) { ++o.summaries; });
            if (!p)
                continue;
            rowOf(*p, [&] {
                const QString name = t.text(zkr).trimmed();
                const int at = speciesOf(*p, name, [] { return QString("souhrnný řádek"); });
                if (p->summarised[size_t(at)])
                    throw Broken{QString("souhrnný řádek dřeviny „%1“ je uveden dvakrát").arg(name)};
                p->summarised[size_t(at)] = true;
                TManual225& s = p->out.stand.at(at);
                s.code = short16(t.integer(kod, "DR_KOD"), "DR_KOD");
                s.basalArea = t.number(g);
                s.actualArea = t.number(plo);
                s.reducedArea = t.number(red);
                s.reducedAreaShare = t.number(rha);
                s.stocking = t.number(zakm);
                s.totalStock = t.number(zas);
                s.share = t.number(zast);
                s.basalAreaPerHa = t.number(gha);
                s.conifer = t.flag(jehl);
                s.standStocking = t.number(porZakm);
                s.stockPerHa = t.number(zha);
                p->out.stand.summary = true;
            });
        }
    }

    void readHeights(const QString& path) {
        Table t(path);
        const int klic = t.column("KLIC", Kind::Integer, true), zkr = t.column("DR_ZKR", Kind::Text, true);
        const int tloustka = t.column("TLOUSTKA", Kind::Number), vyska = t.column("VYSKA", Kind::Number);
        while (t.next()) {
            Pending* p = standOf(t, klic, [](Orphans& o) { ++o.heights; });
            if (!p)
                continue;
            rowOf(*p, [&] {
                const int at =
                    speciesOf(*p, t.text(zkr).trimmed(), [] { return QString("výškový vzorník"); });
                p->out.stand.at(at).sampleHeights.push_back({t.number(tloustka), t.number(vyska)});
            });
        }
    }

    Content finish() {
        Content c;
        std::map<qint64, QString> reasons;
        for (auto& [key, p] : m_stands) {
            if (!p.problem.isEmpty()) {
                reasons[key] = QString("Porost nebyl převzat: %1.").arg(p.problem);
                continue;
            }
            for (int i = 0; i < p.out.stand.count(); ++i) {
                std::vector<TTloustkoveStupne>& classes = p.out.stand.at(i).classes;
                if (!classes.empty() && classes[0].trees > 0)
                    classes[0].treeVolume = classes[0].classVolume / classes[0].trees;
            }
            c.stands.push_back(std::move(p.out));
        }
        for (const auto& [key, o] : m_orphans) {
            QStringList parts;
            if (!o.species.isEmpty())
                parts << "dřeviny " + o.species.join(", ");
            if (o.classes > 0)
                parts << QString("tloušťkové stupně: %1").arg(o.classes);
            if (o.summaries > 0)
                parts << QString("souhrnné řádky: %1").arg(o.summaries);
            if (o.heights > 0)
                parts << QString("výškové vzorníky: %1").arg(o.heights);
            QString& r = reasons[key];
            r += (r.isEmpty() ? "" : " ") +
                 QString(
                     "Řádky bez porostu (klíč %1 nemá v tabulce porostů platný porost) nebyly převzaty: %2.")
                     .arg(key)
                     .arg(parts.join("; "));
        }
        for (const auto& [key, reason] : reasons)
            c.skipped.push_back({int(std::clamp<qint64>(key, std::numeric_limits<int>::min(),
                                                        std::numeric_limits<int>::max())),
                                 reason});
        for (const QString& name : OlderLayoutNames())
            if (const QString path = find(name + ".db"); !path.isEmpty())
                c.notRead << QFileInfo(path).fileName();
        return c;
    }

    QDir m_dir;
    std::map<qint64, Pending> m_stands;
    std::map<qint64, Orphans> m_orphans;
};

} // namespace

const QStringList& OlderLayoutNames() {
    static const QStringList names = {"rivwoopor", "jhkdre", "jhktlo", "jhkses", "jhkvys"};
    return names;
}

Content Read(const QString& directory) {
    if (!QDir(directory).exists())
        throw RivwoodError(QString("Složka „%1“ neexistuje.").arg(native(directory)));
    return Reader(directory).read();
}

} // namespace OldStands
