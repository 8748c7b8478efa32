#include "FormulaValues.h"

#include "CellReference.h"
#include "Workbook.h"

#include <QLocale>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <vector>

namespace {

// A formula or a reference this evaluation does not know: the cell gets no value.
struct Unknown {};

FormulaValue number(double n) {
    if (!std::isfinite(n))
        return {FormulaValue::Error, 0, QStringLiteral("#NUM!")};
    return {FormulaValue::Number, n, {}};
}
FormulaValue text(const QString& t) {
    return {FormulaValue::Text, 0, t};
}
FormulaValue boolean(bool b) {
    return {FormulaValue::Boolean, b ? 1.0 : 0.0, {}};
}
FormulaValue error(const char* code) {
    return {FormulaValue::Error, 0, QString::fromLatin1(code)};
}

// A parsed formula.
struct Node {
    enum Kind { Constant, Reference, Name, Negate, Percent, Binary, Call };
    Kind kind = Constant;
    FormulaValue constant;
    const Worksheet* sheet = nullptr; // Reference
    CellReference::Area area;         // Reference
    QString name;                     // Name, Call (upper case), Binary (the operator)
    std::vector<std::unique_ptr<Node>> children;
};
using NodePtr = std::unique_ptr<Node>;

// Parses a formula into nodes and evaluates them over the workbook.
class FormulaParser {
  public:
    FormulaParser(FormulaValues& values, const Worksheet& sheet, const QString& formula)
        : m_values(values), m_sheet(sheet), m_f(formula) {}

    FormulaValue evaluate() {
        NodePtr node = comparison();
        skipSpace();
        if (m_i != m_f.size())
            throw Unknown{};
        return scalar(*node);
    }

  private:
    // An operand: a value, or the cells of an area (a single cell is an area too).
    struct Operand {
        bool isArea = false;
        FormulaValue value;
        const Worksheet* sheet = nullptr;
        CellReference::Area area;
        bool empty = false; // a reference to an empty cell, taken as a value
    };

    void skipSpace() {
        while (m_i < m_f.size() && m_f[m_i].isSpace())
            ++m_i;
    }
    bool take(QStringView token) { return takeToken(token); }
    bool take(QLatin1String token) { return takeToken(token); }
    template <typename Token> bool takeToken(Token token) {
        skipSpace();
        if (QStringView(m_f).mid(m_i).startsWith(token)) {
            m_i += token.size();
            return true;
        }
        return false;
    }
    NodePtr binary(const QString& op, NodePtr left, NodePtr right) {
        auto n = std::make_unique<Node>();
        n->kind = Node::Binary;
        n->name = op;
        n->children.push_back(std::move(left));
        n->children.push_back(std::move(right));
        return n;
    }

    NodePtr comparison() {
        NodePtr left = concatenation();
        for (;;) {
            QString op;
            for (const char* o : {"<>", "<=", ">=", "=", "<", ">"})
                if (take(QLatin1String(o))) {
                    op = QLatin1String(o);
                    break;
                }
            if (op.isEmpty())
                return left;
            left = binary(op, std::move(left), concatenation());
        }
    }
    NodePtr concatenation() {
        NodePtr left = additive();
        while (take(u"&"))
            left = binary(QStringLiteral("&"), std::move(left), additive());
        return left;
    }
    NodePtr additive() {
        NodePtr left = multiplicative();
        for (;;) {
            if (take(u"+"))
                left = binary(QStringLiteral("+"), std::move(left), multiplicative());
            else if (take(u"-"))
                left = binary(QStringLiteral("-"), std::move(left), multiplicative());
            else
                return left;
        }
    }
    NodePtr multiplicative() {
        NodePtr left = power();
        for (;;) {
            if (take(u"*"))
                left = binary(QStringLiteral("*"), std::move(left), power());
            else if (take(u"/"))
                left = binary(QStringLiteral("/"), std::move(left), power());
            else
                return left;
        }
    }
    NodePtr power() {
        NodePtr left = unary();
        while (take(u"^"))
            left = binary(QStringLiteral("^"), std::move(left), unary());
        return left;
    }
    // Negation binds tighter than "^", as in a spreadsheet: -2^2 is 4.
    NodePtr unary() {
        if (take(u"-")) {
            auto n = std::make_unique<Node>();
            n->kind = Node::Negate;
            n->children.push_back(unary());
            return n;
        }
        if (take(u"+"))
            return unary();
        NodePtr operand = primary();
        while (take(u"%")) {
            auto n = std::make_unique<Node>();
            n->kind = Node::Percent;
            n->children.push_back(std::move(operand));
            operand = std::move(n);
        }
        return operand;
    }

