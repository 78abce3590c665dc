// Whole runs of the bundled examples: the time a user waits for a result.
#include "truvex/engine.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void analyseExample(benchmark::State& state, const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("truvex-bench-" + name);
    std::filesystem::create_directories(folder);
    const std::filesystem::path project = folder / (name + ".tx5d");
    std::filesystem::copy_file(std::filesystem::path(TRUVEX_EXAMPLES_DIR) / (name + ".tx5d"), project,
                               std::filesystem::copy_options::overwrite_existing);
    truvex::RunRequest request = truvex::requestForProject(project);
    request.workDir = folder;
    for (auto _ : state) {
        const truvex::RunSummary summary = truvex::runProject(request);
        if (summary.status != truvex::RunSummary::Status::Completed)
            state.SkipWithError(summary.message.c_str());
    }
    std::filesystem::remove_all(folder);
}

}  // namespace

int main(int argc, char** argv)
{
    for (const auto& entry : std::filesystem::directory_iterator(TRUVEX_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".tx5d")
            continue;
        const std::string name = entry.path().stem().string();
        benchmark::RegisterBenchmark(("run/" + name).c_str(), analyseExample, name)->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
