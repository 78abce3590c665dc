#include "wall_solver.h"

#include "run_stop.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace truvex {
namespace {

// A wall model built by hand the way the model reader fills it: uniform EI
// from station 0 to n with half of it at the two end stations, no restraints.
CaseModel makeBeam(int n, double h, double ei)
{
    CaseModel model;
    model.control.n = n;
    model.control.h = h;
    model.control.maxDeflection = 1e10;
    model.control.closureTolerance = 1e-9;
    model.control.activeWidth = 1.0;
    model.specialCode.fill(kPlainStation);
    for (int j = 0; j <= n; ++j)
        model.ei[j] = (j == 0 || j == n) ? ei / 2 : ei;
    return model;
}

// A uniform line load w (per length) lumped at the stations, half at the ends.
void addUniformLoad(CaseModel& model, double w)
{
    const int n = model.control.n;
    for (int j = 0; j <= n; ++j)
        model.q[j] += (j == 0 || j == n) ? w * model.control.h / 2 : w * model.control.h;
}

// A row of the specified deflections and slopes, with the codes the reader
// sets: case 1 deflection, case 2 slope, case 3 both.
void addSpecified(CaseModel& model, int caseCode, int node, double deflection, double slope)
{
    if (caseCode == 1) {
        model.specialCodeAt(node) = kDeflectionHere;
    } else {
        model.specialCodeAt(node - 1) = kSlopeAtNext;
        if (caseCode == 3)
            model.specialCodeAt(node) = kDeflectionAndSlopeHere;
        model.specialCodeAt(node + 1) = kSlopeAtPrevious;
    }
    model.specified.push_back({deflection, slope});
}

PyCurve linearCurve(int station, int continued, double spring)
{
    PyCurve curve;
    curve.startStation = station;
    curve.endStation = station;
    curve.continued = continued;
    curve.points = {{-1000.0, 1000.0 * spring}, {0.0, 0.0}, {1000.0, -1000.0 * spring}};
    return curve;
}

struct SolvedCase {
    Solution solution;
    std::vector<std::string> notes;   // lines of the run-notes file
    SolverState state;
};

std::filesystem::path notesPath()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("truvex_wall_solver_") + info->test_suite_name() + "_" + info->name() + ".txt";
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    return std::filesystem::temp_directory_path() / name;
}

SolvedCase solve(CaseModel& model, const SolverState& initial = {})
{
    const std::filesystem::path path = notesPath();
    SolvedCase result;
    result.state = initial;
    {
        TextOutput notes(path);
        result.solution = solveWall(model, result.state, notes);
    }
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        result.notes.push_back(line);
    in.close();
    std::filesystem::remove(path);
    return result;
}

const StationResult& at(const Solution& solution, int station)
{
    return solution.stations.at(static_cast<std::size_t>(station));
}

// Monitor lines follow the five header lines, one per iteration.
constexpr std::size_t kMonitorHeaderLines = 5;

// The monitor line up to its deflections: (3X, I4, 7X, 'NO', 7X, I4, 2X) or
// (3X, I4, 7X, 'YES', 6X, I4, 2X).
std::string monitorPrefix(int iteration, const std::string& flag, int notClosed)
{
    auto field = [](int value) {
        std::string text = std::to_string(value);
        return std::string(4 - text.size(), ' ') + text;
    };
    return "   " + field(iteration) + std::string(7, ' ') + flag + std::string(flag == "NO" ? 7 : 6, ' ') +
           field(notClosed) + "  ";
}

// ---------------------------------------------------------------------------
// Closed-form beams. The central differences reproduce the cubic and quartic
// deflection lines up to known O(h^2) terms, so the tolerances are stated as
// those terms.

