#pragma once

class QCoreApplication;

// Qt's own texts in Czech: the print and file dialogs and the standard buttons ("Ano", "Ne",
// "Storno") of the boxes Qt builds. The translations of Qt itself come with Qt (Debian
// qt6-translations-l10n); without them Qt's texts stay in English.
namespace QtTranslations {

// Installs the Czech translation of Qt into the application; false when it is not installed.
bool InstallCzech(QCoreApplication& app);

} // namespace QtTranslations
