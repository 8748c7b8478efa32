#pragma once

#include <QWidget>
#include <functional>

// Help contexts on windows and controls: F1 opens the help at the context of the focused
// control, or of the nearest parent that has one.
namespace HelpKeys {

void setContext(QWidget* widget, int context);
// The context of the widget or of its nearest parent with one; `fallback` when none has one.
int contextOf(const QWidget* widget, int fallback);
// F1 in `window` calls `open` with the context of the focused control (the window's own when
// no control has one).
void install(QWidget* window, int context, const std::function<void(int)>& open);

} // namespace HelpKeys
