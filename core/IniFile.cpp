#include "IniFile.h"

#include "AtomicFileWriter.h"
#include "Cp1250.h"
#include "RivwoodError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

namespace {

// Settings whose save failed, by absolute file path; the failure of each has been reported.
QMutex unsavedMutex;
QHash<QString, QStringList> unsaved;
IniFile::FailureReporter failureReporter;

QString unsavedKey(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

// Settings files of a few kilobytes; anything beyond this is not read as settings.
constexpr qint64 kMaxSize = 4 * 1024 * 1024;

bool isSectionLine(const QString& line, QString* name = nullptr) {
    const QString t = line.trimmed();
    if (!t.startsWith('[') || !t.endsWith(']'))
        return false;
    if (name)
        *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

// Key of a key=value line, or an empty string for comments and other lines.
QString keyOf(const QString& line) {
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('#'))
        return {};
    const qsizetype eq = line.indexOf('=');
    return eq <= 0 ? QString() : line.left(eq).trimmed();
}

QString valueOf(const QString& line) {
    return line.mid(line.indexOf('=') + 1).trimmed();
}

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index range [begin, end) of a section's body lines; begin = -1 when the section is missing.
std::pair<int, int> sectionRange(const QStringList& lines, const QString& section) {
    for (int i = 0; i < lines.size(); ++i) {
        QString name;
        if (isSectionLine(lines[i], &name) && same(name, section)) {
            int end = i + 1;
            while (end < lines.size() && !isSectionLine(lines[end]))
                ++end;
            return {i + 1, end};
        }
    }
    return {-1, -1};
}

int findKey(const QStringList& lines, std::pair<int, int> range, const QString& key) {
    for (int i = range.first; i >= 0 && i < range.second; ++i)
        if (same(keyOf(lines[i]), key))
            return i;
    return -1;
}

} // namespace

bool IniFile::exists() const {
    const QMutexLocker lock(&unsavedMutex);
    return QFileInfo::exists(m_path) || unsaved.contains(unsavedKey(m_path));
}

void IniFile::SetFailureReporter(FailureReporter reporter) {
    const QMutexLocker lock(&unsavedMutex);
    failureReporter = std::move(reporter);
}

QStringList IniFile::load(bool forWriting) const {
    {
        const QMutexLocker lock(&unsavedMutex);
        if (const auto it = unsaved.constFind(unsavedKey(m_path)); it != unsaved.constEnd())
            return *it;
    }
    QFile f(m_path);
    if (!f.exists())
        return {};
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxSize) {
        // Rewriting a file that could not be read would lose its content.
        if (forWriting)
            throw IoError(QString("Soubor nastavení %1 nelze přečíst.").arg(m_path));
        return {};
    }
    const QByteArray bytes = f.readAll();
    // UTF-8 is written; a file carried over from Windows in cp1250 is still read correctly.
    QString text = Cp1250::decodeUtf8OrCp1250(bytes);
    text.replace("\r\n", "\n");
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void IniFile::save(const QStringList& lines) const {
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const QString cause = AtomicFileWriter::Write(m_path, (lines.join("\n") + "\n").toUtf8());
    FailureReporter reporter;
    {
        const QMutexLocker lock(&unsavedMutex);
        const QString key = unsavedKey(m_path);
        if (cause.isEmpty()) {
            unsaved.remove(key);
            return;
        }
        const bool reported = unsaved.contains(key);
        unsaved.insert(key, lines);
        if (reported)
            return;
        reporter = failureReporter;
    }
    const QString message = QString("Nastavení nelze uložit do souboru %1: %2. Program pracuje dál s "
                                    "nastavením v paměti; po jeho ukončení se změny ztratí.")
                                .arg(QDir::toNativeSeparators(m_path), cause);
    if (reporter)
        reporter(message);
    else
        qWarning("%s", qUtf8Printable(message));
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& fallback) const {
    const QStringList lines = load();
    const int i = findKey(lines, sectionRange(lines, section), key);
    return i < 0 ? fallback : valueOf(lines[i]);
}

int IniFile::ReadInteger(const QString& section, const QString& key, int fallback) const {
    bool ok = false;
    const int v = ReadString(section, key).toInt(&ok);
    return ok ? v : fallback;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const {
    const QStringList lines = load();
    return findKey(lines, sectionRange(lines, section), key) >= 0;
}

bool IniFile::SectionExists(const QString& section) const {
    return sectionRange(load(), section).first >= 0;
}

QStringList IniFile::ReadSection(const QString& section) const {
    const QStringList lines = load();
    const auto range = sectionRange(lines, section);
    QStringList keys;
    for (int i = range.first; i >= 0 && i < range.second; ++i)
        if (const QString k = keyOf(lines[i]); !k.isEmpty())
            keys.append(k);
    return keys;
}

QStringList IniFile::ReadSectionValues(const QString& section) const {
    const QStringList lines = load();
    const auto range = sectionRange(lines, section);
    QStringList out;
    for (int i = range.first; i >= 0 && i < range.second; ++i)
        if (const QString k = keyOf(lines[i]); !k.isEmpty())
            out.append(k + "=" + valueOf(lines[i]));
    return out;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    WriteStrings(section, {{key, value}});
}

void IniFile::WriteStrings(const QString& section, const std::vector<std::pair<QString, QString>>& values) {
    if (values.empty())
        return;
    QStringList lines = load(true);
    auto range = sectionRange(lines, section);
    if (range.first < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append("[" + section + "]");
        range = {int(lines.size()), int(lines.size())};
    }
    // Keys of the section by their case-folded name, the first occurrence as findKey finds it.
    QHash<QString, int> lineOfKey;
    for (int i = range.first; i < range.second; ++i)
        if (const QString k = keyOf(lines[i]).toCaseFolded(); !k.isEmpty() && !lineOfKey.contains(k))
            lineOfKey.insert(k, i);
    QStringList added;
    QHash<QString, int> addedOfKey;
    for (const auto& [key, value] : values) {
        const QString folded = key.toCaseFolded();
        if (const auto it = lineOfKey.constFind(folded); it != lineOfKey.constEnd())
            lines[*it] = lines[*it].left(lines[*it].indexOf('=')) + "=" + value;
        else if (const auto a = addedOfKey.constFind(folded); a != addedOfKey.constEnd())
            added[*a] = added[*a].left(added[*a].indexOf('=')) + "=" + value;
        else {
            addedOfKey.insert(folded, int(added.size()));
            added.append(key + "=" + value);
        }
    }
    // After the section's last key, before trailing blank lines.
    int at = range.second;
    while (at > range.first && lines[at - 1].trimmed().isEmpty())
        --at;
    save(lines.mid(0, at) + added + lines.mid(at));
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void IniFile::DeleteKey(const QString& section, const QString& key) {
    QStringList lines = load(true);
    const int i = findKey(lines, sectionRange(lines, section), key);
    if (i < 0)
        return;
    lines.removeAt(i);
    save(lines);
}

void IniFile::EraseSection(const QString& section) {
    QStringList lines = load(true);
    const auto range = sectionRange(lines, section);
    if (range.first < 0)
        return;
    lines.erase(lines.begin() + range.first - 1, lines.begin() + range.second);
    save(lines);
}
