#include "HelpKeys.h"

#include <QApplication>
#include <QShortcut>
#include <QVariant>

namespace HelpKeys {

namespace {

constexpr const char* kProperty = "helpContext";

} // namespace

void setContext(QWidget* widget, int context) {
    widget->setProperty(kProperty, context);
}

int contextOf(const QWidget* widget, int fallback) {
    for (; widget; widget = widget->parentWidget()) {
        const QVariant v = widget->property(kProperty);
        if (v.isValid())
            return v.toInt();
        if (widget->isWindow())
            break;
    }
    return fallback;
}

void install(QWidget* window, int context, const std::function<void(int)>& open) {
    setContext(window, context);
    auto* shortcut = new QShortcut(QKeySequence::HelpContents, window);
    QObject::connect(shortcut, &QShortcut::activated, window, [window, context, open] {
        const QWidget* focus = QApplication::focusWidget();
        open(focus && focus->window() == window ? contextOf(focus, context) : context);
    });
}

} // namespace HelpKeys
