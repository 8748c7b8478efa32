#include "TFPMant.h"

#include "FileDialog.h"
#include "MessageBox.h"

#include "CaliperDataFolder.h"
#include "CaliperFile.h"
#include "MantaxReader.h"
#include "ProgramPaths.h"
#include "RivwoodError.h"
#include "SettingsKeys.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFPMant::TFPMant(QString settingsPath, QWidget* parent)
    : QDialog(parent), m_settingsPath(std::move(settingsPath)) {
    setObjectName("TFPMant");
    setWindowTitle("FPMant");
    m_left = new QPlainTextEdit(this);
    m_left->setObjectName("leftPane");
    m_right = new QPlainTextEdit(this);
    m_right->setObjectName("rightPane");
    for (QPlainTextEdit* pane : {m_left, m_right}) {
        pane->setReadOnly(true);
        pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    }
    m_kind = new QLineEdit(this);
    m_kind->setObjectName("kindEdit");
    auto* read = new QPushButton("NactiData", this);
    read->setObjectName("NactiData");
    auto* convert = new QPushButton("PrevedData", this);
    convert->setObjectName("PrevedData");

    auto* panes = new QHBoxLayout;
    panes->addWidget(m_left);
    panes->addWidget(m_right);
    auto* controls = new QHBoxLayout;
    controls->addWidget(read);
    controls->addWidget(convert);
    controls->addWidget(m_kind);
    controls->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes);
    layout->addLayout(controls);
    resize(700, 450);

    connect(read, &QPushButton::clicked, this, &TFPMant::NactiData);
    connect(convert, &QPushButton::clicked, this, &TFPMant::PrevedData);
}

QString TFPMant::chooseFile() {
    if (m_chooseFile)
        return m_chooseFile();
    const QString start =
        CaliperDataFolder::StartFolder(m_settingsPath, SettingsKeys::Mantax, ProgramPaths::WorkDirectory());
    return FileDialog::getOpenFileName(this, "Výběr souboru", start, CaliperDataFolder::MantaxFilter);
}

void TFPMant::showMessage(const UserMessage& message) {
    if (m_showMessage)
        m_showMessage(message);
    else
        MessageBox::show(this, message);
}

void TFPMant::NactiData() {
    const QString file = chooseFile();
    if (file.isEmpty())
        return;
    try {
        m_lines = CaliperFile::ReadLines(file);
    } catch (const RivwoodError& e) {
        showMessage({UserMessage::Error, e.message()});
        return;
    }
    m_left->setPlainText(m_lines.join('\n'));
    m_right->clear();
    m_kind->clear();
}

void TFPMant::PrevedData() {
    const MantaxKind kind = MantaxReader::DetectKind(m_lines);
    m_kind->setText(MantaxReader::KindName(kind));
    try {
        m_right->setPlainText(MantaxReader::Convert(m_lines, kind).records.join('\n'));
    } catch (const RivwoodError& e) {
        m_right->clear();
        showMessage({UserMessage::Error, e.message()});
    }
}
