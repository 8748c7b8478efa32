// rivwood-cli report over a database saved through the stand store: PDF text, text export bytes,
// usage errors and user-fixable failures.
#include "ConvertText.h"
#include "Cp1250.h"
#include "SmallDisk.h"
#include "StandFixtures.h"
#include "TestSupport.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int code = -1;
    QByteArray out;
    QString err;
};

class ReportCliTest : public ::testing::Test {
  protected:
    CliRun cli(QStringList args) {
        args.prepend(QStringLiteral("--settings"));
        args.insert(1, m_scratch.filePath(QStringLiteral("Rivwood.INI")));
        QProcess p;
        p.start(testsupport::binDir() + QStringLiteral("/rivwood-cli"), args);
        EXPECT_TRUE(p.waitForFinished(120000));
        return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
    }
    QString scratch(const QString& name) const { return m_scratch.filePath(name); }

    // Three rivers, the middle stand long enough for two pages.
    void addStands() {
        m_db.add(Stand(QStringLiteral("Želivka"), "L", "1,0", QStringLiteral("A"), 3), 1);
        m_db.add(Stand(QStringLiteral("Blanice"), "P", "2,0", QStringLiteral("A"), 60), 2);
        StandPlan c = Stand(QStringLiteral("Lužnice"), "L", "3,0", QStringLiteral("A"), 4);
        c.comment = QStringLiteral("Olše s podrostem, břeh zpevněn.");
        m_key3 = m_db.add(c, 3);
    }

    ReportDatabase m_db;
    QTemporaryDir m_scratch;
    int m_key3 = 0;
};

// Text of a PDF as pdftotext reads it.
QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(60000));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Every sentence of the comment once and in order, and none of its words lost: the comment's words
// are, in their order, among the words of the text (which has page heads and foots between them).
void expectWholeComment(const QString& text, const QStringList& sentences) {
    qsizetype at = 0;
    for (const QString& sentence : sentences) {
        const QString marker = sentence.section(u':', 0, 0) + u':';
        EXPECT_EQ(text.count(marker), 1) << marker.toStdString();
        const qsizetype found = text.indexOf(marker, at);
        EXPECT_GE(found, at) << marker.toStdString();
        at = std::max(at, found);
    }
    const QStringList words = text.simplified().split(u' ');
    qsizetype w = 0;
    for (const QString& word : sentences.join(u' ').split(u' ')) {
        while (w < words.size() && words[w] != word)
            ++w;
        ASSERT_LT(w, words.size()) << "missing from the text: " << word.toStdString();
        ++w;
    }
}

int pagesOf(const CliRun& r) {
    return QJsonDocument::fromJson(r.out).object().value(QStringLiteral("pages")).toInt(-1);
}

} // namespace

TEST_F(ReportCliTest, PdfShowsEveryStandWithItsPageNumber) {
    addStands();
    const QString pdf = scratch(QStringLiteral("sestava.pdf"));
    const CliRun r = cli({"report", "--db", m_db.directory(), "--all", "--pdf", pdf});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(pagesOf(r), 4);

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils) is needed";
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 4);
    static const QRegularExpression list(QStringLiteral("List:\\s+(\\d+)"));
    static const QRegularExpression river(QStringLiteral("Tok:\\s+(\\S+)"));
    // Page 2 continues the first stand under its header and column captions.
    const QStringList rivers{"Blanice", "Blanice", "Lužnice", "Želivka"};
    const int lists[] = {1, 1, 3, 4};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Strana %1 z 4").arg(i + 1))) << i;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Zásoba/ha"))) << i;
        const QRegularExpressionMatch m = list.match(pages[i]);
        ASSERT_TRUE(m.hasMatch()) << i;
        EXPECT_EQ(m.captured(1).toInt(), lists[i]);
        EXPECT_EQ(river.match(pages[i]).captured(1), rivers[i]);
    }
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Zjišťování zásob břehových porostů metodou JHK")));
    EXPECT_TRUE(pages[3].contains(QStringLiteral("Celkem všechny porosty sestavy")));
    EXPECT_FALSE(pages[2].contains(QStringLiteral("Poznámka:")));
}

TEST_F(ReportCliTest, OneStandWithCommentAsPdf) {
    addStands();
    const QString pdf = scratch(QStringLiteral("jeden.pdf"));
    const CliRun r = cli(
        {"report", "--db", m_db.directory(), "--key", QString::number(m_key3), "--comment", "--pdf", pdf});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(pagesOf(r), 1);
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Poznámka:")));
    EXPECT_TRUE(text.contains(QStringLiteral("Olše s podrostem, břeh zpevněn.")));
    EXPECT_TRUE(text.contains(QStringLiteral("Lužnice")));
    EXPECT_FALSE(text.contains(QStringLiteral("Želivka")));
}

