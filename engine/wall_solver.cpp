// Beam-column solution of a flexible wall on nonlinear soil springs.
//
// Method: Matlock's finite-difference beam-column as applied to flexible
// retaining structures (Matlock and Haliburton, "A finite-element method of
// solution for linearly elastic beam-columns", Research Report 56-1, Center
// for Highway Research, University of Texas at Austin, 1966; Haliburton,
// "Numerical analysis of flexible retaining structures", Journal of the Soil
// Mechanics and Foundations Division, ASCE 94(SM6), 1968). Each station's
// equation is the five-term central-difference form of
// (EI y'')'' - (P y')' + S y = Q with applied couples and rotational
// restraints; the five-diagonal system is solved by a forward recursion
// y(j) = A(j) y(j+2) + B(j) y(j+1) + C(j) and a back substitution, with the
// specified deflections and slopes entered into the recursion itself. The
// soil is a table of p-y curves, each linearised on the segment that holds
// the current deflection (a spring and an intercept), and the solution is
// repeated until the deflections close. Moment-EI ranges make the rigidity
// depend on the curvature: it is re-evaluated as the point of the moment-EI
// curve where M = EI times the curvature, once the deflections have closed.
//
// Kept on purpose: the curves between two continued p-y curves are
// interpolated linearly station by station, and a station shared by two
// neighbouring ranges receives half of each.
#include "wall_solver.h"

#include "run_stop.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace truvex {
namespace {

constexpr int kMaxIterations = 100;

constexpr const char* kMonitorLine = "(3X, I4, 7X, 'NO', 7X, I4, 2X, 5E10.3)";
constexpr const char* kMonitorLineOffCurve = "(3X, I4, 7X, 'YES', 6X, I4, 2X, 5E10.3)";

// Soil resistance on one curve segment: i - k y, entered as a spring k and
// a load i.
struct CurveLine {
    double spring = 0;
    double intercept = 0;
};

// Evaluates a p-y curve at deflection y on the segment that holds it (the
// first or last segment extended when y lies outside the curve).
CurveLine evaluateCurve(const PyCurve& curve, double y, bool& offCurve)
{
    const std::vector<CurvePoint>& points = curve.points;
    const std::size_t count = points.size();
    if (count < 2) {
        // No segment at all: no resistance.
        offCurve = true;
        return {};
    }
    std::size_t m = count - 1;
    if (count < 3) {
        offCurve = true;
    } else {
        for (std::size_t candidate = 1; candidate < count; ++candidate) {
            if (points[candidate].y >= y) {
                m = candidate;
                break;
            }
        }
        if (y < points.front().y || y > points.back().y)
            offCurve = true;
    }
    const CurvePoint& lower = points[m - 1];
    const CurvePoint& upper = points[m];
    if (upper.y == lower.y)
        return {};
    CurveLine line;
    line.spring = -(upper.p - lower.p) / (upper.y - lower.y);
    line.intercept = line.spring * lower.y + lower.p;
    return line;
}

// Moment-EI evaluation: at every station of every range, the flexural
// rigidity where the moment-EI curve meets M = EI times the curvature.
void evaluateMomentEi(const std::vector<MomentEiRange>& ranges, const StationTable& y, int n, double hSquared,
                      StationTable& ei)
{
    for (const MomentEiRange& range : ranges) {
        const std::vector<MomentEiPoint>& points = range.points;
        const std::size_t count = points.size();
        if (count == 0)
            continue;
        // The curvature needs the station below: the tables end at n+3.
        const int last = std::min(range.lastStation, n + 2);
        for (int j = range.firstStation; j <= last; ++j) {
            if (count == 1) {
                ei[j] = points.front().ei;
                continue;
            }
            const double curvature = std::abs(y[j - 1] - 2.0 * y[j] + y[j + 1]) / hSquared;
            std::size_t m = count - 1;
            for (std::size_t candidate = 1; candidate + 1 < count; ++candidate) {
                if (curvature * points[candidate].ei < points[candidate].moment) {
                    m = candidate;
                    break;
                }
            }
            const MomentEiPoint& before = points[m - 1];
            const MomentEiPoint& after = points[m];
            const double denominator = (after.ei - before.ei) * curvature - (after.moment - before.moment);
            // A segment parallel to M = EI times curvature has no meeting
            // point: the station keeps its rigidity.
            if (denominator == 0.0)
                continue;
            const double t = (before.moment - curvature * before.ei) / denominator;
            ei[j] = before.ei + (after.ei - before.ei) * t;
        }
    }
}

class WallSolver {
public:
    WallSolver(CaseModel& model, SolverState& state, TextOutput& notes)
        : model_(model), state_(state), notes_(notes), n_(model.control.n), h_(model.control.h),
          hSquared_(h_ * h_), hCubed_(hSquared_ * h_), twoH_(2.0 * h_)
    {
    }

