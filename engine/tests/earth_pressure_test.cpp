// Earth-pressure generation: coefficients, layer splitting, the layer
// resultants, the generated points against closed-form pressures, the
// trapezoidal diagram of anchored walls, the pressure file as the model
// reading takes it back, and the conditions that end the run.
#include "earth_pressure.h"
#include "model_input.h"
#include "run_stop.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <sstream>

namespace truvex {
namespace {

constexpr double kGammaWaterSi = 9.81;

struct SoilRow {
    int type = 4;
    double bottom = 0;
    double gamma = 0;
    double cohesion = 0;
    double phi = 0;
    double kopt = 0;
};

// A wall with soil data, written as the records of one case.
struct Wall {
    int units = 2;
    int n = 40;
    double h = 0.1;
    int koutpt = 2;
    double freeHeight = 2;
    double wa = 1;
    double wp = 1;
    double dwb = 10000;   // below every profile
    double dwe = 10000;
    double factor = 1;
    int controlCode = 1;
    double slope = 0;
    double uniform = 0;
    std::vector<SurchargeRow> surcharges;   // distances in working units
    std::vector<SoilRow> layers;
    std::vector<int> anchorStations;         // single-station spring rows
};

std::string records(const Wall& w)
{
    std::ostringstream t;
    t.precision(12);
    t << w.units << " 0 1 0 " << w.koutpt << " 0 0 1 0 0\n";
    t << w.n << ' ' << w.h << " 1 1E-5 " << w.freeHeight << ' ' << w.wa << '\n';
    t << "0 " << w.n << " 1 50000\n";
    t << "0\n";
    t << w.anchorStations.size() << '\n';
    for (int station : w.anchorStations)
        t << station << ' ' << station << " 1 1000 0\n";
    t << w.freeHeight << ' ' << w.wa << ' ' << w.wp << ' ' << w.dwb << ' ' << w.dwe << ' ' << w.factor << ' '
      << w.controlCode << ' ' << w.slope << '\n';
    t << w.uniform << " 0 0 0 0 0\n";
    t << w.surcharges.size() << '\n';
    const double distanceScale = w.units == 2 ? 1000.0 : 1.0;   // SI distances are written in mm
    for (const SurchargeRow& row : w.surcharges)
        t << row.loadType << ' ' << row.magnitude << ' ' << row.distance * distanceScale << ' '
          << row.stripWidth * distanceScale << '\n';
    t << w.layers.size() << '\n';
    for (const SoilRow& layer : w.layers) {
        t << layer.type << ' ' << layer.bottom << " \n";
        for (int row = 0; row < 2; ++row)
            t << layer.gamma << ' ' << layer.cohesion << ' ' << layer.phi << " 0 0 " << layer.kopt << " \n";
    }
    return t.str();
}

std::string project(const Wall& wall) { return "Earth pressure test wall\r\n" + records(wall) + "0\r\n"; }

struct ReadCase {
    std::unique_ptr<CaseModel> model = std::make_unique<CaseModel>();
    std::string report;
    std::string plot;
    std::string notes;
};

class EarthPressureTest : public testing::Test {
protected:
    // Reads the case as the run does: the module writes the pressure file
    // and the model reading takes it back.
    ReadCase read(const Wall& wall)
    {
        ReadCase out;
        std::istringstream text(records(wall));
        FreeFormatReader in(text, "THE PROJECT FILE");
        {
            TextOutput report(dir / "wall.tx5o");
            TextOutput plot(dir / "wall.tx5p");
            TextOutput notes(dir / "wall.tx5r");
            readControl(in, out.model->control);
            CaseReader(in, report, plot, *out.model, dir.path(), &notes).readRest();
        }
        out.report = test::readFile(dir / "wall.tx5o");
        out.plot = test::readFile(dir / "wall.tx5p");
        out.notes = test::readFile(dir / "wall.tx5r");
        return out;
    }

    // The module's own results for a case read by `read`.
    GeneratedEarthPressure generate(CaseModel& model)
    {
        TextOutput sink(dir / "again.tx5o");
        return generateEarthPressure(model, sink, nullptr, dir / "again.001");
    }

