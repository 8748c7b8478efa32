#pragma once

#include "ReportDataSet.h"
#include "TextMeasure.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>
#include <functional>

class ReportProgress;
class TSestavaTyp;

// Everything a composition takes besides the report type and its data set.
struct ComposeSettings {
    QStringList parameters;    // printed by kind 4 elements, "&n" in expressions
    int maxRecords = 0;        // 0 = all
    bool singleRecord = false; // only the current record (TiskJedenZaznam)
    int startPage = 1;
    int endPage = 9999;
    QLocale locale;
    // Date and time of printing; the moment of the run when not valid.
    QDateTime printTime;
    ReportProgress* progress = nullptr;
    // How wrapping texts are measured: the report fonts, or the character grid of text output.
    TextMeasure measure;

    // Before a section is printed (OnTiskOddilu): false skips it.
    std::function<bool(int section)> printSection;
    // Overrides of a data field's type and an element's alignment (OnGetDataType, OnGetAlignment).
    std::function<ReportDataSet::FieldType(int field, ReportDataSet::FieldType type)> dataType;
    std::function<int(int field, int alignment)> alignment;
    // The records of sub-report `number` of `owner`; null prints nothing at its place.
    std::function<ReportDataSet*(const TSestavaTyp* owner, int number)> detailData;
};