    NodePtr constant(const FormulaValue& v) {
        auto n = std::make_unique<Node>();
        n->constant = v;
        return n;
    }

    NodePtr primary() {
        skipSpace();
        if (m_i >= m_f.size())
            throw Unknown{};
        const QChar c = m_f[m_i];
        if (c == u'(') {
            ++m_i;
            NodePtr inner = comparison();
            if (!take(u")"))
                throw Unknown{};
            return inner;
        }
        if (c == u'"')
            return constant(text(quoted(u'"')));
        if (c.isDigit() || c == u'.')
            return constant(number(numberLiteral()));
        if (c == u'#')
            return constant(errorLiteral());
        if (c == u'\'') {
            const QString sheetName = quoted(u'\'');
            if (!take(u"!"))
                throw Unknown{};
            return reference(sheetByName(sheetName), word());
        }
        const QString w = word();
        if (w.isEmpty())
            throw Unknown{};
        skipSpace();
        if (m_i < m_f.size() && m_f[m_i] == u'!') {
            ++m_i;
            return reference(sheetByName(w), word());
        }
        if (m_i < m_f.size() && m_f[m_i] == u'(')
            return call(w.toUpper());
        if (w.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0)
            return constant(boolean(true));
        if (w.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0)
            return constant(boolean(false));
        CellReference::Cell cell;
        if (CellReference::parseCell(w, cell) || (m_i < m_f.size() && m_f[m_i] == u':'))
            return reference(&m_sheet, w);
        auto n = std::make_unique<Node>();
        n->kind = Node::Name;
        n->name = w;
        return n;
    }

    QString word() {
        skipSpace();
        const qsizetype start = m_i;
        while (m_i < m_f.size() && (m_f[m_i].isLetterOrNumber() || m_f[m_i] == u'_' || m_f[m_i] == u'.' ||
                                    m_f[m_i] == u'$' || m_f[m_i] == u'\\'))
            ++m_i;
        return m_f.mid(start, m_i - start);
    }

    // "A1", "$A$1:B7" or the column area "A:C", the first part already read.
    NodePtr reference(const Worksheet* sheet, const QString& first) {
        if (!sheet)
            throw Unknown{};
        auto n = std::make_unique<Node>();
        n->kind = Node::Reference;
        n->sheet = sheet;
        CellReference::Cell a, b;
        if (take(u":")) {
            const QString second = word();
            if (CellReference::parseCell(first, a) && CellReference::parseCell(second, b)) {
                n->area = {std::min(a.row, b.row), std::min(a.column, b.column), std::max(a.row, b.row),
                           std::max(a.column, b.column)};
                return n;
            }
            const auto column = [](QString part) {
                return CellReference::columnNumber(QStringView(part).mid(part.startsWith(u'$') ? 1 : 0));
            };
            const int c1 = column(first), c2 = column(second);
            if (c1 == 0 || c2 == 0)
                throw Unknown{};
            n->area = {1, std::min(c1, c2), CellReference::MaxRow, std::max(c1, c2)};
            return n;
        }
        if (!CellReference::parseCell(first, a))
            throw Unknown{};
        n->area = {a.row, a.column, a.row, a.column};
        return n;
    }

    const Worksheet* sheetByName(const QString& name) const { return m_sheet.book().findSheet(name); }

