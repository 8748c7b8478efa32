// heights STAND [--model NAME] [--apply]: the height–diameter models fitted to each species' sample
// heights and the mean-stem height read from the best curve; --apply sets it as the mean height,
// as "Výška z křivky" and "Záznam" do, and prints the stand.
#include "CliCommand.h"
#include "CliSheet.h"
#include "StandJson.h"

#include <QJsonArray>
#include <QJsonObject>
#include <cmath>

namespace {

// NaN and infinities have no JSON form: a failed fit shows them as null.
QJsonValue jsonNumber(double value) {
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

QJsonObject fitJson(const HeightCurveFit& fit) {
    QJsonArray parameters;
    for (const double p : fit.parameters)
        parameters.append(jsonNumber(p));
    return QJsonObject{{"model", HeightModels::Name(fit.model)},
                       {"parameters", parameters},
                       {"rmse", jsonNumber(fit.rmse)},
                       {"bias", jsonNumber(fit.bias)},
                       {"aic", jsonNumber(fit.aic)},
                       {"converged", fit.converged}};
}

QJsonObject speciesJson(TallySheet& sheet, std::optional<HeightModel> only) {
    const HeightCurves curves = sheet.heights().curves(only);
    QJsonArray models;
    for (const HeightCurveFit& fit : curves.models)
        models.append(fitJson(fit));
    const HeightCurveFit* best = curves.bestFit();
    const double d = sheet.heights().curveDiameter();
    return QJsonObject{{"abbreviation", sheet.view().speciesText().trimmed()},
                       {"samples", int(curves.samples.size())},
                       {"models", models},
                       {"best", best ? HeightModels::Name(best->model) : QString()},
                       {"meanStemHeight", best && d > 0 ? jsonNumber(best->height(d)) : QJsonValue(0)}};
}

int run(const QStringList& argv, const CliGlobals& globals) {
    const CliArgs args(argv, {"model"}, {"apply"});
    args.requirePositional(1);
    std::optional<HeightModel> only;
    if (args.has("model")) {
        only = HeightModels::FromName(args.value("model"));
        if (!only)
            throw CliUsageError{
                QString("neznámý model %1; modely: %2").arg(args.value("model"), HeightModels::NameList())};
    }
    CliSheet cli(nullptr, referenceDirectory(globals));
    cli.load(readInput(args.positional(0)));
    TallySheet& sheet = cli.sheet;
    QJsonArray species;
    for (int i = 0; i < int(sheet.view().species.size()); ++i) {
        sheet.pickSpecies(i);
        if (!args.has("apply")) {
            species.append(speciesJson(sheet, only));
        } else if (!sheet.state().work.VyskoveVzorniky.empty()) {
            sheet.heights().heightFromCurve(only);
            sheet.meanStem().record();
        }
    }
    if (args.has("apply"))
        printJson(cli.json());
    else
        printJson(QJsonObject{{"species", species}});
    return 0;
}

const CliCommand reg("heights", "heights POROST.json [--model NÁZEV] [--apply]", run);

} // namespace
