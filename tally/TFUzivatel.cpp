#include "TFUzivatel.h"

#include "MessageBox.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TFUzivatel::TFUzivatel(QString settingsFile, QWidget* parent)
    : QDialog(parent), m_settingsFile(std::move(settingsFile)) {
    setObjectName("TFUzivatel");
    setWindowTitle("Informace o uživateli");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const char* names[4] = {"EZavod", "EProvoz", "ETaxator", "EUzivatel"};
    const char* labels[4] = {"Závod", "Provoz", "Taxátor", "Data zadal - jméno"};
    for (int i = 0; i < 4; ++i) {
        m_edits[i] = new QLineEdit(this);
        m_edits[i]->setObjectName(names[i]);
        m_edits[i]->setMaxLength(80);
        m_edits[i]->setMinimumWidth(320);
        form->addRow(QString::fromUtf8(labels[i]), m_edits[i]);
    }
    layout->addLayout(form);

    auto* row = new QHBoxLayout;
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OK");
    ok->setToolTip("Uložení informací v paměti");
    auto* back = new QPushButton("Zpět", this);
    back->setObjectName("Zpet");
    back->setToolTip("Návrat bez uložení");
    m_toDatabase = new QPushButton("Do databáze", this);
    m_toDatabase->setObjectName("DoDatabaze");
    m_toDatabase->setToolTip("Záznam informací do databáze k aktivnímu porostu a uložení do paměti");
    m_toDatabase->setDefault(true);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(back);
    row->addWidget(m_toDatabase);
    layout->addLayout(row);

    connect(ok, &QPushButton::clicked, this, [this] {
        if (RunGuarded(this, [this] { SaveUserIdentification(); }))
            accept();
    });
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_toDatabase, &QPushButton::clicked, this, [this] {
        if (RunGuarded(this, [this] { SaveUserIdentification(); }))
            done(DoDatabaze);
    });
    // Closing by the frame or Escape is "Zpět" as well.
    connect(this, &QDialog::rejected, this, &TFUzivatel::LoadUserIdentification);
    LoadUserIdentification();
}

void TFUzivatel::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        LoadUserIdentification();
    QDialog::showEvent(event);
}

void TFUzivatel::LoadUserIdentification() {
    const UserIdentification u = UserIdentification::Load(m_settingsFile);
    m_edits[0]->setText(u.zavod);
    m_edits[1]->setText(u.provoz);
    m_edits[2]->setText(u.taxator);
    m_edits[3]->setText(u.uzivatel);
}

void TFUzivatel::SaveUserIdentification() {
    values().Save(m_settingsFile);
}

UserIdentification TFUzivatel::values() const {
    return {m_edits[0]->text(), m_edits[1]->text(), m_edits[2]->text(), m_edits[3]->text()};
}
