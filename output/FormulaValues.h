#pragma once

#include <QString>
#include <optional>
#include <unordered_map>

class Workbook;
class Worksheet;

// The result of a formula: a number, a text, a truth value or an error code ("#DIV/0!").
struct FormulaValue {
    enum Type { Number, Text, Boolean, Error };
    Type type = Number;
    double number = 0;
    QString text;
};

// The values the formula cells of a workbook take, computed as a spreadsheet computes them when it
// opens the file, so that the file can carry them beside the formulas for readers that do not
// calculate. Known: numbers, texts, TRUE/FALSE, error codes, references to cells and areas of any
// sheet and defined names, the operators + - * / ^ % & = <> < > <= >=, and the functions SUM,
// PRODUCT, AVERAGE, MIN, MAX, COUNT, COUNTA, ROUND, ROUNDUP, ROUNDDOWN, INT, ABS, SQRT, PI, IF,
// AND, OR, NOT, CONCATENATE. A formula with anything else, or one that refers to itself, has no
// value here.
class FormulaValues {
  public:
    explicit FormulaValues(const Workbook& book) : m_book(book) {}

    // The value of the formula in the cell; nothing for a cell without a formula or one this
    // evaluation does not know.
    std::optional<FormulaValue> valueOf(const Worksheet& sheet, int row, int column);

  private:
    struct Key {
        const Worksheet* sheet;
        int row, column;
        friend bool operator==(const Key&, const Key&) = default;
    };
    struct KeyHash {
        size_t operator()(const Key& k) const {
            return std::hash<const void*>()(k.sheet) ^ (size_t(k.row) * 16411u + size_t(k.column));
        }
    };
    struct Memo {
        bool done = false; // false while the formula is being evaluated
        std::optional<FormulaValue> value;
    };

    const Workbook& m_book;
    std::unordered_map<Key, Memo, KeyHash> m_memo;
    int m_depth = 0;
};
