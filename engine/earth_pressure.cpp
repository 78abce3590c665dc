// Earth-pressure generation from the soil layers.
//
// Method:
//   - active pressure by Rankine's theory with the cohesion term of Bell
//     (1915): sigma_h = sigma_v Ka - 2 c sqrt(Ka), Ka = tan^2(45 - phi/2);
//   - for a sloping backfill Rankine's active coefficient
//     Ka = cos b (cos b - sqrt(cos^2 b - cos^2 phi)) / (cos b + sqrt(...))
//     (W. J. M. Rankine, "On the stability of loose earth", Phil. Trans. Roy.
//     Soc. 147, 1857; in this form in B. M. Das, Principles of Geotechnical
//     Engineering, ch. "Lateral earth pressure");
//   - effective overburden below the backfill water table, with the water
//     pressure of drained layers added separately;
//   - point, line and strip surcharges by the Terzaghi-modified elastic
//     solutions of NAVFAC DM-7 (see surcharge.cpp);
//   - for anchored walls the apparent-pressure trapezoid of FHWA "Ground
//     Anchors and Anchored Systems" (Geotechnical Engineering Circular No. 4,
//     FHWA-IF-99-015, 1999): total load 1.3 times the active force, rising
//     over 2/3 of the depth to the upper anchor and falling over 2/3 of the
//     distance from the lower anchor to the excavation level.
//
// Departures from those sources kept on purpose: 57.2958 degrees per radian;
// the surcharge added to the layer resultants by ten slices per layer, the
// pressure points through the grid of surcharge.cpp; the points spaced one
// length unit apart (1 in, or 0.05 m in SI); the accumulated force of the
// trapezoid is the trapezoidal sum over those points; soil below the
// excavation level carries the overburden of the excavation level, constant
// with depth.
#include "earth_pressure.h"

#include "report.h"
#include "run_stop.h"
#include "surcharge.h"
#include "units.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iostream>
#include <string>

namespace truvex {
namespace {

constexpr double kDegreesPerRadian = 57.2958;
constexpr double kGivenCoefficient = 0.0000001;   // a larger optional coefficient replaces Ka
constexpr double kSurchargeMagnitude = 0.0001;    // smaller surcharges add nothing to the layer resultants
constexpr int kSurchargeSlices = 10;
constexpr double kSmallestPressure = 0.00001;     // smaller generated pressures are replaced ...
constexpr double kTinyPressureStep = 1.0E-12;     // ... by the point number times this
constexpr double kSurfaceStress = 0.000001;
constexpr double kApparentLoadFactor = 1.3;

enum SurchargeKind { kPointLoad = 1, kLineLoad = 2, kStripLoad = 3 };

bool isDrained(int soilType) { return soilType >= 4; }

// Rock layers hold other values in the sixth position.
bool hasOptionalCoefficient(int soilType) { return soilType <= 5; }

std::string number(double value)
{
    std::array<char, 32> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), result.ptr);
}

// The surcharge values in force for the layer resultants: the single
// surcharge of the soil data, then each table row in turn replaces them, so
// that only the last row counts.
struct LayerSurcharge {
    double distance = 0;
    double point = 0;
    double line = 0;
    double strip = 0;
    double width = 0;

    bool any() const
    {
        return point > kSurchargeMagnitude || line > kSurchargeMagnitude || strip > kSurchargeMagnitude;
    }
};

LayerSurcharge surchargeForResultants(const SoilData& soil)
{
    LayerSurcharge in{soil.singleSurcharge[0], soil.singleSurcharge[1], soil.singleSurcharge[2],
                      soil.singleSurcharge[3], soil.singleSurcharge[4]};
    for (const SurchargeRow& row : soil.surcharges) {
        switch (row.loadType) {
        case kPointLoad:
            in = {row.distance, row.magnitude, 0, 0, in.width};
            break;
        case kLineLoad:
            in = {row.distance, 0, row.magnitude, 0, in.width};
            break;
        case kStripLoad:
            in = {row.distance, 0, 0, row.magnitude, row.stripWidth};
            break;
        default:
            break;
        }
    }
    return in;
}