    Solution solve();

private:
    struct Equation {
        double a, b, c, d, e, f;
    };

    struct Counts {
        int beyondMaxDeflection = 0;
        int notClosed = 0;
    };

    void buildSoilSprings();
    void applyCurveRange(std::size_t upperIndex, std::size_t lowerIndex, int start);
    void addInterpolatedSprings(const PyCurve& upper, const PyCurve& lower, int station, int start, int end,
                                double weight);
    Equation equationAt(int j) const;
    void forwardRecursion();
    Counts backSubstitution();
    int countChangedSinceMomentEiUpdate() const;
    void writeMonitorLine(int iteration, const Counts& counts);
    void computeStationResults(Solution& solution);
    void computeTiebackResults(Solution& solution) const;

    CaseModel& model_;
    SolverState& state_;
    TextOutput& notes_;
    const int n_;
    const double h_, hSquared_, hCubed_, twoH_;

    StationTable y_, yPrevious_, yAtMomentEiUpdate_;
    StationTable workingQ_, workingS_;
    StationTable recursionA_, recursionB_, recursionC_;
    bool offCurve_ = false;
};

Solution WallSolver::solve()
{
    notes_.blankLines(3);
    notes_.line("     ITERATION MONITOR DATA");
    notes_.line("     ----------------------");

    // The rigidity in force when the iterations start was evaluated on the
    // deflections the previous case left.
    evaluateMomentEi(model_.momentEi, state_.deflections, n_, hSquared_, model_.ei);
    yAtMomentEiUpdate_ = state_.deflections;
    y_.clear();

    Solution solution;
    Counts counts;
    int iteration = 1;
    for (;; ++iteration) {
        buildSoilSprings();
        forwardRecursion();
        counts = backSubstitution();
        writeMonitorLine(iteration, counts);

        if (counts.beyondMaxDeflection > 0)
            break;
        if (counts.notClosed == 0) {
            if (model_.momentEi.empty() || countChangedSinceMomentEiUpdate() == 0)
                break;
            yAtMomentEiUpdate_ = y_;
            evaluateMomentEi(model_.momentEi, y_, n_, hSquared_, model_.ei);
        }
        if (iteration == kMaxIterations)
            break;
    }

    solution.iterations = iteration;
    solution.offCurve = offCurve_;
    solution.stationsBeyondMaxDeflection = counts.beyondMaxDeflection;
    solution.stationsNotClosed = counts.notClosed;
    computeStationResults(solution);
    computeTiebackResults(solution);
    state_.deflections = y_;
    return solution;
}

// Working Q and S: the input tables plus the soil springs linearised on the
// current deflections. The curves are walked in table order; a continued
// curve is interpolated towards the next one over the stations between them.
void WallSolver::buildSoilSprings()
{
    for (int j = -1; j <= n_ + 1; ++j) {
        workingQ_[j] = model_.q[j];
        workingS_[j] = model_.s[j];
    }
    offCurve_ = false;

    const std::vector<PyCurve>& curves = model_.curves;
    // Start stations as the walk moves them: a continued curve that closed a
    // range opens the next one from its own station. Every iteration walks
    // the curves as they were read.
    std::vector<int> startStation(curves.size());
    for (std::size_t i = 0; i < curves.size(); ++i)
        startStation[i] = curves[i].startStation;

    std::size_t opening = 0;
    bool previousContinued = false;
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const bool continued = curves[i].continued == 1;
        if (!previousContinued) {
            opening = i;
            if (!continued)
                applyCurveRange(i, i, startStation[i]);
        } else {
            const int start = startStation[opening];
            // A further curve at the opening curve's station adds nothing;
            // the range stays open with its opening curve.
            if (curves[i].endStation != start) {
                applyCurveRange(opening, i, start);
                if (continued) {
                    startStation[i] = curves[i].endStation;
                    opening = i;
                }
            }
        }
        previousContinued = continued;
    }
}

