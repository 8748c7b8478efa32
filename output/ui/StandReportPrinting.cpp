#include "StandReportPrinting.h"

#include "ReportPreviewWindow.h"
#include "ReportProgressWindow.h"
#include "RivwoodError.h"
#include "StandDatabase.h"
#include "TFJHKSest.h"

#include "MessageBox.h"

namespace StandReportPrinting {

namespace {

template <typename Run> bool withMessages(TFJHKSest& report, QWidget* parent, Run run) {
    if (!report.Preview)
        attachPreview(report, parent);
    // The pages are numbered before the preview composes the report: the progress window shows
    // that pass and can interrupt it, and goes away when the preview begins.
    ReportProgressWindow progress(parent);
    const auto preview = report.Preview;
    report.Preview = [&](TSestava& sestava) {
        progress.hide();
        return preview(sestava);
    };
    report.NumberingProgress = &progress;
    progress.show();
    bool result = false;
    try {
        result = run();
    } catch (const RivwoodError& e) {
        progress.hide();
        MessageBox::show(parent, {UserMessage::Error, e.message()});
    }
    report.NumberingProgress = nullptr;
    report.Preview = preview;
    return result;
}

} // namespace

void attachPreview(TFJHKSest& report, QWidget* parent) {
    const QString settings = report.database().settingsFile();
    report.Preview = [parent, settings](TSestava& sestava) {
        return PreviewReport(sestava, parent, settings);
    };
}

bool printStand(TFJHKSest& report, int key, QWidget* parent) {
    return withMessages(report, parent, [&] { return report.PrintStand(key); });
}

bool printAllStands(TFJHKSest& report, QWidget* parent) {
    return withMessages(report, parent, [&] { return report.PrintAllStands(); });
}

} // namespace StandReportPrinting
