#pragma once

#include "TPredloha.h"
#include "TSestavaD.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The report component the program prints with: a report bound to a data set whose template comes
// from a file (or from the component itself, or from an event), read anew for every run.
class TSestava : public TSestavaD {
  public:
    TSestava();
    ~TSestava() override;

    // Setting the name forces the extension ".pts".
    void setReportName(const QString& name);
    QString reportName() const { return m_reportName; }
    // Setting the directory appends the separator when missing and clears the alias.
    void setReportDir(const QString& dir);
    QString reportDir() const { return m_reportDir; }
    // Setting the alias clears the directory.
    void setReportAlias(const QString& alias);
    QString reportAlias() const { return m_reportAlias; }

    bool ReportDirIgnore = true;
    bool IsStored = false;
    bool PrintBackground = false;
    QString Background;
    // The template lines; the component's own template when IsStored.
    TPredloha Predloha;

    // While designing, the report directory is used even when ReportDirIgnore is set.
    void setDesigning(bool designing) { m_designing = designing; }
    // Directory of the program's templates, used when ReportDirIgnore is set; by default the
    // program's data directory.
    void setProgramDirectory(const QString& dir) { m_programDir = dir; }
    QString programDirectory() const;

    // Paths of database aliases by name; an unknown alias gives no value.
    std::function<std::optional<QString>(const QString& alias)> AliasPath;
    // Messages that do not stop the run (an alias that cannot be used).
    std::function<void(const QString& message)> OnWarning;

    std::function<bool(QStringList& lines)> OnNactiPredlohu;      // load the template instead of the file
    std::function<bool(const QStringList& lines)> OnUlozPredlohu; // save instead of the file
    std::function<bool(const QStringList& lines, const QString& fileName)> OnUlozPredlohuJako; // save as
    std::function<void()> OnSetPredloha; // after the template has been read into the report

    // Full name of the template file; empty with errorString() when no name is defined.
    QString templateFileName();
    // Reads the template into the report; false with errorString().
    bool loadTemplate();
    // Writes the report as its template (with the ".BAK" backup of the old file).
    bool saveTemplate();
    bool saveTemplateAs(const QString& fileName);

    // Reads the template, then composes.
    int compose() override;

  private:
    QString m_reportName;
    QString m_reportDir;
    QString m_reportAlias;
    QString m_programDir;
    bool m_designing = false;
};
