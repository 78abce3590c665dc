// Any bytes as a plot-data file: the reader must fill the graphs or report a
// reading error, never crash or allocate without bound.
#include "results/PlotReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "truvex-fuzz-plot-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        return std::filesystem::path(pattern);
    }();
    const std::filesystem::path file = folder / "input.tx5p";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    for (int units : {1, 2}) {
        truvex::TPlotProject project;
        project.Units = units;
        project.IncrementCount = 40;
        project.IncrementLength = 6;
        project.SoilLayers = {{4, 120}, {1, 480}};
        truvex::TResultGraphs graphs;
        truvex::TProjectResults results;
        truvex::ReadPlotData(file.string(), project, graphs, results);
    }
    return 0;
}
