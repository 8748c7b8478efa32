#pragma once

#include <QLocale>
#include <QString>
#include <QVariant>

// The records a report runs over: a cursor over rows with named, typed fields. At the last record
// next() sets eof() and stays on that record, so the foots printed after the loop still see it.
class ReportDataSet {
  public:
    enum FieldType {
        String,
        Integer,
        Number,
        Boolean,
        Date,
        Time,
        DateTime,
        Memo,
        FormattedMemo,
        Graphic,
        Binary
    };

    virtual ~ReportDataSet() = default;

    virtual int fieldCount() const = 0;
    virtual QString fieldName(int field) const = 0;
    // Caption of a field (its display label); the name unless the data set has another.
    virtual QString fieldCaption(int field) const { return fieldName(field); }
    virtual FieldType fieldType(int field) const = 0;
    // Value of a field of the current record; null when there is no record.
    virtual QVariant value(int field) const = 0;
    // The value as the field displays it.
    virtual QString displayText(int field) const;

    virtual bool isActive() const { return true; }
    // Opens an inactive data set; false when it cannot be opened.
    virtual bool open() { return true; }
    // A database data set (one that an alias of template directories can apply to).
    virtual bool isDatabaseDataSet() const { return false; }

    virtual void first() = 0;
    virtual void next() = 0;
    virtual void prior() = 0;
    virtual bool eof() const = 0;
    virtual bool isEmpty() const = 0;

    // Index of a field by name, case-insensitive; -1 when absent.
    int fieldIndex(const QString& name) const;

    void setLocale(const QLocale& locale) { m_locale = locale; }
    const QLocale& locale() const { return m_locale; }

    // The text of a value as a field of that type displays it: numbers in general format with 15
    // significant digits and the locale's decimal separator, dates as d.M.yyyy.
    static QString formatValue(const QVariant& value, FieldType type, const QLocale& locale);

  private:
    QLocale m_locale;
};
