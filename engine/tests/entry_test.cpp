// The exported entry as the front end uses it: loaded for one run, called
// with the interface code, unloaded afterwards.
#include "test_support.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdint>
#include <unistd.h>

namespace truvex {
namespace {

using EntryFunction = std::int32_t (*)(std::int32_t);

// Makes `folder` the current directory for the lifetime of the object.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::filesystem::path& folder) : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~CurrentDirectory() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

class EntryTest : public testing::Test {
protected:
    void SetUp() override
    {
        library_ = dlopen(TRUVEX_ENGINE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
        entry_ = reinterpret_cast<EntryFunction>(dlsym(library_, "_ITRUVEX"));
        ASSERT_NE(entry_, nullptr);
    }
    void TearDown() override
    {
        if (library_)
            dlclose(library_);
    }

    void writeHandOff(int lines) const
    {
        const std::string base = (folder_.path() / "wall").string();
        const std::string all[8] = {"2015.5.17", "Geotechnical Section", "City Engineering, Ottawa", "4711",
                                    base + ".tx5d", base + ".tx5o", base + ".tx5p", base + ".tx5r"};
        std::string text;
        for (int i = 0; i < lines; ++i)
            text += all[i] + "   \r\n";   // names padded with blanks, as the front end may
        test::writeFile(folder_ / "NAMES.dat", text);
    }

    test::TempDir folder_;
    void* library_ = nullptr;
    EntryFunction entry_ = nullptr;
};

const char* const kSmallWall = "Small wall\r\n"
                               "2 0\t1\t0\t0\t0 0 1 0 0\r\n"
                               "10 0.5\t1\t1E-5\t0\t1\r\n"
                               "0\t10\t1\t50000\r\n"
                               "1\r\n"
                               "1\t0\t0\t10\t0\t0\r\n"
                               "1\r\n"
                               "0\t10\t1\t1000\t0\r\n"
                               "0\r\n";

TEST_F(EntryTest, BothNamesLeadToTheSameEntry)
{
    EXPECT_EQ(reinterpret_cast<void*>(entry_), dlsym(library_, "ITRUVEX"));
}

TEST_F(EntryTest, WrongInterfaceCodeDoesNothing)
{
    writeHandOff(8);
    test::writeFile(folder_ / "wall.tx5d", kSmallWall);
    test::writeFile(folder_ / "wall.tx5o", "old report");
    CurrentDirectory here(folder_.path());
    for (std::int32_t code : {16, 18, 0, -17}) {
        EXPECT_EQ(entry_(code), 1) << code;
        EXPECT_EQ(test::readFile(folder_ / "wall.tx5o"), "old report");
        EXPECT_FALSE(std::filesystem::exists(folder_ / "wall.tx5p"));
        EXPECT_FALSE(std::filesystem::exists(folder_ / "wall.tx5r"));
    }
}

TEST_F(EntryTest, RunsTheProjectNamedInTheHandOffFile)
{
    writeHandOff(8);
    test::writeFile(folder_ / "wall.tx5d", kSmallWall);
    CurrentDirectory here(folder_.path());
    ASSERT_EQ(entry_(17), 0);
    const std::string report = test::readFile(folder_ / "wall.tx5o");
    EXPECT_NE(report.find("  TRUVEX for Windows, Version 2015.5.17   \n"), std::string::npos);
    EXPECT_NE(report.find("   User Identification No. :      4711\n"), std::string::npos);
    EXPECT_NE(report.find("\n     City Engineering, Ottawa\n"), std::string::npos);
    EXPECT_NE(report.find("Name of input data file     : wall.tx5d\n"), std::string::npos);
    EXPECT_NE(report.find("     END OF ANALYSIS"), std::string::npos);
    EXPECT_NE(test::readFile(folder_ / "wall.tx5r").find("ITERATION MONITOR DATA"), std::string::npos);
}

TEST_F(EntryTest, InputErrorStillReturnsZero)
{
    writeHandOff(8);
    test::writeFile(folder_ / "wall.tx5d", "Broken\r\n2 0 1 0 0 0 0 1 0 0\r\n10 x\r\n");
    CurrentDirectory here(folder_.path());
    ASSERT_EQ(entry_(17), 0);
    EXPECT_NE(test::readFile(folder_ / "wall.tx5o").find("'x' ON LINE 3"), std::string::npos);
}

TEST_F(EntryTest, MissingFileNamesOpenNothing)
{
    writeHandOff(6);
    test::writeFile(folder_ / "wall.tx5d", kSmallWall);
    CurrentDirectory here(folder_.path());
    testing::internal::CaptureStderr();
    EXPECT_EQ(entry_(17), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              " PLEASE CREATE AN INPUT DATA FILE AND SAVE IT\n BEFORE COMPUTATION.  TRY IT AGAIN!\n");
    EXPECT_FALSE(std::filesystem::exists(folder_ / "wall.tx5o"));
}

TEST_F(EntryTest, LibraryUnloadsCompletely)
{
    writeHandOff(8);
    test::writeFile(folder_ / "wall.tx5d", kSmallWall);
    {
        CurrentDirectory here(folder_.path());
        ASSERT_EQ(entry_(17), 0);
    }
    ASSERT_EQ(dlclose(library_), 0);
    library_ = nullptr;
    void* stillLoaded = dlopen(TRUVEX_ENGINE_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(stillLoaded, nullptr);
    if (stillLoaded)
        dlclose(stillLoaded);
}

}  // namespace
}  // namespace truvex