// Lateral pressure of the surcharges at depth z, evaluated at z itself.
double slicePressure(const LayerSurcharge& s, double freeHeight, double z)
{
    const double m = s.distance / freeHeight;
    const double n = z / freeHeight;
    const double m2 = m * m;
    const double n2 = n * n;
    double pressure = 0;
    if (s.point > kSurchargeMagnitude)
        pressure += m <= 0.4 ? 0.28 * s.point * n2 / (freeHeight * freeHeight * std::pow(0.16 + n2, 3))
                             : 1.77 * s.point * m2 * n2 / (freeHeight * freeHeight * std::pow(m2 + n2, 3));
    if (s.line > kSurchargeMagnitude)
        pressure += m <= 0.4 ? 0.203 * s.line * n / (freeHeight * std::pow(0.16 + n2, 2))
                             : 1.273 * s.line * m2 * n / (freeHeight * std::pow(m2 + n2, 2));
    if (s.strip > kSurchargeMagnitude) {
        const double halfWidth = s.width / (2 * freeHeight);
        const double a1 = std::atan((m + halfWidth) / n);
        const double a2 = std::atan((m - halfWidth) / n);
        const double beta = a1 - a2;
        const double twoAlpha = a1 + a2;
        pressure += 0.6366 * s.strip * (beta - std::sin(beta) * std::cos(twoAlpha));
    }
    return pressure;
}

class Generator {
public:
    Generator(CaseModel& model, TextOutput& report, TextOutput* notes);

    GeneratedEarthPressure run(const std::filesystem::path& pressureFile);

private:
    void echoWall();
    void echoSurcharges();
    void echoSoil();
    void checkProfile();
    void computeOverburden();
    void computeCoefficients();
    void computeActiveResultants();
    void computeWaterResultants();
    void checkNetActiveForce();
    void generatePoints();
    void applyTrapezoid();
    void writePressureFile(const std::filesystem::path& path);

    void banner(const std::string& title);
    void valueLine(const std::string& label, double value, const std::string& unit, const char* field = "F12.3");
    double gammaEffective(const WorkingLayer& layer) const;

    CaseModel& model_;
    const SoilData& soil_;
    TextOutput& report_;
    TextOutput* notes_;
    UnitLabels labels_;
    UnitSystem units_;
    double gammaW_;
    double freeHeight_;
    double waterDepth_;
    GeneratedEarthPressure result_;
    std::vector<PressurePoint> points_;
    std::size_t excavationPoints_ = 0;   // points down to the excavation level, the surface point included
};

Generator::Generator(CaseModel& model, TextOutput& report, TextOutput* notes)
    : model_(model), soil_(model.soil), report_(report), notes_(notes), labels_(unitLabels(model.control.units)),
      units_(model.control.units), gammaW_(model.control.units == UnitSystem::SI ? 9.81 : 0.036),
      freeHeight_(model.soil.freeHeight), waterDepth_(model.soil.waterDepthBackfill)
{
}

GeneratedEarthPressure Generator::run(const std::filesystem::path& pressureFile)
{
    if (soil_.layers.size() > static_cast<std::size_t>(kMaxSoilLayers))
        throw RunStop(kTooMuchData);
    for (std::size_t i = 0; i < soil_.layers.size(); ++i) {
        const int type = soil_.layers[i].soilType;
        if (type < 1 || type > 7)
            stopRun("ERROR -- SOIL LAYER " + std::to_string(i + 1) + ": SOIL TYPE " + std::to_string(type) +
                 " IS NOT ONE OF 1 TO 7");
    }
    result_.layers = splitLayers(soil_.layers, freeHeight_, waterDepth_);
    for (WorkingLayer& layer : result_.layers)
        layer.modification = soil_.activePressureFactor;
    result_.waterFlag = soil_.soilControlCode;

    echoWall();
    echoSurcharges();
    echoSoil();
    checkProfile();
    computeOverburden();
    computeCoefficients();
    computeActiveResultants();
    computeWaterResultants();
    checkNetActiveForce();
    generatePoints();
    applyTrapezoid();
    writePressureFile(pressureFile);
    return std::move(result_);
}

