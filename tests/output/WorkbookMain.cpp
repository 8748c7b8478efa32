// One core application for the workbook tests (the SQL driver needs it).
#include "ApplicationEnvironment.h"

#include <QCoreApplication>

namespace {
const auto* const kApp = testsupport::InstallApplication<QCoreApplication>("workbook_tests");
}
