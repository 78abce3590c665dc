// The model of one case as the engine analyses it: control values, the
// station tables of the beam-column, the specified-value list, the curve
// tables and the soil data handed to the generation modules.
//
// Every value is held in the case's working units: inches and pounds for
// English projects, metres and kilonewtons for SI projects, the user's own
// units otherwise.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace truvex {

// Storage limits. Each is checked before a table is written; going past one
// ends the run with "TOO MUCH DATA FOR AVAILABLE STORAGE".
inline constexpr int kStationCapacity = 414;      // stations -3 .. n+3
inline constexpr int kFirstStation = -3;
inline constexpr int kMaxSpecifiedValues = 20;
inline constexpr int kMaxPressurePoints = 2000;
inline constexpr int kMaxPyCurves = 400;
inline constexpr int kMaxCurvePoints = 34;
inline constexpr int kMaxMomentEiPoints = 100;

enum class UnitSystem { English = 1, SI = 2, Other = 3 };

// The nearest integer, halves away from zero, as stations and point counts
// are rounded. Held inside the int range, so that an absurd input value ends
// in a station or count the checks reject rather than in an overflow.
inline int nearestInteger(double value)
{
    return static_cast<int>(std::lround(std::clamp(value, -1.0e9, 1.0e9)));
}

// Unit system from the control record's code: 1 and 2 as given, any other
// code analyses in the user's own units.
UnitSystem unitSystemFromCode(int code);

// One value per station from -3 to n+3, indexed by station number.
class StationTable {
public:
    double& operator[](int station) { return values_[index(station)]; }
    double operator[](int station) const { return values_[index(station)]; }
    void clear() { values_.fill(0.0); }

private:
    static std::size_t index(int station) { return static_cast<std::size_t>(station - kFirstStation); }
    std::array<double, kStationCapacity> values_{};
};

// Special-condition codes of the recursion, one per station.
enum SpecialCode : int {
    kPlainStation = 1,
    kDeflectionHere = 2,
    kSlopeAtNext = 3,
    kDeflectionAndSlopeHere = 4,
    kSlopeAtPrevious = 5,
};

struct Control {
    int unitsCode = 1;
    UnitSystem units = UnitSystem::English;
    int nds = 0;        // specified deflection and slope rows
    int nstiff = 0;     // stiffness rows
    int npymod = 0;     // p-y modification rows
    int koutpt = 0;     // earth pressure: 0 none, 1 user table, 2 triangular, 3 trapezoidal
    int kpyop = 0;      // p-y curves: 0 none, 1 user curves, 2 generated
    int npyc = 0;       // user p-y curves
    int nstages = 1;
    int nmei = 0;       // moment-EI ranges
    int ntie = 0;       // tiebacks

    int n = 0;          // increments; stations 0..n lie on the wall
    double h = 0;       // increment length
    double maxDeflection = 0;
    double closureTolerance = 0;
    double freeHeight = 0;
    double activeWidth = 0;
};

struct SpecifiedValue {
    double deflection = 0;
    double slope = 0;
};

struct Tieback {
    int station = 0;
    double depth = 0;
    double area = 0;
    double modulus = 0;
    double unbondedLength = 0;
    double angle = 0;        // degrees
    double spacing = 0;
    double prestress = 0;
    double spring = 0;       // added to S at the station
    double load = 0;         // added to Q at the station
    double cosAngle = 1;     // cos of the angle with the engine's 3.1416
};

// A concentrated couple, kept for the shear correction of the results.
struct Couple {
    int station = 0;
    double perDoubleIncrement = 0;   // couple / 2h
};

struct PressurePoint {
    double depth = 0;
    double total = 0;       // load per unit length of wall
    double soil = 0;
    double surcharge = 0;
};

struct CurvePoint {
    double y = 0;
    double p = 0;
};

struct PyCurve {
    int startStation = 0;
    int endStation = 0;
    int continued = 0;              // 1: interpolated towards the next curve
    std::vector<CurvePoint> points; // P already times h and the multipliers
};

struct MomentEiPoint {
    double moment = 0;
    double ei = 0;
};

struct MomentEiRange {
    int firstStation = 0;
    int lastStation = 0;
    std::vector<MomentEiPoint> points;
};

struct PyModification {
    double depth = 0;
    double pMultiplier = 1;
    double yMultiplier = 1;
};

// Record 11a to 11d: wall, water, surcharge and soil layers for the
// generation modules.
struct SurchargeRow {
    int loadType = 0;        // 1 point, 2 line, 3 strip
    double magnitude = 0;
    double distance = 0;
    double stripWidth = 0;
};

struct SoilLayer {
    int soilType = 0;        // 1 soft clay .. 7 weak rock
    double depthBottom = 0;
    double thickness = 0;
    std::array<std::array<double, 6>, 2> parameters{};   // top row, bottom row
};

struct SoilData {
    bool present = false;
    double freeHeight = 0;
    double activeWidth = 0;
    double resistanceWidth = 0;
    double waterDepthBackfill = 0;
    double waterDepthExcavation = 0;
    double activePressureFactor = 0;
    int soilControlCode = 0;
    double backfillSlope = 0;
    double uniformSurcharge = 0;
    std::array<double, 5> singleSurcharge{};   // distance, point, line, strip, width
    std::vector<SurchargeRow> surcharges;
    std::vector<SoilLayer> layers;

    // Effective vertical stress at the excavation level, left by the
    // earth-pressure generation for the p-y curve generators.
    double excavationStress = 0;
};

// Anchor levels for the trapezoidal pressure diagram: the depths (station
// times h) of the first and the last single-station row among the rows of
// the load, spring and tieback tables.
struct AnchorLevels {
    int singleStationRows = 0;
    double firstDepth = 0;
    double lastDepth = 0;
};

struct CaseModel {
    Control control;

    StationTable ei, q, s, t, r, p;
    std::array<int, kStationCapacity> specialCode{};   // by station - kFirstStation
    std::vector<SpecifiedValue> specified;

    std::vector<Tieback> tiebacks;
    std::vector<Couple> couples;
    std::vector<PyModification> pyModifications;
    std::vector<PressurePoint> pressure;
    std::vector<PyCurve> curves;
    std::vector<MomentEiRange> momentEi;
    SoilData soil;
    AnchorLevels anchors;

    int& specialCodeAt(int station) { return specialCode[static_cast<std::size_t>(station - kFirstStation)]; }
    int specialCodeAt(int station) const { return specialCode[static_cast<std::size_t>(station - kFirstStation)]; }
};

}  // namespace truvex
