#include "model_input.h"

#include "earth_pressure.h"
#include "py_profile.h"
#include "report.h"
#include "run_stop.h"
#include "station_distribution.h"
#include "surcharge.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

namespace truvex {
namespace {

// The engine's angle conversion uses 3.1416, not pi to full precision.
constexpr double kEnginePi = 3.1416;

void checkStorage(long long count, long long capacity)
{
    if (count > capacity)
        throw RunStop(kTooMuchData);
}

// A count that is not negative, as every count and code of the file must be.
int checkedCount(int value, const FreeFormatReader& in)
{
    if (value < 0)
        stopRun("ERROR -- NEGATIVE COUNT " + std::to_string(value) + " ON LINE " + std::to_string(in.lineNumber()) +
             " OF THE PROJECT FILE");
    return value;
}

void checkInterpolateCode(int code, const FreeFormatReader& in)
{
    if (code != 1 && code != 2)
        stopRun("ERROR -- INTERPOLATION CODE " + std::to_string(code) + " ON LINE " + std::to_string(in.lineNumber()) +
             " OF THE PROJECT FILE MUST BE 1 OR 2");
}

void writeLabelLine(TextOutput& report, const char* label, int value, const char* layoutOfValue)
{
    report.write(std::string("(6X, A, 1X, ") + layoutOfValue + ")", std::string(label), value);
}

void writeLabelLine(TextOutput& report, const char* label, double value, const char* layoutOfValue,
                    const std::string& unit)
{
    report.write(std::string("(6X, A, 1X, ") + layoutOfValue + ", A)", std::string(label), value, unit);
}

}  // namespace

void readControl(FreeFormatReader& in, Control& control)
{
    in.read(control.unitsCode, control.nds, control.nstiff, control.npymod, control.koutpt, control.kpyop,
            control.npyc, control.nstages, control.nmei, control.ntie);
    for (int value : {control.nds, control.nstiff, control.npymod, control.koutpt, control.kpyop, control.npyc,
                      control.nstages, control.nmei, control.ntie})
        checkedCount(value, in);
    control.units = unitSystemFromCode(control.unitsCode);
}

CaseReader::CaseReader(FreeFormatReader& in, TextOutput& report, TextOutput& plot, CaseModel& model,
                       std::filesystem::path workDir, TextOutput* notes)
    : in_(in), report_(report), plot_(plot), model_(model), control_(model.control),
      labels_(unitLabels(model.control.units)), workDir_(std::move(workDir)), notes_(notes)
{
}

void CaseReader::readRest()
{
    model_.specialCode.fill(kPlainStation);
    echoControl();
    readIncrements();
    readRestraints();
    readStationTables();
    readPyModifications();
    readEarthPressure();
    if (control_.koutpt > 0 || control_.kpyop == 2)
        checkDataBeyondEnd();
    readPyCurves();
    readMomentEi();
}

int CaseReader::readCount()
{
    int count = 0;
    in_.read(count);
    return checkedCount(count, in_);
}

void CaseReader::checkStation(int station) const
{
    if (station < 0 || station > control_.n + 3)
        stopRun("ERROR -- STATION " + std::to_string(station) + " ON LINE " + std::to_string(in_.lineNumber()) +
             " OF THE PROJECT FILE IS OUTSIDE THE WALL (STATIONS 0 TO " + std::to_string(control_.n) + ")");
}

void CaseReader::echoControl()
{
    report_.blankLines(2);
    report_.write("(6X, 50('*'))");
    report_.write("(6X, '*        PROGRAM CONTROL PARAMETERS              *')");
    report_.write("(6X, 50('*'))");
    report_.line();
    writeLabelLine(report_, "NO OF POINTS FOR SPECIFIED DEFLECTIONS AND SLOPES  =", control_.nds, "I2");
    writeLabelLine(report_, "NO OF POINTS FOR WALL STIFFNESS AND LOAD DATA      =", control_.nstiff, "I2");
    writeLabelLine(report_, "GENERATE EARTH PRESSURE INTERNALLY                 =", control_.koutpt > 1 ? 1 : 0, "I2");
    writeLabelLine(report_, "GENERATE SOIL RESISTANCE (P-Y) CURVES INTERNALLY   =", control_.kpyop == 2 ? 1 : 0, "I2");
    writeLabelLine(report_, "NO OF P-Y MODIFICATION FACTORS FOR GEN. P-Y CURVES =", control_.npymod, "I2");
    writeLabelLine(report_, "NO OF USER-SPECIFIED SOIL RESISTANCE (P-Y) CURVES  =", control_.npyc, "I2");
}

void CaseReader::readIncrements()
{
    in_.read(control_.n, control_.h, control_.maxDeflection, control_.closureTolerance, control_.freeHeight,
             control_.activeWidth);
    checkedCount(control_.n, in_);
    checkStorage(control_.n + 7LL, kStationCapacity);
    if (control_.n < 1)
        stopRun("ERROR -- THE WALL NEEDS AT LEAST ONE INCREMENT");
    if (!(control_.h > 0))
        stopRun("ERROR -- THE INCREMENT LENGTH MUST BE GREATER THAN ZERO");

    report_.line();
    writeLabelLine(report_, "NUMBER OF INCREMENTS                               =", control_.n, "I3");
    writeLabelLine(report_, "INCREMENT LENGTH                                   =", control_.h, "F9.3", labels_.length);
    writeLabelLine(report_, "FREE HEIGHT OF WALL                                =", control_.freeHeight, "F9.3",
                   labels_.length);
    writeLabelLine(report_, "MAXIMUM ALLOWABLE DEFLECTION                       =", control_.maxDeflection, "F9.3",
                   labels_.length);
    writeLabelLine(report_, "DEFLECTION CLOSURE TOLERANCE                       =", control_.closureTolerance,
                   "1P, E9.3", labels_.length);
}

void CaseReader::readRestraints()
{
    if (control_.nds == 0) {
        report_.line();
        report_.line(std::string(20, ' '));
        return;
    }
    checkStorage(control_.nds, kMaxSpecifiedValues);
    writeBoxedTitle(report_, "*        SPECIFIED DEFLECTIONS AND SLOPES        *");
    report_.line();
    report_.write("(5X, '     STA      CASE       DEFLECTION        SLOPE')");
    report_.line();

    int previousNode = 0;
    for (int row = 0; row < control_.nds; ++row) {
        int rowCase = 0;
        int node = 0;
        SpecifiedValue value;
        in_.read(rowCase, node, value.deflection, value.slope);
        if (row > 0 && node < previousNode)
            throw RunStop(kStationsNotInOrder);
        if (node < 0 || node > control_.n)
            stopRun("ERROR -- SPECIFIED DEFLECTION OR SLOPE AT STATION " + std::to_string(node) +
                 " OUTSIDE THE WALL (STATIONS 0 TO " + std::to_string(control_.n) + ")");
        previousNode = node;
        model_.specified.push_back(value);

        if (rowCase <= 1) {
            model_.specialCodeAt(node) = kDeflectionHere;
            report_.write("(10X, I3, 7X, I2, 8X, E10.3, 9X, 'NONE')", node, rowCase, value.deflection);
        } else if (rowCase == 2) {
            model_.specialCodeAt(node - 1) = kSlopeAtNext;
            model_.specialCodeAt(node + 1) = kSlopeAtPrevious;
            report_.write("(10X, I3, 7X, I2, 11X, 'NONE', 8X, E10.3)", node, rowCase, value.slope);
        } else {
            model_.specialCodeAt(node - 1) = kSlopeAtNext;
            model_.specialCodeAt(node) = kDeflectionAndSlopeHere;
            model_.specialCodeAt(node + 1) = kSlopeAtPrevious;
            report_.write("(10X, I3, 7X, I2, 3X, 2(5X, E10.3))", node, rowCase, value.deflection, value.slope);
        }
    }
}

// Records 5 to 8: stiffness, loads, springs and tiebacks, distributed over
// the stations and echoed as rows of one table.
void CaseReader::readStationTables()
{
    writeBoxedTitle(report_, "*        STIFFNESS AND LOAD DATA                 *");
    report_.line("      EI - FLEXURAL RIGIDITY,  Q - TRANSVERSE LOAD,");
    report_.line("      S - STIFFNESS OF TRANSVERSE RESISTANCE,");
    report_.line("      T - TORQUE,              P - AXIAL LOAD,");
    report_.line("      R - STIFFNESS OF TORSIONAL RESISTANCE.");
    report_.line();
    report_.line("     FROM TO CONTD     EI         Q        S'        T         R         P");
    report_.line();
    const std::string& f = labels_.forceShort;
    const std::string& l = labels_.lengthShort;
    report_.line(unitLine({{26, f + "-" + l + "**2"},
                           {36, labels_.force},
                           {46, f + "/" + l},
                           {55, f + "-" + l},
                           {66, f + "-" + l + "/RAD"},
                           {76, labels_.force}}));

    auto echoRow = [this](int pattern, const DistributedRow& row, const StationValues& shown) {
        const int contd = row.interpolate - 1;
        if (pattern == 2)
            report_.write("(5X, I4, 4X, I3, 1X, 6E10.3)", row.first, contd, shown[0], shown[1], shown[2], shown[3],
                          shown[4], shown[5]);
        else if (pattern == 1)
            report_.write("(5X, 2I4, I3, 1X, 6E10.3)", row.first, row.last, contd, shown[0], shown[1], shown[2],
                          shown[3], shown[4], shown[5]);
        else
            report_.write("(9X, I4, I3, 1X, 6E10.3)", row.last, contd, shown[0], shown[1], shown[2], shown[3],
                          shown[4], shown[5]);
    };
    auto readRange = [this](DistributedRow& row) {
        checkInterpolateCode(row.interpolate, in_);
        checkStation(row.first);
        checkStation(row.last);
    };
    // Loads, springs and tiebacks at a single station mark the anchor levels
    // of a trapezoidal pressure diagram.
    auto noteAnchorLevel = [this](const DistributedRow& row) {
        AnchorLevels& anchors = model_.anchors;
        if (row.first != row.last)
            return;
        const double depth = row.first * control_.h;
        if (anchors.singleStationRows++ == 0)
            anchors.firstDepth = depth;
        anchors.lastDepth = depth;
    };

    // Stiffness rows.
    if (control_.nstiff == 0) {
        report_.line();
        report_.line(std::string(20, ' '));
    }
    StationDistributor stiffness(model_);
    for (int i = 0; i < control_.nstiff; ++i) {
        DistributedRow row;
        double ei = 0;
        in_.read(row.first, row.last, row.interpolate, ei);
        readRange(row);
        row.values = {ei, 0, 0, 0, 0, 0};
        echoRow(stiffness.add(row), row, row.values);
    }

    // Concentrated loads: the axial load enters P with its sign reversed but
    // is echoed as given.
    const int loadRows = readCount();
    StationDistributor loads(model_);
    for (int i = 0; i < loadRows; ++i) {
        DistributedRow row;
        double lateral = 0, moment = 0, axial = 0;
        in_.read(row.interpolate, row.first, row.last, lateral, moment, axial);
        readRange(row);
        row.values = {0, lateral, 0, moment, 0, -axial};
        const double eiAtFirst = model_.ei[row.first];
        const int pattern = loads.add(row);
        echoRow(pattern, row, {eiAtFirst, lateral, 0, moment, 0, axial});
        noteAnchorLevel(row);
        if (moment != 0)
            model_.couples.push_back({row.first, moment / (2 * control_.h)});
    }

    // Springs, then the tiebacks as one-station spring and load rows.
    const int springRows = readCount();
    StationDistributor springs(model_);
    for (int i = 0; i < springRows; ++i) {
        DistributedRow row;
        double lateral = 0, rotational = 0;
        in_.read(row.first, row.last, row.interpolate, lateral, rotational);
        readRange(row);
        row.values = {0, 0, lateral, 0, rotational, 0};
        const double eiAtFirst = model_.ei[row.first];
        echoRow(springs.add(row), row, {eiAtFirst, 0, lateral, 0, rotational, 0});
        noteAnchorLevel(row);
    }
    for (int i = 0; i < control_.ntie; ++i) {
        Tieback tie;
        in_.read(tie.depth, tie.area, tie.modulus, tie.unbondedLength, tie.angle, tie.spacing, tie.prestress);
        const double width = control_.activeWidth;
        if (!(tie.spacing > 0) || !(tie.unbondedLength > 0) || !(width > 0))
            stopRun("ERROR -- TIEBACK " + std::to_string(i + 1) +
                 ": SPACING, UNBONDED LENGTH AND WIDTH FOR EARTH PRESSURE MUST BE GREATER THAN ZERO");
        tie.cosAngle = std::cos(tie.angle * kEnginePi / 180.0);
        if (control_.units == UnitSystem::English) {
            tie.station = nearestInteger(tie.depth * 12 / control_.h);
            tie.spring = tie.area * tie.modulus * tie.cosAngle / ((tie.spacing * 12 / width) * (tie.unbondedLength * 12));
            tie.load = -(width / (tie.spacing * 12)) * tie.prestress * tie.cosAngle;
        } else {
            tie.station = nearestInteger(tie.depth / control_.h);
            tie.spring = tie.area * tie.modulus * tie.cosAngle / ((tie.spacing / width) * tie.unbondedLength);
            tie.load = -(width / tie.spacing) * tie.prestress * tie.cosAngle;
        }
        DistributedRow row;
        row.first = row.last = tie.station;
        checkStation(tie.station);
        row.values = {0, tie.load, tie.spring, 0, 0, 0};
        const double eiAtFirst = model_.ei[row.first];
        echoRow(springs.add(row), row, {eiAtFirst, tie.load, tie.spring, 0, 0, 0});
        noteAnchorLevel(row);
        model_.tiebacks.push_back(tie);
    }
}

void CaseReader::readPyModifications()
{
    for (int i = 0; i < control_.npymod; ++i) {
        PyModification modification;
        in_.read(modification.depth, modification.pMultiplier, modification.yMultiplier);
        model_.pyModifications.push_back(modification);
    }
}

void CaseReader::readEarthPressure()
{
    const bool needsSoilData = control_.koutpt > 1 || control_.kpyop == 2;
    if (control_.koutpt == 1) {
        writeBoxedTitle(report_, "*        SPECIFIED ACTIVE EARTH PRESSURE         *");
        report_.line();
        echoPressureHeads();
        const int count = readCount();
        checkStorage(count, kMaxPressurePoints);
        for (int i = 0; i < count; ++i) {
            PressurePoint point;
            in_.read(point.depth, point.soil);
            point.total = point.soil;
            report_.write("(6X, E10.3, 10X, E10.3)", point.depth, point.soil);
            model_.pressure.push_back(point);
        }
    }
    if (needsSoilData)
        readSoilData();
    if (control_.koutpt == 1) {
        applyUserPressureSurcharges();
        writePressureSection(plot_, model_.pressure);
        if (!model_.pressure.empty())
            addPressureLoads(model_.pressure.back().depth);
    } else if (control_.koutpt == 2 || control_.koutpt == 3) {
        const std::filesystem::path pressureFile = workDir_ / kPressureFileName;
        generateEarthPressure(model_, report_, notes_, pressureFile);
        readGeneratedPressure(pressureFile);
    } else {
        writePressureSection(plot_, model_.pressure);
    }
}

void CaseReader::echoPressureHeads()
{
    report_.blankLines(2);
    report_.write("(8X, ' DEPTH         ACTIVE EARTH PRESSURE')");
    report_.write("(8X, 1X, A, 17X, A, '/', A)", labels_.length, labels_.force, labels_.lengthShort);
    report_.write("(8X, '--------       ------------------------')");
}

// Reads the generated pressure back as loads per unit length of wall: the
// width for earth pressure down to the excavation level, the width for soil
// resistance below it. The report and the plot data show every point when
// there are at most 50 (and always in the other unit system), otherwise
// every sixth (English) or fourth (SI) point and the last one.
void CaseReader::readGeneratedPressure(const std::filesystem::path& pressureFile)
{
    const SoilData& soil = model_.soil;
    std::ifstream file(pressureFile, std::ios::binary);
    if (!file)
        stopRun("ERROR -- CANNOT OPEN THE PRESSURE FILE " + pressureFile.string());
    FreeFormatReader pressureIn(file, std::string("THE PRESSURE FILE ") + kPressureFileName);
    int count = 0;
    pressureIn.read(count);
    checkStorage(count, kMaxPressurePoints);
    for (int i = 0; i < count; ++i) {
        PressurePoint point;
        pressureIn.read(point.depth, point.total, point.soil, point.surcharge);
        const double width =
            point.depth > soil.freeHeight + kDepthTolerance ? soil.resistanceWidth : soil.activeWidth;
        point.total *= width;
        point.soil *= width;
        point.surcharge *= width;
        model_.pressure.push_back(point);
    }

    echoPressureHeads();
    const std::size_t points = model_.pressure.size();
    std::size_t step = 1;
    if (points > 50 && control_.units == UnitSystem::English)
        step = 6;
    else if (points > 50 && control_.units == UnitSystem::SI)
        step = 4;
    std::vector<PressurePoint> shown;
    for (std::size_t i = 0; i < points; i += step)
        shown.push_back(model_.pressure[i]);
    if (points > 0 && (points - 1) % step != 0)
        shown.push_back(model_.pressure.back());
    for (const PressurePoint& point : shown)
        report_.write("(6X, E10.3, 10X, E10.3)", point.depth, point.total);
    writePressureSection(plot_, shown);
    addPressureLoads(soil.freeHeight);
}

void CaseReader::readSoilData()
{
    SoilData& soil = model_.soil;
    soil.present = true;
    in_.read(soil.freeHeight, soil.activeWidth, soil.resistanceWidth, soil.waterDepthBackfill, soil.waterDepthExcavation,
             soil.activePressureFactor, soil.soilControlCode, soil.backfillSlope);
    in_.read(soil.uniformSurcharge, soil.singleSurcharge[0], soil.singleSurcharge[1], soil.singleSurcharge[2],
             soil.singleSurcharge[3], soil.singleSurcharge[4]);

    const int surchargeRows = readCount();
    for (int i = 0; i < surchargeRows; ++i) {
        SurchargeRow row;
        in_.read(row.loadType, row.magnitude, row.distance, row.stripWidth);
        if (control_.units == UnitSystem::SI) {
            row.distance /= 1000;
            row.stripWidth /= 1000;
        }
        soil.surcharges.push_back(row);
    }

    const int layers = readCount();
    double previousBottom = 0;
    for (int i = 0; i < layers; ++i) {
        SoilLayer layer;
        in_.read(layer.soilType, layer.depthBottom);
        for (auto& parameters : layer.parameters)
            in_.read(parameters[0], parameters[1], parameters[2], parameters[3], parameters[4], parameters[5]);
        layer.thickness = i == 0 ? layer.depthBottom : layer.depthBottom - previousBottom;
        previousBottom = layer.depthBottom;
        soil.layers.push_back(layer);
    }
}

void CaseReader::applyUserPressureSurcharges()
{
    const SoilData& soil = model_.soil;
    if (soil.surcharges.empty())
        return;
    if (!(soil.freeHeight > 0))
        stopRun("ERROR -- SURCHARGE LOADS NEED A FREE HEIGHT OF WALL GREATER THAN ZERO");
    const double wallLength = control_.n * control_.h;
    for (PressurePoint& point : model_.pressure) {
        point.surcharge = surchargePressure(soil.surcharges, soil.freeHeight, wallLength, point.depth) *
                          control_.activeWidth;
        point.total = point.soil + point.surcharge;
    }
}

// Turns the pressure table (loads per unit length) into loads per station
// down to `deepestDepth`, by linear interpolation between the points.
void CaseReader::addPressureLoads(double deepestDepth)
{
    const double h = control_.h;
    const auto& points = model_.pressure;
    const int lastStation = nearestInteger(deepestDepth / h);
    double load = 0;
    for (int k = 1; k <= lastStation; ++k) {
        const double z = k * h;
        std::size_t i = 0;
        while (i < points.size() && points[i].depth < z)
            ++i;
        if (i < points.size()) {
            const double upperDepth = i == 0 ? 0.0 : points[i - 1].depth;
            const double upperLoad = i == 0 ? 0.0 : points[i - 1].total * h;
            const double lowerLoad = points[i].total * h;
            const double span = points[i].depth - upperDepth;
            load = span == 0 ? lowerLoad : upperLoad + (lowerLoad - upperLoad) * (z - upperDepth) / span;
        }
        if (k > control_.n + 2) {
            if (load != 0)
                throw RunStop(kDataBeyondEnd);
            continue;
        }
        model_.q[k] += load;
    }
}

void CaseReader::checkDataBeyondEnd() const
{
    const int n = control_.n;
    double sum = model_.q[n + 1] + model_.s[n + 1];
    for (int station : {n + 1, n + 2})
        sum += model_.ei[station] + model_.t[station] + model_.r[station] + model_.p[station];
    if (sum != 0)
        throw RunStop(kDataBeyondEnd);
}

void CaseReader::readPyCurves()
{
    std::vector<PlotCurve> plotCurves;
    if (control_.npyc > 0) {
        checkStorage(control_.npyc, kMaxPyCurves);
        writeBoxedTitle(report_, "*     INPUTTED  SOIL RESISTANCE (P-Y) CURVES     *");
        report_.line();
        int previousFlag = 0;
        for (int c = 0; c < control_.npyc; ++c) {
            int node = 0, pointCount = 0;
            double pMultiplier = 1, yMultiplier = 1;
            in_.read(node, pointCount, pMultiplier, yMultiplier);
            checkedCount(pointCount, in_);
            checkStorage(pointCount, kMaxCurvePoints);
            checkStation(node);
            if (pointCount < 2)
                stopRun("ERROR -- A P-Y CURVE NEEDS AT LEAST TWO POINTS (LINE " + std::to_string(in_.lineNumber()) +
                     " OF THE PROJECT FILE)");

            // Curves below the excavation level are interpolated towards the
            // next curve; with generated curves the user's curves stand alone.
            const int flag = (control_.kpyop < 2 && node * control_.h >= control_.freeHeight) ? 1 : 0;
            report_.line();
            report_.line("     FROM TO CONTD      P-MULTIPLIER  Y-MULTIPLIER'      POINTS     ");
            report_.line();
            const int pattern = control_.kpyop == 2 ? 3 : 2 * previousFlag + flag + 1;
            if (pattern == 1)
                report_.write("(/, 5X, 2I4, I3, 5X, 2E14.3, 1(8X, I4))", node, node, flag, pMultiplier, yMultiplier,
                              pointCount);
            else if (pattern == 2)
                report_.write("(/, 5X, I4, 4X, I3, 5X, 2E14.3, 1(10X, I3))", node, flag, pMultiplier, yMultiplier,
                              pointCount);
            else
                report_.write("(/, 9X, I4, I3, 5X, 2E14.3, 1(10X, I3))", node, flag, pMultiplier, yMultiplier,
                              pointCount);
            previousFlag = flag;

            report_.blankLines(2);
            report_.write("(18X, '    Y    ', 12X, '   P    ')");
            report_.write("(18X, 2X, A, 16X, A, '/', A)", labels_.length, labels_.force, labels_.lengthShort);
            report_.write("(18X, '---------', 12X, '--------')");

            PyCurve curve;
            curve.startStation = curve.endStation = node;
            curve.continued = flag;
            PlotCurve plotCurve;
            plotCurve.station = node;
            for (int i = 0; i < pointCount; ++i) {
                CurvePoint point;
                in_.read(point.y, point.p);
                const CurvePoint scaled{point.y * yMultiplier, point.p * pMultiplier};
                report_.write("(17X, E10.3, 10X, E10.3)", scaled.y, scaled.p);
                plotCurve.points.push_back(scaled);
                curve.points.push_back({scaled.y, scaled.p * control_.h});
            }
            model_.curves.push_back(std::move(curve));
            plotCurves.push_back(std::move(plotCurve));
        }
    }
    if (control_.kpyop == 2)
        readGeneratedPyCurves(plotCurves);
    writeCurveSection(plot_, control_.unitsCode, plotCurves);
}

// p-y option 2: the generation writes the user curves and its own curves to
// the curve file, and the curve table takes them back from it: the user
// curves' stations, and every generated curve as 33 points symmetric about
// the origin, the backfill side mirrored to negative deflections.
void CaseReader::readGeneratedPyCurves(std::vector<PlotCurve>& plotCurves)
{
    std::vector<UserPyCurve> userCurves;
    for (const PlotCurve& curve : plotCurves)
        userCurves.push_back({curve.station, curve.points});
    const std::filesystem::path curveFile = workDir_ / kCurveFileName;
    generatePyCurves(model_, userCurves, curveFile, report_);

    std::ifstream file(curveFile, std::ios::binary);
    if (!file)
        stopRun("ERROR -- CANNOT OPEN THE P-Y CURVE FILE " + curveFile.string());
    FreeFormatReader curvesIn(file, std::string("THE P-Y CURVE FILE ") + kCurveFileName);
    int total = 0;
    curvesIn.read(total);
    checkStorage(total, kMaxPyCurves);
    const int userCount = static_cast<int>(userCurves.size());
    for (int c = 0; c < total; ++c) {
        if (c < userCount) {
            int station = 0, pointCount = 0;
            curvesIn.read(station, pointCount);
            for (int i = 0; i < pointCount; ++i) {
                int number = 0;
                double p = 0, y = 0;
                curvesIn.read(number, p, y);
            }
            PyCurve& curve = model_.curves[static_cast<std::size_t>(c)];
            curve.startStation = curve.endStation = station;
            curve.continued = 0;
            plotCurves[static_cast<std::size_t>(c)].station = station;
            continue;
        }
        double depth = 0;
        int ignoredCount = 0;
        curvesIn.read(depth, ignoredCount);
        std::array<CurvePoint, 2 * kPointsPerSide> rows;
        for (CurvePoint& row : rows) {
            int number = 0;
            curvesIn.read(number, row.p, row.y);
        }
        PlotCurve plotCurve;
        plotCurve.labelledByDepth = userCount == 0;
        plotCurve.depth = depth;
        plotCurve.station = nearestInteger(depth / control_.h);
        for (int row = 2 * kPointsPerSide - 1; row >= kPointsPerSide; --row)
            plotCurve.points.push_back({-rows[row].y, rows[row].p});
        for (int row = 1; row < kPointsPerSide; ++row)
            plotCurve.points.push_back({rows[row].y, -rows[row].p});

        PyCurve curve;
        curve.startStation = curve.endStation = plotCurve.station;
        curve.continued = 1;
        for (const CurvePoint& point : plotCurve.points)
            curve.points.push_back({point.y, point.p * control_.h});
        model_.curves.push_back(std::move(curve));
        plotCurves.push_back(std::move(plotCurve));
    }
}

void CaseReader::readMomentEi()
{
    for (int i = 0; i < control_.nmei; ++i) {
        MomentEiRange range;
        int pointCount = 0;
        in_.read(range.firstStation, range.lastStation, pointCount);
        checkedCount(pointCount, in_);
        checkStorage(pointCount, kMaxMomentEiPoints);
        checkStation(range.firstStation);
        checkStation(range.lastStation);
        if (pointCount < 2)
            stopRun("ERROR -- A MOMENT-EI RANGE NEEDS AT LEAST TWO POINTS (LINE " + std::to_string(in_.lineNumber()) +
                 " OF THE PROJECT FILE)");
        for (int k = 0; k < pointCount; ++k) {
            MomentEiPoint point;
            in_.read(point.moment, point.ei);
            range.points.push_back(point);
        }
        model_.momentEi.push_back(std::move(range));
    }
}

}  // namespace truvex
