#include "FileDialog.h"

#include "MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QRegularExpression>
#include <deque>

namespace {

struct Script {
    bool on = false;
    std::deque<QString> names;
    QStringList requests;
    QStringList filters;
};

Script& script() {
    static Script s;
    return s;
}

} // namespace

bool FileDialog::takeScripted(const QString& title, const QString& filter, QString* name) {
    Script& s = script();
    if (!s.on)
        return false;
    s.requests << title;
    s.filters << QtFilter(filter);
    name->clear();
    if (!s.names.empty()) {
        *name = s.names.front();
        s.names.pop_front();
    }
    return true;
}

QString FileDialog::QtFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString patterns = parts[i + 1];
        // "*.*" means every file; on this platform names need not have a dot.
        patterns.replace("*.*", "*");
        const qsizetype open = description.indexOf('(');
        if (open >= 0)
            description = description.left(open).trimmed();
        // Names on this platform are case-sensitive: "*.TXT" also offers "*.txt".
        QStringList list;
        for (const QString& pattern : patterns.split(';')) {
            list << pattern;
            if (pattern.toLower() != pattern)
                list << pattern.toLower();
        }
        out << QString("%1 (%2)").arg(description, list.join(' '));
    }
    return out.join(";;");
}

QString FileDialog::getOpenFileName(QWidget* parent, const QString& title, const QString& directory,
                                    const QString& filter) {
    QString name;
    if (takeScripted(title, filter, &name))
        return name;
    return QFileDialog::getOpenFileName(parent, title, directory, QtFilter(filter));
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& title, const QString& directory,
                                    const QString& filter) {
    const QString qtFilter = QtFilter(filter);
    QString name;
    if (takeScripted(title, filter, &name))
        return WithExtension(name, qtFilter.section(QStringLiteral(";;"), 0, 0));
    QString chosenFilter;
    name = QFileDialog::getSaveFileName(parent, title, directory, qtFilter, &chosenFilter);
    if (chosenFilter.isEmpty())
        chosenFilter = qtFilter.section(QStringLiteral(";;"), 0, 0);
    const QString full = WithExtension(name, chosenFilter);
    // The dialog asked about the name as typed; the name with its extension is asked about here.
    if (full != name && QFileInfo::exists(full) &&
        !MessageBox::ask(parent, {UserMessage::Warning, QString("Soubor „%1“ již existuje.\rMá se přepsat?")
                                                            .arg(QDir::toNativeSeparators(full))}))
        return {};
    return full;
}

QString FileDialog::WithExtension(const QString& name, const QString& qtFilterEntry) {
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch m = firstPattern.match(qtFilterEntry);
    if (name.isEmpty() || !m.hasMatch() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + u'.' + m.captured(1).toLower();
}

QString FileDialog::getAnyFileName(QWidget* parent, const QString& title, const QString& directory,
                                   const QString& filter, const QString& fileName, const QString& hint) {
    QString name;
    if (takeScripted(title, filter, &name))
        return name;
    QFileDialog dialog(parent, title, directory, QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    // A hint needs Qt's own dialog: a desktop's native one has no place for it.
    dialog.setOption(QFileDialog::DontUseNativeDialog, !hint.isEmpty());
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()); grid && !hint.isEmpty()) {
        auto* label = new QLabel(hint, &dialog);
        label->setWordWrap(true);
        grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
    }
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void FileDialog::setScripted(bool on) {
    script() = Script{};
    script().on = on;
}

bool FileDialog::scripted() {
    return script().on;
}

void FileDialog::setNextFileName(const QString& name) {
    script().names.push_back(name);
}

QStringList FileDialog::takeRequests() {
    QStringList out;
    out.swap(script().requests);
    return out;
}

QStringList FileDialog::takeFilters() {
    QStringList out;
    out.swap(script().filters);
    return out;
}
