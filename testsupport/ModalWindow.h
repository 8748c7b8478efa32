#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace testsupport {

// Runs `check` on the modal window of type W that the next call opens. It waits for that window
// rather than taking whatever is modal at a fixed moment: on a loaded machine a progress window
// may still be up when the timer fires, or the window not yet open.
template <class W> void OnModal(std::function<void(W*)> check, int attemptsLeft = 500) {
    QTimer::singleShot(20, [check = std::move(check), attemptsLeft]() mutable {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget()))
            check(w);
        else if (attemptsLeft > 0)
            OnModal<W>(std::move(check), attemptsLeft - 1);
        else
            ADD_FAILURE() << "no modal " << W::staticMetaObject.className() << " opened";
    });
}

} // namespace testsupport
