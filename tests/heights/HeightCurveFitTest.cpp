#include "HeightCurveFit.h"

#include "ApplicationEnvironment.h"
#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

[[maybe_unused]] const auto* const kApp = testsupport::InstallApplication<QCoreApplication>("heights_test");

// 30 pairs drawn from the Näslund curve h = 1.3 + d² / (1.6 + 0.2·d)² with a normal error of 0.9 m.
const SampleHeights kNaslundSamples{{15.1, 11.2}, {8.0, 9.0},   {17.5, 13.2}, {24.2, 15.7}, {8.1, 7.7},
                                    {16.5, 13.1}, {51.6, 20.9}, {42.6, 18.5}, {13.3, 12.5}, {17.9, 12.5},
                                    {41.7, 19.4}, {48.3, 19.5}, {23.6, 15.1}, {42.6, 19.6}, {14.5, 11.9},
                                    {31.8, 18.7}, {34.3, 17.3}, {42.8, 19.5}, {20.3, 14.7}, {26.2, 17.9},
                                    {24.5, 17.0}, {14.1, 12.1}, {37.7, 19.8}, {32.5, 18.2}, {30.3, 16.2},
                                    {35.6, 18.3}, {34.6, 18.9}, {11.2, 9.3},  {21.2, 15.9}, {25.7, 16.2}};

// The same models fitted by scipy (tests/heights/independent_fit.py), by model name.
QJsonObject independentFit(const SampleHeights& samples, QString* problem) {
    const QString python = testsupport::pythonWith("scipy");
    if (python.isEmpty()) {
        *problem = "no python3 with scipy (python3-scipy)";
        return {};
    }
    QJsonArray d, h;
    for (const SampleHeight& s : samples) {
        d.append(s.diameter);
        h.append(s.height);
    }
    QProcess p;
    p.start(python, {QString::fromUtf8(RIVWOOD_INDEPENDENT_FIT)});
    p.write(QJsonDocument(QJsonObject{{"d", d}, {"h", h}}).toJson());
    p.closeWriteChannel();
    if (!p.waitForFinished(120000) || p.exitCode() != 0) {
        *problem = QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

} // namespace

// Every model's curve agrees with scipy's least-squares fit within 0.01 m at the sampled
// diameters, with the same RMSE, bias and AIC, and the best model is scipy's lowest AIC.
TEST(HeightCurves, AgreeWithAnIndependentFit) {
    QString problem;
    const QJsonObject scipy = independentFit(kNaslundSamples, &problem);
    if (scipy.isEmpty())
        GTEST_SKIP() << problem.toStdString();
    const HeightCurves curves = FitHeightCurves(kNaslundSamples);
    ASSERT_EQ(curves.models.size(), HeightModels::All.size());
    QString lowest;
    for (const HeightCurveFit& fit : curves.models) {
        const QString name = HeightModels::Name(fit.model);
        SCOPED_TRACE(name.toStdString());
        const QJsonObject other = scipy.value(name).toObject();
        ASSERT_FALSE(other.isEmpty());
        EXPECT_TRUE(fit.converged) << fit.failure.toStdString();
        const QJsonArray heights = other.value("heights").toArray();
        ASSERT_EQ(heights.size(), qsizetype(kNaslundSamples.size()));
        for (size_t i = 0; i < kNaslundSamples.size(); ++i)
            EXPECT_NEAR(fit.height(kNaslundSamples[i].diameter), heights[qsizetype(i)].toDouble(), 0.01)
                << "d = " << kNaslundSamples[i].diameter;
        EXPECT_NEAR(fit.rmse, other.value("rmse").toDouble(), 1e-4);
        EXPECT_NEAR(fit.bias, other.value("bias").toDouble(), 1e-3);
        EXPECT_NEAR(fit.aic, other.value("aic").toDouble(), 1e-2);
        if (lowest.isEmpty() ||
            other.value("aic").toDouble() < scipy.value(lowest).toObject().value("aic").toDouble())
            lowest = name;
    }
    ASSERT_NE(curves.bestFit(), nullptr);
    EXPECT_EQ(HeightModels::Name(curves.bestFit()->model), lowest);
}

// A model of k parameters is fitted from k + 2 usable pairs on; pairs below breast height or
// without a diameter do not count.
TEST(HeightCurves, EnoughPairsPerModel) {
    SampleHeights four(kNaslundSamples.begin(), kNaslundSamples.begin() + 4);
    four.push_back({0, 20});
    four.push_back({30, 1.2});
    const HeightCurves curves = FitHeightCurves(four);
    EXPECT_EQ(curves.samples.size(), 4u);
    ASSERT_EQ(curves.models.size(), 7u);
    for (const HeightCurveFit& fit : curves.models)
        EXPECT_NE(fit.model, HeightModel::Prodan);
    EXPECT_TRUE(
        FitHeightCurves(SampleHeights(kNaslundSamples.begin(), kNaslundSamples.begin() + 3)).models.empty());
    EXPECT_EQ(FitHeightCurves(kNaslundSamples, HeightModel::Wykoff).models.size(), 1u);
}

// A curve that falls with diameter, and pairs that cannot determine a curve, are reported as
// failed and never become the best.
TEST(HeightCurves, UnusableCurvesAreFailures) {
    SampleHeights falling;
    for (int i = 0; i < 12; ++i)
        falling.push_back({10.0 + 3 * i, 30.0 - 1.5 * i + (i % 3) * 0.4});
    const HeightCurves down = FitHeightCurves(falling);
    ASSERT_EQ(down.models.size(), HeightModels::All.size());
    EXPECT_FALSE(down.models.front().converged) << "Näslund's curve falls here";
    for (const HeightCurveFit& fit : down.models) {
        SCOPED_TRACE(HeightModels::Name(fit.model).toStdString());
        if (fit.converged) {
            EXPECT_GE(fit.height(43), fit.height(10));
        } else {
            EXPECT_EQ(fit.failure, "křivka s tloušťkou klesá");
        }
    }
    EXPECT_TRUE(!down.bestFit() || down.bestFit()->converged);

    const HeightCurves same = FitHeightCurves({{20, 15}, {20, 16}, {20, 17}, {20, 18}, {20, 19}});
    ASSERT_FALSE(same.models.empty());
    EXPECT_EQ(same.bestFit(), nullptr);
    for (const HeightCurveFit& fit : same.models)
        EXPECT_FALSE(fit.failure.isEmpty());
}
