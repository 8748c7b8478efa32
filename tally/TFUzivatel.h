#pragma once

#include "UserIdentification.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// "Informace o uživateli": the user identification of the settings file. OK keeps the edits,
// "Zpět" drops them, "Do databáze" keeps them and closes with DoDatabaze, on which the main window
// writes them into the stand's row. Its edits hold the current identification for the whole run.
class TFUzivatel : public QDialog {
    Q_OBJECT
  public:
    static constexpr int DoDatabaze = 2;

    explicit TFUzivatel(QString settingsFile, QWidget* parent = nullptr);

    void LoadUserIdentification();
    void SaveUserIdentification();
    UserIdentification values() const;

    QPushButton* doDatabaze() const { return m_toDatabase; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QString m_settingsFile;
    QLineEdit* m_edits[4] = {};
    QPushButton* m_toDatabase = nullptr;
};
