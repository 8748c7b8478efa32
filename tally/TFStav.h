#pragma once

#include <QWidget>

class QPlainTextEdit;

// "FStav": the status window, a text area and "Konec". No command of the main window opens it.
class TFStav : public QWidget {
    Q_OBJECT
  public:
    explicit TFStav(QWidget* parent = nullptr);
    QPlainTextEdit* text() const { return m_text; }

  private:
    QPlainTextEdit* m_text = nullptr;
};
