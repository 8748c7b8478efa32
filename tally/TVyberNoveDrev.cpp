#include "TVyberNoveDrev.h"

#include "MessageBox.h"
#include "ModalDialog.h"
#include "SettingsKeys.h"
#include "SpeciesTables.h"
#include "TextUtils.h"
#include "WindowPlacement.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TVyberNoveDrev::TVyberNoveDrev(QString settingsFile, QWidget* parent)
    : QDialog(parent), m_settingsFile(std::move(settingsFile)) {
    setObjectName("TVyberNoveDrev");
    setWindowTitle("Nová dřevina");

    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel("&Název dřeviny:", this);
    layout->addWidget(label);
    m_names = new QComboBox(this);
    m_names->setObjectName("CBSeznNazvu");
    m_names->setEditable(true);
    m_names->setInsertPolicy(QComboBox::NoInsert);
    m_names->setMaxVisibleItems(20);
    m_names->setMinimumWidth(300);
    label->setBuddy(m_names);
    layout->addWidget(m_names);

    m_abbreviations = new QComboBox(this);
    m_abbreviations->setObjectName("SeznVsechDrev");
    m_abbreviations->setVisible(false);

    for (const QString& line : SpeciesTables::DrevJmCs())
        m_names->addItem(ValuePart(line));
    m_abbreviations->addItems(SpeciesTables::DrevZkratky());
    m_names->setCurrentIndex(0);
    m_abbreviations->setCurrentIndex(0);

    QStringList names;
    for (int i = 0; i < m_names->count(); ++i)
        names << m_names->itemText(i);
    m_completer = new QCompleter(names, this);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setFilterMode(Qt::MatchStartsWith);
    m_completer->setCompletionMode(QCompleter::PopupCompletion);
    m_completer->setMaxVisibleItems(20);
    m_names->setCompleter(m_completer);
    m_names->lineEdit()->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* choose = new QPushButton("Vybrat", this);
    choose->setObjectName("Vybrat");
    choose->setDefault(true);
    auto* cancel = new QPushButton("Zrušit", this);
    cancel->setObjectName("Zrusit");
    buttons->addWidget(choose);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    // "Vybrat", also by Enter in the name box: a text that names no species keeps the dialog open.
    connect(choose, &QPushButton::clicked, this, [this] {
        if (chosenAbbreviation().isEmpty()) {
            MessageBox::show(
                this,
                {UserMessage::Error,
                 QString("„%1“ není název ani zkratka dřeviny.").arg(m_names->currentText().trimmed())});
            m_names->setFocus();
            return;
        }
        m_vybrano = true;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(sizeHint());
    WindowPlacement::Restore(this, m_settingsFile, SettingsKeys::NovaDrev);
}

TVyberNoveDrev::~TVyberNoveDrev() {
    WindowPlacement::Save(this, m_settingsFile, SettingsKeys::NovaDrev);
}

bool TVyberNoveDrev::Choose() {
    m_vybrano = false;
    m_names->setFocus();
    ModalDialog::exec(*this);
    // A name list left open would keep the main window's keys (Alt+Z …) from it.
    m_completer->popup()->hide();
    return m_vybrano;
}

QString TVyberNoveDrev::chosenAbbreviation() const {
    const QString text = m_names->currentText().trimmed();
    int i = m_names->findText(text, Qt::MatchFixedString);
    if (i < 0)
        i = m_abbreviations->findText(text, Qt::MatchFixedString);
    if (text.isEmpty() || i < 0 || i >= m_abbreviations->count())
        return {};
    return m_abbreviations->itemText(i);
}

void TVyberNoveDrev::showNameList() {
    if (!m_names->hasFocus() || !isVisible())
        return;
    m_names->lineEdit()->selectAll();
    m_completer->setCompletionPrefix(QString());
    m_completer->complete();
}

bool TVyberNoveDrev::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_names->lineEdit() && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, this, &TVyberNoveDrev::showNameList);
    return QDialog::eventFilter(watched, event);
}
