#pragma once

#include <QString>
#include <vector>

// A paper format: name and size in hundredths of an inch.
struct PaperFormat {
    QString name;
    int width = 0;
    int height = 0;
};

// The paper formats a template can name by their width and height: 18 built-in ones, then the
// user's formats from the [FormatyPapiru] section of "SESTDLL.INI".
class TListFormatu {
  public:
    static constexpr int kBuiltInCount = 18;
    static constexpr int kMaxUserFormats = 255;
    static constexpr int kMaxNameLength = 31;

    TListFormatu();

    // Replaces the user formats with those of the INI file; a missing file means none. False with
    // errorString() when the file exists but cannot be read or is too large for a settings file.
    bool loadUserFormats(const QString& iniPath);
    QString errorString() const { return m_error; }

    int count() const { return int(m_formats.size()); }
    const PaperFormat& at(int index) const { return m_formats.at(index); }
    // First format of that size; -1 when none has it.
    int indexOf(int width, int height) const;

    static QString iniFileName() { return QStringLiteral("SESTDLL.INI"); }
    static QString defaultUserFormatText() { return QStringLiteral("Uživat. (210 x 297 mm)"); }

  private:
    std::vector<PaperFormat> m_formats;
    QString m_error;
};
