#pragma once

#include <QString>
#include <stdexcept>

// An error that ends the current command; its text is shown to the user as it stands.
class RivwoodError : public std::runtime_error {
  public:
    explicit RivwoodError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

  private:
    QString m_message;
};

// A value does not fit the field it is narrowed into (16-bit fields, 3-character codes).
class RangeError : public RivwoodError {
  public:
    using RivwoodError::RivwoodError;
};

// A file could not be opened, read or written.
class IoError : public RivwoodError {
  public:
    using RivwoodError::RivwoodError;
};
