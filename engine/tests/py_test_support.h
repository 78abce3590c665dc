// Helpers of the p-y generation tests: a wall with its soil profile built in
// code, and the generation run into a scratch folder.
#pragma once

#include "py_profile.h"
#include "run_stop.h"
#include "test_support.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace truvex::test {

// Six parameters of a layer row: unit weight, strength, friction angle
// (degrees), e50 (krm for weak rock), k (Em for weak rock), sixth value.
using LayerRow = std::array<double, 6>;

inline SoilLayer soilLayer(int soilType, double depthBottom, const LayerRow& top, const LayerRow& bottom)
{
    SoilLayer layer;
    layer.soilType = soilType;
    layer.depthBottom = depthBottom;
    layer.parameters = {top, bottom};
    return layer;
}

inline SoilLayer soilLayer(int soilType, double depthBottom, const LayerRow& row)
{
    return soilLayer(soilType, depthBottom, row, row);
}

struct WallSetup {
    UnitSystem units = UnitSystem::SI;
    int increments = 24;
    double incrementLength = 0.5;
    double freeHeight = 2;
    double activeWidth = 2.4;       // WA/WP = 4: no group reduction, no continuous-wall limit
    double resistanceWidth = 0.6;
    double waterDepth = 100;        // below everything
    double excavationStress = 0;
};

// An English wall of 60 increments of 6 in with a 10 ft cut, WA/WP = 4 and
// no water table.
inline WallSetup englishTenFootCut()
{
    WallSetup setup;
    setup.units = UnitSystem::English;
    setup.increments = 60;
    setup.incrementLength = 6;
    setup.freeHeight = 120;
    setup.activeWidth = 48;
    setup.resistanceWidth = 12;
    setup.waterDepth = 1000;
    return setup;
}

inline std::unique_ptr<CaseModel> wallModel(const WallSetup& setup, std::vector<SoilLayer> layers,
                                            std::vector<PyModification> modifications = {})
{
    auto model = std::make_unique<CaseModel>();
    Control& control = model->control;
    control.units = setup.units;
    control.unitsCode = static_cast<int>(setup.units);
    control.kpyop = 2;
    control.n = setup.increments;
    control.h = setup.incrementLength;
    control.freeHeight = setup.freeHeight;
    control.activeWidth = setup.activeWidth;
    SoilData& soil = model->soil;
    soil.present = true;
    soil.freeHeight = setup.freeHeight;
    soil.activeWidth = setup.activeWidth;
    soil.resistanceWidth = setup.resistanceWidth;
    soil.waterDepthBackfill = setup.waterDepth;
    soil.waterDepthExcavation = setup.waterDepth;
    soil.excavationStress = setup.excavationStress;
    double previous = 0;
    for (SoilLayer& layer : layers) {
        layer.thickness = layer.depthBottom - previous;
        previous = layer.depthBottom;
    }
    soil.layers = std::move(layers);
    model->pyModifications = std::move(modifications);
    return model;
}

struct Generation {
    std::vector<GeneratedPyCurve> curves;
    std::string report;
    std::string curveFile;
};

inline Generation generate(const CaseModel& model, const std::vector<UserPyCurve>& userCurves = {})
{
    TempDir folder;
    Generation result;
    {
        TextOutput report(folder / "report.txt");
        result.curves = generatePyCurves(model, userCurves, folder / kCurveFileName, report);
    }
    result.report = readFile(folder / "report.txt");
    result.curveFile = readFile(folder / kCurveFileName);
    return result;
}

// Record 11d lines of one layer: the layer line and its two parameter rows.
inline std::string layerLines(int soilType, double depthBottom, const std::string& top, const std::string& bottom = "")
{
    auto number = [](double value) {
        std::ostringstream text;
        text << value;
        return text.str();
    };
    return std::to_string(soilType) + " " + number(depthBottom) + " \r\n" + top + " \r\n" +
           (bottom.empty() ? top : bottom) + " \r\n";
}

// An SI project of one case with generated p-y curves: a wall of 24
// increments of 0.5 m with a head load of 20 kN, H = 2 m.
struct PyProject {
    int increments = 24;
    double freeHeight = 2;
    double activeWidth = 2.4;
    double resistanceWidth = 0.6;
    double waterDepth = 100;
    int koutpt = 0;
    std::vector<std::string> modifications;   // record 9 rows
    std::vector<std::string> userCurves;      // record 12, one curve per entry
    std::vector<std::string> layers;          // layerLines(...)

    std::string text() const
    {
        auto number = [](double value) {
            std::ostringstream text;
            text << value;
            return text.str();
        };
        std::string project = "Generated p-y curves\r\n";
        project += "2 0\t1\t" + std::to_string(modifications.size()) + "\t" + std::to_string(koutpt) + "\t2 " +
                   std::to_string(userCurves.size()) + " 1 0 0\r\n";
        project += std::to_string(increments) + " 0.5\t1\t1E-5\t" + number(freeHeight) + "\t" + number(activeWidth) + "\r\n";
        project += "0\t" + std::to_string(increments) + "\t1\t50000\r\n";
        project += "1\r\n1\t0\t0\t20\t0\t0\r\n0\r\n";
        for (const std::string& row : modifications)
            project += row + "\r\n";
        project += number(freeHeight) + "\t" + number(activeWidth) + "\t" + number(resistanceWidth) + "\t" +
                   number(waterDepth) + "\t" + number(waterDepth) + "\t1\t1\t0\r\n";
        project += "0\t0\t0\t0\t0\t0\r\n0\r\n" + std::to_string(layers.size()) + "\r\n";
        for (const std::string& layer : layers)
            project += layer;
        for (const std::string& curve : userCurves)
            project += curve;
        return project + "0\r\n";
    }
};

// The message of the RunStop that `action` ends with, or "" when it returns.
template <class Action>
std::string stopMessage(Action action)
{
    try {
        action();
    } catch (const RunStop& stop) {
        return stop.what();
    }
    return "";
}

}  // namespace truvex::test
