#pragma once

// What a composition reports while it runs and how it learns of an interrupt. The window showing
// "Připravuji tisk položky číslo: " with its "Přerušit" button implements it; poll() is where it lets
// the application process pending events.
class ReportProgress {
  public:
    virtual ~ReportProgress() = default;
    // The number of the record being prepared.
    virtual void recordNumber(int number) = 0;
    // Called before every section; true once the user has interrupted the run.
    virtual bool poll() = 0;
};
