// Generation of p-y curves from the soil layers (p-y option 2): the soil
// profile below the excavation level, its lookups, the p- and y-multipliers,
// the report sections of the profile, and the curve file "SOILDATA" that the
// model reading takes the curves back from.
//
// Each soil layer that reaches below the excavation level becomes a p-y
// layer with five curve depths; the generator of its soil type (py_clay,
// py_sand_silt, py_rock) builds a 17-point curve for the excavation side and
// one for the backfill side at every depth. X is the depth below the
// excavation level; z the depth coordinate of a side: X on the excavation
// side, H + X on the backfill side, H the free height of the soil block.
#pragma once

#include "layout_format.h"
#include "model.h"
#include "text_output.h"
#include "units.h"

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace truvex {

inline constexpr const char* kCurveFileName = "SOILDATA";
inline constexpr int kMaxPyLayers = 10;
inline constexpr int kCurvesPerLayer = 5;
inline constexpr int kPointsPerSide = 17;

// A user curve handed on through the curve file: its station and its points
// with the curve's own multipliers applied (p per unit length of wall).
struct UserPyCurve {
    int station = 0;
    std::vector<CurvePoint> points;
};

// One generated curve as written to the curve file: the points of the two
// sides after the multipliers and the offset.
struct GeneratedPyCurve {
    double depth = 0;   // H + X, below the top of the wall
    std::array<CurvePoint, kPointsPerSide> excavation{};
    std::array<CurvePoint, kPointsPerSide> backfill{};
};

// Runs the whole generation for the case: prints the profile and every curve
// to the report, writes `curveFile` (the user curves first, then the
// generated ones) and returns the generated curves. Throws RunStop for the
// stop codes and for soil data no curve can be built from.
std::vector<GeneratedPyCurve> generatePyCurves(const CaseModel& model, const std::vector<UserPyCurve>& userCurves,
                                               const std::filesystem::path& curveFile, TextOutput& report);

// ---------------------------------------------------------------------------
// The parts shared with the generators.

enum class CurveSide { Excavation, Backfill };

// The two sides in the order every generator writes them.
inline constexpr std::array<CurveSide, 2> kSides = {CurveSide::Excavation, CurveSide::Backfill};

// A point of the strength profile; the friction angle in radians.
struct StrengthPoint {
    double x = 0;
    double strength = 0;
    double friction = 0;
    double e50 = 0;
    double sixth = 0;
};

struct UnitWeightPoint {
    double x = 0;
    double unitWeight = 0;   // effective
};

struct PyLayer {
    int soilType = 0;
    int inputLayer = 0;       // 1-based number in the soil table, for messages
    double xTop = 0;
    double xBottom = 0;
    double depthTop = 0;      // H + xTop, below the top of the wall
    double depthBottom = 0;
    double modulus = 0;       // k, the layer's top value
    StrengthPoint top;
    StrengthPoint bottom;
    std::array<double, kCurvesPerLayer> curveDepths{};
};

// The profile of unit weight and strength below the excavation level with
// the lookups of the generators, and the multipliers. Every lookup beyond
// the profile ends the run with the stop code of its profile.
class PyProfile {
public:
    // Throws RunStop for soil data that leaves no profile to generate from.
    explicit PyProfile(const CaseModel& model);

    const std::vector<PyLayer>& layers() const { return layers_; }
    const std::vector<UnitWeightPoint>& unitWeightPoints() const { return unitWeights_; }
    const std::vector<StrengthPoint>& strengthPoints() const { return strengths_; }
    const std::vector<PyModification>& modifications() const { return modifications_; }

    double freeHeight() const { return freeHeight_; }
    double width() const { return width_; }             // b, the width for soil resistance
    double widthRatio() const { return widthRatio_; }   // r = WA/WP, at least 1
    bool continuousWall() const;                        // r below the single-precision 1.1
    UnitSystem units() const { return units_; }

    double strength(double x) const;
    double friction(double x) const;
    double e50(double x) const;
    double sixth(double x) const;
    double averageUnitWeight(double x) const;
    double averageStrength(double x) const;

    // At a depth below the top of the wall.
    double pMultiplier(double depth) const;
    double yMultiplier(double depth) const;

private:
    void buildLayers(const CaseModel& model);
    void buildUnitWeights(const SoilData& soil);
    double property(double x, double StrengthPoint::*field, const char* curveName) const;

    std::vector<PyLayer> layers_;
    std::vector<StrengthPoint> strengths_;   // top and bottom of every layer
    std::vector<UnitWeightPoint> unitWeights_;
    std::vector<PyModification> modifications_;
    double freeHeight_ = 0;
    double width_ = 0;
    double widthRatio_ = 1;
    double waterUnitWeight_ = 0;
    UnitSystem units_ = UnitSystem::English;
    UnitLabels labels_;
};

// One side of a generated curve as the report shows it.
struct SideCurve {
    std::vector<std::string> heading;   // lines between the side title and the points
    std::array<CurvePoint, kPointsPerSide> points{};
    std::array<std::vector<std::string>, kPointsPerSide> notes;   // lines after a point's row
    double pMultiplier = 1;
    double yMultiplier = 1;
};

// Appends lines to a side curve's heading.
inline void addToHeading(SideCurve& curve, const std::vector<std::string>& lines)
{
    curve.heading.insert(curve.heading.end(), lines.begin(), lines.end());
}

// A column of a generator's parameter heading.
struct ParameterColumn {
    std::string title;
    std::string unit;
    double value = 0;
};

// What the generators share during one generation: the profile, the offset
// stress, the accumulated resistance of the layers, the report and the
// curves built so far.
class PyGeneration {
public:
    PyGeneration(const PyProfile& profile, double excavationStress, TextOutput& report);

    const PyProfile& profile() const { return profile_; }
    double excavationStress() const { return excavationStress_; }
    const UnitLabels& labels() const { return labels_; }

    // z of a side at the curve depth X.
    double sideDepth(CurveSide side, double x) const;

    // The accumulated ultimate resistance of the layers above `layer`, and
    // an addition to the accumulation of `layer`.
    double resistanceAbove(int layer) const;
    void accumulate(int layer, double amount);

    // Prints the curve at X (both sides) and keeps it for the curve file.
    // Throws RunStop when a point is not a finite number.
    void addCurve(int layer, double x, const SideCurve& excavation, const SideCurve& backfill);

    const std::vector<GeneratedPyCurve>& curves() const { return curves_; }

    // Report pieces: the parameter heading (titles, units, values), and the
    // column heads of the points, "Y," and "P," or "Y" and "P".
    std::vector<std::string> parameterHeading(const std::vector<ParameterColumn>& columns) const;
    std::vector<std::string> pointHeads(bool withCommas) const;

    // Unit labels of compound quantities.
    std::string forcePerLength() const;
    std::string stress() const;
    std::string unitWeight() const;

private:
    void printSide(CurveSide side, const SideCurve& curve);

    const PyProfile& profile_;
    double excavationStress_;
    TextOutput& report_;
    UnitLabels labels_;
    std::array<double, kMaxPyLayers> accumulated_{};
    std::vector<GeneratedPyCurve> curves_;
};

// The common transformation of a point: the y-multiplier on y, the
// p-multiplier on p, and the offset p0 taken off on the excavation side and
// added on the backfill side.
CurvePoint transformedPoint(CurveSide side, double y, double p, double pMultiplier, double yMultiplier, double p0);

// Linear interpolation in a table of values at ascending abscissae,
// constant beyond either end.
double tableValue(std::span<const double> at, std::span<const double> values, double x);

// Formatted text without its final line end and trailing blanks.
std::string trimmedLine(std::string text);

// One report line through the layout notation, without its line end.
template <class... Args>
std::string formatLine(std::string_view layout, const Args&... values)
{
    return trimmedLine(format(layout, values...));
}

// Ends the run for a curve whose soil data cannot give one.
[[noreturn]] void stopForLayer(const PyLayer& layer, const std::string& what);

}  // namespace truvex
