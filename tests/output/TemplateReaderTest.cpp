// The template reader against damaged and hostile packages: each fails with a Czech message, and
// an export over such a template writes no file.
#include "RivwoodError.h"
#include "StandFixtures.h"
#include "TFDoExcelu.h"
#include "TestSupport.h"
#include "XlsxReader.h"
#include "ZipArchive.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

ZipArchive::Parts templateParts() {
    ZipArchive::Parts parts;
    QString error;
    const QByteArray bytes =
        testsupport::readFile(QDir(testsupport::binDir()).filePath(TFDoExcelu::TemplateName));
    EXPECT_TRUE(ZipArchive::read(bytes, parts, error)) << error.toStdString();
    return parts;
}

QByteArray packed(const ZipArchive::Parts& parts) {
    QByteArray bytes;
    QString error;
    EXPECT_TRUE(ZipArchive::write(parts, bytes, error)) << error.toStdString();
    return bytes;
}

// The reader's message for the package, empty when it was read.
QString failure(const QByteArray& package, const XlsxReader::Limits& limits = {}) {
    XlsxReader reader(limits);
    const bool read = reader.readPackage(package) != nullptr;
    return read ? QString() : reader.errorString();
}

} // namespace

TEST(TemplateReader, DamagedPackagesFailWithAMessage) {
    const ZipArchive::Parts good = templateParts();
    EXPECT_EQ(failure(packed(good)), QString());
    const QByteArray whole = packed(good);
    EXPECT_FALSE(failure(whole.left(whole.size() / 2)).isEmpty());
    EXPECT_FALSE(failure(QByteArray(5000, 'x')).isEmpty());

    ZipArchive::Parts broken = good;
    broken["xl/worksheets/sheet1.xml"].chop(200);
    EXPECT_TRUE(failure(packed(broken)).contains("sestava")) << failure(packed(broken)).toStdString();
    broken = good;
    broken.erase("xl/workbook.xml");
    EXPECT_FALSE(failure(packed(broken)).isEmpty());
    broken = good;
    broken["xl/worksheets/sheet2.xml"].replace("r=\"A6\"", "r=\"A9999999\"");
    EXPECT_FALSE(failure(packed(broken)).isEmpty());
}

TEST(TemplateReader, ZipBombsAndHugeSheetsStopAtTheLimits) {
    ZipArchive::Parts parts = templateParts();
    parts["xl/worksheets/padding.xml"] = QByteArray(70 << 20, ' '); // deflates to a few kilobytes
    const QByteArray bomb = packed(parts);
    EXPECT_LT(bomb.size(), 1 << 20);
    EXPECT_TRUE(failure(bomb).contains("příliš velká")) << failure(bomb).toStdString();

    parts = templateParts();
    QByteArray rows;
    for (int r = 1; r <= 3000; ++r)
        rows += QStringLiteral("<row r=\"%1\"><c r=\"A%1\"><v>%1</v></c></row>").arg(r + 100).toLatin1();
    parts["xl/worksheets/sheet2.xml"].replace("</sheetData>", rows + "</sheetData>");
    XlsxReader::Limits limits;
    limits.maxCells = 2000;
    EXPECT_TRUE(failure(packed(parts), limits).contains("příliš mnoho buněk"));
    EXPECT_EQ(failure(packed(parts)), QString());
}

TEST(TemplateReader, ExportOverADamagedTemplateWritesNothing) {
    ReportDatabase db;
    db.add(StandPlan{}, 1);
    QTemporaryDir dir;
    const QString damaged = dir.filePath("Rivwood.xltx");
    ASSERT_TRUE(testsupport::writeFile(damaged, QByteArray("PK\x03\x04 not really a zip")));
    TFDoExcelu exporter(db.database());
    exporter.templateFile = damaged;
    try {
        exporter.ExportAllStands();
        FAIL() << "exported";
    } catch (const RivwoodError& e) {
        EXPECT_TRUE(e.message().startsWith("Sešit „")) << e.message().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(QDir(db.directory()).filePath("Sestavy/Rivwood.xlsx")));
}
