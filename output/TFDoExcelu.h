#pragma once

#include "ClassLayout.h"
#include "ExcelLink.h"
#include "QueryRows.h"
#include "TManualy225.h"
#include "UserIdentification.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class StandDatabase;

// The template exports into workbooks. "Export": the stand on display written into a copy of the
// template Sablony/Rivwood.xltx — the summary sheet "sestava" with one row per species and the
// tally sheets "zapisnik", "zapisnik1", … with the diameter classes. "Export vše": every computed
// stand of the database in a new workbook, one sheet per survey and one block of rows per stand,
// laid out by the template's first sheet. Failures are RivwoodErrors meant for the user.
//
// Use from a window or the command line:
//     TFDoExcelu export(database);
//     export.SaveDialog1 = [](const QString& dir, const QString& name) { return chosenFile; };
//     export.ExportOneStand(key, session.stand, session.layout);
//     export.ExportAllStands();
class TFDoExcelu {
  public:
    static inline const QString TemplateName = QStringLiteral("Sablony/Rivwood.xltx");
    static inline const QString OutputFolder = QStringLiteral("Sestavy");
    static inline const QString AllStandsName = QStringLiteral("Rivwood.xlsx");
    static inline const QString NotComputed = QStringLiteral("Nejdřív je potřeba vypočítat tabulku !");

    explicit TFDoExcelu(StandDatabase& database);
    ~TFDoExcelu();

    // The template file; default the program's data directory + "Sablony/Rivwood.xltx".
    QString templateFile;
    // The save dialog of the one-stand export: the folder and proposed file name in, the chosen
    // file out (empty when the user cancelled).
    std::function<QString(const QString& directory, const QString& proposedName)> SaveDialog1;
    // Told of every stand of the all-stands export (stands done, all stands); false interrupts it,
    // and nothing is written then.
    std::function<bool(int done, int total)> Progress;

    // Database directory + "/Sestavy", created when missing.
    QString OutputDirectory() const;
    // NazevTok_NazevBreh_NazevRKm + ".xlsx".
    static QString ProposedFileName(const QueryRow& stand);

    // The stored stand `key` with the tally sheets of `stand` (its class layout `layout`). The
    // written file, or empty when the dialog was cancelled. A stand that is not stored with its
    // summary is refused with NotComputed. The dialog starts in OutputDirectory() when that
    // folder can be made, otherwise in the database directory.
    QString ExportOneStand(int key, const TManualy225& stand, const ClassLayout& layout);
    // The same into a given file, without the dialog and without making the default folder.
    QString ExportOneStand(int key, const TManualy225& stand, const ClassLayout& layout,
                           const QString& outputFile);
    // Every computed stand into `outputFile` (default OutputDirectory()/Rivwood.xlsx). The written
    // file; empty when the database has no computed stand or the user interrupted.
    QString ExportAllStands(const QString& outputFile = {});

    // The survey's sheet gets the template's first sheet without the species-row pattern and the
    // survey header of the stand `stand` (a QPor row); RadekSestavy := 6.
    void WriteSurveySheetHeader(Worksheet& sheet, const QueryRow& stand);
    // The block of the stand below RadekSestavy: location, area, stocking, one row per species
    // (out of the rows the all-stands export read), shrubs, totals; RadekSestavy := the totals row.
    void AppendStandBlock(Worksheet& sheet, const QueryRow& stand);

    int RadekSestavy = 0;

  private:
    QString proposedDirectory() const;
    std::vector<QueryRow> summaryRows(int key) const;
    QString exportOneStand(const std::vector<QueryRow>& rows, const TManualy225& stand,
                           const ClassLayout& layout, QString file);
    void writeSummarySheet(Workbook& book, const std::vector<QueryRow>& rows);
    void writeTallySheets(Workbook& book, const TManualy225& stand, const ClassLayout& layout);
    void openTemplate();

    StandDatabase& m_db;
    UserIdentification m_user; // EZavod, EProvoz, ETaxator, EUzivatel
    // The summary rows of every stand, read at once for the all-stands export.
    std::map<int, std::vector<QueryRow>> m_standRows;
    std::unique_ptr<ExcelApplication> ExcelApp;
    Workbook* TemplateBook = nullptr;
    Workbook* ResultBook = nullptr;
};
