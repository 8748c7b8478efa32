#include "TListFormatu.h"

#include "TemplateCodec.h"
#include "TemplateFields.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

constexpr qint64 kMaxIniSize = 1024 * 1024;

// Keys of one INI section, looked up without regard to case (first occurrence wins).
QHash<QString, QString> readSection(const QString& text, const QString& wanted) {
    QHash<QString, QString> keys;
    bool inSection = false;
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype end = line.indexOf(u']');
            const QString name = line.mid(1, end < 0 ? -1 : end - 1).trimmed();
            inSection = name.compare(wanted, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed().toLower();
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.mid(1, value.size() - 2);
        if (!keys.contains(key))
            keys.insert(key, value);
    }
    return keys;
}

} // namespace

TListFormatu::TListFormatu() {
    const QString user = QStringLiteral("Uživat.");
    const QString fold = QStringLiteral("Skládaný");
    const QString env = QStringLiteral("Obálka");
    const QString envTurned = QStringLiteral("Obálka otoč.");
    m_formats = {
        {user + QStringLiteral(" (210 x 297 mm)"), 826, 1169},
        {fold + QStringLiteral(" (8.5 x 12\")"), 850, 1200},
        {fold + QStringLiteral(" (15 x 12\")"), 1500, 1200},
        {QStringLiteral("Letter") + QStringLiteral(" (8.5 x 11\")"), 850, 1100},
        {QStringLiteral("Legal") + QStringLiteral(" (8.5 x 14\")"), 850, 1400},
        {QStringLiteral("Executive") + QStringLiteral(" (7.25 x 10.5\")"), 725, 1050},
        {QStringLiteral("A2 (420 x 594 mm)"), 1652, 2338},
        {QStringLiteral("A3 (297 x 420 mm)"), 1169, 1652},
        {QStringLiteral("A4 (210 x 297 mm)"), 826, 1169},
        {QStringLiteral("A5 (148.5 x 210 mm)"), 584, 826},
        {QStringLiteral("A6 (105 x 148.5mm)"), 413, 584},
        {QStringLiteral("B5 (182 x 257 mm)"), 716, 1011},
        {env + QStringLiteral(" (162 x 114 mm)"), 637, 433},
        {env + QStringLiteral(" (220 x 110 mm)"), 866, 433},
        {env + QStringLiteral(" (228 x 162 mm)"), 896, 637},
        {envTurned + QStringLiteral("(114 x 162 mm)"), 433, 637},
        {envTurned + QStringLiteral("(110 x 220 mm)"), 433, 866},
        {envTurned + QStringLiteral("(162 x 228 mm)"), 637, 896},
    };
}

bool TListFormatu::loadUserFormats(const QString& iniPath) {
    m_error.clear();
    m_formats.resize(kBuiltInCount);
    const QFileInfo info(iniPath);
    if (!info.exists())
        return true;
    QFile file(iniPath);
    if (info.size() > kMaxIniSize || !file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("Soubor \"%1\" se seznamem formátů papíru nelze přečíst.").arg(iniPath);
        return false;
    }
    const QHash<QString, QString> keys =
        readSection(TemplateCodec::decode(file.read(kMaxIniSize)), QStringLiteral("FormatyPapiru"));
    const int count =
        std::min(parseTemplateInt(keys.value(QStringLiteral("pocetformatu")), 0), kMaxUserFormats);
    for (int i = 1; i <= count; ++i) {
        const QString text =
            keys.value(QStringLiteral("format") + QString::number(i), defaultUserFormatText());
        TemplateLineReader fields(text);
        PaperFormat format;
        format.name = fields.next().left(kMaxNameLength);
        // A format without a usable size keeps the size its default name states.
        format.width = fields.nextInt(826);
        format.height = fields.nextInt(1169);
        if (format.width <= 0)
            format.width = 826;
        if (format.height <= 0)
            format.height = 1169;
        m_formats.push_back(format);
    }
    return true;
}

int TListFormatu::indexOf(int width, int height) const {
    for (size_t i = 0; i < m_formats.size(); ++i)
        if (m_formats[i].width == width && m_formats[i].height == height)
            return int(i);
    return -1;
}
