#pragma once

#include "ResultsWorkbook.h"

#include <QWidget>

class QTableWidget;
class StandDatabase;

// The window "Tabulka výsledků": the results workbook of the stand on a sheet view, the button
// "Návrat", and the save to an Excel 5.0 file. The window shows what the workbook holds; the
// filling and the font are the workbook's own (ResultsSheet).
class TFFormOne : public QWidget {
    Q_OBJECT

  public:
    explicit TFFormOne(QWidget* parent = nullptr);

    // The window of `owner`, created on first use.
    static TFFormOne& of(QWidget* owner);

    ResultsWorkbook& F1Book1() { return m_book; }
    QTableWidget* sheetView() const { return m_view; }

    // Sheet `sheet` from QSestava of the stand `key`.
    void FillResultsSheet(int sheet, StandDatabase& database, int key);
    // Asks for the file ("Uložení výsledků do excelu", proposed from the stand code in the given
    // directory) and writes it as Excel 5.0; cancelled: " Uložení do excelu NEPROBĚHLO !!!". The
    // written file, or empty.
    QString SaveResultsWorkbook(const QString& saveDirectory, const QString& standCode);
    void SetWorkbookFont();
    // Shows the current sheet of the workbook in the sheet view.
    void showSheet();

  private:
    ResultsWorkbook m_book;
    QTableWidget* m_view;
};