void Generator::banner(const std::string& title)
{
    constexpr std::size_t inside = 48;
    const std::size_t left = (inside - title.size()) / 2;
    writeBoxedTitle(report_, "*" + std::string(left, ' ') + title + std::string(inside - left - title.size(), ' ') + "*");
}

void Generator::valueLine(const std::string& label, double value, const std::string& unit, const char* field)
{
    report_.write(std::string("(6X, A45, '= ', ") + field + ", A)", label, value, unit);
}

double Generator::gammaEffective(const WorkingLayer& layer) const
{
    return layer.submerged && layer.drained ? layer.unitWeight - gammaW_ : layer.unitWeight;
}

void Generator::echoWall()
{
    const std::string& length = labels_.length;
    banner("WALL INFORMATION");
    report_.line();
    valueLine("FREE HEIGHT OF WALL", freeHeight_, length);
    valueLine("WIDTH FOR EARTH PRESSURE, WA", soil_.activeWidth, length);
    valueLine("WIDTH FOR SOIL RESISTANCE, WP", soil_.resistanceWidth, length);
    valueLine("DEPTH TO THE WATER TABLE AT BACKFILL", waterDepth_, length);
    valueLine("DEPTH TO THE WATER TABLE AT EXCAVATION", soil_.waterDepthExcavation, length);
    valueLine("UNIT WEIGHT OF WATER", gammaW_, labels_.force + "/" + labels_.lengthShort + "**3", "F12.4");
    valueLine("SLOPE OF THE BACKFILL (deg.)", soil_.backfillSlope, "");
    valueLine("MODIFICATION FOR ACTIVE EARTH PRESSURE", soil_.activePressureFactor, "");
}

void Generator::echoSurcharges()
{
    const std::string& length = labels_.length;
    const std::string pressure = labels_.force + "/" + labels_.lengthShort + "**2";
    banner("SURCHARGE INFORMATION");
    report_.line();
    valueLine("UNIFORM SURFACE PRESSURE", soil_.uniformSurcharge, pressure);
    for (std::size_t i = 0; i < soil_.surcharges.size(); ++i) {
        const SurchargeRow& row = soil_.surcharges[i];
        report_.line();
        report_.write("(6X, 'SURCHARGE LOADING NO.', I3)", static_cast<int>(i + 1));
        switch (row.loadType) {
        case kPointLoad:
            valueLine("   POINT LOAD", row.magnitude, labels_.force);
            break;
        case kLineLoad:
            valueLine("   LINE LOAD", row.magnitude, labels_.force + "/" + labels_.lengthShort);
            break;
        case kStripLoad:
            valueLine("   STRIP LOAD", row.magnitude, pressure);
            valueLine("   WIDTH OF THE STRIP LOAD", row.stripWidth, length);
            break;
        default:
            report_.write("(9X, 'LOAD TYPE', I3, ' IS NOT 1, 2 OR 3: THE ROW ADDS NO PRESSURE')", row.loadType);
            continue;
        }
        report_.line("         HORIZONTAL DISTANCE BETWEEN");
        valueLine(row.loadType == kStripLoad ? "   WALL AND MIDDLE OF STRIP WIDTH" : "   THE WALL AND SURCHARGE",
                  row.distance, length);
    }
}

void Generator::echoSoil()
{
    banner("SOIL INFORMATION");
    if (units_ == UnitSystem::Other)
        return;
    const bool english = units_ == UnitSystem::English;
    // English depths and thicknesses are shown in feet.
    const double lengthScale = english ? 1.0 / 12.0 : 1.0;
    report_.line();
    report_.line("               TOTAL   COHESION/       TOTAL UNIT");
    report_.line("      LAYER  THICKNESS STRENGTH    PHI   WEIGHT   DRAINED  ZTOP");
    if (english)
        report_.line(unitLine({{22, "FT"}, {31, "PSI"}, {38, "DEG"}, {47, "PCI"}, {57, "T OR F"}, {63, "FT"}}));
    else
        report_.line(unitLine({{22, " M"}, {31, "kPa"}, {38, "DEG"}, {47, "kN/M^3"}, {57, "T OR F"}, {63, " M"}}));
    for (std::size_t i = 0; i < result_.layers.size(); ++i) {
        const WorkingLayer& layer = result_.layers[i];
        report_.write("(6X, I5, F11.3, F9.3, F7.2, F9.4, 6X, A1, F9.3)", static_cast<int>(i + 1),
                      layer.thickness * lengthScale, layer.cohesion, layer.phi, layer.unitWeight,
                      std::string(layer.drained ? "T" : "F"), layer.ztop * lengthScale);
    }
}

