#pragma once

#include <functional>

class QDialog;

// The program's own modal windows (the species choice, the stand list, the caliper imports, the
// report preview …) open through here. In scripted mode (tests) no event loop runs: the window is
// shown, the next queued script works it as a user would (types, clicks, closes it) and the
// result is taken; a window the script left open is closed as cancelled. A window with no script
// queued is cancelled and counted.
class ModalDialog {
  public:
    using Script = std::function<void(QDialog&)>;

    // QDialog::exec, or the script.
    static int exec(QDialog& dialog);

    static void setScripted(bool on);
    static void setNext(Script script);
    static int unanswered();
};
