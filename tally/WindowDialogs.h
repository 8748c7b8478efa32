#pragma once

#include "SheetDialogs.h"

class QWidget;

// The tally sheet's messages and questions as message boxes over the active window (the main
// window when none is active).
class WindowDialogs : public SheetDialogs {
  public:
    explicit WindowDialogs(QWidget* mainWindow) : m_main(mainWindow) {}
    void show(const UserMessage& message) override;
    bool ask(const UserMessage& question, Buttons buttons) override;

  private:
    QWidget* parent() const;
    QWidget* m_main;
};
