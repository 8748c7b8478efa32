#include "CodePageDialog.h"

#include "IniFile.h"
#include "RivwoodError.h"
#include "SettingsKeys.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

CodePageDialog::CodePageDialog(const QString& title, TSestLanguage current, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("codePage"));
    m_combo->addItem(QStringLiteral("CP1250 – Windows (střední Evropa)"), int(slCP1250));
    m_combo->addItem(QStringLiteral("CP852 – Latin 2 (DOS)"), int(slCP852));
    m_combo->addItem(QStringLiteral("CP867 – Kamenický"), int(slCP867));
    m_combo->addItem(QStringLiteral("ASCII – bez diakritiky"), int(slASCII));
    const int index = m_combo->findData(int(current == slUndefined ? slCP1250 : current));
    m_combo->setCurrentIndex(std::max(0, index));
    form->addRow(QStringLiteral("&Kódová stránka:"), m_combo);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TSestLanguage CodePageDialog::codePage() const {
    return TSestLanguage(m_combo->currentData().toInt());
}

std::optional<TSestLanguage> CodePageDialog::ask(QWidget* parent, const QString& title,
                                                 TSestLanguage current) {
    CodePageDialog dialog(title, current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.codePage();
}

TSestLanguage CodePageDialog::stored(const QString& settingsFile, const char* key, TSestLanguage fallback) {
    if (settingsFile.isEmpty())
        return fallback;
    bool ok = false;
    const TSestLanguage language = languageFromName(
        IniFile(settingsFile).ReadString(QLatin1String(SettingsKeys::Tisk), QLatin1String(key)), &ok);
    return ok ? language : fallback;
}

void CodePageDialog::store(const QString& settingsFile, const char* key, TSestLanguage codePage) {
    if (settingsFile.isEmpty())
        return;
    static const char* const names[] = {"cp1250", "ascii", "cp867", "cp852", "cp1250"};
    try {
        IniFile(settingsFile)
            .WriteString(QLatin1String(SettingsKeys::Tisk), QLatin1String(key),
                         QLatin1String(names[std::clamp(int(codePage), 0, 4)]));
    } catch (const IoError&) {
        // A settings file that cannot be written only forgets the choice.
    }
}
