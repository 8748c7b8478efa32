// The shipped templates: still the generator's output, readable, complete, and every name in them
// found in the stand report query.
#include "StandFixtures.h"
#include "StandReportQueries.h"
#include "StandReportTemplates.h"
#include "TFJHKSest.h"
#include "TPredloha.h"
#include "TemplateReader.h"
#include "TemplateWriter.h"
#include "TestSupport.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString committed(const char* name) {
    return testsupport::dataPath(QStringLiteral("../../data/templates/") + QString::fromLatin1(name));
}

struct TemplateCase {
    const char* name;
    bool withComment;
};
const TemplateCase kTemplates[] = {{"jhkrep.pts", false}, {"jhkkom.pts", true}};

QStringList queryColumns() {
    ReportDatabase db;
    const QueryRows rows =
        StandReportQueries::QSestava(db.database(), StandReportQueries::Scope::OneStand(1));
    QStringList names;
    for (const QString& name : *rows.names)
        names << name.toUpper();
    return names;
}

} // namespace

TEST(StandTemplates, CommittedAndCopiedFilesAreTheGeneratorOutput) {
    for (const TemplateCase& t : kTemplates) {
        const QByteArray generated = StandReportTemplates::fileBytes(t.withComment);
        EXPECT_EQ(testsupport::readFile(committed(t.name)), generated)
            << t.name << ": run rivwood-templategen data/templates";
        EXPECT_EQ(testsupport::readFile(testsupport::binDir() + u'/' + QString::fromLatin1(t.name)),
                  generated)
            << t.name;
        // cp1250 with CR LF line ends.
        EXPECT_TRUE(generated.contains("\r\n"));
        EXPECT_TRUE(generated.contains("Zji\x9A\x9Dov\xE1n\xED")); // "Zjišťování"
        EXPECT_FALSE(generated.contains("\xC5\xA1"));
    }
}

TEST(StandTemplates, ReadBackIntoTheSameReportWithTwoGroups) {
    const QStringList columns = queryColumns();
    ASSERT_FALSE(columns.isEmpty());
    for (const TemplateCase& t : kTemplates) {
        TPredloha file;
        ASSERT_TRUE(file.loadFromFile(committed(t.name)));
        TSestavaTyp report;
        TemplateReader reader;
        ASSERT_TRUE(reader.read(file.lines(), report)) << reader.errorString().toStdString();
        EXPECT_EQ(TemplateWriter::write(report), file.lines()) << t.name;

        EXPECT_EQ(report.pageHeight(), 1169);
        EXPECT_EQ(report.pageWidth(), 826);
        ASSERT_EQ(report.groups().size(), 2u);
        EXPECT_EQ(columns.value(report.groups()[0].fieldIndex), QStringLiteral("NAZEVTOK"));
        EXPECT_EQ(columns.value(report.groups()[1].fieldIndex), QStringLiteral("KLIC"));
        EXPECT_TRUE(report.groups()[1].newPage);
        EXPECT_TRUE(report.groups()[1].head.visible);
        for (int s = 0; s <= 4; ++s)
            EXPECT_TRUE(report.section(s)->visible) << s;

        // Every field, caption and function an element names exists.
        std::vector<const TOddilSestavy*> sections;
        for (int s = 0; s <= 4; ++s)
            sections.push_back(report.section(s));
        for (const TPolSkup& g : report.groups()) {
            sections.push_back(&g.head);
            sections.push_back(&g.foot);
        }
        bool comment = false, stranka = false;
        for (const TOddilSestavy* section : sections) {
            for (const TSiReportElement& e : section->elements) {
                if (e.kind == TSiReportElement::FieldValue || e.kind == TSiReportElement::FieldCaption) {
                    EXPECT_TRUE(columns.contains(e.sourceName.toUpper())) << e.sourceName.toStdString();
                }
                if (e.kind == TSiReportElement::Function) {
                    EXPECT_GE(report.findFunction(e.sourceName), 0) << e.sourceName.toStdString();
                }
                comment = comment || e.sourceName.compare(QStringLiteral("KOMENT"), Qt::CaseInsensitive) == 0;
                stranka = stranka ||
                          (section == &report.groups()[1].head && e.sourceName == QStringLiteral("STRANKA"));
            }
        }
        EXPECT_EQ(comment, t.withComment) << t.name;
        EXPECT_TRUE(stranka) << t.name;
        static const QRegularExpression reference(QStringLiteral("([#@])([A-Za-z_][A-Za-z0-9_$]*)"));
        for (const TemplateFunction& f : report.functions()) {
            auto it = reference.globalMatch(f.expression);
            while (it.hasNext()) {
                const QRegularExpressionMatch m = it.next();
                if (m.captured(1) == QStringLiteral("#")) {
                    EXPECT_TRUE(columns.contains(m.captured(2).toUpper())) << f.expression.toStdString();
                } else {
                    EXPECT_GE(report.findFunction(m.captured(2)), 0) << f.expression.toStdString();
                }
            }
        }
    }
}