// The excavation level must start a layer; checked after the echo so that
// the report shows the layers.
void Generator::checkProfile()
{
    auto& layers = result_.layers;
    const auto excavation = std::find_if(layers.begin(), layers.end(), [this](const WorkingLayer& layer) {
        return std::abs(layer.ztop - freeHeight_) < kDepthTolerance;
    });
    if (excavation == layers.end())
        stopRun("ERROR STOP 1 -- NO SOIL LAYER STARTS AT THE EXCAVATION LEVEL: THE SOIL LAYERS MUST REACH BELOW "
             "THE FREE HEIGHT OF WALL",
             true);
    result_.excavationLayer = static_cast<int>(excavation - layers.begin());
    const auto water = std::find_if(layers.begin(), layers.end(), [this](const WorkingLayer& layer) {
        return std::abs(layer.ztop - waterDepth_) < kDepthTolerance;
    });
    result_.waterLayer = water == layers.end() ? -1 : static_cast<int>(water - layers.begin());
    // The surcharge solutions are written in terms of depth over free height.
    if (!soil_.surcharges.empty() && !(freeHeight_ > 0))
        stopRun("ERROR -- SURCHARGE LOADS NEED A FREE HEIGHT OF WALL GREATER THAN ZERO");
}

void Generator::computeOverburden()
{
    auto& layers = result_.layers;
    for (std::size_t i = 0; i < layers.size(); ++i) {
        WorkingLayer& layer = layers[i];
        layer.submerged = layer.ztop >= waterDepth_ - kDepthTolerance;
        layer.sigmaV = i == 0 ? soil_.uniformSurcharge
                              : layers[i - 1].sigmaV + layers[i - 1].thickness * layers[i - 1].unitWeight;
    }
    // The total stresses are summed first; the pore pressure comes off each
    // submerged layer's own value.
    for (WorkingLayer& layer : layers)
        if (layer.submerged)
            layer.sigmaV -= (layer.ztop - waterDepth_) * gammaW_;

    banner("EFFECTIVE OVERBURDEN STRESS");
    report_.line();
    report_.line("          DEPTH                     STRESS");
    report_.line(unitLine({{15, labels_.length}, {42, labels_.force + "/" + labels_.lengthShort + "**2"}}));
    for (const WorkingLayer& layer : layers)
        report_.write("(F15.3, F27.4)", layer.ztop, layer.sigmaV);

    model_.soil.excavationStress = layers[static_cast<std::size_t>(result_.excavationLayer)].sigmaV;

    // A given coefficient in clay works on the total stress.
    for (WorkingLayer& layer : layers)
        if (layer.kopt > kGivenCoefficient && !layer.drained && layer.submerged)
            layer.sigmaV += (layer.ztop - waterDepth_) * gammaW_;
}

