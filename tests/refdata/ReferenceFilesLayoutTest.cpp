// Invariants of the shipped reference files, read independently of the generator's code.
#include "ParsedReferenceFiles.h"
#include "TableStock.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace refdata;

namespace {

const std::vector<QByteArray> kCurveSpecies = {"sm ", "jd ", "bo ", "md ", "db ", "bk ",
                                               "hb ", "js ", "br ", "ol ", "os ", "tp "};

QString tableSpeciesOf(const QByteArray& code) {
    const QString s = QString::fromLatin1(code).trimmed();
    return s == "os" ? QStringLiteral("tp") : s;
}

class ShippedFiles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        QString error;
        kri = testsupport::readFile(RIVWOOD_SHIPPED_DATA_DIR "/JHK.KRI");
        hmo = testsupport::readFile(RIVWOOD_SHIPPED_DATA_DIR "/JHK.HMO");
        curvesOk = parseCurveFile(kri, curves, error);
        curveError = error;
        volumesOk = parseVolumeFile(hmo, volumes, error);
        volumeError = error;
    }
    void SetUp() override {
        ASSERT_TRUE(curvesOk) << curveError.toStdString();
        ASSERT_TRUE(volumesOk) << volumeError.toStdString();
        ASSERT_EQ(curves.size(), kCurveSpecies.size());
        ASSERT_EQ(volumes.size(), kCurveSpecies.size());
    }
    // Curve numbers of a species in record order, each once.
    static std::vector<int> curveNumbers(const CurveIndex& s) {
        std::vector<int> numbers;
        for (const Segment& seg : s.segments)
            if (numbers.empty() || numbers.back() != seg.curve)
                numbers.push_back(seg.curve);
        return numbers;
    }
    static inline QByteArray kri, hmo;
    static inline std::vector<CurveIndex> curves;
    static inline std::vector<VolumeIndex> volumes;
    static inline bool curvesOk = false, volumesOk = false;
    static inline QString curveError, volumeError;
};

TEST_F(ShippedFiles, IndexTheTwelveCurveSpeciesInTheSameOrder) {
    EXPECT_EQ(uint8_t(kri[0]), 12);
    EXPECT_EQ(uint8_t(hmo[0]), 12);
    for (size_t i = 0; i < kCurveSpecies.size(); ++i) {
        EXPECT_EQ(curves[i].code, kCurveSpecies[i]);
        EXPECT_EQ(volumes[i].code, kCurveSpecies[i]);
    }
    // Segment blocks follow the index and each other without gaps; so do diameter and volume rows.
    for (size_t i = 0; i + 1 < curves.size(); ++i) {
        EXPECT_EQ(curves[i].first + curves[i].count, curves[i + 1].first);
        EXPECT_EQ(volumes[i].diameterRow + 1 + volumes[i].count, volumes[i + 1].diameterRow);
    }
    EXPECT_EQ(curves[0].first, 13);
    EXPECT_EQ(volumes[0].diameterRow, 13);
}

TEST_F(ShippedFiles, CurvesFollowEachOtherAsUnbrokenPolylines) {
    for (const CurveIndex& s : curves) {
        SCOPED_TRACE(s.code.toStdString());
        const int dmin = s.segments.front().lower, dmax = s.segments.back().upper;
        int lowest = 255, highest = 0;
        for (const Segment& seg : s.segments) {
            EXPECT_LT(seg.lower, seg.upper);
            lowest = std::min(lowest, seg.lower);
            highest = std::max(highest, seg.upper);
        }
        // The reader takes the first and the last record as the bounds of the family.
        EXPECT_EQ(dmin, lowest);
        EXPECT_EQ(dmax, highest);
        EXPECT_LE(dmin, 10);
        EXPECT_GE(dmax, 90);
        for (size_t i = 0; i < s.segments.size(); ++i) {
            const Segment& seg = s.segments[i];
            const bool starts = i == 0 || s.segments[i - 1].curve != seg.curve;
            const bool ends = i + 1 == s.segments.size() || s.segments[i + 1].curve != seg.curve;
            if (starts) {
                EXPECT_EQ(seg.lower, dmin) << "curve " << seg.curve;
                if (i > 0) {
                    EXPECT_LT(s.segments[i - 1].curve, seg.curve) << "curves are laid out lowest first";
                }
            } else {
                const Segment& prev = s.segments[i - 1];
                EXPECT_EQ(seg.lower, prev.upper) << "curve " << seg.curve;
                EXPECT_EQ(seg.heightDm, prev.heightDm + prev.gainDm)
                    << "curve " << seg.curve << " at " << seg.lower;
            }
            if (ends) {
                EXPECT_EQ(seg.upper, dmax) << "curve " << seg.curve;
            }
        }
    }
}

