#include "MessageBox.h"

#include "RivwoodError.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

struct Script {
    bool on = false;
    std::deque<bool> answers;
    std::vector<MessageBox::Entry> log;
    int unanswered = 0;
};

Script& script() {
    static Script s;
    return s;
}

QMessageBox::Icon iconOf(UserMessage::Kind kind, bool question) {
    switch (kind) {
    case UserMessage::Error:
        return QMessageBox::Critical;
    case UserMessage::Warning:
        return QMessageBox::Warning;
    case UserMessage::Information:
        break;
    }
    return question ? QMessageBox::Question : QMessageBox::Information;
}

QString titleOf(UserMessage::Kind kind) {
    switch (kind) {
    case UserMessage::Error:
        return QStringLiteral("Chyba");
    case UserMessage::Warning:
        return QStringLiteral("Upozornění");
    case UserMessage::Information:
        break;
    }
    return QStringLiteral("Informace");
}

} // namespace

void MessageBox::log(const Entry& entry) {
    script().log.push_back(entry);
}

void MessageBox::show(QWidget* parent, const UserMessage& message) {
    if (script().on) {
        log({message, false, true});
        return;
    }
    QMessageBox box(iconOf(message.kind, false), titleOf(message.kind), message.ForDisplay(), QMessageBox::Ok,
                    parent);
    box.button(QMessageBox::Ok)->setText("OK");
    box.exec();
}

bool MessageBox::ask(QWidget* parent, const UserMessage& question, Buttons buttons) {
    Script& s = script();
    if (s.on) {
        bool answer = false;
        if (s.answers.empty()) {
            ++s.unanswered;
        } else {
            answer = s.answers.front();
            s.answers.pop_front();
        }
        log({question, true, answer});
        return answer;
    }
    const QMessageBox::StandardButton yes = buttons == Buttons::OkNo ? QMessageBox::Ok : QMessageBox::Yes;
    QMessageBox box(iconOf(question.kind, true),
                    question.kind == UserMessage::Information ? QStringLiteral("Potvrzení")
                                                              : titleOf(question.kind),
                    question.ForDisplay(), yes | QMessageBox::No, parent);
    box.button(yes)->setText(buttons == Buttons::OkNo ? "OK" : "&Ano");
    box.button(QMessageBox::No)->setText("&Ne");
    // Enter confirms, as the surveyors are used to; a question about losing data defaults to No.
    box.setDefaultButton(question.kind == UserMessage::Error ? QMessageBox::No : yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == yes;
}

void MessageBox::setScripted(bool on) {
    script() = Script{};
    script().on = on;
}

bool MessageBox::scripted() {
    return script().on;
}

void MessageBox::setNextAnswer(bool yes) {
    script().answers.push_back(yes);
}

void MessageBox::clearAnswers() {
    script().answers.clear();
}

std::vector<MessageBox::Entry> MessageBox::takeLog() {
    std::vector<Entry> out;
    out.swap(script().log);
    return out;
}

int MessageBox::unanswered() {
    return script().unanswered;
}

bool RunGuarded(QWidget* parent, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const RivwoodError& e) {
        MessageBox::show(parent, {UserMessage::Error, e.message()});
    } catch (const std::exception& e) {
        MessageBox::show(parent, {UserMessage::Error, QString::fromLocal8Bit(e.what())});
    }
    return false;
}

bool OnceQuestion::operator()(const UserMessage& question) {
    if (m_answer < 0)
        m_answer = MessageBox::ask(m_parent, question) ? 1 : 0;
    return m_answer == 1;
}
