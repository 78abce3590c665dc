// The generation driver: p-y layers and curve depths, the unit-weight and
// strength profiles with their lookups, the multipliers, the curve file and
// the curve table the model reading builds from it, and the soil data that
// cannot give curves.
#include "model_input.h"
#include "py_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace truvex {
namespace {

using test::generate;
using test::layerLines;
using test::LayerRow;
using test::PyProject;
using test::soilLayer;
using test::stopMessage;
using test::wallModel;
using test::englishTenFootCut;
using test::WallSetup;

const LayerRow kSoftClay = {8, 20, 0, 0.02, 0, 0};

// ---------------------------------------------------------------------------
// Layers and curve depths

TEST(PyLayers, OnlyLayersReachingBelowTheExcavationLevel)
{
    // H = 2 m: the first layer lies above it, the second contains it.
    const auto model = wallModel({}, {soilLayer(1, 1, kSoftClay), soilLayer(1, 5, kSoftClay), soilLayer(3, 9, kSoftClay)});
    const PyProfile profile(*model);
    ASSERT_EQ(profile.layers().size(), 2u);
    EXPECT_EQ(profile.layers()[0].inputLayer, 2);
    EXPECT_DOUBLE_EQ(profile.layers()[0].xTop, 0);
    EXPECT_DOUBLE_EQ(profile.layers()[0].xBottom, 3);
    EXPECT_DOUBLE_EQ(profile.layers()[1].xTop, 3);
    EXPECT_DOUBLE_EQ(profile.layers()[1].xBottom, 7);
    // A bottom exactly at H gives no p-y layer.
    const auto atH = wallModel({}, {soilLayer(1, 2, kSoftClay), soilLayer(1, 5, kSoftClay)});
    EXPECT_EQ(PyProfile(*atH).layers().size(), 1u);
}

TEST(PyLayers, CurveDepthsOfATenFootLayer)
{
    const WallSetup setup = englishTenFootCut();
    const auto model = wallModel(setup, {soilLayer(1, 240, {0.07, 3, 0, 0.02, 0, 0}), soilLayer(1, 480, {0.07, 3, 0, 0.02, 0, 0})});
    const PyProfile profile(*model);
    const std::array<double, 5> expected = {0.1, 30, 60, 90, 119.9};
    for (int k = 0; k < 5; ++k)
        EXPECT_NEAR(profile.layers()[0].curveDepths[k], expected[k], 1e-12) << k;
    // SI layers keep 0.01 m from their boundaries.
    const auto si = wallModel({}, {soilLayer(1, 6, kSoftClay)});
    EXPECT_NEAR(PyProfile(*si).layers()[0].curveDepths[0], 0.01, 1e-12);
    EXPECT_NEAR(PyProfile(*si).layers()[0].curveDepths[4], 3.99, 1e-12);
}

TEST(PyLayers, ProfileIsCutTwoIncrementsBelowTheTip)
{
    // Wall 12 m, h = 0.5 m, H = 2 m: the profile ends at X = 11 m. The layer
    // from X = 0 to 18 m is cut there with values interpolated at 11 m; the
    // layer below it is dropped.
    const auto model = wallModel({}, {soilLayer(1, 20, {8, 10, 20, 0.01, 100, 1}, {8, 46, 38, 0.028, 100, 19}),
                                      soilLayer(1, 30, kSoftClay)});
    const PyProfile profile(*model);
    ASSERT_EQ(profile.layers().size(), 1u);
    const PyLayer& layer = profile.layers()[0];
    EXPECT_DOUBLE_EQ(layer.xBottom, 11);
    EXPECT_NEAR(layer.bottom.strength, 10 + 36 * 11 / 18.0, 1e-12);
    EXPECT_NEAR(layer.bottom.friction * 180 / 3.1416, 20 + 18 * 11 / 18.0, 1e-12);
    EXPECT_NEAR(layer.bottom.e50, 0.01 + 0.018 * 11 / 18.0, 1e-12);
    EXPECT_NEAR(layer.bottom.sixth, 1 + 18 * 11 / 18.0, 1e-12);
    EXPECT_NEAR(layer.curveDepths[4], 10.99, 1e-12);

    // A layer starting exactly at the end of the profile adds nothing.
    const auto atEnd = wallModel({}, {soilLayer(1, 13, kSoftClay), soilLayer(1, 30, kSoftClay)});
    EXPECT_EQ(PyProfile(*atEnd).layers().size(), 1u);
}

// ---------------------------------------------------------------------------
// Profiles and lookups

struct UnitWeightCase {
    const char* name;
    double waterDepth;
    std::vector<std::pair<double, double>> expected;   // X, effective unit weight
};

void PrintTo(const UnitWeightCase& c, std::ostream* out) { *out << c.name; }

class UnitWeightTest : public testing::TestWithParam<UnitWeightCase> {};

TEST_P(UnitWeightTest, BuoyantBelowTheBackfillWaterTable)
{
    // H = 2 m; layers X = 0..3 (gamma 18) and 3..7 (gamma 20).
    WallSetup setup;
    setup.waterDepth = GetParam().waterDepth;
    const auto model = wallModel(setup, {soilLayer(1, 5, {18, 20, 0, 0.02, 0, 0}), soilLayer(1, 9, {20, 20, 0, 0.02, 0, 0})});
    const PyProfile profile(*model);
    const auto& points = profile.unitWeightPoints();
    ASSERT_EQ(points.size(), GetParam().expected.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_NEAR(points[i].x, GetParam().expected[i].first, 1e-12) << i;
        EXPECT_NEAR(points[i].unitWeight, GetParam().expected[i].second, 1e-12) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Water, UnitWeightTest,
    testing::Values(UnitWeightCase{"dry", 100, {{0, 18}, {3, 18}, {3, 20}, {7, 20}}},
                    UnitWeightCase{"above the excavation level", 1, {{0, 8.19}, {3, 8.19}, {3, 10.19}, {7, 10.19}}},
                    UnitWeightCase{"at the excavation level", 2, {{0, 8.19}, {3, 8.19}, {3, 10.19}, {7, 10.19}}},
                    UnitWeightCase{"inside the first layer", 3.5, {{0, 18}, {1.5, 18}, {1.5, 10.19}, {7, 10.19}}},
                    UnitWeightCase{"at a layer boundary", 5, {{0, 18}, {3, 18}, {3, 10.19}, {7, 10.19}}},
                    UnitWeightCase{"inside the last layer", 7, {{0, 18}, {3, 18}, {3, 20}, {5, 20}, {5, 10.19}, {7, 10.19}}}),
    [](const testing::TestParamInfo<UnitWeightCase>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(PyProfileLookups, InterpolatesAveragesAndIntegrates)
{
    // Strength 10 -> 20 over X = 0..3, then 30 -> 50 over X = 3..7.
    const auto model = wallModel({}, {soilLayer(1, 5, {18, 10, 0, 0.02, 0, 0}, {18, 20, 0, 0.02, 0, 0}),
                                      soilLayer(1, 9, {20, 30, 0, 0.0, 0, 0}, {20, 50, 0, 0.0, 0, 0})});
    const PyProfile profile(*model);
    EXPECT_NEAR(profile.strength(1.5), 15, 1e-12);
    EXPECT_NEAR(profile.strength(5), 40, 1e-12);
    EXPECT_NEAR(profile.strength(3), 25, 1e-12);     // shared depth: the mean
    EXPECT_NEAR(profile.e50(3), 0.02, 1e-12);        // a missing value gives way to the other
    EXPECT_NEAR(profile.averageStrength(3), 15, 1e-12);
    EXPECT_NEAR(profile.averageStrength(5), (45 + 70) / 5.0, 1e-12);
    EXPECT_NEAR(profile.averageUnitWeight(5), (18 * 3 + 20 * 2) / 5.0, 1e-12);
    EXPECT_NEAR(profile.averageUnitWeight(1e-7), 18, 1e-12);
}

TEST(PyProfileLookups, BeyondTheProfileEndsTheRunWithItsStopCode)
{
    const auto model = wallModel({}, {soilLayer(1, 6, kSoftClay)});
    const PyProfile profile(*model);
    const std::string strength = stopMessage([&] { profile.strength(4.5); });
    EXPECT_EQ(strength, "     **** WARNING ****\n     THE VALUE OF X =  0.4500E+01  M\n     IS BEYOND THE EXTENT OF\n"
                        "     THE INPUT STRENGTH CURVE\n     RUN STOPPED WITH STOP CODE 5");
    EXPECT_NE(stopMessage([&] { profile.friction(4.5); }).find("THE INPUT PHI CURVE\n     RUN STOPPED WITH STOP CODE 5"),
              std::string::npos);
    EXPECT_NE(stopMessage([&] { profile.averageUnitWeight(4.5); })
                  .find("THE INPUT CURVE FOR UNIT WEIGHT\n     RUN STOPPED WITH STOP CODE 4"),
              std::string::npos);
    EXPECT_EQ(stopMessage([&] { profile.averageStrength(4); }), "");
}

// ---------------------------------------------------------------------------
// Multipliers

struct MultiplierCase {
    const char* name;
    std::vector<PyModification> table;
    double depth;
    double pMultiplier;
    double yMultiplier;
};

void PrintTo(const MultiplierCase& c, std::ostream* out) { *out << c.name; }

class MultiplierTest : public testing::TestWithParam<MultiplierCase> {};

TEST_P(MultiplierTest, FromTheModificationTable)
{
    const auto model = wallModel({}, {soilLayer(1, 6, kSoftClay)}, GetParam().table);
    const PyProfile profile(*model);
    EXPECT_NEAR(profile.pMultiplier(GetParam().depth), GetParam().pMultiplier, 1e-12);
    EXPECT_NEAR(profile.yMultiplier(GetParam().depth), GetParam().yMultiplier, 1e-12);
}

const std::vector<PyModification> kTwoRows = {{60, 0.8, 2.0}, {120, 0.6, 4.0}};
const std::vector<PyModification> kStep = {{60, 0.8, 1}, {90, 0.7, 1}, {90, 0.5, 1}, {120, 0.6, 1}};
const std::vector<PyModification> kStepAtEnd = {{60, 0.8, 1}, {120, 0.6, 1}, {120, 0.4, 1}};

INSTANTIATE_TEST_SUITE_P(
    Table, MultiplierTest,
    testing::Values(MultiplierCase{"between rows", kTwoRows, 90, 0.7, 3.0},
                    MultiplierCase{"above the first row", kTwoRows, 59.9, 1.0, 1.0},
                    MultiplierCase{"below the last row", kTwoRows, 120.1, 1.0, 1.0},
                    MultiplierCase{"at the first row", kTwoRows, 60, 0.8, 2.0},
                    MultiplierCase{"at the last row", kTwoRows, 120, 0.6, 4.0},
                    MultiplierCase{"shared depth takes the second row", kStep, 90, 0.5, 1.0},
                    MultiplierCase{"shared last depth takes the first row", kStepAtEnd, 120, 0.6, 1.0},
                    MultiplierCase{"a single row", {{60, 0.5, 0.5}}, 60, 1.0, 1.0}),
    [](const testing::TestParamInfo<MultiplierCase>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(Multipliers, GroupFactorOfCloselySpacedElements)
{
    const std::pair<double, double> cases[] = {
        {1.0, 1.0}, {1.1, 1.0}, {1.2, 0.5292 * std::pow(1.2, 0.5659)}, {2.0, 0.5292 * std::pow(2.0, 0.5659)}, {3.1, 1.0}};
    for (const auto& [ratio, expected] : cases) {
        WallSetup setup;
        setup.activeWidth = ratio * setup.resistanceWidth;
        const auto model = wallModel(setup, {soilLayer(1, 6, kSoftClay)});
        const PyProfile profile(*model);
        EXPECT_NEAR(profile.pMultiplier(2.5), expected, 1e-12) << ratio;
        EXPECT_EQ(profile.pMultiplier(1.5), 1.0) << "above the excavation level, ratio " << ratio;
        EXPECT_EQ(profile.yMultiplier(2.5), 1.0);
        // 1.1 is below the single-precision bound 1.100000023841858.
        EXPECT_EQ(profile.continuousWall(), ratio <= 1.1) << ratio;
    }
}

// ---------------------------------------------------------------------------
// Curve file and curve table

TEST(CurveFile, UserCurvesFirstThenOneHeaderAnd34PointsPerCurve)
{
    WallSetup setup;
    setup.excavationStress = 100;
    const auto model = wallModel(setup, {soilLayer(1, 6, kSoftClay), soilLayer(3, 9, kSoftClay)});
    const std::vector<UserPyCurve> user = {{7, {{0, 0}, {0.05, -10}, {0.1, -12}}}};
    const auto generated = generate(*model, user);
    ASSERT_EQ(generated.curves.size(), 10u);

    std::istringstream file(generated.curveFile);
    int count = 0, station = 0, points = 0;
    file >> count >> station >> points;
    EXPECT_EQ(count, 11);
    EXPECT_EQ(station, 7);
    ASSERT_EQ(points, 3);
    for (int i = 1; i <= 3; ++i) {
        int number = 0;
        double p = 0, y = 0;
        file >> number >> p >> y;
        EXPECT_EQ(number, i);
        EXPECT_EQ(p, user[0].points[static_cast<std::size_t>(i - 1)].p);
        EXPECT_EQ(y, user[0].points[static_cast<std::size_t>(i - 1)].y);
    }
    for (const GeneratedPyCurve& curve : generated.curves) {
        double depth = 0;
        int rows = 0;
        file >> depth >> rows;
        EXPECT_DOUBLE_EQ(depth, curve.depth);
        ASSERT_EQ(rows, 34);
        for (int row = 0; row < 34; ++row) {
            int number = 0;
            double p = 0, y = 0;
            file >> number >> p >> y;
            const CurvePoint& expected = row < 17 ? curve.excavation[row] : curve.backfill[row - 17];
            EXPECT_EQ(number, row % 17 + 1);
            EXPECT_EQ(p, expected.p);
            EXPECT_EQ(y, expected.y);
        }
    }
    std::string rest;
    file >> rest;
    EXPECT_TRUE(rest.empty());
}

// Reads one case given as its records from record 2 on, with its scratch
// files in `folder`.
std::unique_ptr<CaseModel> readCase(const std::string& records, const std::filesystem::path& folder, std::string* plot)
{
    std::istringstream text(records);
    FreeFormatReader in(text, "THE PROJECT FILE");
    auto model = std::make_unique<CaseModel>();
    {
        TextOutput report(folder / "report.txt");
        TextOutput plotFile(folder / "plot.txt");
        readControl(in, model->control);
        CaseReader(in, report, plotFile, *model, folder).readRest();
    }
    *plot = test::readFile(folder / "plot.txt");
    return model;
}

std::string recordsOf(const PyProject& project)
{
    const std::string text = project.text();
    return text.substr(text.find("\r\n") + 2);
}

TEST(CurveTable, GeneratedCurvesAreSymmetricAboutTheOrigin)
{
    test::TempDir folder;
    PyProject project;
    project.layers = {layerLines(1, 6, "8 20 0.0  0.02 0 0"), layerLines(3, 9, "8 20 0.0  0.01 0 0")};
    std::string plot;
    const auto model = readCase(recordsOf(project), folder.path(), &plot);
    ASSERT_EQ(model->curves.size(), 10u);

    std::ifstream file(folder / kCurveFileName);
    int count = 0;
    file >> count;
    ASSERT_EQ(count, 10);
    const double h = 0.5;
    for (const PyCurve& curve : model->curves) {
        double depth = 0;
        int rows = 0;
        file >> depth >> rows;
        std::array<CurvePoint, 34> written;
        for (CurvePoint& point : written) {
            int number = 0;
            file >> number >> point.p >> point.y;
        }
        EXPECT_EQ(curve.startStation, static_cast<int>(std::lround(depth / h)));
        EXPECT_EQ(curve.endStation, curve.startStation);
        EXPECT_EQ(curve.continued, 1);
        ASSERT_EQ(curve.points.size(), 33u);
        // Backfill side mirrored to negative deflections, excavation side
        // with its sign turned; the origin is the backfill side's first point.
        for (int i = 0; i < 17; ++i) {
            EXPECT_NEAR(curve.points[static_cast<std::size_t>(i)].y, -written[33 - i].y, 1e-15);
            EXPECT_NEAR(curve.points[static_cast<std::size_t>(i)].p, written[33 - i].p * h, 1e-9);
        }
        for (int i = 17; i < 33; ++i) {
            EXPECT_NEAR(curve.points[static_cast<std::size_t>(i)].y, written[i - 16].y, 1e-15);
            EXPECT_NEAR(curve.points[static_cast<std::size_t>(i)].p, -written[i - 16].p * h, 1e-9);
        }
        for (std::size_t i = 1; i < 33; ++i)
            EXPECT_GT(curve.points[i].y, curve.points[i - 1].y) << i;
    }
    // Plot data: generated curves only, labelled by their depth, 33 points
    // with p per unit length.
    EXPECT_NE(plot.find("\n 2 10\n       2.01    33\n"), std::string::npos) << plot.substr(0, 200);
}

TEST(CurveTable, UserCurvesComeFirstAndStandAlone)
{
    test::TempDir folder;
    PyProject project;
    project.layers = {layerLines(1, 6, "8 20 0.0  0.02 0 0")};
    project.userCurves = {"3 2 2 1\r\n0 0\r\n0.1 -10\r\n"};
    std::string plot;
    const auto model = readCase(recordsOf(project), folder.path(), &plot);
    ASSERT_EQ(model->curves.size(), 6u);
    EXPECT_EQ(model->curves[0].startStation, 3);
    EXPECT_EQ(model->curves[0].continued, 0);
    ASSERT_EQ(model->curves[0].points.size(), 2u);
    EXPECT_DOUBLE_EQ(model->curves[0].points[1].p, -20 * 0.5);
    EXPECT_EQ(model->curves[1].continued, 1);
    EXPECT_EQ(model->curves[1].points.size(), 33u);
    // Plot data: the total count, every curve by its station.
    EXPECT_NE(plot.find("\n 2 6\n 3 2\n"), std::string::npos) << plot.substr(0, 200);
    EXPECT_NE(plot.find("\n 4 33\n"), std::string::npos);
}

// ---------------------------------------------------------------------------
// Soil data that cannot give curves end the run with a message.

struct FaultCase {
    const char* name;
    PyProject project;
    std::string message;
    bool console = false;   // shown on standard error as well
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

PyProject withLayers(std::vector<std::string> layers)
{
    PyProject project;
    project.layers = std::move(layers);
    return project;
}

std::vector<FaultCase> faultCases()
{
    const std::string clay = "8 20 0.0  0.02 0 0";
    std::vector<FaultCase> cases;
    cases.push_back({"NoLayerBelowTheExcavation", withLayers({layerLines(1, 2, clay)}),
                     "     ERROR -- NO SOIL LAYER REACHES BELOW THE EXCAVATION LEVEL: NO P-Y CURVES CAN BE GENERATED"});
    PyProject deepCut = withLayers({layerLines(1, 20, clay)});
    deepCut.freeHeight = 13;
    cases.push_back({"WallEndsAboveTheExcavation", deepCut,
                     "     ERROR -- THE WALL DOES NOT REACH BELOW THE EXCAVATION LEVEL: NO P-Y CURVES CAN BE GENERATED"});
    PyProject noWidth = withLayers({layerLines(1, 6, clay)});
    noWidth.resistanceWidth = 0;
    cases.push_back({"ZeroWidth", noWidth,
                     "     ERROR -- THE WIDTH FOR SOIL RESISTANCE MUST BE GREATER THAN ZERO TO GENERATE P-Y CURVES"});
    cases.push_back({"ZeroE50", withLayers({layerLines(1, 6, "8 20 0.0  0 0 0")}),
                     "     ERROR -- SOIL LAYER 1: E50 MUST BE GREATER THAN ZERO TO GENERATE THE P-Y CURVES OF A CLAY"});
    cases.push_back({"BottomsNotDescending", withLayers({layerLines(1, 6, clay), layerLines(1, 6, clay)}),
                     "     ERROR -- SOIL LAYER 2: ITS BOTTOM MUST LIE BELOW THE BOTTOM OF THE LAYER ABOVE (OR BELOW THE "
                     "TOP OF THE WALL)"});
    cases.push_back({"NegativeParameter", withLayers({layerLines(1, 6, "8 -20 0.0  0.02 0 0")}),
                     "     ERROR -- SOIL LAYER 1: ITS SOIL PARAMETERS MUST NOT BE NEGATIVE"});
    PyProject light = withLayers({layerLines(1, 6, "9 20 0.0  0.02 0 0")});
    light.waterDepth = 0;
    cases.push_back({"LighterThanWater", light,
                     "     ERROR -- SOIL LAYER 1: ITS UNIT WEIGHT IS LESS THAN THAT OF WATER, WHICH LEAVES A NEGATIVE "
                     "EFFECTIVE UNIT WEIGHT"});
    cases.push_back({"UnknownSoilType", withLayers({layerLines(8, 6, clay)}),
                     "     ERROR -- SOIL LAYER 1 HAS THE SOIL TYPE 8; THE SOIL TYPES ARE 1 TO 7"});
    std::vector<std::string> eleven;
    for (int i = 1; i <= 11; ++i)
        eleven.push_back(layerLines(1, 2 + 0.5 * i, clay));
    cases.push_back({"ElevenPyLayers", withLayers(eleven), "     TOO MUCH DATA FOR AVAILABLE STORAGE"});
    PyProject manyCurves = withLayers({layerLines(1, 6, clay)});
    for (int i = 0; i < 396; ++i)
        manyCurves.userCurves.push_back("10 2 1 1\r\n0 0\r\n0.1 -1\r\n");
    cases.push_back({"MoreThan400Curves", manyCurves, "     TOO MUCH DATA FOR AVAILABLE STORAGE"});
    // The profile is cut 0.005 m into the last layer, too thin for a curve
    // 0.01 m below its top: stop code 5.
    PyProject thin = withLayers({layerLines(1, 12.995, clay), layerLines(1, 20, clay)});
    cases.push_back({"CurveBelowTheProfile", thin,
                     "     **** WARNING ****\n     THE VALUE OF X =  0.1100E+02  M\n     IS BEYOND THE EXTENT OF\n"
                     "     THE INPUT STRENGTH CURVE\n     RUN STOPPED WITH STOP CODE 5",
                     true});
    cases.push_back({"SiltWithoutFriction", withLayers({layerLines(5, 6, "9 10 0 0.01 1000 0")}),
                     "     WARNING-------The Angle of the slope can not\n     be greater than the internal\n"
                     "     friction angle of the sand.",
                     true});
    cases.push_back({"WeakRockWithoutStrength", withLayers({layerLines(7, 6, "22 0 0.0  0.0005 100000 50")}),
                     "     --------------------WARNING----------------------\n"
                     "     THE COHESIVE STRENGTH IS 0 FOR ROCK ACCORING TO THE INPUT\n"
                     "     DATA. PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN.",
                     true});
    cases.push_back({"SandWithoutModulus", withLayers({layerLines(4, 6, "18 0.0  30 0.0  0 0")}),
                     "     ERROR -- SOIL LAYER 1: THE MODULUS K MUST BE GREATER THAN ZERO FOR THE P-Y CURVES OF A SAND"});
    cases.push_back({"SandWithoutFriction", withLayers({layerLines(4, 6, "18 0.0  0 0.0  1000 0")}),
                     "     ERROR -- SOIL LAYER 1: THE FRICTION ANGLE OF A SAND MUST BE GREATER THAN ZERO"});
    cases.push_back({"SandWithoutWeight", withLayers({layerLines(4, 6, "0 0.0  30 0.0  1000 0")}),
                     "     ERROR -- SOIL LAYER 1: THE EFFECTIVE UNIT WEIGHT MUST BE GREATER THAN ZERO FOR THE P-Y CURVES "
                     "OF A SAND"});
    cases.push_back({"SiltWithoutModulus", withLayers({layerLines(5, 6, "18 10 30 0.01 0 0")}),
                     "     ERROR -- SOIL LAYER 1: THE MODULUS K MUST BE GREATER THAN ZERO FOR THE P-Y CURVES OF A SILT"});
    cases.push_back({"StrongRockWithoutStrength", withLayers({layerLines(6, 6, "22 0 0.0  0.0  0.0  0.0 ")}),
                     "     ERROR -- SOIL LAYER 1: THE COMPRESSIVE STRENGTH OF A STRONG ROCK MUST BE GREATER THAN ZERO"});
    cases.push_back({"WeakRockWithoutModulus", withLayers({layerLines(7, 6, "22 5000 0.0  0.0005 0 50")}),
                     "     ERROR -- SOIL LAYER 1: THE ROCK MASS MODULUS OF A WEAK ROCK MUST BE GREATER THAN ZERO"});
    cases.push_back({"WeakRockWithoutKrm", withLayers({layerLines(7, 6, "22 5000 0.0  0 100000 50")}),
                     "     ERROR -- SOIL LAYER 1: THE STRAIN FACTOR KRM OF A WEAK ROCK MUST BE GREATER THAN ZERO"});
    cases.push_back({"WeakRockRqdAbove100", withLayers({layerLines(7, 6, "22 5000 0.0  0.0005 100000 150")}),
                     "     ERROR -- SOIL LAYER 1: THE RQD OF A WEAK ROCK IS A PERCENTAGE AND MUST NOT EXCEED 100"});
    // A silt without weight and cohesion has no resistance to shape a
    // curve from.
    cases.push_back({"NoFiniteCurve", withLayers({layerLines(5, 6, "0 0 30 0.01 1000 0")}),
                     "     ERROR -- SOIL LAYER 1: NO P-Y CURVE AT X =  0.1000E-01  M CAN BE BUILT FROM ITS DATA"});
    return cases;
}

class GenerationFaultTest : public testing::TestWithParam<FaultCase> {};

TEST_P(GenerationFaultTest, EndsTheRunWithAMessage)
{
    test::TempDir folder;
    testing::internal::CaptureStderr();
    const auto out = test::runProjectText(folder.path(), GetParam().project.text());
    const std::string console = testing::internal::GetCapturedStderr();
    EXPECT_EQ(out.summary.status, RunSummary::Status::InputError);
    const std::string expected = GetParam().message + "\n\n\n\n     END OF ANALYSIS" + std::string(29, ' ') + "\n";
    EXPECT_TRUE(out.report.ends_with(expected)) << out.report.substr(out.report.size() > 900 ? out.report.size() - 900 : 0);
    EXPECT_EQ(out.report.find("NAN"), std::string::npos);
    // The stop codes and the stops of silt and weak rock are also shown on
    // the console.
    if (GetParam().console) {
        EXPECT_NE(console.find(GetParam().message), std::string::npos) << console;
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, GenerationFaultTest, testing::ValuesIn(faultCases()),
                         [](const testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

}  // namespace
}  // namespace truvex
