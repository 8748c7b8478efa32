#include "SampleOffer.h"

#include "IniFile.h"
#include "RivwoodError.h"
#include "SettingsKeys.h"

#include <QDir>
#include <QFileInfo>

namespace SampleOffer {

std::optional<QString> Pending(const QString& settingsFile, const QString& samplesDirectory) {
    if (IniFile(settingsFile).ReadInteger(SettingsKeys::Start, SettingsKeys::UkazkaNabidnuta, 0) != 0)
        return std::nullopt;
    const QString sample = QDir(samplesDirectory).filePath(FileName);
    if (!QFileInfo(sample).isFile())
        return std::nullopt;
    return sample;
}

void MarkOffered(const QString& settingsFile) {
    try {
        IniFile(settingsFile).WriteInteger(SettingsKeys::Start, SettingsKeys::UkazkaNabidnuta, 1);
    } catch (const IoError&) {
    }
}

UserMessage Question() {
    return {UserMessage::Information,
            "Otevřít ukázkový porost?\rUkázka se otevře jako nový, neuložený porost."};
}

} // namespace SampleOffer
