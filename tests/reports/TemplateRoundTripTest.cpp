#include "TPredloha.h"
#include "TemplateReader.h"
#include "TemplateWriter.h"

#include "TestSupport.h"

#include "TemplateTestPrint.h"

#include <gtest/gtest.h>

namespace {

QStringList readWrite(const QStringList& in) {
    TSestavaTyp report;
    TemplateReader reader;
    EXPECT_TRUE(reader.read(in, report)) << reader.errorString().toStdString();
    return TemplateWriter::write(report);
}

} // namespace

TEST(TemplateRoundTrip, CanonicalFileIsWrittenBackByteForByte) {
    const QByteArray bytes = testsupport::readFile(testsupport::dataPath("reports/canonical.pts"));
    ASSERT_FALSE(bytes.isEmpty());
    const QStringList in = TPredloha::splitLines(bytes);
    const QStringList out = readWrite(in);
    ASSERT_EQ(out.size(), in.size());
    for (qsizetype i = 0; i < in.size(); ++i)
        EXPECT_EQ(out[i].toStdString(), in[i].toStdString()) << "line " << i + 1;
    EXPECT_EQ(TPredloha::joinLines(out), bytes);
}

TEST(TemplateRoundTrip, KeepsFieldsWithoutMeaning) {
    TSestavaTyp report;
    TemplateReader reader;
    ASSERT_TRUE(reader.read(
        TPredloha::splitLines(testsupport::readFile(testsupport::dataPath("reports/canonical.pts"))),
        report));
    EXPECT_EQ(report.i5Value(), 17);
    EXPECT_EQ(report.paper().reserved, 7);
    const TSiReportElement& caption = report.section(TOddilSestavy::Hlava)->elements.at(0);
    EXPECT_EQ(caption.alignment, 136);
    EXPECT_EQ(caption.flags, 5);
    EXPECT_EQ(caption.extra, 9);
    EXPECT_EQ(report.groups().at(0).foot.elements.at(0).text, QStringLiteral("Celkem, \"všech\" ř"));
    EXPECT_EQ(report.functions().at(1).caption, QStringLiteral("Název \"porostu\""));
    EXPECT_EQ(report.functions().at(1).expression, QStringLiteral("IIF(#1>0,'a','b')"));
    EXPECT_EQ(report.subReport(0)->section(2)->elements.at(0).sourceName, QStringLiteral("tl_stupen"));
}

TEST(TemplateRoundTrip, OlderAndShorterLinesBecomeCanonicalOnce) {
    // Lines as the new-report wizard and older versions write them.
    const QStringList wizard = {
        QStringLiteral("Z,1,0,0,40,750,40,Times New Roman CE,24,0,1,2,0,1,\"Nadpis sestavy\""),
        QStringLiteral("Z,5,0,650,0,72,20,Times New Roman CE,10,0,2,0,0,1"),
        QStringLiteral("H,7,0,0,30,750,3,,1,0,0,8,15,0"),
        QStringLiteral("P,5,3,700,8,32,20,Times New Roman CE,10,0,2,1,0,1"),
        QStringLiteral("I,3,0,1,96"),
        QStringLiteral("I,3,4,1,32"),
        QStringLiteral("I,1,1,0,2"),
        QStringLiteral("T,5,4,0,0,10,10,Arial,10,0,0,0,0,1,\"\",0"),
    };
    const QStringList once = readWrite(wizard);
    EXPECT_EQ(readWrite(once), once);
    EXPECT_TRUE(once.contains(QStringLiteral("I,1,4,0,0")));
    EXPECT_TRUE(once.contains(QStringLiteral("I,3,0,1,96,0")));
    EXPECT_TRUE(once.contains(QStringLiteral("I,3,4,1,32")));
    EXPECT_TRUE(once.contains(QStringLiteral("Z,5,0,650,0,72,20,Times New Roman CE,10,0,2,0,0,1,\"\",0")));
    // The compatibility shift is applied once and then saved in the current version.
    EXPECT_TRUE(once.contains(QStringLiteral("T,5,5,0,0,10,10,Arial,10,0,0,0,0,1,\"\",0")));
}