void WallSolver::applyCurveRange(std::size_t upperIndex, std::size_t lowerIndex, int start)
{
    const PyCurve& upper = model_.curves[upperIndex];
    const PyCurve& lower = model_.curves[lowerIndex];
    const int end = lower.endStation;
    if (end < start)
        throw RunStop(kStationsNotInOrder);
    if (start >= n_)
        return;
    if (start == end) {   // a curve alone at its station
        addInterpolatedSprings(upper, lower, start, start, end, 1.0);
        return;
    }
    // Cut at the tip; the interpolation keeps the full length.
    const int last = std::min(end, n_);
    for (int j = start; j <= last; ++j)
        addInterpolatedSprings(upper, lower, j, start, end, 1.0);
    addInterpolatedSprings(upper, lower, start, start, end, -0.5);
    addInterpolatedSprings(upper, lower, last, start, end, -0.5);
}

void WallSolver::addInterpolatedSprings(const PyCurve& upper, const PyCurve& lower, int station, int start, int end,
                                        double weight)
{
    const CurveLine upperLine = evaluateCurve(upper, y_[station], offCurve_);
    const CurveLine lowerLine = evaluateCurve(lower, y_[station], offCurve_);
    const double t = end == start ? 0.0 : static_cast<double>(station - start) / (end - start);
    workingS_[station] += weight * (upperLine.spring + (lowerLine.spring - upperLine.spring) * t);
    workingQ_[station] += weight * (upperLine.intercept + (lowerLine.intercept - upperLine.intercept) * t);
}

// a y(j-2) + b y(j-1) + c y(j) + d y(j+1) + e y(j+2) = f at station j.
WallSolver::Equation WallSolver::equationAt(int j) const
{
    const StationTable& f = model_.ei;
    const StationTable& p = model_.p;
    const StationTable& r = model_.r;
    const StationTable& t = model_.t;
    const double restraintAbove = (h_ * p[j - 1] + r[j - 1]) * h_ * 0.25;
    const double restraintBelow = (h_ * p[j + 1] + r[j + 1]) * h_ * 0.25;
    Equation eq;
    eq.a = f[j - 1] - restraintAbove;
    eq.b = -2.0 * (f[j - 1] + f[j]);
    eq.c = restraintBelow + restraintAbove + hCubed_ * workingS_[j] + f[j - 1] + 4.0 * f[j] + f[j + 1];
    eq.d = -2.0 * (f[j] + f[j + 1]);
    eq.e = f[j + 1] - restraintBelow;
    eq.f = hCubed_ * workingQ_[j] - (t[j - 1] - t[j + 1]) * hSquared_ * 0.5;
    return eq;
}

void WallSolver::forwardRecursion()
{
    StationTable& A = recursionA_;
    StationTable& B = recursionB_;
    StationTable& C = recursionC_;
    // The specified values are taken in row order; codes without an entry of
    // their own read zeros.
    std::size_t pointer = 0;
    auto current = [this, &pointer]() {
        return pointer < model_.specified.size() ? model_.specified[pointer] : SpecifiedValue{};
    };
    // Coefficients of the station before a specified slope, kept for the
    // station after it.
    double gStar = 0, aStar = 0, bStar = 0, cStar = 0;

    for (int j = -1; j <= n_ + 1; ++j) {
        const Equation eq = equationAt(j);
        const double E = eq.a * B[j - 2] + eq.b;
        const double D = eq.a * A[j - 2] + E * B[j - 1] + eq.c;
        const double G = D == 0.0 ? 0.0 : -1.0 / D;
        A[j] = eq.e * G;
        B[j] = (E * A[j - 1] + eq.d) * G;
        C[j] = (E * C[j - 1] + eq.a * C[j - 2] - eq.f) * G;

        switch (model_.specialCodeAt(j)) {
        case kDeflectionHere:
            A[j] = 0.0;
            B[j] = 0.0;
            C[j] = current().deflection;
            ++pointer;
            break;
        case kSlopeAtNext:
            gStar = G;
            aStar = A[j];
            bStar = B[j];
            cStar = C[j];
            A[j] = 1.0;
            B[j] = 0.0;
            C[j] = -twoH_ * current().slope;
            break;
        case kDeflectionAndSlopeHere:
            A[j] = 0.0;
            B[j] = 0.0;
            C[j] = current().deflection;
            break;
        case kSlopeAtPrevious: {
            // Sum of the equations before and after the slope station: the
            // unknown restraining couple drops out. A zero pivot before the
            // slope station leaves nothing of its equation to add.
            const double ratio = gStar == 0.0 ? 0.0 : G / gStar;
            const double denominator = 1.0 - (bStar * B[j - 1] + aStar - 1.0) * ratio;
            const double K = denominator == 0.0 ? 0.0 : 1.0 / denominator;
            A[j] = K * A[j];
            B[j] = K * (bStar * A[j - 1] * ratio + B[j]);
            C[j] = K * ((bStar * C[j - 1] + twoH_ * current().slope + cStar) * ratio + C[j]);
            ++pointer;
            break;
        }
        default:
            break;
        }
    }
}