TEST_F(ReportCliTest, TextExportWritesTheCodePage) {
    addStands();
    const QString file = scratch(QStringLiteral("sestava.txt"));
    const CliRun r =
        cli({"report", "--db", m_db.directory(), "--all", "--text", file, "--codepage", "cp852"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(pagesOf(r), 4);
    const QByteArray bytes = testsupport::readFile(file);
    // 70 grid rows per A4 page at 6 lines per inch, each ended by CR LF.
    EXPECT_EQ(bytes.count("\r\n"), 4 * 70);
    EXPECT_TRUE(bytes.contains(ConvertText(QStringLiteral("Zjišťování zásob břehových porostů"), slCP852)));
    EXPECT_TRUE(bytes.contains("Zji\xE7\x9Cov\xA0n\xA1"));
    EXPECT_TRUE(bytes.contains(ConvertText(QStringLiteral("Želivka"), slCP852)));
    EXPECT_FALSE(bytes.contains("\x9A")); // cp1250 "š"
    EXPECT_FALSE(bytes.contains("\xC5")); // no UTF-8
    // The stand header line carries its page number.
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("List:\\s+3")).match(QString::fromLatin1(bytes)).hasMatch());

    const QString ascii = scratch(QStringLiteral("ascii.txt"));
    ASSERT_EQ(cli({"report", "--db", m_db.directory(), "--all", "--text", ascii, "--codepage", "ascii"}).code,
              0);
    const QByteArray plain = testsupport::readFile(ascii);
    EXPECT_TRUE(plain.contains("Zjistovani zasob brehovych porostu metodou JHK"));
    EXPECT_TRUE(std::all_of(plain.begin(), plain.end(), [](char c) { return (unsigned char)c < 128; }));
}

TEST_F(ReportCliTest, UsageErrorsAndFailures) {
    addStands();
    const QString dir = m_db.directory();
    const QString out = scratch(QStringLiteral("x.pdf"));
    EXPECT_EQ(cli({"report", "--all", "--pdf", out}).code, 2);
    EXPECT_EQ(cli({"report", "--db", dir, "--pdf", out}).code, 2);
    EXPECT_EQ(cli({"report", "--db", dir, "--all", "--key", "1", "--pdf", out}).code, 2);
    EXPECT_EQ(cli({"report", "--db", dir, "--all"}).code, 2);
    EXPECT_EQ(cli({"report", "--db", dir, "--all", "--pdf", out, "--codepage", "cp852"}).code, 2);
    EXPECT_EQ(cli({"report", "--db", dir, "--all", "--text", out, "--codepage", "cp437"}).code, 2);
    EXPECT_EQ(cli({"report", "--db", dir, "--key", "x", "--pdf", out}).code, 2);

    CliRun r = cli({"report", "--db", scratch(QStringLiteral("nic")), "--all", "--pdf", out});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("neexistuje"))) << r.err.toStdString();
    QTemporaryDir empty;
    r = cli({"report", "--db", empty.path(), "--all", "--pdf", out});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("není databáze porostů"))) << r.err.toStdString();
    r = cli({"report", "--db", dir, "--key", "99", "--pdf", out});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Porost s klíčem 99 v databázi není."))) << r.err.toStdString();
    StandPlan open = Stand(QStringLiteral("Ohře"), "L", "1,0", QStringLiteral("A"), 2);
    open.summary = false;
    const int key = m_db.add(open, 9);
    r = cli({"report", "--db", dir, "--key", QString::number(key), "--pdf", out});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Nejdřív je potřeba vypočítat souhrn !")))
        << r.err.toStdString();
    r = cli({"report", "--db", dir, "--all", "--pdf", scratch(QStringLiteral("chybí/x.pdf"))});
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(r.err.isEmpty());
}

TEST_F(ReportCliTest, LongCommentIsPrintedWholeInThePdfAndTheText) {
    QStringList sentences;
    for (int i = 1; i <= 400; ++i)
        sentences
            << QStringLiteral("V%1: výskyt jmelí, nutná probírka olše.").arg(i, 3, 10, QLatin1Char('0'));
    StandPlan plan = Stand(QStringLiteral("Sázava"), "L", "1,0", QStringLiteral("Revize"), 12);
    plan.comment = sentences.join(u' ');
    ASSERT_GT(plan.comment.size(), 16000);
    const int key = m_db.add(plan, 1);
    m_db.add(Stand(QStringLiteral("Sázava"), "P", "2,0", QStringLiteral("Revize"), 3), 2);

    const QString pdf = scratch(QStringLiteral("poznamka.pdf"));
    CliRun r = cli({"report", "--db", m_db.directory(), "--all", "--comment", "--pdf", pdf});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_GE(pagesOf(r), 4);
    const QString text = pdfText(pdf);
    expectWholeComment(text, sentences);
    // The next stand comes after the comment, on the last page.
    EXPECT_EQ(m_db.stranka(key + 1), pagesOf(r));

    const QString txt = scratch(QStringLiteral("poznamka.txt"));
    r = cli({"report", "--db", m_db.directory(), "--all", "--comment", "--text", txt});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    expectWholeComment(Cp1250::decode(testsupport::readFile(txt)), sentences);
}

// A PDF that does not fit on the disk fails with its cause and leaves the earlier file as it was.
TEST_F(ReportCliTest, PdfOnAFullDiskKeepsTheEarlierFile) {
    testsupport::SmallDisk disk(512);
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    addStands();
    const QString pdf = disk.filePath(QStringLiteral("sestava.pdf"));
    ASSERT_EQ(cli({"report", "--db", m_db.directory(), "--all", "--pdf", pdf}).code, 0);
    const QByteArray earlier = testsupport::readFile(pdf);
    disk.fill();
    const CliRun r = cli({"report", "--db", m_db.directory(), "--all", "--comment", "--pdf", pdf});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("nelze uložit: na disku není volné místo.")))
        << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(testsupport::readFile(pdf), earlier);
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files), QStringList{"sestava.pdf"});
}
