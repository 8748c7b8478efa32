#include "StandReports.h"

#include "MessageBox.h"
#include "TallyContext.h"

#include "StandReportPrinting.h"
#include "TFJHKSest.h"

#include <QDir>

namespace StandReports {

namespace {

void prepare(TFJHKSest& report, TallyContext& ctx) {
    report.SKomentarem = ctx.sheet.state().flags.SKomentarem;
    report.setTemplateDirectory(ctx.dataDirectory());
}

} // namespace

bool PrintStand(TallyContext& ctx, QWidget* parent, int key) {
    bool printed = false;
    RunGuarded(parent, [&] {
        TFJHKSest report(ctx.database);
        prepare(report, ctx);
        printed = StandReportPrinting::printStand(report, key, parent);
    });
    return printed;
}

bool PrintAllStands(TallyContext& ctx, QWidget* parent) {
    bool printed = false;
    RunGuarded(parent, [&] {
        TFJHKSest report(ctx.database);
        prepare(report, ctx);
        printed = StandReportPrinting::printAllStands(report, parent);
    });
    return printed;
}

} // namespace StandReports
