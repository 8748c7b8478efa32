#pragma once

#include "ApplicationEnvironment.h"
#include "TSestVystup.h"

#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

// Report fonts and PDF output need a GUI application; the tests run on the offscreen platform.
inline const ::testing::Environment* InstallGuiApplication() {
    return testsupport::InstallApplication<QGuiApplication>("output_tests", true);
}

// What the stand headers of composed pages say.
struct StandHeader {
    int page = 0;    // the page the header is on
    QString list;    // the printed page number ("List:")
    QString river;   // "Tok:"
    QString riverKm; // "Říční km:"
};
std::vector<StandHeader> standHeaders(const TSestVystup& output);
// Text of the item printed after the label `label` on a page, in emission order (empty when none).
QString valueAfter(const TStranaPrvku& page, const QString& label, int occurrence = 0);
// Every text item of a page.
QStringList pageTexts(const TStranaPrvku& page);
