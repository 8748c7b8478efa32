#include "TemplateReader.h"

#include "TemplateTestPrint.h"

#include <gtest/gtest.h>

namespace {

QStringList lines(std::initializer_list<const char*> text) {
    QStringList out;
    for (const char* t : text)
        out.append(QString::fromUtf8(t));
    return out;
}

// Reads the lines and expects success.
void readOk(TSestavaTyp& report, const QStringList& l) {
    TemplateReader reader;
    ASSERT_TRUE(reader.read(l, report)) << reader.errorString().toStdString();
}

QString readError(const QStringList& l) {
    TSestavaTyp report;
    TemplateReader reader;
    EXPECT_FALSE(reader.read(l, report));
    EXPECT_TRUE(report.groups().empty());
    EXPECT_TRUE(report.section(TOddilSestavy::Telo)->elements.empty());
    return reader.errorString();
}

} // namespace

TEST(TemplateReader, InformationLines) {
    TSestavaTyp r;
    readOk(r, lines({"I,0,\"Popis, \"\"sestavy\"\"\"", "I,2,1,826,1169,10,20,30,40,3,12", "I,3,0,1,96,1",
                     "I,3,2,1,20", "I,3,4,1,32,1", "I,5,-7", "I,4,1,2,1,24,0,30,1"}));
    EXPECT_EQ(r.description(), QStringLiteral("Popis, \"sestavy\""));
    EXPECT_EQ(r.versionMajor(), 4); // no I,1 line
    const ReportPaper& p = r.paper();
    EXPECT_EQ(p.orientation, 1);
    EXPECT_EQ(p.width, 826);
    EXPECT_EQ(p.height, 1169);
    EXPECT_EQ(r.pageWidth(), 1169);
    EXPECT_EQ(r.pageHeight(), 826);
    EXPECT_EQ(p.marginLeft, 10);
    EXPECT_EQ(p.marginRight, 20);
    EXPECT_EQ(p.marginTop, 30);
    EXPECT_EQ(p.marginBottom, 40);
    EXPECT_EQ(p.columns, 3);
    EXPECT_EQ(p.columnGap, 12);
    EXPECT_FALSE(p.reservedPresent);
    EXPECT_TRUE(r.section(0)->visible);
    EXPECT_EQ(r.section(0)->height, 96);
    EXPECT_TRUE(r.section(0)->option);
    EXPECT_FALSE(r.section(2)->option);
    EXPECT_FALSE(r.section(4)->option); // the page foot has no option
    EXPECT_EQ(r.section(4)->height, 32);
    EXPECT_EQ(r.i5Value(), -7);
    ASSERT_EQ(r.groups().size(), 2u); // group 1 implies group 0
    const TPolSkup& g = r.groups()[1];
    EXPECT_EQ(g.fieldIndex, 2);
    EXPECT_TRUE(g.head.visible);
    EXPECT_EQ(g.head.height, 24);
    EXPECT_FALSE(g.foot.visible);
    EXPECT_EQ(g.foot.height, 30);
    EXPECT_TRUE(g.newPage);
    EXPECT_EQ(r.section(7), &r.groups()[1].head);
    EXPECT_EQ(r.section(8), &r.groups()[1].foot);
    EXPECT_EQ(r.section(9), nullptr);
}

TEST(TemplateReader, MajorVersionZeroHasNoPaperSize) {
    TSestavaTyp r;
    readOk(r, lines({"I,2,1,10,20,30,40,2,5,9", "I,1,0,0,0"}));
    EXPECT_EQ(r.versionMajor(), 0);
    EXPECT_EQ(r.paper().orientation, 1);
    EXPECT_EQ(r.paper().width, 850);
    EXPECT_EQ(r.paper().height, 1200);
    EXPECT_EQ(r.paper().marginLeft, 10);
    EXPECT_EQ(r.paper().marginBottom, 40);
    EXPECT_EQ(r.paper().columns, 2);
    EXPECT_EQ(r.paper().columnGap, 5);
    EXPECT_TRUE(r.paper().reservedPresent);
    EXPECT_EQ(r.paper().reserved, 9);
}

