#pragma once

#include <QString>

// Results of the table-stock equations for one mean tree.
struct TableStockResult {
    double v1 = 0; // total-stem volume of the mean tree, m3
    double v2 = 0; // reduced mean-tree volume, m3
    double T = 0;  // yield-table stock, m3/ha
    double S = 0;  // table stock T * v2 / v1, m3/ha
};

// True when an equation set exists for the table species (every one but "ker").
bool HasTableStockEquations(const QString& tableSpecies);

// Table stock for a table species and the mean diameter d (cm) and height h (m), both rounded
// to integers by the caller. d <= 6 or h <= 6 gives zeros; a species without equations returns
// `previous` unchanged, so a value the caller already holds stands.
TableStockResult TableStock(const QString& tableSpecies, int d, int h, TableStockResult previous = {});

// Only the total-stem volume v1 of the species' equation set (0 where none applies), for any
// real d and h; used by the reference-data generator to tabulate one-tree volumes.
double TotalStemVolume(const QString& tableSpecies, double d, double h);
