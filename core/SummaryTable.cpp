#include "SummaryTable.h"

#include "SpeciesTables.h"
#include "TableStock.h"
#include "TextUtils.h"

#include <algorithm>
#include <cmath>
#include <numbers>

const char* const SummaryTable::Titles[ColumnCount] = {
    "Dřev.", "Zast", "Red.pl.", "Skut.pl.", "D", "H", "Tab.zás.", "Zás.jehl.", "Zás.list.", "Zás.celk."};
const int SummaryTable::DesignWidths[ColumnCount] = {42, 31, 56, 54, 29, 30, 57, 78, 79, 86};

namespace {

// Printf width and precision of each column in the text output ("%5.5s", …).
constexpr int kOutWidth[SummaryTable::ColumnCount] = {5, 5, 9, 9, 4, 4, 10, 10, 10, 10};
constexpr int kOutPrecision[SummaryTable::ColumnCount] = {5, 5, 9, 9, 4, 4, 8, 9, 9, 9};

const QString kEmpty;

// The rounded integer the equations take; values beyond any real tree are clamped.
int roundedInput(double x) {
    if (!std::isfinite(x))
        return 0;
    return int(std::clamp(RoundHalfEven(x), -1.0e6, 1.0e6));
}

} // namespace

double SpeciesStock(const TManual225& species) {
    return species.classes.empty() ? 0.0 : species.classes[0].classVolume;
}

SummaryTable::SummaryTable() {
    ensureRows(VisibleRows);
    for (int c = 0; c < ColumnCount; ++c)
        m_cells[0][size_t(c)] = QString::fromUtf8(Titles[c]);
}

void SummaryTable::ensureRows(int rows) {
    if (int(m_cells.size()) < rows)
        m_cells.resize(size_t(rows), std::vector<QString>(ColumnCount));
}

const QString& SummaryTable::cell(int column, int row) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount)
        return kEmpty;
    return m_cells[size_t(row)][size_t(column)];
}

QString& SummaryTable::at(int column, int row) {
    ensureRows(row + 1);
    return m_cells[size_t(row)][size_t(column)];
}

bool SummaryTable::IsEditable(int column, int row, int speciesCount) {
    return column == TableStockColumn && row >= 1 && row <= speciesCount;
}

void SummaryTable::setCell(int column, int row, const QString& text) {
    if (column == TableStockColumn && row >= 1 && row < rowCount())
        at(column, row) = text;
}

void SummaryTable::Fill(const TManualy225& stand) {
    const int n = stand.count();
    m_cells.resize(size_t(std::max(VisibleRows, n + 2)), std::vector<QString>(ColumnCount));
    m_shownTableStock.assign(size_t(n), {});
    double conifer = 0, broadleaf = 0;
    for (int r = 1; r < rowCount(); ++r) {
        for (int c = 0; c < ColumnCount; ++c)
            at(c, r).clear();
        if (r > n)
            continue;
        const TManual225& s = stand.at(r - 1);
        const QString abbr = stand.abbreviationAt(r - 1).trimmed();
        at(0, r) = abbr;
        at(4, r) = FormatNumber("%2.0f", s.meanDiameter);
        at(5, r) = FormatNumber("%2.0f", s.meanHeight);
        if (s.tableStock > 0) {
            at(6, r) = FormatNumber("%5.0f", s.tableStock);
            m_shownTableStock[size_t(r - 1)] = {at(6, r), s.tableStock};
        }
        const double stock = SpeciesStock(s);
        if (SpeciesTables::IsConifer(abbr)) {
            at(7, r) = FormatNumber("%6.0f", stock);
            conifer += stock;
        } else {
            at(8, r) = FormatNumber("%6.0f", stock);
            broadleaf += stock;
        }
        at(9, r) = FormatNumber("%6.0f", stock);
    }
    at(7, n + 1) = FormatNumber("%6.0f", conifer);
    at(8, n + 1) = FormatNumber("%6.0f", broadleaf);
    at(9, n + 1) = FormatNumber("%6.0f", conifer + broadleaf);
}

