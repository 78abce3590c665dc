#include "py_profile.h"

#include "layout_format.h"
#include "py_clay.h"
#include "py_rock.h"
#include "py_sand_silt.h"
#include "report.h"
#include "run_stop.h"

#include <algorithm>
#include <cmath>

namespace truvex {
namespace {

// The engine's degree conversion uses 3.1416, not pi to full precision.
constexpr double kEnginePi = 3.1416;

// Curve depths stand this far inside their layer.
double curveDepthInset(UnitSystem units) { return units == UnitSystem::SI ? 0.01 : 0.1; }
double waterUnitWeight(UnitSystem units) { return units == UnitSystem::SI ? 9.81 : 0.036; }

// Values below this count as missing when two layers meet at a depth.
constexpr double kMissingValue = 1.0E-20;

// The printed E50 is replaced by dashes at or below this.
constexpr double kNoE50 = 0.000001;

// Below this depth the average over the profile is its first value.
constexpr double kShallowestAverage = 0.000001;

enum StopCode { kUnitWeightStop = 4, kStrengthStop = 5 };

const char* const kStrengthCurve = "THE INPUT STRENGTH CURVE";
const char* const kPhiCurve = "THE INPUT PHI CURVE";
const char* const kUnitWeightCurve = "THE INPUT CURVE FOR UNIT WEIGHT";

// The warning of a lookup beyond its profile, ending the run with the
// profile's stop code; shown in the report and on standard error.
[[noreturn]] void beyondProfile(double x, const char* curveName, int stopCode, const UnitLabels& labels)
{
    throw RunStop(formatLine("(5X, '**** WARNING ****', /, 5X, 'THE VALUE OF X =', E12.4, A, /,"
                             " 5X, 'IS BEYOND THE EXTENT OF', /, 5X, A, /, 5X, 'RUN STOPPED WITH STOP CODE', I2)",
                             x, labels.length, std::string(curveName), stopCode),
                  true);
}

double interpolate(double x0, double v0, double x1, double v1, double x)
{
    return x1 == x0 ? v0 : v0 + (v1 - v0) * (x - x0) / (x1 - x0);
}

// Value at a depth where two layers meet: the mean of the two, or the one
// that is given when the other is missing.
double boundaryValue(double above, double below)
{
    if (above < kMissingValue)
        return below;
    if (below < kMissingValue)
        return above;
    return 0.5 * (above + below);
}

// Integral from the first point of a piecewise-linear profile down to x
// (not beyond its last point), by the trapezoid rule per segment.
template <class Point, class Value>
double profileIntegral(const std::vector<Point>& points, double x, Value value)
{
    double sum = 0;
    for (std::size_t i = 1; i < points.size() && points[i - 1].x < x; ++i) {
        const Point& a = points[i - 1];
        const Point& b = points[i];
        if (!(b.x > a.x))
            continue;
        const double end = std::min(b.x, x);
        const double valueAtEnd = interpolate(a.x, value(a), b.x, value(b), end);
        sum += 0.5 * (value(a) + valueAtEnd) * (end - a.x);
    }
    return sum;
}

// Factor of the p-y modification table at a depth: linear between
// consecutive rows, 1.0 outside the table and for a table of one row. Where
// two rows share a depth the second applies, except at the table's last
// depth, where the first of the pair does.
double modificationFactor(const std::vector<PyModification>& rows, double depth, double PyModification::*factor)
{
    if (rows.size() < 2 || depth < rows.front().depth || depth > rows.back().depth)
        return 1.0;
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        const PyModification& a = rows[i];
        const PyModification& b = rows[i + 1];
        if (depth >= a.depth && depth < b.depth)
            return interpolate(a.depth, a.*factor, b.depth, b.*factor, depth);
    }
    const PyModification& a = rows[rows.size() - 2];
    const PyModification& b = rows.back();
    if (depth == b.depth)
        return a.depth == b.depth ? a.*factor : b.*factor;
    return 1.0;
}

StrengthPoint strengthPointOf(const std::array<double, 6>& values, double x)
{
    return {x, values[1], values[2] * kEnginePi / 180.0, values[3], values[5]};
}

StrengthPoint interpolatedPoint(const StrengthPoint& top, const StrengthPoint& bottom, double x)
{
    auto at = [&](double StrengthPoint::*field) { return interpolate(top.x, top.*field, bottom.x, bottom.*field, x); };
    return {x, at(&StrengthPoint::strength), at(&StrengthPoint::friction), at(&StrengthPoint::e50),
            at(&StrengthPoint::sixth)};
}

// A line of text cells, each right-aligned in its column, written through a
// layout of blanks and quoted texts.
std::string alignedCells(int indent, const std::vector<std::pair<std::string, std::size_t>>& cells)
{
    std::string layout = "(" + std::to_string(indent) + "X";
    for (const auto& [text, width] : cells) {
        const std::size_t blanks = width > text.size() ? width - text.size() : 0;
        if (blanks > 0)
            layout += ", " + std::to_string(blanks) + "X";
        if (!text.empty())
            layout += ", '" + text + "'";
    }
    return formatLine(layout + ")");
}

const char* soilTypeLine(int soilType)
{
    static constexpr const char* kLines[] = {
        "THE SOIL IS A SOFT CLAY",
        "THE SOIL IS A STIFF CLAY BELOW THE WATER TABLE",
        "THE SOIL IS A STIFF CLAY ABOVE THE WATER TABLE",
        "THE SOIL IS A SAND",
        "THE SOIL IS A SILT",
        "THE LAYER IS ROCK",
        "THE LAYER IS WEAK ROCK",
    };
    return kLines[soilType - 1];
}

using Generator = void (*)(PyGeneration&, int);

Generator generatorFor(int soilType)
{
    switch (soilType) {
    case 1:
        return generateSoftClay;
    case 2:
        return generateStiffClayWithFreeWater;
    case 3:
        return generateStiffClayWithoutFreeWater;
    case 4:
        return generateSand;
    case 5:
        return generateSilt;
    case 6:
        return generateStrongRock;
    default:
        return generateWeakRock;
    }
}

// A framed title centred between the asterisks of the banner.
std::string framedTitle(const std::string& title)
{
    constexpr std::size_t kInside = 48;
    const std::size_t left = (kInside - title.size()) / 2;
    return "*" + std::string(left, ' ') + title + std::string(kInside - left - title.size(), ' ') + "*";
}

void printProfile(TextOutput& report, const PyProfile& profile, const PyGeneration& generation)
{
    const UnitLabels& labels = generation.labels();
    const double h = profile.freeHeight();
    writeBoxedTitle(report, framedTitle("SOIL LAYERS AND STRENGTH DATA"));
    report.line();
    report.write("(6X, 'X AT THE SURFACE OF EXCAVATION SIDE     = ', F10.3, A)", h, labels.length);
    report.line();
    report.write("(6X, I2, ' LAYER(S) OF SOIL')", profile.layers().size());
    for (std::size_t i = 0; i < profile.layers().size(); ++i) {
        report.line();
        report.write("(6X, 'LAYER', I3)", i + 1);
        report.write("(6X, A)", std::string(soilTypeLine(profile.layers()[i].soilType)));
    }

    const auto& weights = profile.unitWeightPoints();
    report.blankLines(2);
    report.write("(6X, 'DISTRIBUTION OF EFFECTIVE UNIT WEIGHT WITH DEPTH')");
    report.write("(6X, I3, ' POINTS')", weights.size());
    report.line();
    report.line(alignedCells(5, {{"DEPTH", 15}, {"UNIT WEIGHT", 15}}));
    report.line(alignedCells(5, {{labels.length, 15}, {generation.unitWeight(), 15}}));
    for (const UnitWeightPoint& point : weights)
        report.write("(5X, 2E15.4)", h + point.x, point.unitWeight);

    const auto& strengths = profile.strengthPoints();
    report.blankLines(2);
    report.write("(6X, 'DISTRIBUTION OF STRENGTH PARAMETERS WITH DEPTH')");
    report.write("(6X, I3, ' POINTS')", strengths.size());
    report.line();
    report.line(alignedCells(5, {{"DEPTH", 15}, {"S", 15}, {"PHI,DEGREES", 15}, {"E50", 15}}));
    report.line(alignedCells(5, {{labels.length, 15}, {generation.stress(), 15}}));
    for (const StrengthPoint& point : strengths) {
        const std::string e50 = point.e50 <= kNoE50 ? std::string(10, ' ') + "-----"
                                                    : formatLine("(E15.4)", point.e50);
        report.write("(5X, 2E15.4, F15.2, A)", h + point.x, point.strength, point.friction * 180.0 / kEnginePi, e50);
    }

    if (!profile.modifications().empty()) {
        report.blankLines(2);
        report.write("(6X, 'REDUCTION FACTORS FOR CLOSELY-SPACED WALL ELEMENTS')");
        report.line();
        report.write("('      DEPTH     P-FACTOR     Y-FACTOR')");
        report.line(alignedCells(0, {{labels.length, 11}}));
        for (const PyModification& row : profile.modifications())
            report.write("(1X, E10.3, 2X, E11.4, 2X, E11.4)", row.depth, row.pMultiplier, row.yMultiplier);
    }

    writeBoxedTitle(report, framedTitle("P-Y CURVES DATA"));
}

// The curve file: the count, the user curves, then every generated curve
// as a header (depth, 34) and the 17 points of each side as (number, p, y).
void writeCurveFile(const std::filesystem::path& path, const std::vector<UserPyCurve>& userCurves,
                    const std::vector<GeneratedPyCurve>& curves)
{
    TextOutput file;
    if (!file.open(path))
        stopRun("ERROR -- CANNOT CREATE THE P-Y CURVE FILE " + path.string());
    constexpr const char* kPointLayout = "(I4, 2(1X, 1P, E24.16))";
    file.write("(I6)", userCurves.size() + curves.size());
    for (const UserPyCurve& curve : userCurves) {
        file.write("(2I6)", curve.station, curve.points.size());
        for (std::size_t i = 0; i < curve.points.size(); ++i)
            file.write(kPointLayout, i + 1, curve.points[i].p, curve.points[i].y);
    }
    for (const GeneratedPyCurve& curve : curves) {
        file.write("(1P, E24.16, I6)", curve.depth, 2 * kPointsPerSide);
        for (const auto* side : {&curve.excavation, &curve.backfill})
            for (int i = 0; i < kPointsPerSide; ++i)
                file.write(kPointLayout, i + 1, (*side)[i].p, (*side)[i].y);
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Profile

PyProfile::PyProfile(const CaseModel& model)
    : modifications_(model.pyModifications), freeHeight_(model.soil.freeHeight), width_(model.soil.resistanceWidth),
      waterUnitWeight_(waterUnitWeight(model.control.units)), units_(model.control.units),
      labels_(unitLabels(model.control.units))
{
    const SoilData& soil = model.soil;
    if (!(width_ > 0))
        stopRun("ERROR -- THE WIDTH FOR SOIL RESISTANCE MUST BE GREATER THAN ZERO TO GENERATE P-Y CURVES");
    widthRatio_ = std::max(1.0, soil.activeWidth / width_);
    buildLayers(model);
    buildUnitWeights(soil);
}

void PyProfile::buildLayers(const CaseModel& model)
{
    const SoilData& soil = model.soil;
    // The profile reaches two increments below the tip of the wall.
    const double xMax = model.control.n * model.control.h + 2 * model.control.h - freeHeight_;
    if (!(xMax > 0))
        stopRun("ERROR -- THE WALL DOES NOT REACH BELOW THE EXCAVATION LEVEL: NO P-Y CURVES CAN BE GENERATED");
    const double inset = curveDepthInset(units_);

    double previousBottom = 0;
    for (std::size_t i = 0; i < soil.layers.size(); ++i) {
        const SoilLayer& input = soil.layers[i];
        const int number = static_cast<int>(i) + 1;
        if (!(input.depthBottom > previousBottom))
            stopRun("ERROR -- SOIL LAYER " + std::to_string(number) +
                 ": ITS BOTTOM MUST LIE BELOW THE BOTTOM OF THE LAYER ABOVE (OR BELOW THE TOP OF THE WALL)");
        const double top = previousBottom;
        previousBottom = input.depthBottom;
        if (!(input.depthBottom > freeHeight_))
            continue;

        PyLayer layer;
        layer.soilType = input.soilType;
        layer.inputLayer = number;
        layer.depthTop = std::max(top, freeHeight_);
        layer.xTop = layer.depthTop - freeHeight_;
        // A layer starting at or below the end of the profile adds nothing.
        if (layer.xTop >= xMax)
            break;
        if (input.soilType < 1 || input.soilType > 7)
            stopRun("ERROR -- SOIL LAYER " + std::to_string(number) + " HAS THE SOIL TYPE " +
                 std::to_string(input.soilType) + "; THE SOIL TYPES ARE 1 TO 7");
        for (const auto& row : input.parameters)
            for (double value : row)
                if (value < 0)
                    stopRun("ERROR -- SOIL LAYER " + std::to_string(number) + ": ITS SOIL PARAMETERS MUST NOT BE NEGATIVE");
        if (layers_.size() == static_cast<std::size_t>(kMaxPyLayers))
            throw RunStop(kTooMuchData);

        layer.xBottom = input.depthBottom - freeHeight_;
        layer.depthBottom = input.depthBottom;
        layer.modulus = input.parameters[0][4];
        layer.top = strengthPointOf(input.parameters[0], layer.xTop);
        layer.bottom = strengthPointOf(input.parameters[1], layer.xBottom);
        const bool cut = layer.xBottom > xMax;
        if (cut) {
            layer.bottom = interpolatedPoint(layer.top, layer.bottom, xMax);
            layer.xBottom = xMax;
            layer.depthBottom = freeHeight_ + xMax;
        }
        const double thickness = layer.xBottom - layer.xTop;
        layer.curveDepths = {layer.xTop + inset, layer.xTop + 0.25 * thickness, layer.xTop + 0.5 * thickness,
                             layer.xTop + 0.75 * thickness, layer.xBottom - inset};
        layers_.push_back(layer);
        strengths_.push_back(layer.top);
        strengths_.push_back(layer.bottom);
        if (cut)
            break;
    }
}

// Two points per layer with the layer's top unit weight, buoyant below the
// backfill water table; a layer cut by the water table keeps its dry weight
// down to the water table, where the weight of the soil below takes over.
void PyProfile::buildUnitWeights(const SoilData& soil)
{
    const double waterDepth = soil.waterDepthBackfill;
    const double waterX = waterDepth - freeHeight_;
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        const PyLayer& layer = layers_[i];
        const double gamma = soil.layers[static_cast<std::size_t>(layer.inputLayer - 1)].parameters[0][0];
        UnitWeightPoint top{layer.xTop, gamma};
        UnitWeightPoint bottom{layer.xBottom, gamma};
        // A top at the water table lies below it like the bottom of the layer
        // above; the first layer has none above, and lies below it as well.
        const bool previousBottomHere = i == 0 || unitWeights_.back().x == layer.xTop;
        if (layer.depthTop > waterDepth || (layer.depthTop == waterDepth && previousBottomHere))
            top.unitWeight = gamma - waterUnitWeight_;
        if (layer.depthBottom > waterDepth)
            bottom.unitWeight = gamma - waterUnitWeight_;
        if (i > 0 && top.x > unitWeights_.back().x)
            top.x = unitWeights_.back().x;
        if (layer.depthTop < waterDepth && waterDepth < layer.depthBottom)
            bottom = {waterX, gamma};
        if (top.unitWeight < 0 || bottom.unitWeight < 0)
            stopForLayer(layer, "ITS UNIT WEIGHT IS LESS THAN THAT OF WATER, WHICH LEAVES A NEGATIVE EFFECTIVE UNIT WEIGHT");
        unitWeights_.push_back(top);
        unitWeights_.push_back(bottom);
    }
    if (!layers_.empty() && unitWeights_.back().x < layers_.back().xBottom) {
        const double gamma =
            soil.layers[static_cast<std::size_t>(layers_.back().inputLayer - 1)].parameters[0][0] - waterUnitWeight_;
        if (gamma < 0)
            stopForLayer(layers_.back(), "ITS UNIT WEIGHT IS LESS THAN THAT OF WATER, WHICH LEAVES A NEGATIVE EFFECTIVE UNIT WEIGHT");
        const double from = unitWeights_.back().x;
        unitWeights_.push_back({from, gamma});
        unitWeights_.push_back({layers_.back().xBottom, gamma});
    }
}

bool PyProfile::continuousWall() const { return widthRatio_ < 1.1f; }

double PyProfile::property(double x, double StrengthPoint::*field, const char* curveName) const
{
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        const PyLayer& layer = layers_[i];
        if (x > layer.xBottom)
            continue;
        if (x <= layer.xTop)
            return layer.top.*field;
        if (x == layer.xBottom && i + 1 < layers_.size() && layers_[i + 1].xTop == x)
            return boundaryValue(layer.bottom.*field, layers_[i + 1].top.*field);
        return interpolate(layer.xTop, layer.top.*field, layer.xBottom, layer.bottom.*field, x);
    }
    beyondProfile(x, curveName, kStrengthStop, labels_);
}

double PyProfile::strength(double x) const { return property(x, &StrengthPoint::strength, kStrengthCurve); }
double PyProfile::friction(double x) const { return property(x, &StrengthPoint::friction, kPhiCurve); }
double PyProfile::e50(double x) const { return property(x, &StrengthPoint::e50, kStrengthCurve); }
double PyProfile::sixth(double x) const { return property(x, &StrengthPoint::sixth, kStrengthCurve); }

double PyProfile::averageUnitWeight(double x) const
{
    if (unitWeights_.empty() || x > unitWeights_.back().x)
        beyondProfile(x, kUnitWeightCurve, kUnitWeightStop, labels_);
    if (x < kShallowestAverage)
        return unitWeights_.front().unitWeight;
    return profileIntegral(unitWeights_, x, [](const UnitWeightPoint& p) { return p.unitWeight; }) / x;
}

double PyProfile::averageStrength(double x) const
{
    const std::vector<StrengthPoint>& points = strengths_;
    if (points.empty() || x > points.back().x)
        beyondProfile(x, kStrengthCurve, kStrengthStop, labels_);
    if (x < kShallowestAverage)
        return points.front().strength;
    return profileIntegral(points, x, [](const StrengthPoint& p) { return p.strength; }) / x;
}

double PyProfile::pMultiplier(double depth) const
{
    if (!modifications_.empty())
        return modificationFactor(modifications_, depth, &PyModification::pMultiplier);
    // Group reduction of closely spaced wall elements, between a continuous
    // wall and elements standing far enough apart to act alone.
    if (widthRatio_ >= 1.1f && widthRatio_ < 3.1f && depth >= freeHeight_)
        return 0.5292 * std::pow(widthRatio_, 0.5659);
    return 1.0;
}

double PyProfile::yMultiplier(double depth) const
{
    return modificationFactor(modifications_, depth, &PyModification::yMultiplier);
}

// ---------------------------------------------------------------------------
// Generation

PyGeneration::PyGeneration(const PyProfile& profile, double excavationStress, TextOutput& report)
    : profile_(profile), excavationStress_(excavationStress), report_(report), labels_(unitLabels(profile.units()))
{
}

double PyGeneration::sideDepth(CurveSide side, double x) const
{
    return side == CurveSide::Excavation ? x : profile_.freeHeight() + x;
}

double PyGeneration::resistanceAbove(int layer) const
{
    double sum = 0;
    for (int i = 0; i < layer; ++i)
        sum += accumulated_[static_cast<std::size_t>(i)];
    return sum;
}

void PyGeneration::accumulate(int layer, double amount) { accumulated_[static_cast<std::size_t>(layer)] += amount; }

void PyGeneration::addCurve(int layer, double x, const SideCurve& excavation, const SideCurve& backfill)
{
    const PyLayer& pyLayer = profile_.layers()[static_cast<std::size_t>(layer)];
    GeneratedPyCurve curve;
    curve.depth = profile_.freeHeight() + x;
    for (int i = 0; i < kPointsPerSide; ++i) {
        curve.excavation[i] = excavation.points[i];
        curve.backfill[i] = backfill.points[i];
        for (const CurvePoint& point : {curve.excavation[i], curve.backfill[i]})
            if (!std::isfinite(point.y) || !std::isfinite(point.p))
                stopForLayer(pyLayer, formatLine("(A, E12.4, A)", std::string("NO P-Y CURVE AT X ="), x,
                                                 labels_.length + " CAN BE BUILT FROM ITS DATA"));
    }
    printSide(CurveSide::Excavation, excavation);
    printSide(CurveSide::Backfill, backfill);
    curves_.push_back(curve);
}

void PyGeneration::printSide(CurveSide side, const SideCurve& curve)
{
    report_.line();
    report_.write("(10X, A)", std::string(side == CurveSide::Excavation ? "AT THE EXCAVATION SIDE" : "AT THE BACKFILL SIDE"));
    report_.line();
    for (const std::string& line : curve.heading)
        report_.line(line);
    for (int i = 0; i < kPointsPerSide; ++i) {
        report_.write("(5X, 2E16.4)", curve.points[i].y, curve.points[i].p);
        for (const std::string& line : curve.notes[i])
            report_.line(line);
    }
    report_.line();
    report_.write("(5X, ' P-Multiplier = ', F9.4, ' Y-Multiplier = ', F9.4)", curve.pMultiplier, curve.yMultiplier);
}

std::vector<std::string> PyGeneration::parameterHeading(const std::vector<ParameterColumn>& columns) const
{
    std::vector<std::pair<std::string, std::size_t>> titles;
    std::vector<std::pair<std::string, std::size_t>> units;
    std::string valueLayout = "(5X";
    std::vector<LayoutValue> values;
    for (const ParameterColumn& column : columns) {
        const std::size_t width = std::max<std::size_t>(12, column.title.size() + 2);
        titles.emplace_back(column.title, width);
        units.emplace_back(column.unit, width);
        valueLayout += ", E" + std::to_string(width) + ".4";
        values.emplace_back(column.value);
    }
    return {alignedCells(5, titles), alignedCells(5, units), trimmedLine(formatLayout(valueLayout + ")", values))};
}

std::vector<std::string> PyGeneration::pointHeads(bool withCommas) const
{
    const std::string comma = withCommas ? "," : "";
    return {"", alignedCells(5, {{"Y" + comma, 16}, {"P" + comma, 16}}),
            alignedCells(5, {{labels_.length, 16}, {forcePerLength(), 16}})};
}

std::string PyGeneration::forcePerLength() const { return labels_.force + "/" + labels_.lengthShort; }
std::string PyGeneration::stress() const { return forcePerLength() + "**2"; }
std::string PyGeneration::unitWeight() const { return forcePerLength() + "**3"; }

CurvePoint transformedPoint(CurveSide side, double y, double p, double pMultiplier, double yMultiplier, double p0)
{
    return {y * yMultiplier, side == CurveSide::Excavation ? pMultiplier * p - p0 : pMultiplier * p + p0};
}

std::string trimmedLine(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

double tableValue(std::span<const double> at, std::span<const double> values, double x)
{
    if (x <= at.front())
        return values.front();
    for (std::size_t i = 1; i < at.size(); ++i)
        if (x <= at[i])
            return interpolate(at[i - 1], values[i - 1], at[i], values[i], x);
    return values.back();
}

void stopForLayer(const PyLayer& layer, const std::string& what)
{
    stopRun("ERROR -- SOIL LAYER " + std::to_string(layer.inputLayer) + ": " + what);
}

// ---------------------------------------------------------------------------
// Driver

std::vector<GeneratedPyCurve> generatePyCurves(const CaseModel& model, const std::vector<UserPyCurve>& userCurves,
                                               const std::filesystem::path& curveFile, TextOutput& report)
{
    const PyProfile profile(model);
    if (profile.layers().empty() && userCurves.empty())
        stopRun("ERROR -- NO SOIL LAYER REACHES BELOW THE EXCAVATION LEVEL: NO P-Y CURVES CAN BE GENERATED");
    PyGeneration generation(profile, model.soil.excavationStress, report);
    printProfile(report, profile, generation);
    for (std::size_t i = 0; i < profile.layers().size(); ++i)
        generatorFor(profile.layers()[i].soilType)(generation, static_cast<int>(i));
    writeCurveFile(curveFile, userCurves, generation.curves());
    return generation.curves();
}

}  // namespace truvex