    GeneratedEarthPressure generate(const Wall& wall) { return generate(*read(wall).model); }

    test::TempDir dir;
};

// Closed forms use the exact Ka; the engine's 57.2958 degrees per radian
// moves it by a few parts in a million.
double rankineKa(double phiDegrees)
{
    const double t = std::tan((45.0 - phiDegrees / 2.0) * M_PI / 180.0);
    return t * t;
}

// The depth and total of each echoed pressure point in the report.
std::vector<std::pair<double, double>> echoedPoints(const std::string& report)
{
    std::vector<std::pair<double, double>> points;
    const std::string rule = "        --------       ------------------------\n";
    std::istringstream lines(report.substr(report.rfind(rule) + rule.size()));
    std::string line;
    while (std::getline(lines, line) && !line.empty()) {
        std::istringstream values(line);
        double depth = 0, total = 0;
        values >> depth >> total;
        points.emplace_back(depth, total);
    }
    return points;
}

std::size_t occurrences(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

TEST(ActiveCoefficient, RankineLevelAndSlopingBackfill)
{
    struct Case {
        double phi, slope, ka;
    };
    const Case cases[] = {
        {30, 0, 1.0 / 3.0}, {35, 0, 0.27099}, {30, 10, 0.34951}, {30, -10, 0.34951},
        {30, 20, 0.41421},  {30, 30, 1.0 / 3.0},  // slope equal to phi keeps the level-ground value
        {30, 35, 1.0 / 3.0}, {0, 0, 1.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(activeCoefficient(c.phi, c.slope), c.ka, 2e-5) << "phi " << c.phi << " slope " << c.slope;
}

struct SplitCase {
    const char* name;
    std::vector<double> bottoms;
    double freeHeight;
    double waterDepth;
    std::vector<double> tops;
};

void PrintTo(const SplitCase& c, std::ostream* out) { *out << c.name; }

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, WorkingLayersStartAtTheKeyDepths)
{
    std::vector<SoilLayer> layers;
    for (double bottom : GetParam().bottoms) {
        SoilLayer layer;
        layer.soilType = 4;
        layer.depthBottom = bottom;
        layer.parameters[0] = {18, 0, 30, 0, 0, 0};
        layers.push_back(layer);
    }
    const auto table = splitLayers(layers, GetParam().freeHeight, GetParam().waterDepth);
    ASSERT_EQ(table.size(), GetParam().tops.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_NEAR(table[i].ztop, GetParam().tops[i], 1e-12) << i;
        const double bottom = i + 1 < table.size() ? table[i + 1].ztop : GetParam().bottoms.back();
        EXPECT_NEAR(table[i].thickness, bottom - table[i].ztop, 1e-12) << i;
        EXPECT_DOUBLE_EQ(table[i].phi, 30);   // every part inherits the layer's properties
    }
}

INSTANTIATE_TEST_SUITE_P(
    Split, SplitTest,
    testing::Values(SplitCase{"WaterAboveExcavationSplitsItsLayer", {5, 12}, 4, 2, {0, 2, 4, 5}},
                    SplitCase{"ExcavationOnABoundaryWithinTolerance", {4, 10}, 4.000005, 100, {0, 4}},
                    SplitCase{"WaterOnABoundaryAndExcavationInside", {3, 10}, 6, 3, {0, 3, 6}},
                    SplitCase{"CloseKeysCountAsOne", {5, 10}, 3, 3.000004, {0, 3, 5}},
                    SplitCase{"KeyAtTheTopIsSkipped", {5, 10}, 2, 0, {0, 2, 5}},
                    SplitCase{"WaterAboveTheGroundIsNoKey", {5, 10}, 2, -1, {0, 2, 5}},
                    SplitCase{"KeysBelowTheProfileWait", {5, 10}, 12, 15, {0, 5}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

TEST(Split, LayerNotBelowTheOneAboveIsAnInputError)
{
    std::vector<SoilLayer> layers(2);
    layers[0].depthBottom = 3;
    layers[1].depthBottom = 3;
    try {
        splitLayers(layers, 2, 100);
        FAIL();
    } catch (const RunStop& stop) {
        EXPECT_STREQ(stop.what(),
                     "     ERROR -- SOIL LAYER 2: THE DEPTH AT ITS BOTTOM MUST BE GREATER THAN THAT OF THE LAYER ABOVE");
    }
}

TEST(Split, MoreThanTwentyOneWorkingLayersStopWithCode2)
{
    // Only reachable past the ten-layer limit of the project file, which the
    // generation checks first; the table still guards its own size.
    std::vector<SoilLayer> layers(21);
    for (std::size_t i = 0; i < layers.size(); ++i)
        layers[i].depthBottom = static_cast<double>(i + 1);
    EXPECT_EQ(splitLayers(layers, 21, 100).size(), 21u);
    try {
        splitLayers(layers, 20.5, 100);
        FAIL();
    } catch (const RunStop& stop) {
        EXPECT_TRUE(std::string(stop.what()).starts_with("     ERROR STOP 2 -- MORE THAN 21 SOIL LAYERS")) << stop.what();
        EXPECT_TRUE(stop.alsoToConsole());
    }
}

// Dry homogeneous sand, level backfill: Ka gamma z times WA above the
// excavation level, the constant Ka gamma H times WP below it.
TEST_F(EarthPressureTest, DrySandGivesRankinePressure)
{
    struct Case {
        int units;
        double phi, gamma, freeHeight, h;
        int n;
        double ka;
    };
    const Case cases[] = {{2, 30, 18, 2, 0.1, 40, 1.0 / 3.0}, {1, 35, 120.0 / 1728, 120, 6, 40, 0.2710}};
    for (const Case& c : cases) {
        Wall wall;
        wall.units = c.units;
        wall.n = c.n;
        wall.h = c.h;
        wall.freeHeight = c.freeHeight;
        wall.wa = 1.5;
        wall.wp = 0.5;
        wall.layers = {{4, c.freeHeight * 3, c.gamma, 0, c.phi}};
        const ReadCase out = read(wall);
        const double ka = rankineKa(c.phi);
        EXPECT_NEAR(ka, c.ka, 5e-5);
        ASSERT_FALSE(out.model->pressure.empty());
        const double scale = c.ka * c.gamma * c.freeHeight;   // pressure at the excavation level
        for (const PressurePoint& point : out.model->pressure) {
            const double expected =
                point.depth <= c.freeHeight + 1e-9 ? ka * c.gamma * point.depth * 1.5 : ka * c.gamma * c.freeHeight * 0.5;
            EXPECT_NEAR(point.total, expected, 1e-5 * scale) << "units " << c.units << " depth " << point.depth;
            EXPECT_NEAR(point.surcharge, 0, 1e-12);
        }
        EXPECT_NEAR(out.model->soil.excavationStress, c.gamma * c.freeHeight, 1e-9);
        char printed[16];
        std::snprintf(printed, sizeof printed, "%.4f", c.ka);
        EXPECT_NE(out.report.find(std::string("          1         ") + printed), std::string::npos) << printed;
    }
}

// Below the backfill water table the effective unit weight carries the
// soil pressure and the water pressure is added for a drained layer.
TEST_F(EarthPressureTest, WaterTableAboveExcavation)
{
    Wall wall;
    wall.n = 60;
    wall.freeHeight = 3;
    wall.dwb = 1;
    wall.dwe = 3;
    wall.controlCode = 0;   // the water layer above the excavation level turns the water flag on
    wall.layers = {{4, 8, 20, 0, 30}};
    const ReadCase out = read(wall);
    const double ka = rankineKa(30);
    int checked = 0;
    for (const PressurePoint& point : out.model->pressure) {
        if (point.depth > 3 + 1e-9)
            break;
        const double z = point.depth;
        const double expected = z <= 1 ? ka * 20 * z : ka * (20 + (20 - kGammaWaterSi) * (z - 1)) + kGammaWaterSi * (z - 1);
        EXPECT_NEAR(point.total, expected, 1e-4) << z;
        ++checked;
    }
    EXPECT_EQ(checked, 61);
    EXPECT_NE(out.report.find("ACTIVE WATER PRESSURE OF EACH LAYER"), std::string::npos);

    const auto result = generate(*out.model);
    ASSERT_EQ(result.layers.size(), 3u);   // split at the water table and at the excavation level
    EXPECT_EQ(result.waterFlag, 1);
    const WorkingLayer& submerged = result.layers[1];
    EXPECT_NEAR(submerged.pw1, 0, 1e-12);
    EXPECT_NEAR(submerged.pw2, 0.5 * kGammaWaterSi * 4, 1e-9);
    EXPECT_NEAR(submerged.pa2, 0.5 * (20 - kGammaWaterSi) * 4 * ka, 1e-4);
    EXPECT_NEAR(submerged.sigmaV, 20, 1e-9);
}

// With the water layer below the excavation level the input flag decides
// whether drained layers below the water table carry the water pressure.
TEST_F(EarthPressureTest, WaterFlagBelowTheExcavationLevel)
{
    Wall wall;
    wall.n = 80;
    wall.freeHeight = 4;
    wall.dwb = 5;
    wall.dwe = 20;
    wall.layers = {{4, 6, 18, 0, 30}, {4, 10, 20, 0, 30}};
    std::vector<double> totals[2];
    for (int code : {0, 1}) {
        wall.controlCode = code;
        const ReadCase out = read(wall);
        EXPECT_EQ(out.report.find("ACTIVE WATER PRESSURE OF EACH LAYER"), std::string::npos);
        for (const PressurePoint& point : out.model->pressure)
            if (point.depth > 6 + 1e-9)
                totals[code].push_back(point.total);
    }
    ASSERT_EQ(totals[0].size(), 40u);
    ASSERT_EQ(totals[1].size(), 40u);
    for (std::size_t i = 0; i < totals[0].size(); ++i)
        EXPECT_NEAR(totals[1][i] - totals[0][i], (6 - 5) * kGammaWaterSi, 1e-9) << i;
}

// A soft clay whose cohesion holds more than the overburden pushes: only
// the triangle below the tension crack remains.
TEST_F(EarthPressureTest, SoftClayTensionZone)
{
    Wall wall;
    wall.freeHeight = 3;
    wall.n = 60;
    wall.uniform = 10;
    wall.layers = {{1, 3, 16, 20, 0}, {4, 10, 19, 0, 30}};
    ReadCase out = read(wall);
    const auto result = generate(*out.model);
    const WorkingLayer& clay = result.layers[0];
    EXPECT_EQ(clay.pa1, 0);
    EXPECT_EQ(clay.pa2, 0);
    EXPECT_EQ(clay.pa3, 0);
    // top = 2c - sigma_v = 30, bottom = sigma_v+ - 2c = 18: ZC = 18 * 3 / 48.
    EXPECT_NEAR(clay.zc, 1.125, 1e-4);
    EXPECT_NEAR(clay.pa4, 1.125 * 18 / 2, 1e-3);
    EXPECT_NEAR(clay.z3, 3 - clay.zc / 3, 1e-9);
    // Pressure (q + 16 z) - 2c = 16 z - 30 below the crack, tiny positive
    // values above it; the cohesion leaves no surface term to move into
    // the surcharge part.
    for (const PressurePoint& point : out.model->pressure) {
        if (point.depth > 3 + 1e-9)
            break;
        const double p = 16 * point.depth - 30;
        if (p > 0.01) {
            EXPECT_NEAR(point.total, p, 1e-3) << point.depth;
            EXPECT_NEAR(point.soil, p, 1e-3) << point.depth;
        } else if (point.depth > 0) {
            EXPECT_GT(point.total, 0) << point.depth;
            EXPECT_LT(point.total, 1e-8) << point.depth;
        }
    }
    const std::string row = "    1 0.000E+00    1.50 0.000E+00    2.00 0.000E+00    2.6";
    const std::size_t at = out.report.find(row);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(out.report.substr(at + row.size() + 1, 11), " 0.101E+02\n");   // Z3 2.6x, PA4
}

// A clay whose stress does not grow (unit weight of water below the water
// table) and a cohesion greater than it: no tension triangle, no division.
TEST_F(EarthPressureTest, TensionZoneWithoutStressGrowth)
{
    Wall wall;
    wall.freeHeight = 3;
    wall.n = 60;
    wall.dwb = 0;
    wall.layers = {{1, 3, kGammaWaterSi, 20, 0}, {4, 10, 19, 0, 30}};
    ReadCase out = read(wall);
    const auto result = generate(*out.model);
    EXPECT_EQ(result.layers[0].pa4, 0);
    EXPECT_EQ(result.layers[0].zc, 0);
    EXPECT_DOUBLE_EQ(result.layers[0].z3, -0.00001);
    for (const PressurePoint& point : out.model->pressure)
        EXPECT_TRUE(std::isfinite(point.total) && (point.depth == 0 || point.total > 0)) << point.depth;
    EXPECT_NE(out.report.find("     Net active pressure is negative."), std::string::npos);
}

// A given coefficient in clay: no cohesion term, and total stress below
// the water table.
TEST_F(EarthPressureTest, ClayWithOptionalCoefficient)
{
    Wall wall;
    wall.n = 80;
    wall.freeHeight = 4;
    wall.wp = 0.5;
    wall.dwb = 1;
    wall.layers = {{2, 6, 18, 30, 0, 0.6}, {4, 12, 20, 0, 30}};
    ReadCase out = read(wall);
    const auto result = generate(*out.model);
    for (int i = 0; i < result.excavationLayer; ++i)
        EXPECT_EQ(result.layers[static_cast<std::size_t>(i)].pa3, 0) << i;
    // The stress handed to the p-y generators is the effective one.
    EXPECT_NEAR(out.model->soil.excavationStress, 18 * 4 - 3 * kGammaWaterSi, 1e-9);
    EXPECT_NEAR(result.layers[2].sigmaV, 18 * 4, 1e-9);
    for (const PressurePoint& point : out.model->pressure) {
        const double expected = point.depth <= 4 + 1e-9 ? 0.6 * 18 * point.depth : 0.6 * 18 * 4 * 0.5;
        if (point.depth <= 6 + 1e-9) {
            EXPECT_NEAR(point.total, expected, 1e-9) << point.depth;
        }
    }
}

// The slope warning once per layer above the excavation level, in the
// report and in the run notes; the level-ground Ka is kept.
TEST_F(EarthPressureTest, SlopeEqualToFrictionAngleWarnsPerLayerAbove)
{
    Wall wall;
    wall.freeHeight = 4;
    wall.n = 80;
    wall.layers = {{4, 2, 18, 0, 30}, {4, 4, 18, 0, 30}, {4, 10, 18, 0, 30}};
    for (double slope : {30.0, 20.0}) {
        wall.slope = slope;
        ReadCase out = read(wall);
        const std::size_t expected = slope == 30 ? 2 : 0;
        EXPECT_EQ(occurrences(out.report, "     **** WARNING ******\n"), expected) << slope;
        EXPECT_EQ(occurrences(out.notes,
                              "     THE BACKFILL SLOPE ANGLE SHOULD BE LESS THAN THE 'INTERNAL FRICTION ANGLE OF SAND.\n"),
                  expected)
            << slope;
        const auto result = generate(*out.model);
        EXPECT_NEAR(result.layers[0].ka, slope == 30 ? 1.0 / 3.0 : 0.41421, 2e-5) << slope;
    }
}

// Points per layer, and the echo rule: every point up to 50 points and in
// the other unit system, otherwise every fourth (SI) or sixth (English)
// point and always the last.
TEST_F(EarthPressureTest, PointCountsAndEcho)
{
    struct Case {
        const char* name;
        int units, n;
        double h, firstBottom;
        int firstLayerPoints;
        std::size_t count;
        std::vector<std::size_t> echoed;   // 1-based point numbers
    };
    auto every = [](std::size_t step, std::size_t last) {
        std::vector<std::size_t> numbers;
        for (std::size_t k = 1; k <= last; k += step)
            numbers.push_back(k);
        if (numbers.back() != last)
            numbers.push_back(last);
        return numbers;
    };
    const Case cases[] = {
        {"SI 1 m layer", 2, 59, 0.05, 1, 20, 60, every(4, 60)},
        {"English 10 ft layer", 1, 40, 6, 120, 120, 241, every(6, 241)},
        {"other units", 3, 40, 6, 120, 120, 241, every(1, 241)},
        {"SI up to 50 points", 2, 49, 0.05, 1, 20, 50, every(1, 50)},
    };
    for (const Case& c : cases) {
        Wall wall;
        wall.units = c.units;
        wall.n = c.n;
        wall.h = c.h;
        wall.freeHeight = c.firstBottom;
        wall.layers = {{4, c.firstBottom, 18, 0, 30}, {4, c.firstBottom * 4, 18, 0, 30}};
        ReadCase out = read(wall);
        const auto& points = out.model->pressure;
        ASSERT_EQ(points.size(), c.count) << c.name;
        int inFirstLayer = 0;
        for (const PressurePoint& point : points)
            inFirstLayer += point.depth > 0 && point.depth <= c.firstBottom + 1e-9;
        EXPECT_EQ(inFirstLayer, c.firstLayerPoints) << c.name;

        const auto echoed = echoedPoints(out.report);
        ASSERT_EQ(echoed.size(), c.echoed.size()) << c.name;
        for (std::size_t i = 0; i < echoed.size(); ++i)
            EXPECT_NEAR(echoed[i].first, points[c.echoed[i] - 1].depth, 1e-9 + 5e-4 * points.back().depth)
                << c.name << " echo " << i;
        // Section A of the plot data holds the same points.
        EXPECT_TRUE(out.plot.starts_with(" " + std::to_string(c.echoed.size()) + "\n")) << c.name;
    }
}

// The surface point carries the uniform load as surcharge; the plot data
// shows its zero soil part as 1.0E-7.
TEST_F(EarthPressureTest, UniformLoadAtTheSurface)
{
    Wall wall;
    wall.uniform = 10;
    wall.wa = 2;
    wall.layers = {{4, 6, 18, 0, 30}};
    ReadCase out = read(wall);
    const double ka = rankineKa(30);
    const PressurePoint& surface = out.model->pressure.front();
    EXPECT_NEAR(surface.total, 10 * ka * 2, 1e-4);
    EXPECT_EQ(surface.soil, 0);
    EXPECT_NEAR(surface.surcharge, 10 * ka * 2, 1e-4);
    const PressurePoint& atOneMetre = out.model->pressure[20];
    EXPECT_NEAR(atOneMetre.soil, ka * 18 * 2, 1e-4);
    EXPECT_NEAR(atOneMetre.surcharge, ka * 10 * 2, 1e-4);
    EXPECT_NE(out.plot.find("\n   0.000E+00   0.667E+01   0.100E-06   0.667E+01\n"), std::string::npos);
}

// The anchored-wall diagram: rises over 2 d1 / 3, flat, falls over
// 2 (H - dN) / 3 to zero at H; its area is 1.3 times the active force
// accumulated over the points.
TEST_F(EarthPressureTest, TrapezoidalDiagram)
{
    struct Case {
        const char* name;
        std::vector<int> anchorStations;   // h = 0.1
        double rise, fall;
    };
    const Case cases[] = {{"one anchor", {15}, 1.0, 3.0}, {"two anchors", {15, 40}, 1.0, 4.0 / 3.0}};
    for (const Case& c : cases) {
        Wall wall;
        wall.koutpt = 3;
        wall.n = 90;
        wall.freeHeight = 6;
        wall.uniform = 10;
        wall.anchorStations = c.anchorStations;
        wall.layers = {{4, 10, 18, 0, 30}};
        ReadCase out = read(wall);
        const auto result = generate(*out.model);
        ASSERT_TRUE(result.trapezoidal) << c.name;
        // Trapezoidal sum from a previous total of 0: Ka (gamma H^2 / 2 + q H) less half a step of q Ka.
        const double ka = rankineKa(30);
        EXPECT_NEAR(result.accumulatedActiveForce, ka * (18 * 18 + 60 - 0.25), 1e-3) << c.name;

        const double h = 6;
        const double flat = h - c.rise - c.fall;
        const double peak = 1.3 * result.accumulatedActiveForce / (h - (c.rise + c.fall) / 2);
        auto expected = [&](double z) {
            if (z < c.rise)
                return peak * z / c.rise;
            if (z <= c.rise + flat)
                return peak;
            return peak - (z - c.rise - flat) * peak / c.fall;
        };
        // Records 2 to 121 down to H, the point at H twice, the count one short.
        ASSERT_EQ(result.count, 181) << c.name;
        ASSERT_EQ(result.records.size(), 182u) << c.name;
        EXPECT_NEAR(result.records[120].depth, 6, 1e-12);
        EXPECT_EQ(result.records[121].depth, result.records[120].depth);
        EXPECT_EQ(result.records[121].total, result.records[120].total);
        EXPECT_NEAR(result.records[120].total, 0, 1e-9);
        double area = 0;
        for (std::size_t j = 1; j <= 120; ++j) {
            EXPECT_NEAR(result.records[j].total, expected(result.records[j].depth), 1e-9) << c.name << " " << j;
            area += 0.5 * (result.records[j - 1].total * (j > 1) + result.records[j].total) * 0.05;
        }
        EXPECT_NEAR(area, 1.3 * result.accumulatedActiveForce, 0.01 * peak) << c.name;
        // The reader takes 181 records: the duplicate in, the last point out.
        const auto& points = out.model->pressure;
        ASSERT_EQ(points.size(), 181u);
        EXPECT_EQ(points[121].depth, points[120].depth);
        EXPECT_NEAR(points.back().depth, 8.95, 1e-9);
    }
}

// Without an anchor level above the excavation the trapezoid is not
// defined: the report says so and the triangular distribution stays.
TEST_F(EarthPressureTest, TrapezoidWithoutUsableAnchorLevel)
{
    struct Case {
        std::vector<int> anchorStations;
        const char* message;
    };
    const Case cases[] = {
        {{}, "     NO ANCHOR LEVEL FOR THE TRAPEZOIDAL EARTH PRESSURE"},
        {{15, 70}, "     AN ANCHOR LEVEL OF THE TRAPEZOIDAL EARTH PRESSURE LIES AT OR BELOW THE EXCAVATION LEVEL:"},
    };
    for (const Case& c : cases) {
        Wall wall;
        wall.koutpt = 3;
        wall.n = 90;
        wall.freeHeight = 6;
        wall.anchorStations = c.anchorStations;
        wall.layers = {{4, 10, 18, 0, 30}};
        ReadCase out = read(wall);
        EXPECT_NE(out.report.find(c.message), std::string::npos) << c.message;
        EXPECT_NE(out.report.find("THE TRIANGULAR DISTRIBUTION IS USED INSTEAD"), std::string::npos);
        const auto result = generate(*out.model);
        EXPECT_FALSE(result.trapezoidal);
        EXPECT_EQ(result.records.size(), static_cast<std::size_t>(result.count));
        const double ka = rankineKa(30);
        EXPECT_NEAR(out.model->pressure[120].total, ka * 18 * 6, 1e-4);
    }
}

// A profile that ends above the wall tip: the last layer is carried down to
// the tip, and the file holds exactly the records it counts.
TEST_F(EarthPressureTest, LastLayerEndingAboveTheWallTip)
{
    Wall wall;
    wall.freeHeight = 2;
    wall.n = 40;
    wall.layers = {{4, 3, 18, 0, 30}};
    ReadCase out = read(wall);
    const auto result = generate(*out.model);
    EXPECT_EQ(result.count, 81);
    ASSERT_EQ(result.records.size(), 81u);
    EXPECT_NEAR(result.records.back().depth, 4, 1e-9);
    EXPECT_NEAR(result.records.back().total, result.records[41].total, 1e-9);

    test::TempDir folder;
    wall.anchorStations = {30, 40};   // springs to hold the wall
    const auto run = test::runProjectText(folder.path(), project(wall));
    EXPECT_EQ(run.summary.status, RunSummary::Status::Completed) << run.summary.message;
}

// Loads of the wall: pressure times WA (in the file already per unit
// area) times h, down to the excavation level only.
TEST_F(EarthPressureTest, PressureBecomesStationLoadsDownToTheExcavation)
{
    Wall wall;
    wall.freeHeight = 2;
    wall.h = 0.25;
    wall.n = 16;
    wall.wa = 2;
    wall.layers = {{4, 6, 18, 0, 30}};
    ReadCase out = read(wall);
    const double ka = rankineKa(30);
    for (int k = 1; k <= 8; ++k) {
        const double load = ka * 18 * k * 0.25 * 2 * 0.25;
        EXPECT_NEAR(out.model->q[k], load, 1e-5 * load) << k;
    }
    EXPECT_EQ(out.model->q[9], 0);
    EXPECT_EQ(out.model->q[0], 0);
}

struct StopCase {
    const char* name;
    std::function<void(Wall&)> change;
    std::string message;
};

void PrintTo(const StopCase& c, std::ostream* out) { *out << c.name; }

class EarthPressureStopTest : public testing::TestWithParam<StopCase> {};

// Each ends the run cleanly: the message, "END OF ANALYSIS", a normal return.
TEST_P(EarthPressureStopTest, EndsTheRunWithItsMessage)
{
    Wall wall;
    wall.layers = {{4, 6, 18, 0, 30}};
    GetParam().change(wall);
    test::TempDir folder;
    testing::internal::CaptureStderr();
    const auto out = test::runProjectText(folder.path(), project(wall));
    const std::string console = testing::internal::GetCapturedStderr();
    EXPECT_EQ(out.summary.status, RunSummary::Status::InputError);
    const std::string expected = GetParam().message + "\n\n\n\n     END OF ANALYSIS" + std::string(29, ' ') + "\n";
    EXPECT_TRUE(out.report.ends_with(expected)) << out.report.substr(out.report.size() > 800 ? out.report.size() - 800 : 0);
    if (GetParam().message.find("ERROR STOP") != std::string::npos) {
        EXPECT_NE(console.find(GetParam().message), std::string::npos) << console;
    }
}

const std::string kStop1 =
    "     ERROR STOP 1 -- NO SOIL LAYER STARTS AT THE EXCAVATION LEVEL: THE SOIL LAYERS MUST REACH BELOW THE FREE "
    "HEIGHT OF WALL";

INSTANTIATE_TEST_SUITE_P(
    Stops, EarthPressureStopTest,
    testing::Values(
        StopCase{"ExcavationBelowTheProfile", [](Wall& w) { w.freeHeight = 7; }, kStop1},
        StopCase{"ExcavationAtTheProfileBottom", [](Wall& w) { w.freeHeight = 6.000004; }, kStop1},
        StopCase{"NoSoilLayers", [](Wall& w) { w.layers.clear(); }, kStop1},
        StopCase{"MoreThanTenLayers",
                 [](Wall& w) {
                     w.layers.clear();
                     for (int i = 1; i <= 11; ++i)
                         w.layers.push_back({4, 0.5 * i, 18, 0, 30});
                 },
                 "     TOO MUCH DATA FOR AVAILABLE STORAGE"},
        StopCase{"MoreThan2000Points",
                 [](Wall& w) {
                     w.units = 1;
                     w.n = 340;
                     w.h = 6;
                     w.freeHeight = 120;
                     w.layers = {{4, 3000, 0.07, 0, 30}};
                 },
                 "     TOO MUCH DATA FOR AVAILABLE STORAGE"},
        StopCase{"SurchargeWithZeroFreeHeight",
                 [](Wall& w) {
                     w.freeHeight = 0;
                     w.surcharges = {{2, 10, 1, 0}};
                 },
                 "     ERROR -- SURCHARGE LOADS NEED A FREE HEIGHT OF WALL GREATER THAN ZERO"},
        StopCase{"UnknownSoilType", [](Wall& w) { w.layers[0].type = 8; },
                 "     ERROR -- SOIL LAYER 1: SOIL TYPE 8 IS NOT ONE OF 1 TO 7"}),
    [](const testing::TestParamInfo<StopCase>& info) { return info.param.name; });

}  // namespace
}  // namespace truvex
