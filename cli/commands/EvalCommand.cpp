// rivwood-cli eval EXPR: one report expression, evaluated without a running report.
#include "CliCommand.h"
#include "ExpressionEvaluator.h"

#include <QJsonObject>

namespace {

int runEval(const QStringList& args, const CliGlobals&) {
    const CliArgs parsed(args, {}, {});
    parsed.requirePositional(1);
    const ExpressionEvaluator evaluator;
    const ExpressionResult r = evaluator.Evaluate(parsed.positional(0));
    printJson(QJsonObject{{"code", r.code},
                          {"position", r.position},
                          {"kind", int(r.value.kind)},
                          {"number", r.value.number},
                          {"text", r.value.text}});
    return 0;
}

const CliCommand evalCommand("eval", "eval VÝRAZ", runEval);

} // namespace
