#include "StandJson.h"

#include "SpeciesTables.h"

#include "RivwoodError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>

namespace StandJson {

QJsonObject SpeciesToJson(const TManual225& s) {
    QJsonArray classes;
    for (const auto& e : s.classes)
        classes.append(QJsonArray{e.centre, e.trees, e.treeVolume, e.classVolume});
    QJsonArray samples;
    for (const SampleHeight& p : s.sampleHeights)
        samples.append(QJsonArray{p.diameter, p.height});
    return QJsonObject{
        {"abbreviation", CharsToString(s.abbreviation)},
        {"curveSpecies", CharsToString(s.curveSpecies)},
        {"tableSpecies", CharsToString(s.tableSpecies)},
        {"meanDiameter", s.meanDiameter},
        {"meanDiameterComputed", s.meanDiameterComputed},
        {"meanHeight", s.meanHeight},
        {"computed", s.computed},
        {"tableStock", s.tableStock},
        {"curve", s.curve},
        {"classWidth", s.classWidth},
        {"firstCentre", s.firstCentre},
        {"classes", classes},
        {"code", s.code},
        {"conifer", s.conifer},
        {"standStocking", s.standStocking},
        {"stocking", s.stocking},
        {"actualArea", s.actualArea},
        {"reducedArea", s.reducedArea},
        {"reducedAreaShare", s.reducedAreaShare},
        {"share", s.share},
        {"basalArea", s.basalArea},
        {"basalAreaPerHa", s.basalAreaPerHa},
        {"stockPerHa", s.stockPerHa},
        {"totalStock", s.totalStock},
        {"sampleHeights", samples},
    };
}

QJsonObject ToJson(const StandSession& session, int key) {
    const TManualy225& st = session.stand;
    QJsonArray species;
    for (int i = 0; i < st.count(); ++i)
        species.append(SpeciesToJson(st.at(i)));
    return QJsonObject{
        {"name", st.name},
        {"designation", st.designation},
        {"date", st.date},
        {"comment", st.comment},
        {"code", st.code},
        {"river", st.river},
        {"bank", st.bank},
        {"riverKm", st.riverKm},
        {"action", st.action},
        {"area", st.area},
        {"shrubArea", st.shrubArea},
        {"age", st.age},
        {"summary", st.summary},
        {"key", key},
        {"change", qint64(st.changeCounter)},
        {"classWidth", session.layout.SirkaStupne},
        {"firstCentre", session.layout.StredPrvniho},
        {"species", species},
    };
}

namespace {

double number(const QJsonObject& o, const char* key, double fallback) {
    const QJsonValue v = o.value(key);
    if (v.isUndefined() || v.isNull())
        return fallback;
    if (!v.isDouble() || !std::isfinite(v.toDouble()))
        throw RivwoodError(QString("Pole „%1“ musí být číslo.").arg(key));
    return v.toDouble();
}

long long integer(const QJsonObject& o, const char* key, long long fallback) {
    const double v = number(o, key, double(fallback));
    if (v != std::floor(v) || std::fabs(v) > 2147483647.0)
        throw RivwoodError(QString("Pole „%1“ musí být celé číslo.").arg(key));
    return (long long)v;
}

QString text(const QJsonObject& o, const char* key) {
    const QJsonValue v = o.value(key);
    if (v.isUndefined() || v.isNull())
        return {};
    if (!v.isString())
        throw RivwoodError(QString("Pole „%1“ musí být text.").arg(key));
    return v.toString();
}

bool flag(const QJsonObject& o, const char* key) {
    const QJsonValue v = o.value(key);
    if (v.isUndefined() || v.isNull())
        return false;
    if (!v.isBool())
        throw RivwoodError(QString("Pole „%1“ musí být true nebo false.").arg(key));
    return v.toBool();
}

// [[diameter, height], …] of usable pairs; a species without the field has none.
SampleHeights sampleHeights(const QJsonObject& o) {
    const QJsonValue v = o.value("sampleHeights");
    if (v.isUndefined() || v.isNull())
        return {};
    const char* const malformed =
        "Každý prvek pole „sampleHeights“ musí být dvojice čísel [tloušťka, výška].";
    if (!v.isArray())
        throw RivwoodError("Pole „sampleHeights“ musí být seznam.");
    SampleHeights out;
    for (const QJsonValue& e : v.toArray()) {
        const QJsonArray pair = e.toArray();
        if (!e.isArray() || pair.size() != 2 || !pair[0].isDouble() || !pair[1].isDouble() ||
            !std::isfinite(pair[0].toDouble()) || !std::isfinite(pair[1].toDouble()))
            throw RivwoodError(malformed);
        const SampleHeight sample{pair[0].toDouble(), pair[1].toDouble()};
        if (!IsUsableSample(sample))
            throw RivwoodError(QString("Výškový vzorník [%1, %2] neplatí: tloušťka musí být větší než 0 cm "
                                       "a výška větší než 1,3 m.")
                                   .arg(sample.diameter)
                                   .arg(sample.height));
        out.push_back(sample);
    }
    return out;
}

TManual225 speciesFromJson(const QJsonObject& o, const ClassLayout& layout) {
    TManual225 s;
    s.abbreviation = StringToChars(text(o, "abbreviation").trimmed());
    s.curveSpecies = StringToChars(text(o, "curveSpecies").trimmed());
    s.tableSpecies = StringToChars(text(o, "tableSpecies").trimmed());
    // Groups left out take the defaults of the abbreviation, as a species added on the sheet does.
    const QString abbreviation = CharsToString(s.abbreviation);
    if (IsBlank(CharsToString(s.curveSpecies)))
        s.curveSpecies = StringToChars(TrimSet(SpeciesTables::CurveSpeciesOf(abbreviation)));
    if (IsBlank(CharsToString(s.tableSpecies)))
        s.tableSpecies = StringToChars(TrimSet(SpeciesTables::TableSpeciesOf(abbreviation)));
    s.meanDiameter = number(o, "meanDiameter", 0);
    s.meanDiameterComputed = flag(o, "meanDiameterComputed");
    s.meanHeight = number(o, "meanHeight", 0);
    s.computed = flag(o, "computed");
    s.tableStock = number(o, "tableStock", 0);
    s.curve = NarrowTo16(integer(o, "curve", 0), "curve");
    s.classWidth = NarrowTo16(integer(o, "classWidth", layout.SirkaStupne), "classWidth");
    s.firstCentre = number(o, "firstCentre", layout.StredPrvniho);
    const QJsonValue cv = o.value("classes");
    if (!cv.isUndefined() && !cv.isArray())
        throw RivwoodError("Pole „classes“ musí být seznam.");
    const QJsonArray classes = cv.toArray();
    // A species without classes gets the empty array of the stand's layout.
    const qsizetype n = classes.isEmpty() ? layout.ElementCount() : classes.size();
    s.classes.resize(size_t(n));
    for (qsizetype i = 0; i < classes.size(); ++i) {
        const QJsonArray e = classes[i].toArray();
        if (!classes[i].isArray() || e.size() != 4)
            throw RivwoodError("Každý prvek pole „classes“ musí mít čtyři čísla.");
        double v[4];
        for (int k = 0; k < 4; ++k) {
            if (!e[k].isDouble() || !std::isfinite(e[k].toDouble()))
                throw RivwoodError("Každý prvek pole „classes“ musí mít čtyři čísla.");
            v[k] = e[k].toDouble();
        }
        s.classes[size_t(i)] = {v[0], v[1], v[2], v[3]};
    }
    if (classes.isEmpty())
        for (qsizetype i = 1; i < n; ++i)
            s.classes[size_t(i)].centre = layout.Centre(int(i));
    s.classCount = NarrowTo16(n, "classes");
    s.code = std::int32_t(integer(o, "code", 0));
    s.conifer = flag(o, "conifer");
    s.standStocking = number(o, "standStocking", 0);
    s.stocking = number(o, "stocking", 0);
    s.actualArea = number(o, "actualArea", 0);
    s.reducedArea = number(o, "reducedArea", 0);
    s.reducedAreaShare = number(o, "reducedAreaShare", 0);
    s.share = number(o, "share", 0);
    s.basalArea = number(o, "basalArea", 0);
    s.basalAreaPerHa = number(o, "basalAreaPerHa", 0);
    s.stockPerHa = number(o, "stockPerHa", 0);
    s.totalStock = number(o, "totalStock", 0);
    s.sampleHeights = sampleHeights(o);
    return s;
}

} // namespace

int FromJson(const QJsonObject& o, StandSession& session) {
    const int width = int(integer(o, "classWidth", 4));
    const double first = number(o, "firstCentre", ClassLayout::DefaultFirstCentre(width));
    const ClassLayout layout = ClassLayout::Make(width, first);

    TManualy225 st;
    st.name = text(o, "name");
    st.designation = text(o, "designation");
    st.date = text(o, "date");
    st.comment = text(o, "comment");
    st.code = text(o, "code");
    st.river = text(o, "river");
    st.bank = text(o, "bank");
    st.riverKm = text(o, "riverKm");
    st.action = text(o, "action");
    st.area = number(o, "area", 10000);
    st.shrubArea = number(o, "shrubArea", 0);
    st.age = std::int32_t(integer(o, "age", 0));
    st.summary = flag(o, "summary");
    const int key = int(integer(o, "key", 0));
    st.changeCounter = integer(o, "change", -1);
    const QJsonValue sv = o.value("species");
    if (!sv.isUndefined() && !sv.isArray())
        throw RivwoodError("Pole „species“ musí být seznam.");
    for (const QJsonValue& v : sv.toArray()) {
        if (!v.isObject())
            throw RivwoodError("Každá dřevina musí být objekt.");
        const TManual225 s = speciesFromJson(v.toObject(), layout);
        st.append(CharsToString(s.abbreviation), s);
    }

    session.stand = std::move(st);
    session.SetClassLayout(layout.SirkaStupne, layout.StredPrvniho);
    return key;
}

int FromJsonBytes(const QByteArray& bytes, StandSession& session) {
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &err);
    if (err.error != QJsonParseError::NoError || !doc.isObject())
        throw RivwoodError(QString("Porost v JSON nelze přečíst: %1").arg(err.errorString()));
    return FromJson(doc.object(), session);
}

} // namespace StandJson
