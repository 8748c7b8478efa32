#pragma once

#include "ReportPrinting.h"

#include <QDialog>
#include <array>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;
class ReportPageView;
class TSestavaD;

// "Prohlížení sestavy před tiskem": the composed pages of a report one at a time, with the page
// buttons "První stránka", "Předchozí stránka", "Další stránka", "Poslední stránka", the page number
// and page count, zooms from 32 to 200 %, "Tisk sestavy", a PDF copy of the pages, the text of the
// report in a chosen code page ("Uložit jako text...") and "Ukončení" (closes with OK). "Oprava
// předlohy" (the template designer) is disabled.
class ReportPreviewWindow : public QDialog {
    Q_OBJECT

  public:
    static constexpr std::array<int, 10> Zooms{32, 40, 50, 64, 75, 83, 100, 120, 150, 200};

    explicit ReportPreviewWindow(TSestavaD& report, QWidget* parent = nullptr);

    int currentPage() const; // 1-based
    void showPage(int number);
    int zoom() const;
    void setZoom(int percent);

    // The printing started by "Tisk sestavy"; its dialogs can be replaced (tests).
    ReportPrinting& printing() { return m_printing; }
    // Asks for the file of "Uložit do PDF..." (a save dialog unless replaced).
    std::function<QString()> choosePdfFile;
    // Asks for the file and the code page of "Uložit jako text..." (a save dialog and
    // CodePageDialog unless replaced); an empty name or no code page cancels.
    std::function<QString()> chooseTextFile;
    std::function<std::optional<TSestLanguage>(TSestLanguage current)> chooseCodePage;
    // The settings file that keeps the code pages of the text and of line printers ([Tisk]).
    void setSettingsFile(const QString& file);

  private:
    void updateState();
    void print();
    void savePdf();
    void saveText();

    TSestavaD& m_report;
    ReportPrinting m_printing;
    ReportPageView* m_view;
    QScrollArea* m_scroll;
    QToolButton* m_first;
    QToolButton* m_prior;
    QToolButton* m_next;
    QToolButton* m_last;
    QLabel* m_pageNumber;
    QLabel* m_pageCount;
    QButtonGroup* m_zooms;
    QPushButton* m_edit;
    QString m_settingsFile;
};

// Composes the report with the progress window, then shows the preview modally, maximised, at
// 100 %. True when the preview was closed with OK ("Ukončení"); a report that cannot be composed
// shows its error and answers false. `settingsFile` keeps the code pages chosen in it.
class TSestava;
bool PreviewReport(TSestava& report, QWidget* parent = nullptr, const QString& settingsFile = QString());
