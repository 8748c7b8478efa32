#include "TSestava.h"

#include "ProgramPaths.h"
#include "TemplateReader.h"
#include "TemplateWriter.h"

#include <QDir>
#include <QFileInfo>

TSestava::TSestava() = default;

TSestava::~TSestava() = default;

void TSestava::setReportName(const QString& name) {
    if (name.isEmpty()) {
        m_reportName.clear();
        return;
    }
    const qsizetype slash = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    const qsizetype dot = name.lastIndexOf(u'.');
    m_reportName = (dot > slash ? name.left(dot) : name) + QStringLiteral(".pts");
}

void TSestava::setReportDir(const QString& dir) {
    m_reportDir = dir;
    m_reportDir.replace(u'\\', u'/');
    if (!m_reportDir.isEmpty() && !m_reportDir.endsWith(u'/'))
        m_reportDir += u'/';
    m_reportAlias.clear();
}

void TSestava::setReportAlias(const QString& alias) {
    m_reportAlias = alias;
    m_reportDir.clear();
}

QString TSestava::programDirectory() const {
    return m_programDir.isEmpty() ? ProgramPaths::DataDirectory() : m_programDir;
}

QString TSestava::templateFileName() {
    setError(QString());
    if (m_reportName.isEmpty()) {
        setError(QStringLiteral("Není definována cesta a název souboru s předlohou."));
        return {};
    }
    if (!m_reportAlias.isEmpty()) {
        if (!dataSet() || !dataSet()->isDatabaseDataSet()) {
            if (OnWarning)
                OnWarning(
                    QStringLiteral("Nelze použít alias, protože není definován zdroj dat nebo není typu "
                                   "TDBDataSet"));
        } else {
            const std::optional<QString> path = AliasPath ? AliasPath(m_reportAlias) : std::nullopt;
            if (path)
                return QDir(*path).filePath(m_reportName);
            if (OnWarning)
                OnWarning(
                    QStringLiteral("Neznámý alias: %1\rBude použito stand. nastavení").arg(m_reportAlias));
        }
    }
    if (!ReportDirIgnore || m_designing)
        return m_reportDir + m_reportName;
    return QDir(programDirectory()).filePath(m_reportName);
}

bool TSestava::loadTemplate() {
    QStringList lines;
    QString pictureDir;
    if (OnNactiPredlohu) {
        if (!OnNactiPredlohu(lines)) {
            if (errorString().isEmpty())
                setError(QStringLiteral("Předlohu tiskové sestavy se nepodařilo načíst."));
            return false;
        }
    } else if (IsStored) {
        lines = Predloha.lines();
    } else {
        const QString file = templateFileName();
        if (file.isEmpty())
            return false;
        if (!Predloha.loadFromFile(file)) {
            setError(Predloha.errorString());
            return false;
        }
        lines = Predloha.lines();
        pictureDir = QFileInfo(file).absolutePath();
    }
    Predloha.setLines(lines);
    TemplateReader reader;
    reader.setPictureDirectory(pictureDir);
    if (!reader.read(lines, *this)) {
        setError(reader.errorString());
        return false;
    }
    if (OnSetPredloha)
        OnSetPredloha();
    return true;
}

bool TSestava::saveTemplate() {
    setError(QString());
    const QStringList lines = TemplateWriter::write(*this);
    const QString failed = QStringLiteral("Soubor s předlohou se nepodařilo uložit.");
    if (OnUlozPredlohu) {
        if (!OnUlozPredlohu(lines)) {
            setError(failed);
            return false;
        }
        Predloha.setLines(lines);
        return true;
    }
    Predloha.setLines(lines);
    if (IsStored)
        return true;
    const QString file = templateFileName();
    if (file.isEmpty())
        return false;
    if (!Predloha.saveToFile(file)) {
        setError(Predloha.errorString());
        return false;
    }
    return true;
}

bool TSestava::saveTemplateAs(const QString& fileName) {
    setError(QString());
    const QStringList lines = TemplateWriter::write(*this);
    Predloha.setLines(lines);
    const bool ok = OnUlozPredlohuJako ? OnUlozPredlohuJako(lines, fileName) : Predloha.saveToFile(fileName);
    if (!ok)
        setError(QStringLiteral("Soubor s předlohou se nepodařilo uložit."));
    return ok;
}

int TSestava::compose() {
    if (!loadTemplate())
        return ComposeFailed;
    return TSestavaD::compose();
}
