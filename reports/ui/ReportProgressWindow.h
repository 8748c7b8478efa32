#pragma once

#include "ReportProgress.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QPushButton;

// The window "Informace" shown while a report is composed or sent to the printer: the number of
// the record being prepared ("Připravuji tisk položky číslo: ") or the sending message, and the
// button "Přerušit". Pending events are processed when the report asks (at most every few tens of
// milliseconds, so that polling before every section stays cheap).
class ReportProgressWindow : public QDialog, public ReportProgress {
    Q_OBJECT

  public:
    static inline const QString PreparingText = QStringLiteral("Připravuji tisk položky číslo: ");
    static inline const QString SendingText = QStringLiteral("Odesílám data do tiskárny ...");

    explicit ReportProgressWindow(QWidget* parent = nullptr);

    // Shows the sending message instead of record numbers.
    void showSending();
    bool interrupted() const { return m_interrupted; }
    QString message() const;

    void recordNumber(int number) override;
    bool poll() override;

  private:
    void processEvents(bool force);

    QLabel* m_label;
    QPushButton* m_stop;
    QElapsedTimer m_sinceEvents;
    bool m_interrupted = false;
    int m_record = 0;
};
