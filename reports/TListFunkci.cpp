#include "TListFunkci.h"

#include "ExpressionEvaluator.h"

TRadekFunkce* TListFunkci::item(int index) const {
    if (index < 0 || index >= count())
        return nullptr;
    return m_items[size_t(index)].get();
}

TRadekFunkce& TListFunkci::add(const TRadekFunkce::Fields& fields) {
    return add(std::make_unique<TRadekFunkce>(fields));
}

TRadekFunkce& TListFunkci::add(std::unique_ptr<TRadekFunkce> function) {
    m_items.push_back(std::move(function));
    return *m_items.back();
}

void TListFunkci::deleteLast() {
    if (!m_items.empty())
        m_items.pop_back();
}

void TListFunkci::requestRestart(int group) {
    for (auto& f : m_items)
        f->requestRestart(group);
}

void TListFunkci::evaluateAll(const ExpressionEvaluator& evaluator) {
    for (auto& f : m_items)
        f->evaluate(evaluator);
}

int TListFunkci::indexOf(const QString& name) const {
    for (int i = 0; i < count(); ++i)
        if (m_items[size_t(i)]->name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString TListFunkci::listCaption(int index) const {
    const TRadekFunkce* f = item(index);
    if (!f)
        return {};
    return QStringLiteral("#") + QString::number(index + 1).leftJustified(3, QChar(' ')) + f->name();
}

ReportValue TListFunkci::value(int index) const {
    const TRadekFunkce* f = item(index);
    return f ? f->value() : ReportValue();
}

ExpressionCallbacks makeReportCallbacks(const ReportDataAccess& access, QChar sep) {
    ExpressionCallbacks callbacks;
    callbacks.valueRequest = [access, sep](int code) -> ReportValue {
        if (code >= ExpressionCallbacks::FunctionBase)
            return access.functions ? access.functions->value(code - ExpressionCallbacks::FunctionBase)
                                    : ReportValue();
        if (code >= ExpressionCallbacks::FieldBase)
            return access.fieldValue ? access.fieldValue(code - ExpressionCallbacks::FieldBase)
                                     : ReportValue();
        if (code >= ExpressionCallbacks::ParameterBase) {
            const int i = code - ExpressionCallbacks::ParameterBase;
            if (access.parameters && i < access.parameters->size())
                return ReportValue::fromText(access.parameters->at(i), sep);
        }
        return {};
    };
    callbacks.nameLookup = [access](int kind, const QString& name) -> int {
        if (kind == ExpressionCallbacks::FieldName)
            return access.fieldIndex ? access.fieldIndex(name) : -1;
        if (kind == ExpressionCallbacks::FunctionName)
            return access.functions ? access.functions->indexOf(name) : -1;
        return -1;
    };
    return callbacks;
}
