#pragma once

#include "UserIdentification.h"

#include <QDialog>

class QLineEdit;

// "Informace o uživateli programu u porostu v databázi": what a stored stand carries. Made for
// one showing; what is typed into it is not stored.
class TFUzivDB : public QDialog {
    Q_OBJECT
  public:
    explicit TFUzivDB(const UserIdentification& user, QWidget* parent = nullptr);

  private:
    QLineEdit* m_edits[4] = {};
};