WallSolver::Counts WallSolver::backSubstitution()
{
    yPrevious_ = y_;
    auto substitute = [this](int j) {
        y_[j] = recursionA_[j] * y_[j + 2] + recursionB_[j] * y_[j + 1] + recursionC_[j];
    };
    Counts counts;
    substitute(n_ + 1);
    for (int j = n_; j >= 0; --j) {
        substitute(j);
        if (std::abs(y_[j]) > model_.control.maxDeflection)
            ++counts.beyondMaxDeflection;
        if (std::abs(y_[j] - yPrevious_[j]) > model_.control.closureTolerance)
            ++counts.notClosed;
    }
    substitute(-1);
    return counts;
}

int WallSolver::countChangedSinceMomentEiUpdate() const
{
    int count = 0;
    for (int j = 0; j <= n_; ++j) {
        if (std::abs(y_[j] - yAtMomentEiUpdate_[j]) > model_.control.closureTolerance)
            ++count;
    }
    return count;
}

void WallSolver::writeMonitorLine(int iteration, const Counts& counts)
{
    notes_.write(offCurve_ ? kMonitorLineOffCurve : kMonitorLine, iteration, counts.notClosed, y_[1], y_[2], y_[3],
                 y_[4], y_[5]);
}

void WallSolver::computeStationResults(Solution& solution)
{
    StationTable& y = y_;
    const StationTable& f = model_.ei;
    y[-2] = 2.0 * y[-1] - y[0];
    y[n_ + 2] = 2.0 * y[n_ + 1] - y[n_];

    // Moments from station 0 on; above it the wall carries none.
    StationTable moment, shear, reaction;
    for (int j = 0; j <= n_ + 1; ++j)
        moment[j] = f[j] * (y[j - 1] - 2.0 * y[j] + y[j + 1]) / hSquared_;
    for (int j = -1; j <= n_ + 1; ++j) {
        shear[j] = (moment[j + 1] - moment[j - 1]) / twoH_;
        reaction[j] = (moment[j - 1] - 2.0 * moment[j] + moment[j + 1]) / h_;
    }

    // A concentrated couple makes the moment jump at its station; the
    // central differences spread that jump over the stations around it.
    for (const Couple& couple : model_.couples) {
        const int s = couple.station;
        if (s + 1 > n_ + 3)   // no room below the tables' end
            continue;
        const double c = couple.perDoubleIncrement;
        shear[s] -= c;
        shear[s + 1] -= c / 2.0;
        reaction[s + 1] += c;
        shear[s - 1] -= c / 2.0;
        reaction[s - 1] -= c;
    }

    solution.stations.clear();
    solution.stations.reserve(static_cast<std::size_t>(n_ + 2));
    for (int j = 0; j <= n_ + 1; ++j) {
        StationResult result;
        result.station = j;
        result.x = j * h_;
        result.deflection = y[j];
        result.slope = (y[j + 1] - y[j - 1]) / twoH_;
        result.moment = moment[j];
        result.shear = shear[j];
        result.netReaction = reaction[j];
        result.ei = f[j];
        solution.stations.push_back(result);
    }
}

void WallSolver::computeTiebackResults(Solution& solution) const
{
    const UnitSystem units = model_.control.units;
    const double width = model_.control.activeWidth;
    solution.tiebacks.clear();
    int number = 0;
    for (const Tieback& tieback : model_.tiebacks) {
        TiebackResult result;
        result.number = ++number;
        result.station = tieback.station;
        result.horizontalForce = tieback.load - y_[tieback.station] * tieback.spring;
        result.axialForce = result.horizontalForce / tieback.cosAngle;
        switch (units) {
        case UnitSystem::English:
            result.depth = tieback.depth * 12.0;
            result.forcePerTieback = result.axialForce * tieback.spacing * 12.0 / width;
            break;
        case UnitSystem::SI:
            result.depth = tieback.depth;
            result.forcePerTieback = result.axialForce * tieback.spacing / width;
            break;
        case UnitSystem::Other:
            result.depth = tieback.depth;
            result.forcePerTieback = result.axialForce;
            break;
        }
        solution.tiebacks.push_back(result);
    }
}

}  // namespace

Solution solveWall(CaseModel& model, SolverState& state, TextOutput& notes)
{
    return WallSolver(model, state, notes).solve();
}

}  // namespace truvex
