#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Builds small JHK.KRI / JHK.HMO files in the reference layouts for tests.
struct KriSegment {
    int curve, lower, upper, heightDm, gainDm;
};
struct KriSpecies {
    QString code; // up to 3 characters, space-padded in the file
    std::vector<KriSegment> segments;
};
struct HmoRow {
    int curve, first;
    std::vector<int> steps; // up to 21
};
struct HmoSpecies {
    QString code;
    int firstDiameter;
    std::vector<int> diameterSteps; // up to 21
    std::vector<HmoRow> rows;
};

QByteArray BuildKri(const std::vector<KriSpecies>& species);
QByteArray BuildHmo(const std::vector<HmoSpecies>& species);
// Writes both files into dir.
void WriteReferenceFiles(const QString& dir, const std::vector<KriSpecies>& kri,
                         const std::vector<HmoSpecies>& hmo);
