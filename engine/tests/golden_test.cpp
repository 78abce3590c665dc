// Every bundled example against its golden report, plot-data and run-notes
// files. The date and time line is the only part masked. Run with
// TRUVEX_UPDATE_GOLDEN=1 (scripts/update-golden.sh) to rewrite the files.
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace truvex {
namespace {

std::vector<std::string> exampleNames()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(TRUVEX_EXAMPLES_DIR))
        if (entry.path().extension() == ".tx5d")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class GoldenTest : public testing::TestWithParam<std::string> {};

TEST_P(GoldenTest, OutputMatchesGoldenFiles)
{
    const std::string name = GetParam();
    // A relative folder keeps the report's file block the same on every
    // machine.
    const std::filesystem::path folder = "golden-run-" + name;
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(std::filesystem::path(TRUVEX_EXAMPLES_DIR) / (name + ".tx5d"), folder / (name + ".tx5d"),
                               std::filesystem::copy_options::overwrite_existing);
    RunRequest request = requestForProject(folder / (name + ".tx5d"));
    request.workDir = folder;
    const RunSummary summary = runProject(request);
    EXPECT_EQ(summary.status, RunSummary::Status::Completed) << summary.message;

    const std::filesystem::path golden = TRUVEX_GOLDEN_DIR;
    const std::pair<std::filesystem::path, std::string> outputs[] = {
        {request.reportFile, test::maskDateLine(test::readFile(request.reportFile))},
        {request.plotFile, test::readFile(request.plotFile)},
        {request.notesFile, test::readFile(request.notesFile)},
    };
    const bool update = std::getenv("TRUVEX_UPDATE_GOLDEN") != nullptr;
    for (const auto& [path, text] : outputs) {
        const std::filesystem::path goldenFile = golden / path.filename();
        if (update) {
            std::filesystem::create_directories(golden);
            test::writeFile(goldenFile, text);
            continue;
        }
        ASSERT_TRUE(std::filesystem::exists(goldenFile)) << goldenFile << " missing: run scripts/update-golden.sh";
        EXPECT_EQ(text, test::readFile(goldenFile)) << "differs from " << goldenFile;
    }
    std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Examples, GoldenTest, testing::ValuesIn(exampleNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

}  // namespace
}  // namespace truvex
