#pragma once

#include "UserMessage.h"

#include <QDialog>
#include <QStringList>
#include <functional>

class QLineEdit;
class QPlainTextEdit;

// "FPMant": the Mantax reader window of the reference window. "NactiData" reads a file and shows
// its lines on the left; "PrevedData" shows the file's kind ("jina", "zakl", "jedn", "souh",
// "praz") and its conversion into records on the right.
class TFPMant : public QDialog {
    Q_OBJECT
  public:
    explicit TFPMant(QString settingsPath = {}, QWidget* parent = nullptr);

    // The file to read; by default an open-file dialog starting in "PrumerkaData"/"Mantax".
    void setFileChooser(std::function<QString()> chooser) { m_chooseFile = std::move(chooser); }
    void setMessageHandler(std::function<void(const UserMessage&)> handler) {
        m_showMessage = std::move(handler);
    }

    void NactiData();
    void PrevedData();

  private:
    QString chooseFile();
    void showMessage(const UserMessage& message);

    QString m_settingsPath;
    std::function<QString()> m_chooseFile;
    std::function<void(const UserMessage&)> m_showMessage;
    QStringList m_lines;
    QPlainTextEdit* m_left = nullptr;
    QPlainTextEdit* m_right = nullptr;
    QLineEdit* m_kind = nullptr;
};
