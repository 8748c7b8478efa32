#include "TestSupport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QJsonObject json;
};

CliRun evalCli(const QStringList& args, const QString& lang = "C") {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("LC_ALL");
    env.remove("LC_NUMERIC");
    env.insert("LANG", lang);
    process.setProcessEnvironment(env);
    process.start(testsupport::binDir() + "/rivwood-cli", QStringList{"eval"} + args);
    CliRun run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitCode();
    run.json = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    return run;
}

} // namespace

TEST(EvalCli, PrintsTheResult) {
    CliRun r = evalCli({"2+3*4"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.json["code"].toInt(), 0);
    EXPECT_EQ(r.json["position"].toInt(), 0);
    EXPECT_EQ(r.json["kind"].toInt(), 1);
    EXPECT_EQ(r.json["number"].toDouble(), 14);
    EXPECT_EQ(r.json["text"].toString(), "14");

    r = evalCli({"2^3^2"});
    EXPECT_EQ(r.json["number"].toDouble(), 64);

    r = evalCli({"'ab'+'cd'"});
    EXPECT_EQ(r.json["kind"].toInt(), 2);
    EXPECT_EQ(r.json["text"].toString(), "abcd");

    r = evalCli({"IIF(1,'ano','ne')"});
    EXPECT_EQ(r.json["text"].toString(), "ano");

    r = evalCli({"1/3"});
    EXPECT_DOUBLE_EQ(r.json["number"].toDouble(), 1.0 / 3); // full precision in JSON
}

TEST(EvalCli, PrintsErrorsWithPositions) {
    CliRun r = evalCli({"-2^2"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.json["code"].toInt(), 6);

    r = evalCli({"2*-3"});
    EXPECT_EQ(r.json["code"].toInt(), 2);
    EXPECT_EQ(r.json["position"].toInt(), 3);

    r = evalCli({"MAX(1)"});
    EXPECT_EQ(r.json["code"].toInt(), 10);
    EXPECT_EQ(r.json["position"].toInt(), 6);

    r = evalCli({"(1"});
    EXPECT_EQ(r.json["code"].toInt(), 5);
    EXPECT_EQ(r.json["position"].toInt(), 3);
}

TEST(EvalCli, UsesTheLocaleDecimalSeparator) {
    EXPECT_EQ(evalCli({"1/4"}, "cs_CZ.UTF-8").json["text"].toString(), "0,25");
    EXPECT_EQ(evalCli({"1/4"}, "C").json["text"].toString(), "0.25");
}

TEST(EvalCli, UsageErrors) {
    EXPECT_EQ(evalCli({}).exitCode, 2);
    EXPECT_EQ(evalCli({"1", "2"}).exitCode, 2);
}