    NodePtr call(const QString& name) {
        auto n = std::make_unique<Node>();
        n->kind = Node::Call;
        n->name = name;
        take(u"(");
        if (take(u")"))
            return n;
        do
            n->children.push_back(comparison());
        while (take(u","));
        if (!take(u")"))
            throw Unknown{};
        return n;
    }

    // A text between `quote` characters, a doubled one standing for itself.
    QString quoted(QChar quote) {
        QString out;
        for (++m_i; m_i < m_f.size(); ++m_i) {
            if (m_f[m_i] == quote) {
                if (m_i + 1 < m_f.size() && m_f[m_i + 1] == quote) {
                    out += quote;
                    ++m_i;
                    continue;
                }
                ++m_i;
                return out;
            }
            out += m_f[m_i];
        }
        throw Unknown{};
    }

    double numberLiteral() {
        const qsizetype start = m_i;
        while (m_i < m_f.size() && (m_f[m_i].isDigit() || m_f[m_i] == u'.'))
            ++m_i;
        if (m_i < m_f.size() && (m_f[m_i] == u'E' || m_f[m_i] == u'e')) {
            qsizetype j = m_i + 1;
            if (j < m_f.size() && (m_f[j] == u'+' || m_f[j] == u'-'))
                ++j;
            if (j < m_f.size() && m_f[j].isDigit()) {
                m_i = j;
                while (m_i < m_f.size() && m_f[m_i].isDigit())
                    ++m_i;
            }
        }
        bool ok = false;
        const double v = QStringView(m_f).mid(start, m_i - start).toDouble(&ok);
        if (!ok)
            throw Unknown{};
        return v;
    }

    FormulaValue errorLiteral() {
        for (const char* code : {"#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A", "#NULL!"})
            if (take(QLatin1String(code)))
                return error(code);
        throw Unknown{};
    }

    // Evaluation.

    // The value of a cell; nothing for an empty one.
    std::optional<FormulaValue> cellValue(const Worksheet& sheet, int row, int column) {
        const SheetCell* c = sheet.cell(row, column);
        if (!c)
            return std::nullopt;
        if (!c->formula.isEmpty()) {
            const std::optional<FormulaValue> v = m_values.valueOf(sheet, row, column);
            if (!v)
                throw Unknown{};
            return v;
        }
        switch (c->type) {
        case SheetCell::Empty:
            return std::nullopt;
        case SheetCell::Number:
            return number(c->number);
        case SheetCell::Text:
            return text(c->text);
        case SheetCell::Boolean:
            return boolean(c->number != 0);
        case SheetCell::Error:
            return FormulaValue{FormulaValue::Error, 0, c->text};
        }
        return std::nullopt;
    }

    // Every non-empty cell of an area, row by row.
    void eachCell(const Worksheet& sheet, const CellReference::Area& a,
                  const std::function<void(const FormulaValue&)>& f) {
        const auto& rows = sheet.rows();
        for (auto r = rows.lower_bound(a.firstRow); r != rows.end() && r->first <= a.lastRow; ++r)
            for (auto c = r->second.cells.lower_bound(a.firstColumn);
                 c != r->second.cells.end() && c->first <= a.lastColumn; ++c)
                if (const std::optional<FormulaValue> v = cellValue(sheet, r->first, c->first))
                    f(*v);
    }

    Operand operand(const Node& n) {
        if (n.kind == Node::Reference)
            return {true, {}, n.sheet, n.area, false};
        if (n.kind == Node::Name) {
            const auto named = m_sheet.book().namedArea(n.name);
            if (!named)
                return {false, error("#NAME?"), nullptr, {}, false};
            return {true, {}, named->first, named->second, false};
        }
        return {false, scalar(n), nullptr, {}, false};
    }

