#pragma once

#include <QString>
#include <vector>

// A message the window shows in a message box (texts use "\r" as the line break, as written;
// ForDisplay turns them into newlines).
struct UserMessage {
    enum Kind { Error, Warning, Information };
    Kind kind = Error;
    QString text;

    QString ForDisplay() const {
        QString t = text;
        t.replace("\r\n", "\n").replace('\r', '\n');
        return t;
    }
    friend bool operator==(const UserMessage&, const UserMessage&) = default;
};

using UserMessages = std::vector<UserMessage>;