TEST(TemplateReader, MalformedNumbersTakeDefaults) {
    TSestavaTyp r;
    readOk(r, lines({"I,2,x,,abc,1,2,3,4,0,", "I,3,2,1,-50", "I,3,x,1,99", "I,4,x,1,1,1,1,1,1",
                     "F,0,A,\"a\",1,\"\",0,\"1\",2,,,", "F,1,B,\"b\",0,\"0\",0,\"2\",0,4,1,9"}));
    EXPECT_EQ(r.paper().orientation, 0);
    EXPECT_EQ(r.paper().width, 850);
    EXPECT_EQ(r.paper().height, 1200);
    EXPECT_EQ(r.paper().columns, 1); // 0 columns cannot be printed
    EXPECT_EQ(r.section(2)->height, 0);
    EXPECT_FALSE(r.section(0)->visible); // "I,3,x" is not read as section 0
    EXPECT_TRUE(r.groups().empty());     // nor "I,4,x" as group 0
    ASSERT_EQ(r.functions().size(), 2u);
    EXPECT_EQ(r.functions()[0].precision, 15);
    EXPECT_EQ(r.functions()[0].digits, 2);
    EXPECT_EQ(r.functions()[0].floatFormat, 2);
    EXPECT_EQ(r.functions()[0].resultType, 1);
    EXPECT_EQ(r.functions()[0].initialValue, QString());
    EXPECT_EQ(r.functions()[1].floatFormat, 2); // above 4
    EXPECT_EQ(r.functions()[1].precision, 4);
}

TEST(TemplateReader, GridLine) {
    TSestavaTyp r;
    readOk(r, lines({"I,6,5,0,-3,0,0"}));
    EXPECT_EQ(r.grid().type, 0);
    EXPECT_EQ(r.grid().stepX(), 8);
    EXPECT_EQ(r.grid().stepY(), 8);
    readOk(r, lines({"I,6,1,8,8,1,1"}));
    EXPECT_TRUE(r.grid().isCharacterGrid());
    EXPECT_EQ(r.grid().stepX(), 8);  // 12 cpi
    EXPECT_EQ(r.grid().stepY(), 25); // 4 lines per inch
    readOk(r, lines({"I,6,1,8,8,2,2"}));
    EXPECT_EQ(r.grid().stepX(), 6);
    EXPECT_EQ(r.grid().stepY(), 33);
    readOk(r, lines({"I,6,1,8,8,7,7"}));
    EXPECT_EQ(r.grid().stepX(), 10);
    EXPECT_EQ(r.grid().stepY(), 16);
    EXPECT_EQ(r.grid().linesPerInch(), 6);
}

TEST(TemplateReader, TextElementFields) {
    TSestavaTyp r;
    readOk(r, lines({"F,0,Soucet,\"S\",0,\"0\",0,\"1\",2,15,2,2",
                     "T,2,dr_zkr,1,2,3,4,Arial CE,-14,3,5,146,77,238,\"t, \"\"x\"\"\",9",
                     "T,6,soucet,0,0,1,1,Arial,10,0,0,0,0,1,\"\",0",
                     "T,6,Neni,0,0,1,1,Arial,10,0,0,0,0,1,\"\",0", "T,6,12,0,0,1,1,Arial,10,0,0,0,0,1,\"\",0",
                     "T,1"}));
    const auto& el = r.section(TOddilSestavy::Telo)->elements;
    ASSERT_EQ(el.size(), 5u);
    const TSiReportElement& e = el[0];
    EXPECT_EQ(e.kind, 2);
    EXPECT_EQ(e.sourceName, QStringLiteral("dr_zkr"));
    EXPECT_EQ(e.source, 0);
    EXPECT_EQ(e.rect(), QRect(1, 2, 3, 4));
    EXPECT_EQ(e.fontName, QStringLiteral("Arial CE"));
    EXPECT_EQ(e.fontSize, 10); // 14 hundredths of an inch
    EXPECT_EQ(e.colour, 3);
    EXPECT_EQ(e.style, 5);
    EXPECT_EQ(e.alignment, 146);
    EXPECT_EQ(e.horizontalAlignment(), TSiReportElement::AlignCenter);
    EXPECT_EQ(e.alignmentOptions(), 144);
    EXPECT_TRUE(e.isStretching());
    EXPECT_EQ(e.flags, 77);
    EXPECT_EQ(e.charset, 238);
    EXPECT_EQ(e.text, QStringLiteral("t, \"x\""));
    EXPECT_EQ(e.extra, 9);
    EXPECT_EQ(el[1].source, 0); // function found without regard to case
    EXPECT_EQ(el[1].sourceName, QStringLiteral("soucet"));
    EXPECT_EQ(el[2].source, 0);  // unknown function
    EXPECT_EQ(el[3].source, 12); // starts with a digit: a number
    EXPECT_TRUE(el[3].sourceName.isEmpty());
    EXPECT_EQ(el[4].fontName, QString()); // every missing field empty or default
    EXPECT_EQ(el[4].fontSize, 0);
    EXPECT_EQ(el[4].charset, 1);
}

