#include "ModalDialog.h"

#include <QDialog>
#include <deque>

namespace {

struct Scripts {
    bool on = false;
    std::deque<ModalDialog::Script> next;
    int unanswered = 0;
};

Scripts& scripts() {
    static Scripts s;
    return s;
}

} // namespace

int ModalDialog::exec(QDialog& dialog) {
    Scripts& s = scripts();
    if (!s.on)
        return dialog.exec();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (s.next.empty()) {
        ++s.unanswered;
    } else {
        const Script script = std::move(s.next.front());
        s.next.pop_front();
        script(dialog);
    }
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}

void ModalDialog::setScripted(bool on) {
    scripts() = Scripts{};
    scripts().on = on;
}

void ModalDialog::setNext(Script script) {
    scripts().next.push_back(std::move(script));
}

int ModalDialog::unanswered() {
    return scripts().unanswered;
}