    // An operand as one value: an area gives its single cell (an empty one as `empty`).
    Operand single(const Node& n) {
        Operand o = operand(n);
        if (!o.isArea)
            return o;
        if (o.area.firstRow != o.area.lastRow || o.area.firstColumn != o.area.lastColumn)
            return {false, error("#VALUE!"), nullptr, {}, false};
        const std::optional<FormulaValue> v = cellValue(*o.sheet, o.area.firstRow, o.area.firstColumn);
        return {false, v.value_or(FormulaValue{}), nullptr, {}, !v};
    }

    FormulaValue scalar(const Node& n) {
        switch (n.kind) {
        case Node::Constant:
            return n.constant;
        case Node::Reference:
        case Node::Name:
            return single(n).value;
        case Node::Negate: {
            const FormulaValue v = toNumber(single(*n.children[0]));
            return v.type == FormulaValue::Error ? v : number(-v.number);
        }
        case Node::Percent: {
            const FormulaValue v = toNumber(single(*n.children[0]));
            return v.type == FormulaValue::Error ? v : number(v.number / 100);
        }
        case Node::Binary:
            return binaryValue(n.name, single(*n.children[0]), single(*n.children[1]));
        case Node::Call:
            return callValue(n);
        }
        throw Unknown{};
    }

    static FormulaValue toNumber(const Operand& o) {
        if (o.empty)
            return number(0);
        const FormulaValue& v = o.value;
        switch (v.type) {
        case FormulaValue::Number:
        case FormulaValue::Error:
            return v;
        case FormulaValue::Boolean:
            return number(v.number);
        case FormulaValue::Text: {
            bool ok = false;
            const double n = QLocale::c().toDouble(v.text.trimmed(), &ok);
            return ok ? number(n) : error("#VALUE!");
        }
        }
        return error("#VALUE!");
    }

    // A number as a spreadsheet writes it into a text: up to 15 significant digits.
    static QString numberText(double n) {
        QString t = QString::number(n, 'g', 15);
        return t.replace(QLatin1String("e+"), QLatin1String("E+"))
            .replace(QLatin1String("e-"), QLatin1String("E-"));
    }