TEST_F(ShippedFiles, CurveNumbersAreTheHeightAt30cmAndHigherCurvesAreTaller) {
    for (const CurveIndex& s : curves) {
        SCOPED_TRACE(s.code.toStdString());
        const std::vector<int> numbers = curveNumbers(s);
        EXPECT_GE(numbers.size(), 8u);
        for (int curve : numbers) {
            EXPECT_EQ(curve % 200, 0) << curve;
            EXPECT_DOUBLE_EQ(curveHeight(s, curve, 30), curve / 100.0) << curve;
        }
        const int dmin = s.segments.front().lower, dmax = s.segments.back().upper;
        for (int d = dmin; d <= dmax; ++d) {
            double below = 0;
            for (int curve : numbers) {
                const double h = curveHeight(s, curve, d);
                EXPECT_GT(h, below) << "curve " << curve << " at " << d << " cm";
                EXPECT_GT(h, 4.0);
                EXPECT_LT(h, 52.0);
                below = h;
            }
        }
    }
}

TEST_F(ShippedFiles, DiameterRowsLieInsideTheCurveFamilies) {
    for (size_t i = 0; i < volumes.size(); ++i) {
        SCOPED_TRACE(volumes[i].code.toStdString());
        const std::vector<int>& d = volumes[i].diameters;
        ASSERT_EQ(d.size(), 22u);
        EXPECT_GE(d.front(), curves[i].segments.front().lower);
        EXPECT_LE(d.back(), curves[i].segments.back().upper);
        EXPECT_GE(d.back(), 70);
        for (size_t k = 1; k < d.size(); ++k) {
            EXPECT_GT(d[k], d[k - 1]);
            if (k > 1) {
                EXPECT_GE(d[k] - d[k - 1], d[k - 1] - d[k - 2]) << "steps do not shrink";
            }
        }
        // Bytes 0, 1 of the diameter row carry nothing.
        EXPECT_EQ(hmo[24 * volumes[i].diameterRow], '\0');
        EXPECT_EQ(hmo[24 * volumes[i].diameterRow + 1], '\0');
    }
}

TEST_F(ShippedFiles, EveryCurveHasOneVolumeRowInTheSameOrder) {
    for (size_t i = 0; i < curves.size(); ++i) {
        SCOPED_TRACE(curves[i].code.toStdString());
        std::vector<int> rows;
        for (const VolumeRowRecord& r : volumes[i].rows)
            rows.push_back(r.curve);
        EXPECT_EQ(rows, curveNumbers(curves[i]));
        EXPECT_EQ(std::set<int>(rows.begin(), rows.end()).size(), rows.size());
    }
}

TEST_F(ShippedFiles, VolumesGrowWithDiameterAndWithCurveHeight) {
    for (const VolumeIndex& s : volumes) {
        SCOPED_TRACE(s.code.toStdString());
        std::vector<double> lower;
        for (const VolumeRowRecord& row : s.rows) {
            const std::vector<double> v = tabulatedVolumes(s, row);
            EXPECT_GE(row.values[0], 1) << "curve " << row.curve;
            for (size_t k = 1; k < v.size(); ++k)
                EXPECT_GT(v[k], v[k - 1]) << "curve " << row.curve << " at " << s.diameters[k] << " cm";
            for (size_t k = 0; k < lower.size(); ++k) {
                // Thin trees of neighbouring curves may share a rounded hundredth.
                if (s.diameters[k] >= 16) {
                    EXPECT_GT(v[k], lower[k]) << "curve " << row.curve << " at " << s.diameters[k] << " cm";
                } else {
                    EXPECT_GE(v[k], lower[k]) << "curve " << row.curve << " at " << s.diameters[k] << " cm";
                }
            }
            lower = v;
        }
    }
}

// An explicit step brings the volume to within half a hundredth of the equation, even after a
// step of 0; a step of 0 follows basal area, which stays within a few per cent of the equation.
TEST_F(ShippedFiles, VolumesFollowTheSpeciesEquationAtTheCurveHeights) {
    int zeroSteps = 0;
    for (size_t i = 0; i < volumes.size(); ++i) {
        const VolumeIndex& s = volumes[i];
        SCOPED_TRACE(s.code.toStdString());
        for (const VolumeRowRecord& row : s.rows) {
            const std::vector<double> v = tabulatedVolumes(s, row);
            for (size_t k = 0; k < v.size(); ++k) {
                const double h = curveHeight(curves[i], row.curve, s.diameters[k]);
                ASSERT_GT(h, 0);
                const double expected = 100 * TotalStemVolume(tableSpeciesOf(s.code), s.diameters[k], h);
                if (k > 0 && row.values[k] == 0) {
                    ++zeroSteps;
                    EXPECT_NEAR(v[k] / expected, 1.0, 0.05)
                        << "curve " << row.curve << " at " << s.diameters[k];
                } else {
                    EXPECT_NEAR(v[k], expected, 0.5 + 1e-9)
                        << "curve " << row.curve << " at " << s.diameters[k];
                }
            }
        }
    }
    // The thickest poplars step by more than a byte holds; the files exercise that path.
    EXPECT_GT(zeroSteps, 0);
}

} // namespace
