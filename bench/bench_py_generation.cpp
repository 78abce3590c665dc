// p-y curve generation for a profile of all seven soil types below the
// excavation level (35 curves of two sides each): the time per curve,
// including the report and the curve file.
#include "py_profile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

using truvex::SoilLayer;

SoilLayer layer(int soilType, double bottom, std::array<double, 6> top, std::array<double, 6> base)
{
    SoilLayer result;
    result.soilType = soilType;
    result.depthBottom = bottom;
    result.parameters = {top, base};
    return result;
}

// The profile of the example bored-pile-wall-seven-soil-types-si: a 6 m cut
// in an 18 m wall, soft clay down to strong rock.
std::unique_ptr<truvex::CaseModel> sevenSoilTypes()
{
    auto model = std::make_unique<truvex::CaseModel>();
    model->control.units = truvex::UnitSystem::SI;
    model->control.unitsCode = 2;
    model->control.kpyop = 2;
    model->control.n = 72;
    model->control.h = 0.25;
    truvex::SoilData& soil = model->soil;
    soil.present = true;
    soil.freeHeight = 6;
    soil.activeWidth = 1.2;
    soil.resistanceWidth = 0.9;
    soil.waterDepthBackfill = 9;
    soil.waterDepthExcavation = 9;
    soil.excavationStress = 110;
    soil.layers = {layer(1, 7, {17, 20, 0, 0.02, 0, 0}, {17, 30, 0, 0.02, 0, 0}),
                   layer(3, 9, {19, 60, 0, 0.007, 0, 0}, {19, 70, 0, 0.007, 0, 0}),
                   layer(2, 11, {19.5, 90, 0, 0.005, 136000, 0}, {19.5, 100, 0, 0.005, 136000, 0}),
                   layer(4, 13, {20, 0, 36, 0, 33900, 0}, {20, 0, 36, 0, 33900, 0}),
                   layer(5, 15, {19.5, 15, 28, 0.01, 20000, 0}, {19.5, 20, 30, 0.01, 20000, 0}),
                   layer(7, 17, {22, 4000, 0, 0.0005, 200000, 40}, {22, 6000, 0, 0.0005, 200000, 40}),
                   layer(6, 25, {25, 40000, 0, 0, 0, 0}, {25, 40000, 0, 0, 0, 0})};
    return model;
}

void generateSevenSoilTypes(benchmark::State& state)
{
    const auto model = sevenSoilTypes();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "truvex-bench-py";
    std::filesystem::create_directories(folder);
    std::size_t curves = 0;
    for (auto _ : state) {
        truvex::TextOutput report(folder / "report.txt");
        curves = truvex::generatePyCurves(*model, {}, folder / truvex::kCurveFileName, report).size();
    }
    state.counters["curves"] = static_cast<double>(curves);
    state.counters["time_per_curve"] = benchmark::Counter(static_cast<double>(curves),
                                                          benchmark::Counter::kIsIterationInvariantRate |
                                                              benchmark::Counter::kInvert);
    std::filesystem::remove_all(folder);
}

BENCHMARK(generateSevenSoilTypes)->Unit(benchmark::kMicrosecond);

}  // namespace
