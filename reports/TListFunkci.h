#pragma once

#include "ExpressionCallbacks.h"
#include "TRadekFunkce.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class ExpressionEvaluator;

// The report functions of one report in template order; an item's 1-based position is its
// number in "@n" references.
class TListFunkci {
  public:
    int count() const { return int(m_items.size()); }
    // The item at a 0-based index, or nullptr when out of range.
    TRadekFunkce* item(int index) const;
    TRadekFunkce& add(const TRadekFunkce::Fields& fields);
    TRadekFunkce& add(std::unique_ptr<TRadekFunkce> function);
    void deleteLast();
    void clear() { m_items.clear(); }

    // Restart request for one group (negative: all functions).
    void requestRestart(int group);
    // Evaluates every function once, in list order.
    void evaluateAll(const ExpressionEvaluator& evaluator);
    // 0-based index of a function by name, case-insensitive; -1 when absent.
    int indexOf(const QString& name) const;
    // "#", the 1-based number left-justified in three characters, then the name.
    QString listCaption(int index) const;
    // Current value of the function at a 0-based index; empty when out of range.
    ReportValue value(int index) const;

  private:
    std::vector<std::unique_ptr<TRadekFunkce>> m_items;
};

// What a running report offers to its expressions.
struct ReportDataAccess {
    // Current value of data field `field` (0-based) as its display text and number.
    std::function<ReportValue(int field)> fieldValue;
    // 0-based index of a data field by name, -1 when absent.
    std::function<int(const QString& name)> fieldIndex;
    const QStringList* parameters = nullptr; // parameter texts, "&1" is the first
    const TListFunkci* functions = nullptr;  // "@1" is the first
};

// Callbacks answering field, parameter and function references from a running report.
ExpressionCallbacks makeReportCallbacks(const ReportDataAccess& access, QChar decimalSeparator);