void Generator::computeCoefficients()
{
    const double slope = soil_.backfillSlope;
    banner("ACTIVE AND PASSIVE EARTH PRESSURE COEFFICIENT");
    report_.line();
    report_.line("      LAYER   ACTIVE EARTH   PASSIVE EARTH   OPTIONAL EARTH");
    report_.line("              COEFFICIENT     COEFFICIENT      COEFFICIENT");
    for (std::size_t i = 0; i < result_.layers.size(); ++i) {
        WorkingLayer& layer = result_.layers[i];
        layer.ka = activeCoefficient(layer.phi, slope);
        layer.sqrtKa = std::sqrt(layer.ka);
        if (std::abs(slope) > 0 && std::abs(slope) >= layer.phi && layer.ztop < freeHeight_ - kDepthTolerance) {
            for (TextOutput* out : {&report_, notes_}) {
                if (!out)
                    continue;
                out->line("     **** WARNING ******");
                out->line("     THE BACKFILL SLOPE ANGLE SHOULD BE LESS THAN THE 'INTERNAL FRICTION ANGLE OF SAND.");
            }
        }
        layer.sqrtKp = std::tan((45 + layer.phi / 2) / kDegreesPerRadian);
        layer.kp = layer.sqrtKp * layer.sqrtKp;
        report_.write("(6X, I5, F15.4, F16.4, F17.4)", static_cast<int>(i + 1), layer.ka, layer.kp, layer.kopt);
        if (layer.kopt > kGivenCoefficient) {
            layer.ka = layer.kopt;
            layer.sqrtKa = 0;
        }
    }
}

void Generator::computeActiveResultants()
{
    auto& layers = result_.layers;
    const LayerSurcharge surcharge = surchargeForResultants(soil_);
    const std::string perLength = labels_.forceShort + "/" + labels_.lengthShort;
    const std::string& length = labels_.length;
    banner("ACTIVE EARTH PRESSURE OF EACH LAYER");
    report_.line();
    report_.line(" LAYER    PA1     Z1       PA2     Z2         PA3     Z3        PA4");
    report_.line(unitLine({{5, "  NO"},
                          {15, perLength},
                          {23, length},
                          {33, perLength},
                          {41, length},
                          {51, perLength},
                          {59, length},
                          {69, perLength}}));
    for (int i = 0; i < result_.excavationLayer; ++i) {
        WorkingLayer& layer = layers[static_cast<std::size_t>(i)];
        const WorkingLayer& next = layers[static_cast<std::size_t>(i) + 1];
        const double t = layer.thickness;
        const double m = layer.modification;
        layer.pa1 = layer.sigmaV * layer.ka * t * m;
        if (surcharge.any()) {
            const double slice = t / kSurchargeSlices;
            for (int k = 1; k <= kSurchargeSlices; ++k)
                layer.pa1 += slice * slicePressure(surcharge, freeHeight_, layer.ztop + k * slice);
        }
        layer.pa2 = 0.5 * gammaEffective(layer) * t * t * layer.ka * m;
        layer.pa3 = -2 * layer.cohesion * layer.sqrtKa * t * m;
        layer.z1 = layer.ztop + t / 2;
        layer.z2 = layer.ztop + 2 * t / 3;
        if (layer.pa1 + layer.pa3 < 0) {
            // The cohesion holds the upper part of the layer: only the
            // triangle below the tension crack pushes on the wall.
            layer.pa1 = layer.pa2 = layer.pa3 = 0;
            const double cohesionTerm = 2 * layer.cohesion * layer.sqrtKa;
            const double top = cohesionTerm - layer.sigmaV * layer.ka;
            const double bottom = next.sigmaV * layer.ka - cohesionTerm;
            if (bottom > 0 && bottom + top > 0) {
                layer.zc = bottom * t / (bottom + top);
                layer.pa4 = m * layer.zc * bottom / 2;
                layer.z3 = next.ztop - layer.zc / 3;
            }
        }
        report_.write("(1X, I4, 3(E10.3, F8.2), E10.3)", i + 1, layer.pa1, layer.z1, layer.pa2, layer.z2, layer.pa3,
                      layer.z3, layer.pa4);
    }
}

void Generator::computeWaterResultants()
{
    const int water = result_.waterLayer;
    if (water >= result_.excavationLayer)
        return;
    const std::string perLength = labels_.forceShort + "/" + labels_.lengthShort;
    banner("ACTIVE WATER PRESSURE OF EACH LAYER");
    report_.line();
    report_.line(" LAYER    PW1     Z1       PW2     Z2");
    report_.line(unitLine({{5, "  NO"}, {15, perLength}, {23, labels_.length}, {33, perLength}, {41, labels_.length}}));
    result_.waterFlag = 1;
    for (int i = std::max(water, 0); i < result_.excavationLayer; ++i) {
        WorkingLayer& layer = result_.layers[static_cast<std::size_t>(i)];
        if (!layer.drained || layer.ztop < waterDepth_ - kDepthTolerance)
            continue;
        const double t = layer.thickness;
        layer.pw1 = (layer.ztop - waterDepth_) * gammaW_ * t;
        layer.pw2 = 0.5 * gammaW_ * t * t;
        report_.write("(1X, I4, 2(E10.3, F8.2))", i + 1, layer.pw1, layer.z1, layer.pw2, layer.z2);
    }
}

