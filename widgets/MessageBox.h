#pragma once

#include "UserMessage.h"

#include <deque>
#include <functional>
#include <vector>

class QWidget;

// The message boxes and questions of the windows. In scripted mode (tests) nothing is shown:
// every message and question is logged, and questions take their answers from a queue, so a
// test never waits for a click. A question without a queued answer is answered No and counted.
class MessageBox {
  public:
    enum class Buttons { YesNo, OkNo };

    struct Entry {
        UserMessage message;
        bool question = false;
        bool answer = false;
    };

    // A box with an OK button; the icon follows the message kind.
    static void show(QWidget* parent, const UserMessage& message);
    // A question; true for Yes or OK. Warning and Error kinds keep their icon, Information is
    // shown as a confirmation.
    static bool ask(QWidget* parent, const UserMessage& question, Buttons buttons = Buttons::YesNo);

    static void setScripted(bool on);
    static bool scripted();
    static void setNextAnswer(bool yes);
    static void clearAnswers();
    // The log since the last call, oldest first.
    static std::vector<Entry> takeLog();
    static int unanswered();

  private:
    static void log(const Entry& entry);
};

// A question put at most once per command: the answer stands for the later askings, as the
// duplicate stand code is checked several times in one save.
class OnceQuestion {
  public:
    explicit OnceQuestion(QWidget* parent) : m_parent(parent) {}
    bool operator()(const UserMessage& question);

  private:
    QWidget* m_parent;
    int m_answer = -1;
};

// Runs one command of a window. A RivwoodError (or any other exception) ends the command and is
// shown in an error box, as the program's default error box did; false then.
bool RunGuarded(QWidget* parent, const std::function<void()>& command);
