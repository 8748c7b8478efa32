#include "StandCsvExport.h"

#include "AtomicFileWriter.h"
#include "HeightCurveFit.h"
#include "RivwoodError.h"
#include "SummaryTable.h"

#include <QDir>
#include <QLocale>

namespace StandCsvExport {

namespace {

QString number(double value, Format format) {
    QString text = QString::number(value, 'g', QLocale::FloatingPointShortest);
    if (format == Format::Czech)
        text.replace('.', ',');
    return text;
}

// The species' sample count and the model of its best height curve (empty when none).
QStringList heightCurveFields(const TManual225& s) {
    const HeightCurves curves = FitHeightCurves(s.sampleHeights);
    const HeightCurveFit* best = curves.bestFit();
    return {QString::number(curves.samples.size()), best ? HeightModels::Name(best->model) : QString()};
}

QChar separator(Format format) {
    return format == Format::Czech ? ';' : ',';
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

std::vector<QStringList> StandRows(int key, const TManualy225& stand, Format format) {
    const QStringList head{QString::number(key),
                           stand.action,
                           stand.river,
                           stand.bank,
                           stand.riverKm,
                           stand.code.trimmed(),
                           number(stand.area, format),
                           QString::number(stand.age)};
    std::vector<QStringList> rows;
    for (int i = 0; i < stand.count(); ++i) {
        const TManual225& s = stand.at(i);
        const double stock = SpeciesStock(s);
        const double trees = s.classes.empty() ? 0 : s.classes[0].trees;
        rows.push_back(head +
                       QStringList{stand.abbreviationAt(i), CharsToString(s.tableSpecies),
                                   CharsToString(s.curveSpecies), number(s.meanDiameter, format),
                                   number(s.meanHeight, format), number(s.curve / 100.0, format),
                                   number(trees, format), number(s.basalArea, format),
                                   number(s.tableStock, format), number(s.conifer ? stock : 0, format),
                                   number(s.conifer ? 0 : stock, format), number(stock, format),
                                   number(s.stockPerHa, format), number(s.share, format)} +
                       heightCurveFields(s));
    }
    if (rows.empty()) {
        QStringList row = head;
        while (row.size() < Header().size())
            row << QString();
        rows.push_back(row);
    }
    return rows;
}

QString Line(const QStringList& fields, Format format) {
    const QChar sep = separator(format);
    QStringList out;
    for (const QString& f : fields) {
        if (f.contains(sep) || f.contains('"') || f.contains('\n') || f.contains('\r')) {
            QString q = f;
            q.replace('"', "\"\"");
            out << '"' + q + '"';
        } else {
            out << f;
        }
    }
    return out.join(sep);
}

void Export(StandStore& store, const std::vector<int>& keys, const QString& fileName, Format format) {
    QByteArray text = Line(Header(), format).toUtf8() + "\r\n";
    for (const int key : keys) {
        StandSession session;
        if (!store.LoadStand(session, key).found)
            throw RivwoodError(QString("Porost s klíčem %1 v databázi není.").arg(key));
        for (const QStringList& row : StandRows(key, session.stand, format))
            text += Line(row, format).toUtf8() + "\r\n";
    }
    if (const QString cause = AtomicFileWriter::Write(fileName, text); !cause.isEmpty())
        throw IoError(QString("Soubor %1 nelze uložit: %2.").arg(QDir::toNativeSeparators(fileName), cause));
}

} // namespace StandCsvExport
