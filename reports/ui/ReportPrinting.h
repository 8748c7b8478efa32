#pragma once

#include "TSestLanguage.h"

#include <QString>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;
class TSestavaD;

// Printing a composed report from its preview: the print dialog (printer, printing to a file,
// page range, copies), then the pages of the range, every copy as its own job, with the progress
// window "Informace" and its "Přerušit". A printer whose CUPS driver prints plain text gets the
// report through the character grid (lp, raw) in the code page the user chooses; printing to a
// file writes the PDF; any other printer
// gets the pages drawn at their real size.
class ReportPrinting {
  public:
    enum Result { Printed = 0, Failed = 1, NoPrinter = 2, Interrupted = 3 };

    // What the user chose in the print dialog.
    struct Choice {
        QString printer;
        QString outputFile; // printing to a file (PDF)
        int fromPage = 1;
        int toPage = 9999;
        int copies = 1;
    };

    explicit ReportPrinting(QWidget* parent = nullptr);

    // The print dialog on the printer for a report of `pageCount` pages; nothing when cancelled.
    std::function<std::optional<Choice>(QPrinter& printer, int pageCount)> chooseOptions;
    // The names of the system's printers.
    std::function<QStringList()> printerNames;
    // The CUPS make and model of a printer.
    std::function<QString(const QString& printer)> makeAndModel;
    // A message box with an OK button.
    std::function<void(const QString& message)> showMessage;
    // Program that submits line-printer jobs (lp).
    QString lpProgram = QStringLiteral("lp");
    // The code page a line printer gets (CodePageDialog unless replaced); nothing cancels the job.
    std::function<std::optional<TSestLanguage>(TSestLanguage current)> chooseCodePage;
    // The settings file that keeps the line printer's code page ([Tisk] KodovaStrankaTiskarny);
    // without one, or before the first choice, the report's ExportLanguage is offered.
    QString settingsFile;

    // Sets the report's StartPage, EndPage and PrintCopies from the dialog and prints. With no
    // printer at all the message "Není vybrána žádná předvolená tiskárna." is shown (NoPrinter).
    // A cancelled dialog prints nothing and answers Printed.
    Result print(TSestavaD& report);

    // Prints through the grid on a text-only printer.
    bool isLinePrinter(const QString& printer) const;

  private:
    Result printGraphic(TSestavaD& report, QPrinter& printer);

    QWidget* m_parent;
};
