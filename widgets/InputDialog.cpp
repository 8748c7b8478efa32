#include "InputDialog.h"

#include <QInputDialog>
#include <QLineEdit>
#include <deque>

namespace {

struct Script {
    bool on = false;
    std::deque<std::optional<QString>> texts;
    QStringList requests;
};

Script& script() {
    static Script s;
    return s;
}

} // namespace

std::optional<QString> InputDialog::getText(QWidget* parent, const QString& title, const QString& label,
                                            const QString& text, Echo echo) {
    Script& s = script();
    if (s.on) {
        s.requests << title;
        if (s.texts.empty())
            return std::nullopt;
        const std::optional<QString> next = s.texts.front();
        s.texts.pop_front();
        return next;
    }
    bool ok = false;
    const QString entered = QInputDialog::getText(
        parent, title, label, echo == Echo::Password ? QLineEdit::Password : QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return entered;
}

void InputDialog::setScripted(bool on) {
    script() = Script{};
    script().on = on;
}

void InputDialog::setNextText(const std::optional<QString>& text) {
    script().texts.push_back(text);
}

QStringList InputDialog::takeRequests() {
    QStringList out;
    out.swap(script().requests);
    return out;
}