void Generator::checkNetActiveForce()
{
    double force = 0;
    for (int i = 0; i < result_.excavationLayer; ++i) {
        const WorkingLayer& layer = result_.layers[static_cast<std::size_t>(i)];
        force += layer.pa1 + layer.pa2 + layer.pa3 + layer.pa4 + layer.pw1 + layer.pw2;
    }
    result_.netActiveForce = force;
    if (force < kDepthTolerance) {
        report_.line();
        report_.line("     Net active pressure is negative.");
        std::cerr << "Net active pressure is negative.\n";
    }
}

// The pressure at closely spaced points down the wall. The file holds the
// points down to the wall tip: the count is that of the points of every
// layer but the last, and of the last layer down to the wall tip. A last
// layer that ends above the wall tip is carried on down to it with its own
// spacing, so that the file always holds the records it counts.
void Generator::generatePoints()
{
    const auto& layers = result_.layers;
    const std::size_t excavation = static_cast<std::size_t>(result_.excavationLayer);
    const double pointsPerLength = units_ == UnitSystem::SI ? 20.0 : 1.0;
    const double wallLength = model_.control.n * model_.control.h;
    const double dwe = soil_.waterDepthExcavation;

    long count = 1;
    long excavationPoints = 1;
    for (std::size_t i = 0; i + 1 < layers.size(); ++i)
        count += nearestInteger(layers[i].thickness * pointsPerLength);
    for (std::size_t i = 0; i < excavation; ++i)
        excavationPoints += nearestInteger(layers[i].thickness * pointsPerLength);
    const long lastLayerPoints = nearestInteger((wallLength - layers.back().ztop) * pointsPerLength);
    count = std::max(1L, count + lastLayerPoints);
    if (count > kMaxPressurePoints || excavationPoints > kMaxPressurePoints)
        throw RunStop(kTooMuchData);
    result_.count = static_cast<int>(count);
    excavationPoints_ = static_cast<std::size_t>(excavationPoints);

    const WorkingLayer& first = layers.front();
    const double surfaceStress = first.sigmaV;
    const double surfacePressure = surfaceStress > 0 ? surfaceStress * first.ka * first.modification : 0.0;
    points_.push_back({0.0, surfacePressure, 0.0, surfacePressure});

    const double sigmaAtExcavation = layers[excavation].sigmaV;
    double previousTotal = 0;
    double excavationWater = 0;
    double force = 0;
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const WorkingLayer& layer = layers[i];
        const bool above = i < excavation;
        const bool last = i + 1 == layers.size();
        const double t = layer.thickness;
        const double m = layer.modification;
        const double cohesionTerm = 2 * layer.cohesion * layer.sqrtKa;
        const double waterGradient =
            layer.submerged && layer.drained && result_.waterFlag == 1 ? gammaW_ : 0.0;
        const double slope = above ? 0.5 * gammaEffective(layer) * layer.ka * m + 0.5 * waterGradient : 0.0;
        const double stressAtTop = above ? layer.sigmaV : sigmaAtExcavation;
        const double atTop = (stressAtTop * layer.ka - cohesionTerm) * m + (layer.ztop - waterDepth_) * waterGradient * m;
        double surfaceTerm = (surfaceStress * layer.ka - cohesionTerm) * m;
        if (surfaceStress < kSurfaceStress || surfaceTerm < 0)
            surfaceTerm = 0;

        const double bottom = last ? layer.zbottom() : layers[i + 1].ztop;   // exactly the key depth of a split
        const long steps = nearestInteger(t * pointsPerLength);
        const double spacing = steps > 0 ? t / static_cast<double>(steps) : 1.0 / pointsPerLength;
        const long pointsHere = last ? std::max(0L, lastLayerPoints) : steps;
        for (long k = 1; k <= pointsHere; ++k) {
            if (!above && points_.size() >= static_cast<std::size_t>(count))
                break;
            const double local = k == steps ? t : static_cast<double>(k) * spacing;
            const double z = k == steps ? bottom : layer.ztop + local;
            const double pointNumber = static_cast<double>(points_.size() + 1);

            const double p = 2 * slope * local + atTop;
            const double surchargePart =
                soil_.surcharges.empty() ? 0.0
                                         : m * surchargePressure(soil_.surcharges, freeHeight_, wallLength, z);
            PressurePoint point{z, p + surchargePart, p, surchargePart};

            // Water standing on the excavation side.
            if (z > dwe && z < freeHeight_)
                excavationWater = (z - dwe) * gammaW_;
            if (z > freeHeight_)
                excavationWater = z > dwe ? (waterDepth_ - dwe) * gammaW_ : 0.0;
            if (layer.submerged) {
                point.total -= excavationWater * m;
                point.soil -= excavationWater * m;
            }
            if (point.total < kSmallestPressure)
                point.total = pointNumber * kTinyPressureStep;
            if (point.soil < kSmallestPressure)
                point.soil = pointNumber * kTinyPressureStep;
            if (above) {
                force += 0.5 * (previousTotal + point.total) / pointsPerLength;
                previousTotal = point.total;
            }
            // The pressure from the uniform surface load counts as surcharge.
            point.surcharge += surfaceTerm;
            point.soil -= surfaceTerm;
            if (point.soil < 0)
                point.soil = pointNumber * kTinyPressureStep;
            points_.push_back(point);
        }
    }
    result_.accumulatedActiveForce = force;
}

