#pragma once

#include <QDialog>
#include <vector>

class QCheckBox;
class QPushButton;
class QTableView;
class QToolButton;
class StandListModel;
class TallyContext;

// "Seznam porostů": the stored stands, to open one ("Vyber porost") or delete one
// ("Zruš porost"). On return the caller tests selected() and loads chosenKey(); a deleted stand
// is reported to the tally sheet at once.
class TFVybPor : public QDialog {
    Q_OBJECT
  public:
    TFVybPor(TallyContext& context, QWidget* parent = nullptr);
    ~TFVybPor() override;

    // Shows the list modally; true when a stand was chosen.
    bool Choose();
    bool selected() const { return m_selected; }
    int chosenKey() const { return m_chosenKey; }

    // "Vyber porost" is usable only while the stand on display has no unsaved changes; the main
    // window's refresh says so.
    void setChooseAllowed(bool allowed);

    StandListModel* model() const { return m_model; }
    QTableView* grid() const { return m_grid; }
    int currentRow() const;
    // The keys of the selected rows in list order (the current row when none is selected).
    std::vector<int> selectedKeys() const;
    void setCurrentRow(int row);

    void VyberPorostClick();
    void ZrusPorostClick();
    void FilterClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void updateButtons();

    TallyContext& m_ctx;
    StandListModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QCheckBox* m_computed = nullptr;
    QCheckBox* m_notComputed = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_compute = nullptr;
    QPushButton* m_csv = nullptr;
    QToolButton* m_nav[4] = {};
    bool m_selected = false;
    int m_chosenKey = 0;
    bool m_chooseAllowed = true;
};
