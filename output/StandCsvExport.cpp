#include "StandCsvExport.h"

#include "AtomicFileWriter.h"
#include "HeightCurveFit.h"
#include "RivwoodError.h"
#include "SummaryTable.h"

#include <QDir>
#include <QLocale>

namespace StandCsvExport {

namespace {

// The value rounded to `decimals` places, without trailing zeros.
Field number(double value, int decimals, Format format) {
    QString text = QString::number(value, 'f', decimals);
    if (text.contains('.')) {
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.'))
            text.chop(1);
    }
    if (text == "-0")
        text = "0";
    if (format == Format::Czech)
        text.replace('.', ',');
    return {text, false};
}

Field text(const QString& value) {
    return {value, true};
}

// The species' sample count and the model of its best height curve (empty when none).
Row heightCurveFields(const TManual225& s, Format format) {
    const HeightCurves curves = FitHeightCurves(s.sampleHeights);
    const HeightCurveFit* best = curves.bestFit();
    return {number(double(curves.samples.size()), 0, format),
            text(best ? HeightModels::Name(best->model) : QString())};
}

QChar separator(Format format) {
    return format == Format::Czech ? ';' : ',';
}

// A text as the table carries it: no control characters, and nothing a spreadsheet would run.
QString safeText(const QString& value) {
    QString out;
    out.reserve(value.size() + 1);
    for (const QChar c : value)
        if (c.category() != QChar::Other_Control)
            out += c;
    if (!out.isEmpty() && (out[0] == '=' || out[0] == '+' || out[0] == '-' || out[0] == '@'))
        out.prepend('\'');
    return out;
}

} // namespace

QStringList Header() {
    return {"klic",
            "akce",
            "tok",
            "breh",
            "ricni_km",
            "kod_porostu",
            "plocha_m2",
            "vek",
            "drevina",
            "drevina_tab",
            "drevina_jhk",
            "tloustka_cm",
            "vyska_m",
            "jhk",
            "pocet_stromu",
            "kruhova_zakladna_m2",
            "tab_zasoba_m3_ha",
            "zasoba_jehl_m3",
            "zasoba_list_m3",
            "zasoba_celk_m3",
            "zasoba_na_ha_m3",
            "zastoupeni_pct",
            "vyskove_vzorniky",
            "model_vysek"};
}

std::vector<Row> StandRows(int key, const TManualy225& stand, Format format) {
    const Row head{number(key, 0, format),
                   text(stand.action),
                   text(stand.river),
                   text(stand.bank),
                   text(stand.riverKm),
                   text(stand.code.trimmed()),
                   number(stand.area, 3, format),
                   number(stand.age, 0, format)};
    std::vector<Row> rows;
    for (int i = 0; i < stand.count(); ++i) {
        const TManual225& s = stand.at(i);
        const double stock = SpeciesStock(s);
        const double trees = s.classes.empty() ? 0 : s.classes[0].trees;
        Row row = head;
        for (const Field& f :
             {text(stand.abbreviationAt(i)), text(CharsToString(s.tableSpecies)),
              text(CharsToString(s.curveSpecies)), number(s.meanDiameter, 3, format),
              number(s.meanHeight, 3, format), number(s.curve / 100.0, 2, format), number(trees, 3, format),
              number(s.basalArea, 3, format), number(s.tableStock, 3, format),
              number(s.conifer ? stock : 0, 3, format), number(s.conifer ? 0 : stock, 3, format),
              number(stock, 3, format), number(s.stockPerHa, 3, format), number(s.share, 4, format)})
            row.push_back(f);
        for (const Field& f : heightCurveFields(s, format))
            row.push_back(f);
        rows.push_back(row);
    }
    if (rows.empty()) {
        Row row = head;
        const QStringList header = Header();
        for (qsizetype i = qsizetype(row.size()); i < header.size(); ++i)
            row.push_back(i < 11 || i == header.size() - 1 ? text({}) : Field{});
        rows.push_back(row);
    }
    return rows;
}

QString Line(const Row& fields, Format format) {
    QStringList out;
    for (const Field& f : fields) {
        if (!f.text) {
            out << f.value;
            continue;
        }
        QString q = safeText(f.value);
        q.replace('"', "\"\"");
        out << '"' + q + '"';
    }
    return out.join(separator(format));
}

void Export(StandStore& store, const std::vector<int>& keys, const QString& fileName, Format format) {
    Row header;
    for (const QString& caption : Header())
        header.push_back({caption, true});
    // The mark tells a Czech spreadsheet that the table is UTF-8 ("Břeclav", not "BĹ™eclav").
    QByteArray text = format == Format::Czech ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    text += Line(header, format).toUtf8() + "\r\n";
    for (const int key : keys) {
        StandSession session;
        if (!store.LoadStand(session, key).found)
            throw RivwoodError(QString("Porost s klíčem %1 v databázi není.").arg(key));
        for (const Row& row : StandRows(key, session.stand, format))
            text += Line(row, format).toUtf8() + "\r\n";
    }
    if (const QString cause = AtomicFileWriter::Write(fileName, text); !cause.isEmpty())
        throw IoError(QString("Soubor %1 nelze uložit: %2.").arg(QDir::toNativeSeparators(fileName), cause));
}

} // namespace StandCsvExport