void Generator::applyTrapezoid()
{
    if (model_.control.koutpt != 3)
        return;
    const AnchorLevels& anchors = model_.anchors;
    if (anchors.singleStationRows == 0) {
        report_.line();
        report_.line("     NO ANCHOR LEVEL FOR THE TRAPEZOIDAL EARTH PRESSURE (NO LOAD, SPRING OR TIEBACK ROW");
        report_.line("     AT A SINGLE STATION): THE TRIANGULAR DISTRIBUTION IS USED INSTEAD");
        return;
    }
    // Rows may come in any order of depth.
    const double upper = std::min(anchors.firstDepth, anchors.lastDepth);
    const double lower = std::max(anchors.firstDepth, anchors.lastDepth);
    const double h = freeHeight_;
    if (!(lower < h)) {
        report_.line();
        report_.line("     AN ANCHOR LEVEL OF THE TRAPEZOIDAL EARTH PRESSURE LIES AT OR BELOW THE EXCAVATION LEVEL:");
        report_.line("     THE TRIANGULAR DISTRIBUTION IS USED INSTEAD");
        return;
    }
    // One anchor level is the case upper == lower of the same formulas.
    const double rise = 2 * upper / 3;
    const double fall = 2 * (h - lower) / 3;
    const double flat = h - rise - fall;
    const double peak = kApparentLoadFactor * result_.accumulatedActiveForce / (h - (rise + fall) / 2);
    auto pressureAt = [&](double z) {
        if (z < rise)
            return peak * z / rise;
        if (z <= rise + flat)
            return peak;
        return std::max(0.0, peak - (z - rise - flat) * peak / fall);
    };
    const std::size_t replaced = std::min(excavationPoints_, points_.size());
    for (std::size_t j = 1; j < replaced; ++j)
        points_[j].total = pressureAt(points_[j].depth);
    result_.trapezoidal = true;
}

