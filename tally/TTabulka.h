#pragma once

#include "SummaryTable.h"
#include "SummaryTextOutput.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TallyContext;

// " Souhrn ": the stand species by species with the computed summary. Showing it fills the grid
// and computes the summary; "Výpočet a uložení do databáze" computes and stores the stand. The
// grid is the tally-sheet controller's summary table.
class TTabulka : public QWidget {
    Q_OBJECT
  public:
    TTabulka(TallyContext& context, QWidget* parent = nullptr);
    ~TTabulka() override;

    QTableWidget* grid() const { return m_grid; }
    const SummaryTextOutput& textOutput() const { return m_output; }

    // "Výpočet a uložení do databáze": the computation and the database hand-off; true when the
    // stand was stored.
    bool ComputeSummary();

    void TiskClick();
    void DoExceluClick();
    void VystupDoExceluClick();
    void VystupDoSouboruClick();
    void DalsiPorostClick();

  signals:
    void closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void showCells();
    void showLocation();
    void cellEdited(int row, int column);
    void showAllColumns(bool all);

    TallyContext& m_ctx;
    SummaryTextOutput m_output;
    QTableWidget* m_grid = nullptr;
    QLineEdit* m_location[4] = {};
    QLabel* m_stocking = nullptr;
    QCheckBox* m_comment = nullptr;
    QCheckBox* m_allColumns = nullptr;
    QPushButton* m_textOutput = nullptr;
    bool m_filling = false;
};