TEST(TemplateReader, GraphicAndSubReportElements) {
    TSestavaTyp r;
    readOk(r, lines({"K,7,3,0,5,100,3,,-4,1,2,8,15,0", "K,9,0,1,1,5,5,,2,0,0,0,15,1",
                     "K,11,0,1,1,5,5,,1,0,0,0,15,0,\"C:\\obr\\logo.bmp\"", "K,15,2,0,0,700,40,ignored",
                     "K,12,0,0,0,1,1", "K,x,0,0,0,1,1"}));
    const auto& el = r.section(TOddilSestavy::Konec)->elements;
    ASSERT_EQ(el.size(), 4u); // kinds 12 and "x" are unknown
    EXPECT_EQ(el[0].source, 3);
    EXPECT_EQ(el[0].lineWidth, 1);
    EXPECT_EQ(el[0].lineColour, 1);
    EXPECT_EQ(el[0].lineStyle, 2);
    EXPECT_EQ(el[0].flags, 8);
    EXPECT_EQ(el[0].fillColour, 15);
    EXPECT_EQ(el[1].source, 9); // frames take their kind as source
    EXPECT_EQ(el[1].fillStyle, 1);
    EXPECT_EQ(el[2].pictureFile, QStringLiteral("logo.bmp"));
    EXPECT_TRUE(el[2].picture.isNull()); // no picture directory given
    EXPECT_EQ(el[3].kind, 15);
    EXPECT_EQ(el[3].source, 2);
    EXPECT_EQ(el[3].width, 700);
}

TEST(TemplateReader, KindFiveCompatibilityRule) {
    const QStringList body =
        lines({"T,5,3,0,0,1,1,A,10,0,0,0,0,1,\"\",0", "T,5,4,0,0,1,1,A,10,0,0,0,0,1,\"\",0",
               "T,5,6,0,0,1,1,A,10,0,0,0,0,1,\"\",0"});
    auto sources = [&](const char* version) {
        TSestavaTyp r;
        QStringList l = body;
        if (version)
            l.prepend(QString::fromLatin1(version));
        TemplateReader reader;
        EXPECT_TRUE(reader.read(l, r));
        std::vector<int> s;
        for (const auto& e : r.section(2)->elements)
            s.push_back(e.source);
        return s;
    };
    EXPECT_EQ(sources("I,1,1,0,2"), (std::vector<int>{3, 5, 7}));
    EXPECT_EQ(sources("I,1,0,9,0"), (std::vector<int>{3, 5, 7}));
    EXPECT_EQ(sources("I,1,1,0,3"), (std::vector<int>{3, 4, 6}));
    EXPECT_EQ(sources("I,1,2,0,0"), (std::vector<int>{3, 4, 6}));
    EXPECT_EQ(sources(nullptr), (std::vector<int>{3, 4, 6}));
}

TEST(TemplateReader, LinesThatAreIgnored) {
    TSestavaTyp r;
    readOk(r, lines({"I", "F", "X,1,0,0,0,1,1", "", "I,", "I,9,1", "Sx,1,0", "t,1,0,0,0,1,1", "T,1,0,0,0,1,1",
                     "ZZ,1,0,0,0,1,1"}));
    EXPECT_EQ(r.functions().size(), 0u);
    EXPECT_EQ(r.section(2)->elements.size(), 1u);
    EXPECT_EQ(r.section(0)->elements.size(), 0u);
    EXPECT_TRUE(r.groups().empty());
}

TEST(TemplateReader, GroupSectionsAndOrder) {
    TSestavaTyp r;
    readOk(r, lines({"U1,1,0,0,0,1,1,A,10,0,0,0,0,1,\"u1\",0", "T,1,0,0,0,1,1,A,10,0,0,0,0,1,\"t1\",0",
                     "S0,1,0,0,0,1,1,A,10,0,0,0,0,1,\"s0\",0", "T,1,0,0,0,1,1,A,10,0,0,0,0,1,\"t2\",0"}));
    ASSERT_EQ(r.groups().size(), 2u);
    EXPECT_EQ(r.groups()[1].foot.elements.at(0).text, QStringLiteral("u1"));
    EXPECT_EQ(r.groups()[0].head.elements.at(0).text, QStringLiteral("s0"));
    ASSERT_EQ(r.section(2)->elements.size(), 2u);
    EXPECT_EQ(r.section(2)->elements[0].text, QStringLiteral("t1"));
    EXPECT_EQ(r.section(2)->elements[1].text, QStringLiteral("t2"));
}