TEST(TemplateRoundTrip, ModelBuiltInCodeSurvivesWriteAndRead) {
    TSestavaTyp report;
    report.setDescription(QStringLiteral("Sestava \"A\", č. 1"));
    report.paper().orientation = 1;
    report.paper().marginTop = 33;
    report.paper().columns = 2;
    report.section(TOddilSestavy::Telo)->visible = true;
    report.section(TOddilSestavy::Telo)->height = 21;
    report.section(TOddilSestavy::Telo)->option = true;
    TPolSkup& g = report.ensureGroup(1);
    g.fieldIndex = 4;
    g.newPage = true;
    g.foot.visible = true;
    g.foot.height = 17;
    TSiReportElement e;
    e.kind = TSiReportElement::FieldValue;
    e.sourceName = QStringLiteral("pole, s čárkou");
    e.fontName = QStringLiteral("Font, divný");
    e.text = QStringLiteral("\"");
    g.foot.elements.push_back(e);
    TemplateFunction f;
    f.expression = QStringLiteral("'a'+\"b\"");
    report.functions().push_back(f);
    TSiReportElement sub;
    sub.kind = TSiReportElement::SubReport;
    sub.source = 0;
    report.section(TOddilSestavy::Telo)->elements.push_back(sub);
    report.ensureSubReport(0).section(TOddilSestavy::Telo)->height = 9;

    const QStringList written = TemplateWriter::write(report);
    TSestavaTyp back;
    TemplateReader reader;
    ASSERT_TRUE(reader.read(written, back));
    EXPECT_EQ(back.description(), report.description());
    EXPECT_EQ(back.paper().orientation, 1);
    EXPECT_EQ(back.paper().marginTop, 33);
    EXPECT_EQ(back.paper().columns, 2);
    EXPECT_TRUE(back.section(2)->option);
    ASSERT_EQ(back.groups().size(), 2u);
    EXPECT_EQ(back.groups()[1].fieldIndex, 4);
    EXPECT_TRUE(back.groups()[1].newPage);
    EXPECT_EQ(back.groups()[1].foot.height, 17);
    const TSiReportElement& be = back.groups()[1].foot.elements.at(0);
    EXPECT_EQ(be.sourceName, e.sourceName);
    EXPECT_EQ(be.fontName, e.fontName);
    EXPECT_EQ(be.text, e.text);
    EXPECT_EQ(back.functions().at(0).expression, f.expression);
    EXPECT_EQ(back.functions().at(0).name, QStringLiteral("Funkce"));
    ASSERT_NE(back.subReport(0), nullptr);
    EXPECT_EQ(back.subReport(0)->section(2)->height, 9);
    EXPECT_EQ(TemplateWriter::write(back), written);
}

TEST(TemplateRoundTrip, WriterOrder) {
    TSestavaTyp report;
    TemplateReader reader;
    ASSERT_TRUE(reader.read({QStringLiteral("D0,T,1"), QStringLiteral("U0,1"), QStringLiteral("S0,1"),
                             QStringLiteral("P,1"), QStringLiteral("Z,1"), QStringLiteral("F,5,A"),
                             QStringLiteral("I,6,0,8,8,0,0"), QStringLiteral("I,0,\"x\"")},
                            report));
    QStringList tags;
    for (const QString& line : TemplateWriter::write(report))
        tags.append(line.section(u',', 0, line.startsWith(u'I') || line.startsWith(u'D') ? 1 : 0));
    EXPECT_EQ(
        tags.join(u' '),
        QStringLiteral("I,0 I,1 I,2 I,3 I,3 I,3 I,3 I,3 I,4 I,5 I,6 F Z P S0 U0 D0,I D0,I D0,I D0,I D0,I "
                       "D0,I D0,I D0,I D0,I D0,I D0,T"));
}

TEST(TemplateRoundTrip, LineBreaksInTextsDoNotSplitLines) {
    TSestavaTyp report;
    report.setDescription(QStringLiteral("dva\r\nřádky"));
    TSiReportElement e;
    e.text = QStringLiteral("a\nb\rc");
    report.section(TOddilSestavy::Telo)->elements.push_back(e);
    const QStringList lines = TPredloha::splitLines(TPredloha::joinLines(TemplateWriter::write(report)));
    EXPECT_EQ(lines.size(), TemplateWriter::write(report).size());
    EXPECT_EQ(lines.first(), QStringLiteral("I,0,\"dva řádky\""));
    EXPECT_TRUE(lines.last().endsWith(QStringLiteral(",\"a b c\",0")));
}