    static FormulaValue toText(const Operand& o) {
        if (o.empty)
            return text({});
        const FormulaValue& v = o.value;
        switch (v.type) {
        case FormulaValue::Text:
        case FormulaValue::Error:
            return v;
        case FormulaValue::Boolean:
            return text(v.number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
        case FormulaValue::Number:
            return text(numberText(v.number));
        }
        return v;
    }

    // Numbers before texts before truth values; texts compare without letter case; an empty cell
    // equals 0, "" and FALSE.
    static int compare(const Operand& a, const Operand& b) {
        const auto rank = [](const FormulaValue& v) {
            return v.type == FormulaValue::Number ? 0 : v.type == FormulaValue::Text ? 1 : 2;
        };
        // An empty side takes the other side's kind of nothing.
        const auto nothingLike = [](const Operand& other) {
            return other.empty ? FormulaValue{} : FormulaValue{other.value.type, 0, {}};
        };
        const FormulaValue x = a.empty ? nothingLike(b) : a.value;
        const FormulaValue y = b.empty ? nothingLike(a) : b.value;
        if (rank(x) != rank(y))
            return rank(x) < rank(y) ? -1 : 1;
        if (x.type == FormulaValue::Text)
            return x.text.compare(y.text, Qt::CaseInsensitive);
        return x.number < y.number ? -1 : x.number > y.number ? 1 : 0;
    }

    FormulaValue binaryValue(const QString& op, const Operand& a, const Operand& b) {
        if (!a.empty && a.value.type == FormulaValue::Error)
            return a.value;
        if (!b.empty && b.value.type == FormulaValue::Error)
            return b.value;
        if (op == u'&')
            return text(toText(a).text + toText(b).text);
        if (op == u'=' || op == QLatin1String("<>") || op == u'<' || op == u'>' ||
            op == QLatin1String("<=") || op == QLatin1String(">=")) {
            const int c = compare(a, b);
            if (op == u'=')
                return boolean(c == 0);
            if (op == QLatin1String("<>"))
                return boolean(c != 0);
            if (op == u'<')
                return boolean(c < 0);
            if (op == u'>')
                return boolean(c > 0);
            return boolean(op == QLatin1String("<=") ? c <= 0 : c >= 0);
        }
        const FormulaValue x = toNumber(a), y = toNumber(b);
        if (x.type == FormulaValue::Error)
            return x;
        if (y.type == FormulaValue::Error)
            return y;
        if (op == u'+')
            return number(x.number + y.number);
        if (op == u'-')
            return number(x.number - y.number);
        if (op == u'*')
            return number(x.number * y.number);
        if (op == u'/')
            return y.number == 0 ? error("#DIV/0!") : number(x.number / y.number);
        return number(std::pow(x.number, y.number));
    }

    // The numbers of the arguments as SUM takes them: in areas only numbers count, a value given
    // directly is converted (a text that is no number is #VALUE!). False with `err` on an error.
    bool numbers(const Node& call, std::vector<double>& out, FormulaValue& err, int* nonEmpty = nullptr) {
        bool failed = false;
        for (const NodePtr& arg : call.children) {
            const Operand o = operand(*arg);
            if (o.isArea) {
                eachCell(*o.sheet, o.area, [&](const FormulaValue& v) {
                    if (nonEmpty)
                        ++*nonEmpty;
                    if (v.type == FormulaValue::Number)
                        out.push_back(v.number);
                    else if (v.type == FormulaValue::Error && !failed) {
                        err = v;
                        failed = true;
                    }
                });
                continue;
            }
            if (nonEmpty)
                ++*nonEmpty;
            const FormulaValue v = toNumber(o);
            if (v.type == FormulaValue::Error) {
                if (nonEmpty && o.value.type == FormulaValue::Text)
                    continue; // COUNT and COUNTA look, they do not convert
                err = v;
                return false;
            }
            out.push_back(v.number);
        }
        return !failed;
    }

    FormulaValue argumentNumber(const Node& call, size_t i, double fallback) {
        if (i >= call.children.size())
            return number(fallback);
        return toNumber(single(*call.children[i]));
    }

    // Rounded as a spreadsheet rounds the decimal it shows (2.675 to 2.68): on 15 significant
    // digits, halves away from zero; `mode` 0 rounds, 1 rounds up, -1 down (both away from and
    // towards zero).
    static double roundedTo(double x, double digits, int mode) {
        const auto shown = [](double v) { return QString::number(v, 'g', 15).toDouble(); };
        const double scale = std::pow(10.0, std::trunc(digits));
        const double v = shown(std::abs(shown(x)) * scale);
        const double r = mode == 0 ? std::floor(v + 0.5) : mode > 0 ? std::ceil(v) : std::floor(v);
        return std::copysign(r / scale, x);
    }

    FormulaValue callValue(const Node& n) {
        const QString& f = n.name;
        const size_t args = n.children.size();
        if (f == QLatin1String("PI") && args == 0)
            return number(std::numbers::pi);
        if (f == QLatin1String("IF") && (args == 2 || args == 3)) {
            const Operand c = single(*n.children[0]);
            if (!c.empty && c.value.type == FormulaValue::Error)
                return c.value;
            const FormulaValue t = c.value.type == FormulaValue::Text ? error("#VALUE!") : toNumber(c);
            if (t.type == FormulaValue::Error)
                return t;
            if (t.number != 0)
                return scalar(*n.children[1]);
            return args == 3 ? scalar(*n.children[2]) : boolean(false);
        }
        if (f == QLatin1String("CONCATENATE") && args > 0) {
            QString out;
            for (const NodePtr& arg : n.children) {
                const FormulaValue t = toText(single(*arg));
                if (t.type == FormulaValue::Error)
                    return t;
                out += t.text;
            }
            return text(out);
        }
        if ((f == QLatin1String("AND") || f == QLatin1String("OR")) && args > 0) {
            std::vector<double> values;
            FormulaValue err;
            if (!numbers(n, values, err))
                return err;
            if (values.empty())
                return error("#VALUE!");
            bool all = true, any = false;
            for (double v : values) {
                all = all && v != 0;
                any = any || v != 0;
            }
            return boolean(f == QLatin1String("AND") ? all : any);
        }
        if (f == QLatin1String("NOT") && args == 1) {
            const FormulaValue v = toNumber(single(*n.children[0]));
            return v.type == FormulaValue::Error ? v : boolean(v.number == 0);
        }
        if ((f == QLatin1String("ROUND") || f == QLatin1String("ROUNDUP") ||
             f == QLatin1String("ROUNDDOWN")) &&
            args == 2) {
            const FormulaValue x = argumentNumber(n, 0, 0), d = argumentNumber(n, 1, 0);
            if (x.type == FormulaValue::Error)
                return x;
            if (d.type == FormulaValue::Error)
                return d;
            return number(roundedTo(x.number, d.number,
                                    f == QLatin1String("ROUND")     ? 0
                                    : f == QLatin1String("ROUNDUP") ? 1
                                                                    : -1));
        }
        if ((f == QLatin1String("INT") || f == QLatin1String("ABS") || f == QLatin1String("SQRT")) &&
            args == 1) {
            const FormulaValue x = argumentNumber(n, 0, 0);
            if (x.type == FormulaValue::Error)
                return x;
            if (f == QLatin1String("INT"))
                return number(std::floor(x.number));
            if (f == QLatin1String("ABS"))
                return number(std::abs(x.number));
            return x.number < 0 ? error("#NUM!") : number(std::sqrt(x.number));
        }
        if (f == QLatin1String("COUNT") || f == QLatin1String("COUNTA")) {
            std::vector<double> values;
            FormulaValue err;
            int nonEmpty = 0;
            numbers(n, values, err, &nonEmpty);
            return number(f == QLatin1String("COUNT") ? double(values.size()) : double(nonEmpty));
        }
        if (f == QLatin1String("SUM") || f == QLatin1String("PRODUCT") || f == QLatin1String("AVERAGE") ||
            f == QLatin1String("MIN") || f == QLatin1String("MAX")) {
            std::vector<double> values;
            FormulaValue err;
            if (!numbers(n, values, err))
                return err;
            if (f == QLatin1String("SUM") || f == QLatin1String("AVERAGE")) {
                double sum = 0;
                for (double v : values)
                    sum += v;
                if (f == QLatin1String("SUM"))
                    return number(sum);
                return values.empty() ? error("#DIV/0!") : number(sum / double(values.size()));
            }
            if (f == QLatin1String("PRODUCT")) {
                double p = values.empty() ? 0 : 1;
                for (double v : values)
                    p *= v;
                return number(p);
            }
            if (values.empty())
                return number(0);
            double m = values.front();
            for (double v : values)
                m = f == QLatin1String("MIN") ? std::min(m, v) : std::max(m, v);
            return number(m);
        }
        throw Unknown{};
    }

    FormulaValues& m_values;
    const Worksheet& m_sheet;
    const QString& m_f;
    qsizetype m_i = 0;
};

} // namespace

std::optional<FormulaValue> FormulaValues::valueOf(const Worksheet& sheet, int row, int column) {
    const SheetCell* c = sheet.cell(row, column);
    if (!c || c->formula.isEmpty())
        return std::nullopt;
    const Key key{&sheet, row, column};
    const auto [it, added] = m_memo.try_emplace(key);
    if (!added)
        return it->second.done ? it->second.value : std::nullopt; // a formula that refers to itself
    std::optional<FormulaValue> value;
    // A chain of formulas deeper than this is left to the spreadsheet.
    if (m_depth < 500) {
        ++m_depth;
        try {
            value = FormulaParser(*this, sheet, c->formula).evaluate();
        } catch (const Unknown&) {
        }
        --m_depth;
    }
    Memo& memo = m_memo[key];
    memo.done = true;
    memo.value = value;
    return value;
}
