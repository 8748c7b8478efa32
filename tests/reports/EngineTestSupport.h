#pragma once

#include "ApplicationEnvironment.h"
#include "MemoryDataSet.h"
#include "TSestavaD.h"
#include "TemplateReader.h"

#include <QGuiApplication>
#include <QStringList>
#include <gtest/gtest.h>

// Font metrics and painting need a GUI application; the tests run on the offscreen platform.
inline const ::testing::Environment* InstallGuiApplication() {
    return testsupport::InstallApplication<QGuiApplication>("rivwood_engine_tests", true);
}

inline void loadTemplate(TSestavaTyp& report, const QStringList& lines) {
    TemplateReader reader;
    ASSERT_TRUE(reader.read(lines, report)) << reader.errorString().toStdString();
}

// Data set with an integer field "n" (1 .. count), a text field "skupina" and a number "objem".
inline void fillNumbers(MemoryDataSet& data, int count) {
    data.addField(QStringLiteral("n"), ReportDataSet::Integer, QStringLiteral("Číslo"));
    data.addField(QStringLiteral("skupina"), ReportDataSet::String);
    data.addField(QStringLiteral("objem"), ReportDataSet::Number);
    for (int i = 1; i <= count; ++i)
        data.addRow({i, QStringLiteral("G%1").arg((i - 1) / 3), i * 1.5});
}

// Texts of a page's items, in output order.
inline QStringList pageTexts(const TSestVystup& out, int page) {
    QStringList texts;
    for (const TVystPrvek& item : out.page(page).items)
        if (item.isText())
            texts.append(item.text);
    return texts;
}

// The first item on a page with this text; null when there is none.
inline const TVystPrvek* findItem(const TSestVystup& out, int page, const QString& text) {
    for (const TVystPrvek& item : out.page(page).items)
        if (item.text == text)
            return &item;
    return nullptr;
}

// Page 800 x 1000 with margins 50/50/100/100: start 50, head 40, body 100, end 30, foot 20.
inline QStringList basicLayout() {
    return {
        QStringLiteral("I,2,0,800,1000,50,50,100,100,1,0"),
        QStringLiteral("I,3,0,1,50,0"),
        QStringLiteral("I,3,1,1,40,0"),
        QStringLiteral("I,3,2,1,100,0"),
        QStringLiteral("I,3,3,1,30,0"),
        QStringLiteral("I,3,4,1,20"),
        QStringLiteral("Z,1,0,0,0,200,20,Arial,10,0,0,0,0,1,\"Začátek\",0"),
        QStringLiteral("H,1,0,0,0,200,20,Arial,10,0,0,0,0,1,\"Hlava\",0"),
        QStringLiteral("T,2,n,0,0,100,20,Arial,10,0,0,0,0,1,\"\",0"),
        QStringLiteral("K,1,0,0,0,200,20,Arial,10,0,0,0,0,1,\"Konec\",0"),
        QStringLiteral("P,5,3,0,0,100,20,Arial,10,0,0,0,0,1,\"Strana %d\",0"),
    };
}
