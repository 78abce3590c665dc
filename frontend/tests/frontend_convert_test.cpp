#include "project_test_support.h"

#include "project/Convert.h"
#include "project/TextFile.h"

#include <QTest>

#include <sstream>

using namespace truvex;
using namespace truvex::test;

class ConvertTest : public QObject {
    Q_OBJECT

private slots:
    void convertsEachFileAndReportsFailures();
    void layoutByFilter();
};

void ConvertTest::convertsEachFileAndReportsFailures()
{
    QTemporaryDir dir;
    const std::string y2013 = WriteFile(dir, "single.tx4d",
                                        Crlf({"Single", "1 0\t1\t0\t1\t0 0 1 0", "20 6\t12\t1E-5\t60", "0\t20\t1\t1E9",
                                              "0", "0", "1", "0\t0", "0"}));
    const std::string staged = WriteFile(dir, "staged.txd",
                                         Crlf({"Staged", "1 0\t1\t0\t1\t0 0 2", "20 6\t12\t1E-5\t60", "0\t20\t1\t1E9",
                                               "0", "0", "1", "0\t0", "1", " Stage No : 2", "1 0\t1\t0\t1\t0 0 2",
                                               "24 6\t12\t1E-5\t90", "0\t24\t1\t1E9", "0", "0", "1", "0\t0", "2"}));
    const std::string broken = WriteFile(dir, "broken.tx5d", Crlf({"Broken", "1 0\t1.5"}));
    const std::string missing = PathIn(dir, "missing.tx4d");

    std::ostringstream out;
    std::ostringstream err;
    QCOMPARE(ConvertProjectFiles({y2013, broken, missing, staged}, 0, out, err), 1);
    QCOMPARE(err.str(), broken + ": Error on Line 2 Item 3 An integer was expected but not found.\n" + missing +
                            ": Cannot open file \"" + missing + "\". The file does not exist or cannot be read.\n");
    QCOMPARE(out.str(), y2013 + ": saved as " + PathIn(dir, "single.tx5d") + "\n" + staged + ": saved as " +
                            PathIn(dir, "staged.tx5d") + " with 2 stage files\n");

    QCOMPARE(ReadTextLines(PathIn(dir, "single.tx5d"))[1], std::string("1 0\t1\t0\t1\t0 0 1 0 0"));
    QCOMPARE(ReadTextLines(PathIn(dir, "single.tx5d"))[2], std::string("20 6\t12\t1E-5\t60\t0"));
    const std::string joined = ReadFile(PathIn(dir, "staged.tx5d"));
    QCOMPARE(joined, ReadFile(PathIn(dir, "staged.st1")) + ReadFile(PathIn(dir, "staged.st2")));
    QVERIFY(joined.find("\r\n24 6\t12\t1E-5\t90\t0\r\n") != std::string::npos);
    QVERIFY(!FileExists(PathIn(dir, "broken.st1")));
}

void ConvertTest::layoutByFilter()
{
    QTemporaryDir dir;
    const std::string old = WriteFile(dir, "old.txd",
                                      Crlf({"Two", "1 0\t1\t0\t1\t0 0", "10 6\t12\t1E-5\t0", "0\t10\t1\t1E9", "0", "0",
                                            "2", "0\t0", "10\t5"}));
    std::ostringstream out;
    std::ostringstream err;
    QCOMPARE(ConvertMain({old}, out, err), 1);  // read as version 3.0: fails
    QCOMPARE(ConvertMain({"--layout", "4", old}, out, err), 0);
    QCOMPARE(ReadTextLines(PathIn(dir, "old.tx5d"))[1], std::string("1 0\t1\t0\t1\t0 0 1 0 0"));
    // Usage errors.
    QCOMPARE(ConvertMain({"--layout", "6", old}, out, err), 2);
    QCOMPARE(ConvertMain({"--layout"}, out, err), 2);
    QCOMPARE(ConvertMain({}, out, err), 2);
}

QTEST_APPLESS_MAIN(ConvertTest)
#include "frontend_convert_test.moc"
