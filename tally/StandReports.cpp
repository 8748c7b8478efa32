#include "StandReports.h"

#include "MessageBox.h"
#include "TallyContext.h"

#ifdef RIVWOOD_TALLY_HAS_REPORT
#include "StandReportPrinting.h"
#include "TFJHKSest.h"

#include <QDir>
#endif

namespace StandReports {

#ifdef RIVWOOD_TALLY_HAS_REPORT
namespace {

void prepare(TFJHKSest& report, TallyContext& ctx) {
    report.SKomentarem = ctx.session.flags.SKomentarem;
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
#else
bool PrintStand(TallyContext&, QWidget* parent, int) {
    MessageBox::show(parent,
                     {UserMessage::Information, "Tisk sestav není v této sestavě programu k dispozici."});
    return false;
}

bool PrintAllStands(TallyContext&, QWidget* parent) {
    MessageBox::show(parent,
                     {UserMessage::Information, "Tisk sestav není v této sestavě programu k dispozici."});
    return false;
}
#endif

void WorkbookUnavailable(QWidget* parent) {
    MessageBox::show(parent, {UserMessage::Information, "Export do sešitu zatím není k dispozici."});
}

} // namespace StandReports