TEST(WallSolverClosedForm, CantileverWithTipLoad)
{
    // Tip load P at the free top, deflection and slope fixed at the bottom.
    const int n = 40;
    const double h = 3.0, ei = 1e7, load = 100.0, length = n * h;
    CaseModel model = makeBeam(n, h, ei);
    model.q[0] = load;
    addSpecified(model, 3, n, 0.0, 0.0);

    const SolvedCase run = solve(model);

    const double exact = load * length * length * length / (3 * ei);
    // The zero central-difference slope at the fixed end adds P L h^2 / 6EI.
    const double finiteDifference = exact + load * length * h * h / (6 * ei);
    EXPECT_NEAR(at(run.solution, 0).deflection, exact, exact / (n * n));
    EXPECT_NEAR(at(run.solution, 0).deflection, finiteDifference, 1e-9 * exact);
    EXPECT_NEAR(at(run.solution, n).deflection, 0.0, 1e-12);
    EXPECT_NEAR(at(run.solution, n).slope, 0.0, 1e-12);
    // Below the tip the deflection line is extended straight.
    ASSERT_EQ(run.solution.stations.size(), static_cast<std::size_t>(n + 2));
    const StationResult& below = at(run.solution, n + 1);
    EXPECT_DOUBLE_EQ(below.x, (n + 1) * h);
    EXPECT_NEAR(below.slope, (below.deflection - at(run.solution, n).deflection) / h, 1e-15);
    // The station at the fixed end carries half the moment (its restraining
    // couple jumps there), so the shear is exact up to the station above it.
    for (int j = 1; j < n; ++j)
        EXPECT_NEAR(at(run.solution, j).moment, load * j * h, 1e-7 * load * length) << "station " << j;
    for (int j = 1; j < n - 1; ++j)
        EXPECT_NEAR(at(run.solution, j).shear, load, 1e-7 * load) << "station " << j;
}

TEST(WallSolverClosedForm, SimplySupportedBeamWithUniformLoad)
{
    const int n = 40;
    const double h = 3.0, ei = 1e7, w = 2.0, length = n * h;
    CaseModel model = makeBeam(n, h, ei);
    addUniformLoad(model, w);
    addSpecified(model, 1, 0, 0.0, 0.0);
    addSpecified(model, 1, n, 0.0, 0.0);

    const SolvedCase run = solve(model);

    const double exact = 5 * w * std::pow(length, 4) / (384 * ei);
    // The quartic's fourth derivative adds w h^2 L^2 / 96EI at midspan.
    const double finiteDifference = exact * (1 + 0.8 / (n * n));
    EXPECT_NEAR(at(run.solution, n / 2).deflection, exact, exact / (n * n));
    EXPECT_NEAR(at(run.solution, n / 2).deflection, finiteDifference, 1e-9 * exact);
    EXPECT_NEAR(at(run.solution, n / 2).moment, -w * length * length / 8, 1e-9 * w * length * length);
    EXPECT_NEAR(at(run.solution, 0).deflection, 0.0, 1e-12);
    EXPECT_NEAR(at(run.solution, n).deflection, 0.0, 1e-12);
}

// Long free beam on linear springs with a central load (Hetenyi, Beams on
// Elastic Foundation, 1946): y = P lambda / 2k at the load,
// lambda = (k / 4EI)^(1/4). With lambda h = 0.07 and lambda L/2 = 7 the
// discretisation and the finite length stay below 0.5 %.
TEST(WallSolverClosedForm, BeamOnLinearSpringsMatchesHetenyiAndIsInEquilibrium)
{
    const int n = 200;
    const double h = 1.0, ei = 1e6, k = 100.0, load = 1000.0;
    CaseModel model = makeBeam(n, h, ei);
    for (int j = 0; j <= n; ++j)
        model.s[j] = (j == 0 || j == n) ? k * h / 2 : k * h;
    model.q[n / 2] = load;
    model.q[30] = -200.0;   // off-centre, for the moment balance

    const SolvedCase run = solve(model);

    const double lambda = std::pow(k / (4 * ei), 0.25);
    const double hetenyi = load * lambda / (2 * k);
    EXPECT_NEAR(at(run.solution, n / 2).deflection, hetenyi, 0.005 * hetenyi);

    // Spring reactions balance the applied loads in force and in moment.
    double force = 0, moment = 0;
    for (int j = 0; j <= n; ++j) {
        const double residual = model.q[j] - model.s[j] * at(run.solution, j).deflection;
        force += residual;
        moment += residual * j * h;
    }
    EXPECT_NEAR(force, 0.0, 1e-9 * load);
    EXPECT_NEAR(moment, 0.0, 1e-9 * load * n * h);

    // Linear: the second iteration reproduces the first.
    EXPECT_EQ(run.solution.iterations, 2);
    EXPECT_EQ(run.solution.stationsNotClosed, 0);
    EXPECT_FALSE(run.solution.offCurve);
}

