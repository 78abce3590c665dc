// How the records of a case become station tables: the distribution rule,
// tiebacks, restraints and earth-pressure loads.
#include "model_input.h"
#include "run_stop.h"
#include "station_distribution.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>

namespace truvex {
namespace {

// Reads one case given as its records from record 2 on.
std::unique_ptr<CaseModel> readCase(const std::string& records)
{
    std::istringstream text(records);
    FreeFormatReader in(text, "THE PROJECT FILE");
    TextOutput report("/dev/null");
    TextOutput plot("/dev/null");
    auto model = std::make_unique<CaseModel>();
    readControl(in, model->control);
    CaseReader(in, report, plot, *model).readRest();
    return model;
}

struct DistributionCase {
    const char* name;
    std::vector<DistributedRow> rows;
    std::vector<std::pair<int, double>> expectedEi;   // station, EI
};

void PrintTo(const DistributionCase& c, std::ostream* out) { *out << c.name; }

class DistributionTest : public testing::TestWithParam<DistributionCase> {};

TEST_P(DistributionTest, SpreadsRowsOverStations)
{
    CaseModel model;
    StationDistributor distributor(model);
    for (const DistributedRow& row : GetParam().rows)
        distributor.add(row);
    for (const auto& [station, ei] : GetParam().expectedEi)
        EXPECT_DOUBLE_EQ(model.ei[station], ei) << GetParam().name << " station " << station;
}

INSTANTIATE_TEST_SUITE_P(
    Rule, DistributionTest,
    testing::Values(
        DistributionCase{"one row 0 to 40",
                         {{0, 40, 1, {100, 0, 0, 0, 0, 0}}},
                         {{-1, 0}, {0, 50}, {1, 100}, {20, 100}, {39, 100}, {40, 50}, {41, 0}}},
        DistributionCase{"two rows meeting at 20",
                         {{0, 20, 1, {100, 0, 0, 0, 0, 0}}, {20, 40, 1, {100, 0, 0, 0, 0, 0}}},
                         {{0, 50}, {19, 100}, {20, 100}, {21, 100}, {40, 50}}},
        DistributionCase{"interpolating row closed by a constant row",
                         {{0, 0, 2, {0, 0, 0, 0, 0, 0}}, {10, 10, 1, {100, 0, 0, 0, 0, 0}}},
                         {{0, 0}, {1, 10}, {5, 50}, {9, 90}, {10, 50}, {11, 0}}},
        DistributionCase{"two interpolating rows chain their ranges",
                         {{0, 0, 2, {0, 0, 0, 0, 0, 0}}, {10, 10, 2, {100, 0, 0, 0, 0, 0}},
                          {20, 20, 1, {0, 0, 0, 0, 0, 0}}},
                         {{5, 50}, {10, 100}, {15, 50}, {20, 0}}},
        DistributionCase{"single-station row added once",
                         {{12, 12, 1, {100, 0, 0, 0, 0, 0}}},
                         {{11, 0}, {12, 100}, {13, 0}}},
        DistributionCase{"interpolating last row has no effect",
                         {{0, 10, 1, {100, 0, 0, 0, 0, 0}}, {10, 20, 2, {300, 0, 0, 0, 0, 0}}},
                         {{10, 50}, {15, 0}, {20, 0}}}),
    [](const testing::TestParamInfo<DistributionCase>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(Distribution, RangeRunningUpwardsStops)
{
    CaseModel model;
    StationDistributor distributor(model);
    try {
        distributor.add({40, 0, 1, {100, 0, 0, 0, 0, 0}});
        FAIL();
    } catch (const RunStop& stop) {
        EXPECT_STREQ(stop.what(), "     ERROR STOP -- STATIONS NOT IN ORDER");
    }
}

TEST(ModelInput, InterpolatingLoadRowRampsOverTheStations)
{
    const auto model = readCase("2 0 1 0 0 0 0 1 0 0\n"
                                "20 0.5 1 1E-5 0 1\n"
                                "0 20 1 50000\n"
                                "2\n"
                                "2 0 0 0 0 -30\n"
                                "1 10 10 100 0 -60\n"
                                "0\n");
    EXPECT_DOUBLE_EQ(model->q[0], 0);
    EXPECT_DOUBLE_EQ(model->q[3], 30);
    EXPECT_DOUBLE_EQ(model->q[10], 50);
    // The axial load is held with its sign reversed, interpolated too.
    EXPECT_DOUBLE_EQ(model->p[5], 45);
    EXPECT_DOUBLE_EQ(model->ei[20], 25000);
}

TEST(ModelInput, TiebackBecomesOneStationSpringAndLoad)
{
    // English units: 6 in increments, tieback 6.02 ft deep -> 72.24 in -> station 12.04 -> 12.
    const auto model = readCase("1 0 1 0 0 0 0 1 0 1\n"
                                "40 6 12 1E-5 120 96\n"
                                "0 40 1 1.14E10\n"
                                "0\n"
                                "0\n"
                                "6.02 1.25 28500000 15 15 8 60000\n"
                                "0\n");
    ASSERT_EQ(model->tiebacks.size(), 1u);
    const Tieback& tie = model->tiebacks[0];
    EXPECT_EQ(tie.station, 12);
    const double cosAngle = std::cos(15 * 3.1416 / 180);
    const double spring = 1.25 * 28500000 * cosAngle / ((8 * 12 / 96.0) * (15 * 12));
    EXPECT_NEAR(model->s[12], spring, 1e-9 * spring);
    EXPECT_NEAR(model->q[12], -60000 * cosAngle, 1e-6);
    EXPECT_DOUBLE_EQ(model->s[11], 0);
    EXPECT_DOUBLE_EQ(model->s[13], 0);
}

TEST(ModelInput, TiebackInSiUnitsAndOtherUnitsUsesMetres)
{
    for (int units : {2, 3}) {
        const auto model = readCase(std::to_string(units) + " 0 1 0 0 0 0 1 0 1\n"
                                    "40 0.25 1 1E-5 5 1\n"
                                    "0 40 1 50000\n"
                                    "0\n"
                                    "0\n"
                                    "2.1 0.0007 200000000 5 0 2.5 300\n"
                                    "0\n");
        EXPECT_EQ(model->tiebacks[0].station, 8) << units;
        EXPECT_NEAR(model->s[8], 0.0007 * 2e8 / ((2.5 / 1) * 5), 1e-6) << units;
        EXPECT_NEAR(model->q[8], -(1 / 2.5) * 300, 1e-9) << units;
    }
}

TEST(ModelInput, RestraintCodesAroundTheNode)
{
    const auto model = readCase("2 3 1 0 0 0 0 1 0 0\n"
                                "20 0.5 1 1E-5 0 1\n"
                                "1 0 0.01 0\n"
                                "2 10 0 0.002\n"
                                "3 20 0 0\n"
                                "0 20 1 50000\n"
                                "0\n"
                                "0\n");
    EXPECT_EQ(model->specialCodeAt(0), kDeflectionHere);
    EXPECT_EQ(model->specialCodeAt(9), kSlopeAtNext);
    EXPECT_EQ(model->specialCodeAt(10), kPlainStation);
    EXPECT_EQ(model->specialCodeAt(11), kSlopeAtPrevious);
    EXPECT_EQ(model->specialCodeAt(19), kSlopeAtNext);
    EXPECT_EQ(model->specialCodeAt(20), kDeflectionAndSlopeHere);
    EXPECT_EQ(model->specialCodeAt(21), kSlopeAtPrevious);
    ASSERT_EQ(model->specified.size(), 3u);
    EXPECT_DOUBLE_EQ(model->specified[1].slope, 0.002);
}

TEST(ModelInput, UserPressureBecomesStationLoads)
{
    // Pressure 0 at the top to 10 kN/m at 2 m, h = 0.5 m: loads p(z)*h at stations 1..4.
    const auto model = readCase("2 0 1 0 1 0 0 1 0 0\n"
                                "10 0.5 1 1E-5 2 1\n"
                                "0 10 1 50000\n"
                                "0\n"
                                "0\n"
                                "2\n"
                                "0 0\n"
                                "2 10\n"
                                "0\n");
    EXPECT_DOUBLE_EQ(model->q[0], 0);
    EXPECT_DOUBLE_EQ(model->q[1], 2.5 * 0.5);
    EXPECT_DOUBLE_EQ(model->q[4], 10 * 0.5);
    EXPECT_DOUBLE_EQ(model->q[5], 0);
    ASSERT_EQ(model->pressure.size(), 2u);
}

}  // namespace
}  // namespace truvex
