#pragma once

#include "UserMessage.h"

// How the tally sheet talks to the user: messages with an OK button and Yes/No (or OK/No)
// questions. The window shows boxes; tests and the command line answer from a script.
class SheetDialogs {
  public:
    enum class Buttons { YesNo, OkNo };
    virtual ~SheetDialogs() = default;
    virtual void show(const UserMessage& message) = 0;
    // True for Yes or OK.
    virtual bool ask(const UserMessage& question, Buttons buttons = Buttons::YesNo) = 0;
    // A save that meets the stand changed or deleted meanwhile by another program: "Porost byl
    // mezitím …" (Yes overwrites it, or stores the stand anew).
    virtual bool askConflict(const UserMessage& question) { return ask(question); }
};

// Dialogs of a run without a user: messages are collected, every question gets the same answer.
class FixedAnswerDialogs : public SheetDialogs {
  public:
    explicit FixedAnswerDialogs(bool answer = false) : m_answer(answer) {}
    void show(const UserMessage& message) override { messages.push_back(message); }
    bool ask(const UserMessage& question, Buttons) override {
        questions.push_back(question);
        return m_answer;
    }
    UserMessages messages;
    UserMessages questions;

  private:
    bool m_answer;
};
