#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// A line of text asked for in a small dialog (the server address, its password). In scripted mode (tests) no
// dialog opens: each call records its title and takes the next queued text; none queued means
// cancelled.
class InputDialog {
  public:
    enum class Echo { Normal, Password };
    // The text entered, or nothing when cancelled.
    static std::optional<QString> getText(QWidget* parent, const QString& title, const QString& label,
                                          const QString& text, Echo echo = Echo::Normal);

    static void setScripted(bool on);
    static void setNextText(const std::optional<QString>& text);
    // Titles of the dialogs asked for since the last call.
    static QStringList takeRequests();
};
