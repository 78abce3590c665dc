// Whole runs: the case sequence, input errors ending the run cleanly, and
// runs that leave nothing behind for the next one.
#include "test_support.h"

#include <gtest/gtest.h>

#include <thread>

namespace truvex {
namespace {

// A small SI cantilever: EI row, a head load, springs over the lower half.
std::string caseBlock(const std::string& title, int nstages = 1, const std::string& restraints = "",
                      int nds = 0)
{
    return title + "\r\n" + "2 " + std::to_string(nds) + "\t1\t0\t0\t0 0 " + std::to_string(nstages) +
           " 0 0\r\n"
           "20 0.25\t1\t1E-5\t2.5\t1\r\n" +
           restraints +
           "0\t20\t1\t60000\r\n"
           "1\r\n"
           "1\t0\t0\t15\t0\t0\r\n"
           "2\r\n"
           "10\t10\t2\t0\t0\r\n"
           "20\t20\t1\t8000\t0\r\n";
}

TEST(Run, SingleCase)
{
    test::TempDir folder;
    const auto out = test::runProjectText(folder.path(), caseBlock("Single wall") + "0\r\n");
    EXPECT_EQ(out.summary.status, RunSummary::Status::Completed) << out.summary.message;
    EXPECT_EQ(out.summary.casesRun, 1);
    EXPECT_NE(out.report.find("\n      Single wall" + std::string(59, ' ') + "\n"), std::string::npos);
    EXPECT_TRUE(out.report.ends_with("\n\n\n\n     END OF ANALYSIS" + std::string(29, ' ') + "\n"));
    // Section A empty, section B units and no curves, section C with code 1.
    EXPECT_TRUE(out.plot.starts_with(" 0\n 2 0\n 1 22 2\n"));
}

TEST(Run, LongTermCaseFollowsShortTermCase)
{
    test::TempDir folder;
    const auto out = test::runProjectText(folder.path(),
                                          caseBlock("Trench wall") + "9\r\n" + caseBlock("Trench wall") + "0\r\n");
    EXPECT_EQ(out.summary.casesRun, 2);
    EXPECT_NE(out.report.find("\n      Long Term :  Trench wall"), std::string::npos);
    EXPECT_EQ(out.plot.find(" 1 22 2\n"), std::string::npos);
    std::size_t sections = 0;
    for (std::size_t at = out.plot.find(" 2 22 2\n"); at != std::string::npos; at = out.plot.find(" 2 22 2\n", at + 1))
        ++sections;
    EXPECT_EQ(sections, 2u);
}

TEST(Run, ThreeStages)
{
    test::TempDir folder;
    const auto out = test::runProjectText(folder.path(), caseBlock("Basement", 3) + "1\r\n" +
                                                             caseBlock(" Stage No : 2", 3) + "2\r\n" +
                                                             caseBlock(" Stage No : 3", 3) + "3\r\n");
    EXPECT_EQ(out.summary.status, RunSummary::Status::Completed) << out.summary.message;
    EXPECT_EQ(out.summary.casesRun, 3);
    for (const char* line : {"      Stage No : 1  Basement", "      Stage No : 2  Basement", "      Stage No : 3  Basement"})
        EXPECT_NE(out.report.find(line), std::string::npos) << line;
    std::size_t sections = 0;
    for (std::size_t at = out.plot.find(" 3 22 2\n"); at != std::string::npos; at = out.plot.find(" 3 22 2\n", at + 1))
        ++sections;
    EXPECT_EQ(sections, 3u);
}

struct InputErrorCase {
    const char* name;
    std::string project;
    std::string message;
};

std::vector<InputErrorCase> inputErrorCases()
{
    const std::string block = caseBlock("Wall");
    auto replaced = [&block](const std::string& from, const std::string& to) {
        std::string text = block;
        text.replace(text.find(from), from.size(), to);
        return text + "0\r\n";
    };
    std::string restraintRows;
    for (int i = 0; i < 21; ++i)
        restraintRows += "1\t" + std::to_string(i) + "\t0\t0\r\n";
    return {
        {"TooManySpecifiedRows", caseBlock("Wall", 1, restraintRows, 21) + "0\r\n",
         "     TOO MUCH DATA FOR AVAILABLE STORAGE"},
        {"NodesOutOfOrder", caseBlock("Wall", 1, "1\t10\t0\t0\r\n1\t5\t0\t0\r\n", 2) + "0\r\n",
         "     ERROR STOP -- STATIONS NOT IN ORDER"},
        {"RangeRunningUpwards", replaced("0\t20\t1\t60000", "20\t0\t1\t60000"), "     ERROR STOP -- STATIONS NOT IN ORDER"},
        {"DataBeyondEnd",
         [&] {
             std::string text = block;
             text.replace(text.find("0 0 1 0 0"), 9, "0 0 1 0 0");
             text.replace(text.find("\t0\t0 0 1"), 8, "\t1\t0 0 1");
             return text + "2\r\n0\t0\r\n6\t20\r\n0\r\n";
         }(),
         "     ERROR -- NON-ZERO TABLE 4 DATA BEYOND END"},
        {"NegativeCount", replaced("1\r\n1\t0\t0\t15", "-1\r\n1\t0\t0\t15"),
         "     ERROR -- NEGATIVE COUNT -1 ON LINE 5 OF THE PROJECT FILE"},
        {"MoreIncrementsThanTablesHold", replaced("20 0.25", "408 0.25"), "     TOO MUCH DATA FOR AVAILABLE STORAGE"},
        {"TruncatedFile", block.substr(0, block.find("2\r\n10\t10")),
         "     INPUT ERROR -- THE PROJECT FILE ENDS BEFORE ITS LAST RECORD (AFTER LINE 6)"},
        {"LetterWhereANumberBelongs", replaced("60000", "6OOOO"),
         "     INPUT ERROR -- '6OOOO' ON LINE 4 OF THE PROJECT FILE IS NOT A NUMBER"},
        {"ZeroIncrementLength", replaced("20 0.25", "20 0"),
         "     ERROR -- THE INCREMENT LENGTH MUST BE GREATER THAN ZERO"},
        {"StationOutsideTheWall", replaced("20\t20\t1\t8000", "20\t500\t1\t8000"),
         "     ERROR -- STATION 500 ON LINE 9 OF THE PROJECT FILE IS OUTSIDE THE WALL (STATIONS 0 TO 20)"},
        {"EmptyFile", "", "     INPUT ERROR -- THE PROJECT FILE ENDS BEFORE ITS LAST RECORD (AFTER LINE 0)"},
    };
}

void PrintTo(const InputErrorCase& c, std::ostream* out) { *out << c.name; }

class InputErrorTest : public testing::TestWithParam<InputErrorCase> {};

TEST_P(InputErrorTest, EndsTheRunWithItsMessage)
{
    test::TempDir folder;
    const auto out = test::runProjectText(folder.path(), GetParam().project);
    EXPECT_EQ(out.summary.status, RunSummary::Status::InputError);
    const std::string expected = GetParam().message + "\n\n\n\n     END OF ANALYSIS" + std::string(29, ' ') + "\n";
    EXPECT_TRUE(out.report.ends_with(expected)) << out.report.substr(out.report.size() > 600 ? out.report.size() - 600 : 0);
    // The failed case still gets its results section, empty as nothing was solved.
    const std::string lastLine = out.plot.substr(out.plot.rfind('\n', out.plot.size() - 2) + 1);
    EXPECT_TRUE(lastLine.starts_with(" 1 0 ")) << lastLine;
}

INSTANTIATE_TEST_SUITE_P(Errors, InputErrorTest, testing::ValuesIn(inputErrorCases()),
                         [](const testing::TestParamInfo<InputErrorCase>& info) { return info.param.name; });

TEST(Run, ErrorInSecondStageKeepsTheFirst)
{
    test::TempDir folder;
    std::string stage2 = caseBlock(" Stage No : 2", 2);
    stage2.replace(stage2.find("60000"), 5, "oops");
    const auto out = test::runProjectText(folder.path(), caseBlock("Basement", 2) + "1\r\n" + stage2 + "2\r\n");
    EXPECT_EQ(out.summary.casesRun, 2);
    EXPECT_NE(out.report.find("Stage No : 1  Basement"), std::string::npos);
    EXPECT_NE(out.report.find("'oops' ON LINE"), std::string::npos);
    // Stage 1's three sections, stage 2's pressure section, then a results
    // section holding stage 1's results again.
    const std::size_t first = out.plot.find(" 2 22 2\n");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(out.plot.find(" 2 22 2\n", first + 1), std::string::npos);
}

TEST(Run, MissingProjectFileIsReported)
{
    test::TempDir folder;
    RunRequest request = requestForProject(folder / "absent.tx5d");
    request.workDir = folder.path();
    const RunSummary summary = runProject(request);
    EXPECT_EQ(summary.status, RunSummary::Status::FileError);
    EXPECT_NE(test::readFile(request.reportFile).find("CANNOT OPEN THE PROJECT FILE"), std::string::npos);
}

TEST(Run, RunsLeaveNoStateBehind)
{
    const std::string project = caseBlock("Repeatable wall") + "9\r\n" + caseBlock("Repeatable wall") + "0\r\n";
    test::TempDir first, second, third, fourth;
    const auto a = test::runProjectText(first.path(), project);
    const auto b = test::runProjectText(second.path(), project);
    test::RunOutput c, d;
    std::thread one([&] { c = test::runProjectText(third.path(), project); });
    std::thread two([&] { d = test::runProjectText(fourth.path(), project); });
    one.join();
    two.join();
    // Only the folder in the file blocks differs between the runs.
    auto withoutFolder = [](std::string report, const test::TempDir& folder) {
        const std::string path = folder.path().string();
        for (std::size_t at = report.find(path); at != std::string::npos; at = report.find(path, at))
            report.replace(at, path.size(), "<folder>");
        return report;
    };
    const std::string expected = withoutFolder(a.report, first);
    const std::pair<const test::RunOutput*, const test::TempDir*> others[] = {{&b, &second}, {&c, &third}, {&d, &fourth}};
    for (const auto& [out, folder] : others) {
        EXPECT_TRUE(out->plot == a.plot);
        EXPECT_TRUE(out->notes == a.notes);
        EXPECT_TRUE(withoutFolder(out->report, *folder) == expected);
    }
}

}  // namespace
}  // namespace truvex