// ---------------------------------------------------------------------------
// Iteration control and the run-notes monitor.

TEST(WallSolverIteration, MonitorHeaderAndLinesOfALinearCase)
{
    CaseModel model = makeBeam(20, 1.0, 1e4);
    for (int j = 0; j <= 20; ++j)
        model.s[j] = 10.0;
    model.q[3] = 50.0;

    const SolvedCase run = solve(model);

    ASSERT_EQ(run.notes.size(), kMonitorHeaderLines + 2);
    EXPECT_EQ(run.notes[0], "");
    EXPECT_EQ(run.notes[1], "");
    EXPECT_EQ(run.notes[2], "");
    EXPECT_EQ(run.notes[3], "     ITERATION MONITOR DATA");
    EXPECT_EQ(run.notes[4], "     ----------------------");

    // Iteration 1 starts from zero deflections: every station that moved
    // counts as not closed.
    int moved = 0;
    for (const StationResult& station : run.solution.stations)
        moved += station.station <= 20 && std::abs(station.deflection) > 1e-9 ? 1 : 0;
    EXPECT_EQ(run.notes[kMonitorHeaderLines].substr(0, 29), monitorPrefix(1, "NO", moved));
    const std::string& second = run.notes[kMonitorHeaderLines + 1];
    EXPECT_EQ(second.substr(0, 29), monitorPrefix(2, "NO", 0));
    ASSERT_EQ(second.size(), 79u);
    for (int station = 1; station <= 5; ++station) {
        const double printed = std::strtod(second.substr(29 + 10 * (station - 1), 10).c_str(), nullptr);
        const double y = at(run.solution, station).deflection;
        EXPECT_NEAR(printed, y, 1e-3 * std::abs(y)) << "station " << station;
    }
}

TEST(WallSolverIteration, MaximumDeflectionStopsAtFirstIteration)
{
    const int n = 20;
    CaseModel model = makeBeam(n, 1.0, 1e4);
    model.q[0] = 100.0;
    addSpecified(model, 3, n, 0.0, 0.0);
    model.control.maxDeflection = 0.5;

    const SolvedCase run = solve(model);

    int beyond = 0;
    for (int j = 0; j <= n; ++j)
        beyond += std::abs(at(run.solution, j).deflection) > 0.5 ? 1 : 0;
    EXPECT_GT(beyond, 0);
    EXPECT_LT(beyond, n + 1);
    EXPECT_EQ(run.solution.iterations, 1);
    EXPECT_EQ(run.solution.stationsBeyondMaxDeflection, beyond);
    EXPECT_EQ(run.notes.size(), kMonitorHeaderLines + 1);
}

TEST(WallSolverIteration, StopsAfterOneHundredIterationsWithoutClosure)
{
    const int n = 10;
    CaseModel model = makeBeam(n, 1.0, 1e4);
    for (int j = 0; j <= n; ++j)
        model.s[j] = 10.0;
    model.q[5] = 1.0;
    model.control.closureTolerance = -1.0;   // nothing ever closes

    const SolvedCase run = solve(model);

    EXPECT_EQ(run.solution.iterations, 100);
    EXPECT_EQ(run.solution.stationsNotClosed, n + 1);
    EXPECT_EQ(run.notes.size(), kMonitorHeaderLines + 100);
    EXPECT_EQ(run.notes.back().substr(0, 7), "    100");
}

TEST(WallSolverIteration, FinalDeflectionsAreLeftInTheState)
{
    CaseModel model = makeBeam(10, 1.0, 1e4);
    for (int j = 0; j <= 10; ++j)
        model.s[j] = 10.0;
    model.q[4] = 7.0;

    const SolvedCase run = solve(model);

    for (int j = 0; j <= 10; ++j)
        EXPECT_EQ(run.state.deflections[j], at(run.solution, j).deflection);
}

// ---------------------------------------------------------------------------
// Specified deflections and slopes: every row's values are met, and the
// pointer into the list advances once per row.

struct SpecifiedRow {
    int caseCode, node;
    double deflection, slope;
};

struct SpecifiedCase {
    const char* name;
    std::vector<SpecifiedRow> rows;
    friend void PrintTo(const SpecifiedCase& param, std::ostream* out) { *out << param.name; }
};

class WallSolverSpecified : public ::testing::TestWithParam<SpecifiedCase> {};