TEST(TemplateReader, SubReportsHaveNoPageSections) {
    TSestavaTyp r;
    readOk(r, lines({"D1,I,1,1,0,2", "D1,H,1,0,0,0,1,1,A,10,0,0,0,0,1,\"h\",0",
                     "D1,T,5,4,0,0,1,1,A,10,0,0,0,0,1,\"\",0", "D1,D0,T,1,0,0,0,1,1,A,10,0,0,0,0,1,\"x\",0",
                     "D1,I,2,0,100,200,1,2,3,4,2,7", "T,15,1,0,0,10,10"}));
    ASSERT_EQ(r.subReports().size(), 2u);
    const TSestavaTyp* d = r.subReport(1);
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->hasPageSections());
    EXPECT_TRUE(r.hasPageSections());
    EXPECT_TRUE(d->section(1)->elements.empty());
    ASSERT_EQ(d->section(2)->elements.size(), 1u);
    EXPECT_EQ(d->section(2)->elements[0].source, 5); // its own version 1.0.2
    EXPECT_EQ(d->paper().columns, 2);
    EXPECT_EQ(d->paper().columnGap, 7);
    ASSERT_NE(d->subReport(0), nullptr);
    EXPECT_EQ(d->subReport(0)->section(2)->elements.at(0).text, QStringLiteral("x"));
    EXPECT_EQ(r.versionMajor(), 4);
    EXPECT_TRUE(r.subReport(0)->section(2)->elements.empty());
}

TEST(TemplateReader, BadInputFailsWithCzechMessage) {
    EXPECT_TRUE(readError(lines({"I,4,100,0,0,0,0,0,0"})).contains(QStringLiteral("číslo skupiny")));
    EXPECT_TRUE(readError(lines({"I,4,-1,0,0,0,0,0,0"})).contains(QStringLiteral("řádku 1")));
    EXPECT_TRUE(
        readError(lines({"T,1,0,0,0,1,1", "S999999,1,0,0,0,1,1"})).contains(QStringLiteral("řádku 2")));
    EXPECT_TRUE(readError(lines({"U99999999999999999999,1,0,0,0,1,1"})).contains(QStringLiteral("skupiny")));
    EXPECT_TRUE(readError(lines({"D100,T,1"})).contains(QStringLiteral("podsestavy")));
    QString nested = QStringLiteral("T,1,0,0,0,1,1");
    for (int i = 0; i < 9; ++i)
        nested.prepend(QStringLiteral("D0,"));
    EXPECT_TRUE(readError({nested}).contains(QStringLiteral("vnořeny")));
    EXPECT_EQ(readError(lines({"\x7f"
                               "ELF\x02\x01",
                               "garbage"})),
              QStringLiteral("Soubor neobsahuje předlohu tiskové sestavy."));
    QStringList many;
    for (int i = 0; i <= TemplateReader::kMaxItems; ++i)
        many.append(QStringLiteral("T,1"));
    EXPECT_TRUE(readError(many).contains(QStringLiteral("20000")));
}

TEST(TemplateReader, ReadingAgainReplacesTheModel) {
    TSestavaTyp r;
    readOk(r, lines({"I,4,2,0,0,0,0,0,0", "T,1", "F,0,A,\"\",0,\"\",0,\"\",0,15,2,2", "D0,T,1"}));
    readOk(r, lines({"Z,1"}));
    EXPECT_TRUE(r.groups().empty());
    EXPECT_TRUE(r.functions().empty());
    EXPECT_TRUE(r.subReports().empty());
    EXPECT_TRUE(r.section(2)->elements.empty());
    EXPECT_EQ(r.section(0)->elements.size(), 1u);
    readOk(r, {}); // an empty template is a valid new one
}

TEST(TemplateReader, TruncatedLinesNeverFail) {
    const QString full = QStringLiteral("T,2,dr_zkr,1,2,3,4,Arial CE,-14,3,5,146,77,238,\"t, \"\"x\"\"\",9");
    for (qsizetype n = 1; n <= full.size(); ++n) {
        TSestavaTyp r;
        TemplateReader reader;
        EXPECT_TRUE(reader.read({QStringLiteral("I,1,4,0,0"), full.left(n)}, r)) << n;
    }
}