void Generator::writePressureFile(const std::filesystem::path& path)
{
    auto& records = result_.records;
    records.clear();
    const std::size_t count = static_cast<std::size_t>(result_.count);
    if (result_.trapezoidal) {
        // The points down to the excavation level, then the points from the
        // excavation level on: the excavation point twice, as the reader
        // expects of a trapezoidal diagram.
        const std::size_t excavation = std::min(excavationPoints_, points_.size());
        records.assign(points_.begin(), points_.begin() + static_cast<std::ptrdiff_t>(excavation));
        const std::size_t end = std::max(excavation, std::min(count, points_.size()));
        records.insert(records.end(), points_.begin() + static_cast<std::ptrdiff_t>(excavation - 1),
                       points_.begin() + static_cast<std::ptrdiff_t>(end));
    } else {
        records.assign(points_.begin(), points_.begin() + static_cast<std::ptrdiff_t>(std::min(count, points_.size())));
    }

    std::ofstream file(path, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!file)
        stopRun("ERROR -- CANNOT WRITE THE PRESSURE FILE " + path.string());
    file << ' ' << result_.count << '\n';
    for (const PressurePoint& record : records)
        file << ' ' << number(record.depth) << ' ' << number(record.total) << ' ' << number(record.soil) << ' '
             << number(record.surcharge) << '\n';
    if (!file)
        stopRun("ERROR -- CANNOT WRITE THE PRESSURE FILE " + path.string());
}

}  // namespace

std::vector<WorkingLayer> splitLayers(const std::vector<SoilLayer>& layers, double freeHeight, double waterDepth)
{
    // Key depths below the top of the wall, in order, close ones merged.
    std::vector<double> keys;
    for (double key : {std::min(freeHeight, waterDepth), std::max(freeHeight, waterDepth)})
        if (key > kDepthTolerance && (keys.empty() || key - keys.back() >= kDepthTolerance))
            keys.push_back(key);

    std::vector<WorkingLayer> table;
    auto add = [&table](const WorkingLayer& layer) {
        if (table.size() == static_cast<std::size_t>(kMaxWorkingLayers))
            stopRun("ERROR STOP 2 -- MORE THAN " + std::to_string(kMaxWorkingLayers) +
                     " SOIL LAYERS AFTER SPLITTING AT THE EXCAVATION LEVEL AND AT THE WATER TABLE",
                 true);
        table.push_back(layer);
    };
    std::size_t nextKey = 0;
    double top = 0;
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const SoilLayer& input = layers[i];
        const double bottom = input.depthBottom;
        if (!(bottom > top))
            stopRun("ERROR -- SOIL LAYER " + std::to_string(i + 1) + ": THE DEPTH AT ITS BOTTOM MUST BE GREATER THAN " +
                 (i == 0 ? std::string("ZERO") : "THAT OF THE LAYER ABOVE"));

        WorkingLayer layer;
        const auto& values = input.parameters[0];
        layer.unitWeight = values[0];
        layer.cohesion = values[1];
        layer.phi = values[2];
        layer.kopt = hasOptionalCoefficient(input.soilType) ? values[5] : 0.0;
        layer.drained = isDrained(input.soilType);

        // Keys at the top of this layer (a boundary already) need no split.
        while (nextKey < keys.size() && keys[nextKey] <= top + kDepthTolerance)
            ++nextKey;
        double partTop = top;
        while (nextKey < keys.size() && keys[nextKey] < bottom - kDepthTolerance) {
            layer.ztop = partTop;
            layer.thickness = keys[nextKey] - partTop;
            add(layer);
            partTop = keys[nextKey++];
        }
        layer.ztop = partTop;
        layer.thickness = bottom - partTop;
        add(layer);
        top = bottom;
    }
    return table;
}

double activeCoefficient(double phiDegrees, double slopeDegrees)
{
    const double root = std::tan((45 - phiDegrees / 2) / kDegreesPerRadian);
    const double level = root * root;
    const double slope = std::abs(slopeDegrees);
    if (!(slope > 0) || slope >= phiDegrees)
        return level;
    const double cb = std::cos(slope / kDegreesPerRadian);
    const double cp = std::cos(phiDegrees / kDegreesPerRadian);
    const double r = std::sqrt(cb * cb - cp * cp);
    return cb * (cb - r) / (cb + r);
}

GeneratedEarthPressure generateEarthPressure(CaseModel& model, TextOutput& report, TextOutput* notes,
                                             const std::filesystem::path& pressureFile)
{
    return Generator(model, report, notes).run(pressureFile);
}

}  // namespace truvex
