#include "WindowDialogs.h"

#include "MessageBox.h"

#include <QApplication>

QWidget* WindowDialogs::parent() const {
    QWidget* active = QApplication::activeWindow();
    return active ? active : m_main;
}

void WindowDialogs::show(const UserMessage& message) {
    MessageBox::show(parent(), message);
}

bool WindowDialogs::ask(const UserMessage& question, Buttons buttons) {
    return MessageBox::ask(parent(), question,
                           buttons == Buttons::OkNo ? MessageBox::Buttons::OkNo : MessageBox::Buttons::YesNo);
}
