#pragma once

#include "TSestLanguage.h"

#include <QDialog>
#include <QString>
#include <optional>

class QComboBox;

// The choice of the code page a report is written in as text, for a line printer or a text file:
// "CP1250 – Windows", "CP852 – Latin 2", "CP867 – Kamenický", "ASCII – bez diakritiky".
class CodePageDialog : public QDialog {
    Q_OBJECT

  public:
    CodePageDialog(const QString& title, TSestLanguage current, QWidget* parent = nullptr);
    TSestLanguage codePage() const;

    // Shows the dialog; nothing when cancelled. slUndefined (no conversion) is offered as CP1250.
    static std::optional<TSestLanguage> ask(QWidget* parent, const QString& title, TSestLanguage current);

    // The code page kept in the settings file under [Tisk] `key`; `fallback` when none is kept.
    static TSestLanguage stored(const QString& settingsFile, const char* key, TSestLanguage fallback);
    static void store(const QString& settingsFile, const char* key, TSestLanguage codePage);

  private:
    QComboBox* m_combo;
};