SummaryResult SummaryTable::Compute(TManualy225& stand) {
    SummaryResult result;
    const int n = stand.count();
    const double area = stand.area;
    ensureRows(n + 2);

    // 1. Table stocks: the typed value, or the equations of the table species.
    bool unusable = false;
    for (int i = 1; i <= n; ++i) {
        TManual225& s = stand.at(i - 1);
        const QString& text = cell(TableStockColumn, i);
        const bool shown = size_t(i - 1) < m_shownTableStock.size() && !text.isEmpty() &&
                           m_shownTableStock[size_t(i - 1)].first == text;
        const double typed = shown ? m_shownTableStock[size_t(i - 1)].second : ToNumber(text, 0);
        if (typed < 0) {
            unusable = true;
            continue;
        }
        double value = typed;
        if (!(value > 0))
            value = TableStock(CharsToString(s.tableSpecies).trimmed(), roundedInput(s.meanDiameter),
                               roundedInput(s.meanHeight))
                        .S;
        s.tableStock = value;
        at(TableStockColumn, i) = FormatNumber("%5.0f", value);
        if (size_t(i - 1) < m_shownTableStock.size())
            m_shownTableStock[size_t(i - 1)] = {at(TableStockColumn, i), value};
    }
    if (unusable) {
        result.error = UserMessage{UserMessage::Error, ErrorText};
        return result;
    }

    // 2. Reduced areas.
    std::vector<double> reduced(size_t(n), 0.0);
    double sum = 0;
    for (int i = 1; i <= n; ++i) {
        const TManual225& s = stand.at(i - 1);
        const double r = s.tableStock > 0 ? SpeciesStock(s) / s.tableStock * 10000.0 : 0.0;
        reduced[size_t(i - 1)] = r;
        at(2, i) = FormatNumber("%9.0f", r);
        sum += r;
    }

    // 3. Stocking.
    const double z = area > 0 ? sum / area : 0.0;
    m_stockingText = FormatNumber("%5.1f", 10 * z);
    at(2, n + 1) = FormatNumber("%9.0f", sum);

    // 4. Shares, areas, codes, per-hectare values and basal areas.
    for (int i = 1; i <= n; ++i) {
        TManual225& s = stand.at(i - 1);
        const QString abbr = stand.abbreviationAt(i - 1).trimmed();
        const double r = reduced[size_t(i - 1)];
        const double p = s.tableStock * sum > 0 ? r / sum * 100.0 : 0.0;
        at(1, i) = FormatNumber("%3.0f", p);
        const double actual = area * p / 100.0;
        at(3, i) = FormatNumber("%9.0f", actual);
        s.reducedArea = r;
        s.code = SpeciesTables::SpeciesCode(abbr);
        s.share = p;
        s.standStocking = z;
        s.stocking = z * p / 100.0;
        s.actualArea = actual;
        s.reducedAreaShare = area > 0 ? r / area : 0.0;
        s.totalStock = SpeciesStock(s);
        s.conifer = SpeciesTables::IsConifer(abbr);
        s.stockPerHa = area != 0 ? s.totalStock / area * 10000.0 : 0.0;
        double g = 0;
        for (size_t k = 1; k < s.classes.size(); ++k) {
            const double radius = s.classes[k].centre / 200.0;
            g += std::numbers::pi * radius * radius * s.classes[k].trees;
        }
        s.basalArea = g;
        s.basalAreaPerHa = area != 0 ? g / area * 10000.0 : 0.0;
    }
    result.reducedAreaSum = sum;
    result.stocking = z;
    return result;
}

QStringList SummaryTable::TextOutputLines(const TManualy225& stand) const {
    QStringList lines;
    lines << " JHK - výpočet zásob "
          << "";
    lines << "Název   " + stand.name + "                   Plocha " + FormatNumber("%7.2f", stand.area);
    lines << "Porost    " + stand.designation + "      Datum  " + stand.date + "             Zakmenění " +
                 m_stockingText;
    lines << "";
    for (int r = 0; r <= stand.count() + 1; ++r) {
        QString line;
        for (int c = 0; c < ColumnCount; ++c)
            line += cell(c, r).left(kOutPrecision[c]).rightJustified(kOutWidth[c], ' ');
        lines << line;
    }
    lines << "";
    return lines;
}
