#pragma once

#include "SpeciesAssignment.h"
#include "UserMessage.h"

#include <QDialog>
#include <functional>

class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTableWidget;

// The species assignment window shared by the caliper imports: a grid of caliper codes (column 0)
// and program abbreviations (column 1), a species list box shown on a click into the grid,
// "Uložit kódy dřev.", OK and "Zrušit". The window position is kept in "PracPlo" under
// <positionName>Leva / <positionName>Horni.
class CaliperAssignmentDialog : public QDialog {
    Q_OBJECT
  public:
    using MessageHandler = std::function<void(const UserMessage&)>;

    CaliperAssignmentDialog(QString settingsPath, QString positionName, QWidget* parent = nullptr);
    ~CaliperAssignmentDialog() override;

    // Where messages go; by default a message box. Tests capture them here.
    void setMessageHandler(MessageHandler handler) { m_showMessage = std::move(handler); }
    const QString& settingsPath() const { return m_settingsPath; }

  protected:
    virtual SpeciesAssignment& assignment() = 0;
    virtual SpeciesAssignment::Check checkOk() const = 0;
    virtual void saveCodes() = 0;
    // Runs the import after the checks passed; a RivwoodError keeps the window open.
    virtual void runImport() = 0;

    // Shows the assignment: one row per code (one empty row without codes), list box hidden,
    // nothing selected.
    void fillGrid();
    void showMessage(const UserMessage& message);

  private:
    void cellClicked(int row, int column);
    void speciesChosen(QListWidgetItem* item);
    void okClicked();
    void saveClicked();

    QString m_settingsPath;
    QString m_positionName;
    MessageHandler m_showMessage;
    QTableWidget* m_grid = nullptr;
    QListWidget* m_species = nullptr;
    int m_row = -1;
};
