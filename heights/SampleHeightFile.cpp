#include "SampleHeightFile.h"

#include "Cp1250.h"
#include "RivwoodError.h"

#include <QDir>
#include <QFile>
#include <cmath>

namespace SampleHeightFile {

namespace {

constexpr int kShownProblems = 20;
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

// The fields of a line, trimmed and unquoted; empty fields at the end (a spreadsheet's) dropped.
QStringList fields(const QString& line) {
    QStringList out = line.split(line.contains('\t') ? QChar('\t') : QChar(';'));
    for (QString& f : out) {
        f = f.trimmed();
        if (f.size() >= 2 && f.startsWith('"') && f.endsWith('"'))
            f = f.mid(1, f.size() - 2).replace("\"\"", "\"").trimmed();
    }
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

bool number(QString text, double* value) {
    bool ok = false;
    *value = text.replace(',', '.').toDouble(&ok);
    return ok && std::isfinite(*value);
}

} // namespace

Result Parse(const QByteArray& bytes) {
    Result result;
    int hidden = 0;
    const auto problem = [&](int line, const QString& text) {
        if (result.problems.size() < kShownProblems)
            result.problems << QString("Řádek %1: %2").arg(line).arg(text);
        else
            ++hidden;
    };
    const QStringList lines = Cp1250::decodeUtf8OrCp1250(bytes).split('\n');
    bool first = true;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const QStringList f = fields(line);
        double d = 0, h = 0;
        // A first line with words where the numbers go is the header.
        const bool header = first && f.size() == 3 && !number(f[1], &d) && !number(f[2], &h);
        first = false;
        if (header)
            continue;
        if (f.size() != 3) {
            problem(i + 1, "očekávají se tři údaje „dřevina;tloušťka;výška“.");
        } else if (f[0].isEmpty() || f[0].size() > 3) {
            problem(i + 1, QString("„%1“ není zkratka dřeviny.").arg(f[0].left(20)));
        } else if (!number(f[1], &d) || d <= 0) {
            problem(i + 1, QString("tloušťka „%1“ není kladné číslo.").arg(f[1].left(20)));
        } else if (!number(f[2], &h) || h <= BreastHeight) {
            problem(i + 1, QString("výška „%1“ není číslo větší než 1,3 m.").arg(f[2].left(20)));
        } else {
            result.pairs.push_back({f[0], {d, h}});
        }
    }
    if (hidden > 0)
        result.problems << QString("… a %1 dalších chybných řádků.").arg(hidden);
    return result;
}

QByteArray Read(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QString("Soubor %1 nelze otevřít.").arg(QDir::toNativeSeparators(fileName)));
    if (file.size() > kMaxFileSize)
        throw IoError(QString("Soubor %1 je příliš velký na soubor výškových vzorníků.")
                          .arg(QDir::toNativeSeparators(fileName)));
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize)
        throw IoError(QString("Soubor %1 je příliš velký na soubor výškových vzorníků.")
                          .arg(QDir::toNativeSeparators(fileName)));
    return bytes;
}

} // namespace SampleHeightFile
