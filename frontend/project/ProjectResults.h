// The results of the last analysis that the project keeps for the model
// views, filled by the plot-data reader.
#pragma once

#include <vector>

namespace truvex {

// The results of one case as the model views read them. Station values are
// those plotted (feet, kip-inches and kips for English files); the
// earth-pressure depths are as written by the engine.
struct TCaseResults {
    std::vector<long double> PressureDepth;
    std::vector<long double> PressureTotal;
    std::vector<long double> Depth;
    std::vector<long double> Deflection;
    std::vector<long double> Moment;
    std::vector<long double> Shear;
    std::vector<long double> Reaction;
};

// Result arrays kept by the project, one entry per case of the file.
struct TProjectResults {
    std::vector<TCaseResults> Cases;
    int LargestPressureCount = 0;
};

}  // namespace truvex
