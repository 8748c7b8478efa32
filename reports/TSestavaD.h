#pragma once

#include "ComposeSettings.h"
#include "ReportDataSet.h"
#include "TListFunkci.h"
#include "TSestLanguage.h"
#include "TSestVystup.h"
#include "TSestavaTyp.h"

#include <QImage>
#include <QStringList>
#include <functional>

class ReportProgress;

// A report type bound to a data set: composes the report over its records into the output buffer.
class TSestavaD : public TSestavaTyp {
  public:
    enum ComposeResult { ComposeOk = 0, ComposeFailed = 1, ComposeInterrupted = 3 };

    TSestavaD();
    ~TSestavaD() override;

    void setDataSet(ReportDataSet* data) { m_data = data; }
    ReportDataSet* dataSet() const { return m_data; }

    QStringList Parametry;
    int PrintCopies = 1;
    int StartPage = 1;
    int EndPage = 9999;
    int MaxRecords = 0;
    TSestLanguage ExportLanguage = slUndefined;
    bool TiskJedenZaznam = false;

    // Locale of numbers printed by functions and data fields.
    void setLocale(const QLocale& locale) { m_locale = locale; }
    const QLocale& locale() const { return m_locale; }
    // Date and time the run prints as the time of printing; the moment of the run when not set.
    void setPrintTime(const QDateTime& time) { m_printTime = time; }
    void setProgress(ReportProgress* progress) { m_progress = progress; }

    std::function<bool(int section)> OnTiskOddilu;
    std::function<ReportDataSet::FieldType(int field, ReportDataSet::FieldType type)> OnGetDataType;
    std::function<int(int field, int alignment)> OnGetAlignment;
    // The records of a sub-report.
    std::function<ReportDataSet*(const TSestavaTyp* owner, int number)> OnGetDetailData;
    // Asked when the data set is not active: "Připojená tabulka není aktivní. Zkusit otevřít?"; no
    // answer given means yes.
    std::function<bool(const QString& question)> OnQuestion;

    // Composes the report from the current object model. Failures (no data set, a data set that
    // cannot be opened) give ComposeFailed with errorString().
    virtual int compose();
    // Composes into another buffer with texts measured as given, leaving output() as it is: the
    // text export and line printers compose on the character grid (TextMeasure::characterGrid).
    int composeInto(TSestVystup& output, const TextMeasure& measure);
    QString errorString() const { return m_error; }

    // Writes the composed pages StartPage to EndPage, PrintCopies times, to a PDF file titled with
    // the report description; `background` is drawn under every page inside the margins.
    bool exportPdf(const QString& fileName, const QImage& background = QImage());

    const TSestVystup& output() const { return m_output; }
    TSestVystup& output() { return m_output; }

  protected:
    void setError(const QString& message) { m_error = message; }

  private:
    ReportDataSet* m_data = nullptr;
    QLocale m_locale;
    QDateTime m_printTime;
    ReportProgress* m_progress = nullptr;
    TSestVystup m_output;
    QString m_error;
};
