#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Builds *.JHK stand files of versions 1, 2 and 3 for tests.
struct JhkTestSpecies {
    QString abbreviation, curveSpecies, tableSpecies;
    double meanDiameter = 0, meanHeight = 0, tableStock = 0;
    bool meanDiameterComputed = false, computed = false;
    int curve = 0, classWidth = 4;
    // element 0 = totals; each {centre, trees, treeVolume, classVolume}
    std::vector<std::vector<double>> classes;
};
struct JhkTestStand {
    QString name, designation, date;
    double area = 10000;
    double version = 3.0;
    int declaredSpecies = -1; // -1: the number of species given
    QByteArray signature = "JHK";
    std::vector<JhkTestSpecies> species;
};

QByteArray BuildJhkV3(const JhkTestStand& stand);
// Version 1 (424-byte records) or 2 (427-byte records); the three arrays take positions 0..21 from
// the species' classes (counts, one-tree volumes, class volumes).
QByteArray BuildJhkOld(const JhkTestStand& stand, int version);
// A species of width w with the right element count and counts in a few classes.
JhkTestSpecies MakeSpecies(const QString& abbr, int width, int elements);
