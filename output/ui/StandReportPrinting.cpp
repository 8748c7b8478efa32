#include "StandReportPrinting.h"

#include "ReportPreviewWindow.h"
#include "RivwoodError.h"
#include "TFJHKSest.h"

#include <QMessageBox>

namespace StandReportPrinting {

namespace {

template <typename Run> bool withMessages(TFJHKSest& report, QWidget* parent, Run run) {
    if (!report.Preview)
        attachPreview(report, parent);
    try {
        return run();
    } catch (const RivwoodError& e) {
        QMessageBox::critical(parent, QStringLiteral("Chyba"), e.message());
        return false;
    }
}

} // namespace

void attachPreview(TFJHKSest& report, QWidget* parent) {
    report.Preview = [parent](TSestava& sestava) { return PreviewReport(sestava, parent); };
}

bool printStand(TFJHKSest& report, int key, QWidget* parent) {
    return withMessages(report, parent, [&] { return report.PrintStand(key); });
}

bool printAllStands(TFJHKSest& report, QWidget* parent) {
    return withMessages(report, parent, [&] { return report.PrintAllStands(); });
}

} // namespace StandReportPrinting
