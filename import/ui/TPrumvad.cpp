#include "TPrumvad.h"

#include "RivwoodError.h"
#include "SettingsKeys.h"

#include <QShowEvent>

TPrumvad::TPrumvad(QString settingsPath, QWidget* parent)
    : CaliperAssignmentDialog(settingsPath, SettingsKeys::PrumerkaVaduz, parent), m_import(settingsPath) {
    setObjectName("TPrumvad");
    setWindowTitle("Data z registrační průměrky VADUZ");
    fillGrid();
}

void TPrumvad::ScanFile() {
    try {
        m_import.ScanFile(m_fileName);
    } catch (const RivwoodError& e) {
        showMessage({UserMessage::Error, e.message()});
    }
    fillGrid();
}

void TPrumvad::showEvent(QShowEvent* event) {
    CaliperAssignmentDialog::showEvent(event);
    if (!event->spontaneous())
        ScanFile();
}