TEST_P(WallSolverSpecified, MeetsEveryRow)
{
    const int n = 20;
    CaseModel model = makeBeam(n, 1.0, 1e4);
    addUniformLoad(model, 3.0);
    model.q[12] += 40.0;
    for (const SpecifiedRow& row : GetParam().rows)
        addSpecified(model, row.caseCode, row.node, row.deflection, row.slope);

    const SolvedCase run = solve(model);

    for (const SpecifiedRow& row : GetParam().rows) {
        const StationResult& station = at(run.solution, row.node);
        if (row.caseCode != 2) {
            EXPECT_NEAR(station.deflection, row.deflection, 1e-10) << "deflection at " << row.node;
        }
        if (row.caseCode != 1) {
            EXPECT_NEAR(station.slope, row.slope, 1e-10) << "slope at " << row.node;
        }
    }
    EXPECT_EQ(run.solution.iterations, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WallSolverSpecified,
    ::testing::Values(
        SpecifiedCase{"DeflectionAndSlopeThenDeflection", {{3, 10, 0.5, 0.01}, {1, 20, 0.3, 0.0}}},
        SpecifiedCase{"DeflectionSlopeDeflection", {{1, 0, 0.1, 0.0}, {2, 5, 0.0, -0.02}, {1, 15, -0.2, 0.0}}},
        SpecifiedCase{"TwoSlopesAndADeflection", {{2, 3, 0.0, 0.05}, {1, 10, 0.0, 0.0}, {2, 17, 0.0, -0.03}}},
        SpecifiedCase{"FixedTipAndPinnedTop", {{1, 0, 0.0, 0.0}, {3, 20, 0.25, 0.02}}},
        SpecifiedCase{"SimplySupported", {{1, 2, 0.01, 0.0}, {1, 18, -0.01, 0.0}}}),
    [](const auto& info) { return std::string(info.param.name); });

// A specified slope restrains the wall by a couple alone: on a free beam on
// springs the spring reactions still balance the loads.
TEST(WallSolverSpecifiedSlope, RestrainsWithoutAForce)
{
    const int n = 30;
    CaseModel model = makeBeam(n, 1.0, 1e4);
    for (int j = 0; j <= n; ++j)
        model.s[j] = 20.0;
    model.q[4] = 300.0;
    model.q[22] = -100.0;
    addSpecified(model, 2, 8, 0.0, 0.02);
    addSpecified(model, 2, 25, 0.0, -0.01);

    const SolvedCase run = solve(model);

    EXPECT_NEAR(at(run.solution, 8).slope, 0.02, 1e-12);
    EXPECT_NEAR(at(run.solution, 25).slope, -0.01, 1e-12);
    double force = 0;
    for (int j = 0; j <= n; ++j)
        force += model.q[j] - model.s[j] * at(run.solution, j).deflection;
    EXPECT_NEAR(force, 0.0, 1e-9 * 300.0);
}

// ---------------------------------------------------------------------------
// p-y curves: ranges, interpolation and the off-curve flag.

struct RangeCase {
    const char* name;
    int n;
    std::vector<PyCurve> curves;
    std::function<double(int)> expectedSpring;   // soil spring per station
    friend void PrintTo(const RangeCase& param, std::ostream* out) { *out << param.name; }
};

// Linear interpolation between (j0, k0) and (j1, k1).
double between(int j, int j0, double k0, int j1, double k1)
{
    return k0 + (k1 - k0) * (j - j0) / (j1 - j0);
}

class WallSolverSoilRanges : public ::testing::TestWithParam<RangeCase> {};

// The soil spring of a station shows in its net reaction: W = Q - S y on a
// plain station, and the linear curves add no intercept.
TEST_P(WallSolverSoilRanges, SpringsFollowTheRanges)
{
    const RangeCase& param = GetParam();
    const int n = param.n;
    const double inputSpring = 5.0;
    CaseModel model = makeBeam(n, 1.0, 1e4);
    for (int j = 0; j <= n; ++j) {
        model.s[j] = inputSpring;
        model.q[j] = 1.0;
    }
    model.curves = param.curves;

    const SolvedCase run = solve(model);

    EXPECT_FALSE(run.solution.offCurve);
    EXPECT_EQ(run.solution.iterations, 2);
    for (int j = 0; j <= n; ++j) {
        const StationResult& station = at(run.solution, j);
        const double spring = inputSpring + param.expectedSpring(j);
        EXPECT_NEAR(station.netReaction, 1.0 - spring * station.deflection, 1e-9) << "station " << j;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, WallSolverSoilRanges,
    ::testing::Values(
        // Stations 11..19 interpolated, the two ends keep half of their curve.
        RangeCase{"From10To20", 30, {linearCurve(10, 1, 10.0), linearCurve(20, 0, 30.0)},
                  [](int j) {
                      if (j == 10 || j == 20)
                          return between(j, 10, 10.0, 20, 30.0) / 2;
                      return (j > 10 && j < 20) ? between(j, 10, 10.0, 20, 30.0) : 0.0;
                  }},
        // A station shared by two ranges receives a half from each.
        RangeCase{"Chain", 30,
                  {linearCurve(0, 1, 10.0), linearCurve(10, 1, 20.0), linearCurve(20, 1, 40.0),
                   linearCurve(30, 0, 15.0)},
                  [](int j) {
                      double k = j <= 10 ? between(j, 0, 10.0, 10, 20.0)
                               : j <= 20 ? between(j, 10, 20.0, 20, 40.0)
                                         : between(j, 20, 40.0, 30, 15.0);
                      return (j == 0 || j == 30) ? k / 2 : k;
                  }},
        // Cut back at the tip, interpolated over the uncut length.
        RangeCase{"CutAtTheTip", 30, {linearCurve(25, 1, 10.0), linearCurve(40, 0, 40.0)},
                  [](int j) {
                      if (j == 25 || j == 30)
                          return between(j, 25, 10.0, 40, 40.0) / 2;
                      return (j > 25 && j < 30) ? between(j, 25, 10.0, 40, 40.0) : 0.0;
                  }},
        // A second curve at the opening curve's station is passed over.
        RangeCase{"SecondCurveAtTheSameStation", 30,
                  {linearCurve(10, 1, 10.0), linearCurve(10, 1, 99.0), linearCurve(20, 0, 30.0)},
                  [](int j) {
                      if (j == 10 || j == 20)
                          return between(j, 10, 10.0, 20, 30.0) / 2;
                      return (j > 10 && j < 20) ? between(j, 10, 10.0, 20, 30.0) : 0.0;
                  }},
        // Single curves act at their station in full; at the tip or deeper
        // they are skipped.
        RangeCase{"SingleCurves", 30,
                  {linearCurve(0, 0, 8.0), linearCurve(15, 0, 50.0), linearCurve(30, 0, 70.0)},
                  [](int j) { return j == 0 ? 8.0 : j == 15 ? 50.0 : 0.0; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WallSolverSoil, RangeRunningUpwardsStopsTheRun)
{
    CaseModel model = makeBeam(30, 1.0, 1e4);
    for (int j = 0; j <= 30; ++j)
        model.s[j] = 5.0;
    model.curves = {linearCurve(20, 1, 10.0), linearCurve(10, 0, 10.0)};

    try {
        solve(model);
        FAIL() << "expected RunStop";
    } catch (const RunStop& stop) {
        EXPECT_STREQ(stop.what(), kStationsNotInOrder);
    }
}

struct OffCurveCase {
    const char* name;
    std::vector<CurvePoint> points;
    double tipLoad;
    double spring, intercept;   // of the segment the final deflection uses
    const char* firstFlag;      // monitor of iteration 1
    bool offCurve;              // at the end
    friend void PrintTo(const OffCurveCase& param, std::ostream* out) { *out << param.name; }
};

class WallSolverOffCurve : public ::testing::TestWithParam<OffCurveCase> {};

// A cantilever whose top rests on one p-y curve: the soil reaction at the
// top lies on the segment (extended outside the curve) that holds the final
// deflection, and the monitor shows the off-curve flag.
TEST_P(WallSolverOffCurve, UsesTheSegmentAndFlagsDeflectionsOutsideTheCurve)
{
    const OffCurveCase& param = GetParam();
    const int n = 10;
    CaseModel model = makeBeam(n, 1.0, 1e4);
    model.q[0] = param.tipLoad;
    addSpecified(model, 3, n, 0.0, 0.0);
    PyCurve curve;
    curve.points = param.points;
    model.curves = {curve};

    const SolvedCase run = solve(model);

    const StationResult& top = at(run.solution, 0);
    EXPECT_NEAR(top.netReaction, param.tipLoad + param.intercept - param.spring * top.deflection,
                1e-9 * std::abs(param.tipLoad));
    EXPECT_EQ(run.solution.offCurve, param.offCurve);
    EXPECT_EQ(run.solution.stationsNotClosed, 0);
    ASSERT_GE(run.notes.size(), kMonitorHeaderLines + 2);
    EXPECT_EQ(run.notes[kMonitorHeaderLines].substr(14, 3), param.firstFlag);
    EXPECT_EQ(run.notes.back().substr(14, 3), param.offCurve ? "YES" : "NO ");
}

const std::vector<CurvePoint> kThreePoints = {{0.0, 0.0}, {1.0, -10.0}, {2.0, -15.0}};

INSTANTIATE_TEST_SUITE_P(
    Curves, WallSolverOffCurve,
    ::testing::Values(OffCurveCase{"OnTheCurve", kThreePoints, 20.0, 10.0, 0.0, "NO ", false},
                      OffCurveCase{"BeyondTheLastPoint", kThreePoints, 200.0, 5.0, -5.0, "NO ", true},
                      OffCurveCase{"BelowTheFirstPoint", kThreePoints, -200.0, 10.0, 0.0, "NO ", true},
                      OffCurveCase{"VerticalLastSegment", {{0.0, 0.0}, {1.0, -10.0}, {1.0, -12.0}}, 200.0, 0.0,
                                   0.0, "NO ", true},
                      OffCurveCase{"TwoPointsAlwaysOff", {{0.0, 0.0}, {1.0, -10.0}}, 20.0, 10.0, 0.0, "YES",
                                   true}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Results: couples and tiebacks.

// A couple on a simply supported beam: the shear between the supports is
// the constant T/L and no station carries a net reaction once the jump of
// the moment at the couple is taken out of the differences.
TEST(WallSolverResults, CoupleCorrectionLeavesConstantShear)
{
    const int n = 20, station = 8;
    const double h = 1.0, couple = 100.0;
    CaseModel model = makeBeam(n, h, 1e4);
    model.t[station] = couple;
    model.couples.push_back({station, couple / (2 * h)});
    addSpecified(model, 1, 0, 0.0, 0.0);
    addSpecified(model, 1, n, 0.0, 0.0);

    const SolvedCase run = solve(model);

    const double shear = at(run.solution, 1).shear;
    EXPECT_NEAR(std::abs(shear), couple / (n * h), 1e-9 * couple);
    for (int j = 1; j < n; ++j) {
        EXPECT_NEAR(at(run.solution, j).shear, shear, 1e-9 * couple) << "station " << j;
        EXPECT_NEAR(at(run.solution, j).netReaction, 0.0, 1e-9 * couple) << "station " << j;
    }
    const double jump = at(run.solution, station + 1).moment - at(run.solution, station - 1).moment;
    EXPECT_NEAR(std::abs(jump - 2 * h * shear), couple, 1e-9 * couple);
}

struct TiebackCase {
    UnitSystem units;
    double depthFactor;
    double perTiebackFactor;   // with spacing 8 and width 2
    friend void PrintTo(const TiebackCase& param, std::ostream* out) { *out << static_cast<int>(param.units); }
};

class WallSolverTiebacks : public ::testing::TestWithParam<TiebackCase> {};

// A wall pinned at its tip and held at the top by one tieback: the tieback's
// horizontal force balances the moment of the loads about the tip.
TEST_P(WallSolverTiebacks, ForcesBalanceTheLoads)
{
    const TiebackCase& param = GetParam();
    const int n = 20;
    const double h = 1.0, width = 2.0, spacing = 8.0;
    CaseModel model = makeBeam(n, h, 1e4);
    model.control.units = param.units;
    model.control.activeWidth = width;
    addUniformLoad(model, 1.0);
    addSpecified(model, 1, n, 0.0, 0.0);

    // One tieback at the top, one at the pinned tip, where it cannot move.
    Tieback top;
    top.station = 0;
    top.depth = 0.5;
    top.spacing = spacing;
    top.spring = 50.0;
    top.load = -5.0;
    top.cosAngle = std::cos(15.0 * 3.1416 / 180.0);
    Tieback tip = top;
    tip.station = n;
    tip.depth = 20.5;
    tip.spring = 30.0;
    tip.load = -7.0;
    model.tiebacks = {top, tip};
    for (const Tieback& tieback : model.tiebacks) {
        model.s[tieback.station] += tieback.spring;
        model.q[tieback.station] += tieback.load;
    }

    double loadMoment = 0;
    for (int j = 0; j <= n; ++j)
        loadMoment += (j == 0 || j == n ? 0.5 : 1.0) * h * (n - j) * h;
    const double horizontal[] = {-loadMoment / (n * h), tip.load};

    const SolvedCase run = solve(model);

    ASSERT_EQ(run.solution.tiebacks.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const TiebackResult& result = run.solution.tiebacks[i];
        const double scale = std::abs(horizontal[i]);
        EXPECT_EQ(result.number, static_cast<int>(i) + 1);
        EXPECT_EQ(result.station, model.tiebacks[i].station);
        EXPECT_DOUBLE_EQ(result.depth, model.tiebacks[i].depth * param.depthFactor);
        EXPECT_NEAR(result.horizontalForce, horizontal[i], 1e-9 * scale);
        EXPECT_NEAR(result.axialForce, horizontal[i] / top.cosAngle, 1e-9 * scale);
        EXPECT_NEAR(result.forcePerTieback, param.perTiebackFactor * result.axialForce, 1e-12 * scale);
    }
}

INSTANTIATE_TEST_SUITE_P(UnitSystems, WallSolverTiebacks,
                         ::testing::Values(TiebackCase{UnitSystem::English, 12.0, 8.0 * 12.0 / 2.0},
                                           TiebackCase{UnitSystem::SI, 1.0, 8.0 / 2.0},
                                           TiebackCase{UnitSystem::Other, 1.0, 1.0}));

// ---------------------------------------------------------------------------
// Moment-EI ranges.

// Trilinear moment-EI curve: EI1 up to the cracking moment, then softening
// linearly to EI2 at the moment Mb.
MomentEiRange softeningRange(int first, int last, double ei1, double crackingMoment, double ei2, double mb)
{
    MomentEiRange range;
    range.firstStation = first;
    range.lastStation = last;
    range.points = {{0.0, ei1}, {crackingMoment, ei1}, {mb, ei2}};
    return range;
}

double softenedEi(double moment, double ei1, double crackingMoment, double ei2, double mb)
{
    const double m = std::abs(moment);
    if (m <= crackingMoment)
        return ei1;
    return ei1 + (ei2 - ei1) * (m - crackingMoment) / (mb - crackingMoment);
}

// On a simply supported beam the moments follow from statics alone, so the
// converged rigidity of every station is the curve's value at its moment.
TEST(WallSolverMomentEi, RigidityConvergesToTheCurveAtTheStaticMoments)
{
    const int n = 20;
    const double h = 1.0, w = 2.0, length = n * h;
    const double ei1 = 1e4, cracking = 40.0, ei2 = 4e3, mb = 200.0;
    CaseModel model = makeBeam(n, h, ei1);
    addUniformLoad(model, w);
    addSpecified(model, 1, 0, 0.0, 0.0);
    addSpecified(model, 1, n, 0.0, 0.0);
    model.momentEi = {softeningRange(0, n, ei1, cracking, ei2, mb)};
    model.control.closureTolerance = 1e-10;

    const SolvedCase run = solve(model);

    EXPECT_LT(run.solution.iterations, 100);
    EXPECT_EQ(run.solution.stationsNotClosed, 0);
    for (int j = 0; j <= n; ++j) {
        const double x = j * h;
        const double staticMoment = w * x * (length - x) / 2;
        EXPECT_NEAR(at(run.solution, j).ei, softenedEi(staticMoment, ei1, cracking, ei2, mb), 1e-6 * ei1)
            << "station " << j;
    }
    EXPECT_LT(at(run.solution, n / 2).ei, 0.9 * ei1);
    EXPECT_EQ(at(run.solution, 1).ei, ei1);
}

// A case that repeats its predecessor starts from the rigidity of the
// predecessor's deflections, which its own deflections reproduce: once they
// close there is nothing left to re-evaluate.
TEST(WallSolverMomentEi, RepeatedCaseNeedsNoFurtherEvaluation)
{
    const int n = 20;
    const double ei1 = 1e4, cracking = 40.0, ei2 = 4e3, mb = 200.0;
    auto makeCase = [&] {
        CaseModel model = makeBeam(n, 1.0, ei1);
        addUniformLoad(model, 2.0);
        addSpecified(model, 1, 0, 0.0, 0.0);
        addSpecified(model, 1, n, 0.0, 0.0);
        model.momentEi = {softeningRange(0, n, ei1, cracking, ei2, mb)};
        model.control.closureTolerance = 1e-8;
        return model;
    };
    CaseModel first = makeCase();
    const SolvedCase firstRun = solve(first);
    ASSERT_GT(firstRun.solution.iterations, 4);

    CaseModel second = makeCase();
    const SolvedCase secondRun = solve(second, firstRun.state);

    EXPECT_EQ(secondRun.solution.iterations, 2);
    for (int j = 0; j <= n; ++j)
        EXPECT_NEAR(at(secondRun.solution, j).ei, at(firstRun.solution, j).ei, 1e-3 * ei1) << "station " << j;
}

// Before the iterations the rigidity is evaluated on the previous case's
// deflections: with the run stopped at its first iteration, the rigidity is
// the point of the curve where M = EI times that case's curvature.
TEST(WallSolverMomentEi, FirstEvaluationUsesThePreviousCaseDeflections)
{
    const int n = 20;
    const double h = 2.0;
    const double ei1 = 1e4, cracking = 40.0, ei2 = 4e3, mb = 200.0;
    CaseModel model = makeBeam(n, h, ei1);
    model.q[0] = 100.0;
    addSpecified(model, 3, n, 0.0, 0.0);
    model.control.maxDeflection = 1e-6;
    model.momentEi = {softeningRange(5, 15, ei1, cracking, ei2, mb)};

    // Curvature 0.002 + 0.001 j at every station.
    SolverState previous;
    for (int j = -3; j <= n + 3; ++j)
        previous.deflections[j] = (0.001 * j * j + 0.001 * j * j * j / 6) * h * h;

    const SolvedCase run = solve(model, previous);

    ASSERT_EQ(run.solution.iterations, 1);
    for (int j = 0; j <= n; ++j) {
        const double ei = at(run.solution, j).ei;
        if (j < 5 || j > 15) {
            EXPECT_EQ(ei, j == 0 || j == n ? ei1 / 2 : ei1);
            continue;
        }
        const double curvature = 0.002 + 0.001 * j;
        EXPECT_NEAR(ei, softenedEi(curvature * ei, ei1, cracking, ei2, mb), 1e-9 * ei1) << "station " << j;
    }
    EXPECT_LT(at(run.solution, 15).ei, ei1);
}

// ---------------------------------------------------------------------------
// Zero pivots: the station's coefficients vanish and the solution goes on.

TEST(WallSolverZeroPivot, StationsWithoutStiffnessStayAtZero)
{
    const int n = 10;
    CaseModel model = makeBeam(n, 1.0, 0.0);
    for (int j = 0; j <= n; ++j) {
        model.s[j] = j % 2 == 0 ? 4.0 : 0.0;
        model.q[j] = 2.0 + j;
    }

    const SolvedCase run = solve(model);

    for (int j = 0; j <= n; ++j)
        EXPECT_DOUBLE_EQ(at(run.solution, j).deflection, j % 2 == 0 ? (2.0 + j) / 4.0 : 0.0) << "station " << j;
}

TEST(WallSolverZeroPivot, SpecifiedSlopeNextToAZeroPivot)
{
    const int n = 10;
    CaseModel model = makeBeam(n, 1.0, 0.0);
    for (int j = 1; j <= n; ++j) {
        model.s[j] = 4.0;
        model.q[j] = 2.0;
    }
    addSpecified(model, 2, 1, 0.0, 0.1);   // station 0 has no stiffness at all

    const SolvedCase run = solve(model);

    EXPECT_DOUBLE_EQ(at(run.solution, 2).deflection, 0.5);
    EXPECT_NEAR(at(run.solution, 1).slope, 0.1, 1e-12);
    for (const StationResult& station : run.solution.stations)
        EXPECT_TRUE(std::isfinite(station.deflection) && std::isfinite(station.moment)) << station.station;
}

}  // namespace
}  // namespace truvex
