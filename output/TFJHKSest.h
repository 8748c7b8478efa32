#pragma once

#include "QueryRows.h"
#include "StandQueryDataSet.h"
#include "StandReportQueries.h"
#include "TSestava.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class ReportProgress;
class StandDatabase;

// The stand report: the report query over the stand tables (StandReportQueries), the page
// numbers stored with the species rows (STRANKA) and the run of the report component over one
// stand or the whole database. Nothing here shows a window: the preview comes in through `Preview`.
//
// Use from a window:
//     TFJHKSest sest(database);
//     sest.Preview = [this](TSestava& report) { return PreviewReport(report, this); };  // rivwood_reports_ui
//     sest.SKomentarem = commentTicked;
//     sest.PrintStand(KlicZaznamu);   // or sest.PrintAllStands();
// Failures (no template, a template with fewer than two groups, database errors) are RivwoodErrors
// whose message is meant for the user's message box.
class TFJHKSest {
  public:
    static constexpr const char* ReportName = "jhkrep.pts";
    static constexpr const char* CommentReportName = "jhkkom.pts";

    explicit TFJHKSest(StandDatabase& database);
    ~TFJHKSest();
    TFJHKSest(const TFJHKSest&) = delete;
    TFJHKSest& operator=(const TFJHKSest&) = delete;

    // Reports with the stand comment ("jhkkom.pts") instead of "jhkrep.pts".
    bool SKomentarem = false;
    // Lowest and highest stand key printed.
    int PKlic1 = 0;
    int PKlic2 = 0;

    // The report components: the two templates, and the one that is run.
    TSestava SJHKVysRep;
    TSestava SJHKVysCom;
    TSestava SJHKVysC;

    // Shows the report, which is ready to compose over QSestava: the preview window composes it
    // and lets the user print. The result is passed back by RunStandReport. Without it the report
    // is only composed (the pages stay in SJHKVysC.output()).
    std::function<bool(TSestava& report)> Preview;
    // Directory of the templates; the program's data directory unless set.
    void setTemplateDirectory(const QString& directory) { m_templateDir = directory; }
    QString templateDirectory() const;

    // One stand: PKlic1 = PKlic2 = key, then RunStandReport.
    bool PrintStand(int key);
    // Every stand: PKlic1 = 0, PKlic2 = 2147483647, then RunStandReport.
    bool PrintAllStands();
    // Chooses the template, reads its layout, numbers the pages of all stands into STRANKA, then
    // composes the report over the stands PKlic1..PKlic2 and hands it to Preview. The result is that
    // of Preview (true without one); false when the numbering was interrupted.
    bool RunStandReport();

    // The template of SJHKVysC: "jhkkom.pts" when SKomentarem, else "jhkrep.pts", in the template
    // directory.
    void ChooseTemplate();
    // Reads the chosen template into SJHKVysC; a missing template or one with fewer than two groups
    // is a RivwoodError.
    void ReadPageLayout();
    // Page on which each stand starts in the report of all stands, written into STRANKA of every
    // computed stand (0 for a stand the report does not print), with the template read by
    // ReadPageLayout. The pages are worked out from the stands' rows and the template's section
    // heights (StandPageNumbering); a template that cannot be worked out so is laid out whole. A
    // read-only database keeps its stored numbers. False, with nothing written, when the user
    // interrupted through NumberingProgress.
    bool NumberPages();
    // Told of the records while the pages are numbered (the progress window "Informace").
    ReportProgress* NumberingProgress = nullptr;

    // The report of all stands laid out with the template read by ReadPageLayout: the page on which
    // each stand starts and the number of pages, as the engine composes them, whatever the
    // template's page breaks, group options and growing memos do. Nothing when interrupted.
    struct Layout {
        std::map<int, int> firstPages;
        int pageCount = 0;
    };
    std::optional<Layout> LayOutStands();
    // The fields of QSestava, in order.
    QStringList QSestavaFieldNames();
    // The group of the template that starts a stand.
    static constexpr int StandGroup = 1;
    // The type the report gives a field of QSestava whose values have type `type`: the comment is
    // a memo, printed over as many lines as it takes.
    static ReportDataSet::FieldType FieldType(const QString& field, ReportDataSet::FieldType type);
    StandDatabase& database() { return m_db; }

  private:
    void openQSestava(const StandReportQueries::Scope& scope);
    bool numberAllPages();
    void closeQSestava();

    StandDatabase& m_db;
    QString m_templateDir;
    std::unique_ptr<QueryRowsModel> m_qsestava;
    StandQueryDataSet m_data;
};
