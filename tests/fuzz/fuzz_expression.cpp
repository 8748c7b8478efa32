// libs: rivwood_reports
// Feeds arbitrary text to the report expression evaluator, its list splitter and a report
// function, with callbacks that answer every reference.
#include "ExpressionEvaluator.h"
#include "ReportValueFormat.h"
#include "ReportValuePattern.h"
#include "TListFunkci.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    TListFunkci functions;
    TRadekFunkce::Fields fields;
    fields.expression = text;
    fields.aggregate = size % 8;
    fields.floatFormat = int(size % 5);
    fields.precision = int(size % 20);
    fields.digits = int(size % 7);
    functions.add(fields);

    ExpressionCallbacks callbacks;
    callbacks.valueRequest = [&](int code) {
        if (code >= ExpressionCallbacks::FunctionBase)
            return functions.value(code - ExpressionCallbacks::FunctionBase);
        if (code % 2)
            return ReportValue::fromText(text.left(code % 300), '.');
        return ReportValue::fromNumber(code / 7.0, '.');
    };
    callbacks.nameLookup = [](int kind, const QString& name) { return name.size() % 3 == 0 ? kind : -1; };

    ExpressionEvaluator evaluator(callbacks);
    evaluator.setLocale(size % 2 ? QLocale::c() : QLocale(QLocale::Czech, QLocale::CzechRepublic));
    const ExpressionResult r = evaluator.Evaluate(text);
    if (r.code != 0 && (r.position < 1 || r.position > text.size() + 1))
        __builtin_trap();
    evaluator.ParseList(text);
    evaluator.TextToNumber(text);
    FormatPattern(r.value.number, text, evaluator.locale());

    functions.requestRestart(-1);
    for (int i = 0; i < 3; ++i)
        functions.evaluateAll(evaluator);
    functions.item(0)->outputText(evaluator.locale());
    return 0;
}
