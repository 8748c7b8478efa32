#include "TFUzivDB.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFUzivDB::TFUzivDB(const UserIdentification& user, QWidget* parent) : QDialog(parent) {
    setObjectName("TFUzivDB");
    setWindowTitle("Informace o uživateli programu u porostu v databázi");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const char* names[4] = {"EZavod", "EProvoz", "ETaxator", "EUzivatel"};
    const char* labels[4] = {"Závod", "Provoz", "Taxátor", "Data zadal - jméno"};
    const QString values[4] = {user.zavod, user.provoz, user.taxator, user.uzivatel};
    for (int i = 0; i < 4; ++i) {
        m_edits[i] = new QLineEdit(values[i], this);
        m_edits[i]->setObjectName(names[i]);
        m_edits[i]->setMinimumWidth(320);
        form->addRow(QString::fromUtf8(labels[i]), m_edits[i]);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton("Zavřít", QDialogButtonBox::RejectRole);
    close->setObjectName("Zavrit");
    close->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}
