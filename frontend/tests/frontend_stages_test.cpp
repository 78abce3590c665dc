#include "project_test_support.h"

#include "project/TextFile.h"

#include <QTest>

using namespace truvex;
using namespace truvex::test;

class StagesTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void oneStageMadeThree();
    void fewerStages();
    void backToOneStage();
    void switchStage();
    void copyPreviousStage();
    void moreStagesKeepCurrentEdits();
    void stageSwitchesFollowTheFile();
    void stageFileGenerationSwitch();
    void savedAndReopened();
    void saveAsMovesStageFiles();
    void olderLayoutsRewritten_data();
    void olderLayoutsRewritten();

private:
    TProgramData& Project() { return *project_; }
    std::string Stage(int stage) const { return project_->StageFile(stage); }
    bool Exists(int stage) const { return FileExists(Stage(stage)); }
    // The project text of a stage file without its title line and end marker.
    std::string Body(int stage) const;

    std::unique_ptr<TInputTables> tables_;
    std::unique_ptr<TProgramData> project_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::vector<std::string> status_;
    std::vector<std::string> questions_;
    std::vector<std::string> messages_;
    bool answer_ = false;
};

void StagesTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    tables_ = TInputTables::FromResource();
    TProjectEvents events;
    events.ShowStatus = [this](const std::string& text) { status_.push_back(text); };
    events.AskYesNo = [this](const std::string& question) {
        questions_.push_back(question);
        return answer_;
    };
    events.ShowInformation = [this](const std::string& text) { messages_.push_back(text); };
    project_ = std::make_unique<TProgramData>(*tables_, events);
    project_->New();
    project_->Title = "Staged wall";
    project_->FileName = PathIn(*dir_, "staged.tx5d");
    project_->IncrementCount = 30;
    status_.clear();
    questions_.clear();
    messages_.clear();
}

void StagesTest::cleanup()
{
    project_.reset();
    tables_.reset();
    dir_.reset();
}

std::string StagesTest::Body(int stage) const
{
    std::vector<std::string> lines = ReadTextLines(Stage(stage));
    if (lines.size() < 2)
        return {};
    return JoinLines({lines.begin() + 1, lines.end() - 1});
}

void StagesTest::oneStageMadeThree()
{
    // A stage file left from elsewhere is not taken for the new stage.
    WriteFile(*dir_, "staged.st2", Crlf({" Stage No : 2", "stale"}));
    Project().SetStageCount(3);
    QCOMPARE(Project().StageCount, 3);
    QCOMPARE(Project().CurrentStage, 1);
    QVERIFY(Project().Modified);
    QCOMPARE(status_.front(), std::string("Construction Stage Number: 1"));
    for (int stage = 1; stage <= 3; ++stage) {
        QVERIFY(Exists(stage));
        QCOMPARE(Body(stage), Body(1));
    }
    QVERIFY(!Exists(4) && !Exists(5));
    const std::vector<std::string> second = ReadTextLines(Stage(2));
    QCOMPARE(second.front(), std::string(" Stage No : 2"));
    QCOMPARE(second.back(), std::string("2"));
    QCOMPARE(second[1], std::string("1 0\t1\t0\t2\t2 0 3 0 0"));
    QCOMPARE(ReadTextLines(Stage(1)).front(), std::string("Staged wall"));
    QCOMPARE(ReadTextLines(Stage(1)).back(), std::string("1"));
    QCOMPARE(Project().Title, std::string("Staged wall"));
}

void StagesTest::fewerStages()
{
    Project().SetStageCount(4);
    Project().SwitchStage(3);
    Project().SetStageCount(2);
    QCOMPARE(Project().CurrentStage, 1);
    QVERIFY(Exists(1) && Exists(2));
    QVERIFY(!Exists(3) && !Exists(4));
    QCOMPARE(ReadTextLines(Stage(2))[1], std::string("1 0\t1\t0\t2\t2 0 2 0 0"));
    QCOMPARE(status_.back(), std::string("Construction Stage Number: 1"));
}

void StagesTest::backToOneStage()
{
    Project().SetStageCount(3);
    WriteFile(*dir_, "staged.st5", "left over\r\n");
    Project().SetStageCount(1);
    for (int stage = 1; stage <= MaxStages; ++stage)
        QVERIFY(!Exists(stage));
    QCOMPARE(Project().StageCount, 1);
    QCOMPARE(Project().CurrentStage, 1);
    QCOMPARE(status_.back(), std::string());
}

void StagesTest::switchStage()
{
    Project().SetStageCount(3);
    Project().SwitchStage(2);
    QCOMPARE(status_.back(), std::string("Construction Stage Number: 2"));
    QCOMPARE(Project().Title, std::string(" Stage No : 2"));
    Project().IncrementCount = 22;

    // To the same stage: nothing is written or read.
    DeleteFileIfExists(Stage(2));
    Project().SwitchStage(2);
    QVERIFY(!Exists(2));
    QCOMPARE(Project().IncrementCount, 22);

    // To another: the current stage is written first.
    Project().SwitchStage(3);
    QCOMPARE(ReadTextLines(Stage(2))[2].substr(0, 3), std::string("22 "));
    QCOMPARE(Project().IncrementCount, 30);
    QCOMPARE(Project().StageFileName, Stage(3));
    Project().SwitchStage(2);
    QCOMPARE(Project().IncrementCount, 22);
    Project().SwitchStage(1);
    QCOMPARE(Project().Title, std::string("Staged wall"));
}

void StagesTest::copyPreviousStage()
{
    Project().SetStageCount(3);
    Project().SwitchStage(2);
    Project().IncrementCount = 22;
    Project().UpdateCurrentStage();
    Project().SwitchStage(3);
    Project().IncrementCount = 33;
    const std::string before = ReadFile(Stage(3));

    answer_ = false;
    Project().CopyPreviousStage();
    QCOMPARE(questions_.back(), std::string("Do you want to copy all information from Stage 2 to Stage 3"));
    QCOMPARE(Project().IncrementCount, 33);
    QCOMPARE(ReadFile(Stage(3)), before);

    answer_ = true;
    Project().CopyPreviousStage();
    QCOMPARE(Project().CurrentStage, 3);
    QCOMPARE(Project().IncrementCount, 22);
    QCOMPARE(Body(3), Body(2));
    QCOMPARE(ReadTextLines(Stage(3)).front(), std::string(" Stage No : 3"));
    QCOMPARE(ReadTextLines(Stage(3)).back(), std::string("3"));

    // Stage 1 has no previous stage.
    Project().SwitchStage(1);
    const std::size_t asked = questions_.size();
    Project().CopyPreviousStage();
    QCOMPARE(questions_.size(), asked);
}

void StagesTest::moreStagesKeepCurrentEdits()
{
    Project().SetStageCount(2);
    Project().SwitchStage(2);
    Project().IncrementCount = 22;
    Project().SetStageCount(3);
    QCOMPARE(Project().CurrentStage, 2);
    QCOMPARE(Project().IncrementCount, 22);
    QCOMPARE(ReadTextLines(Stage(2))[2].substr(0, 3), std::string("22 "));
    // The new stage starts as a copy of the last existing one.
    QCOMPARE(Body(3), Body(2));
    QCOMPARE(ReadTextLines(Stage(1))[2].substr(0, 3), std::string("30 "));
}

void StagesTest::stageSwitchesFollowTheFile()
{
    Project().ApplyRestraints = true;
    Project().ApplyConcentratedLoads = true;
    Project().SetStageCount(2);
    Project().SwitchStage(2);
    Project().ApplyRestraints = false;
    Project().ApplyConcentratedLoads = false;
    Project().SwitchStage(1);
    QVERIFY(Project().ApplyRestraints && Project().ApplyConcentratedLoads);
    Project().SwitchStage(2);
    QVERIFY(!Project().ApplyRestraints && !Project().ApplyConcentratedLoads);
    Project().UpdateCurrentStage();
    QCOMPARE(ReadTextLines(Stage(2))[1], std::string("1 0\t1\t0\t2\t2 0 2 0 0"));
}

void StagesTest::stageFileGenerationSwitch()
{
    // KOUTPT 0 with KPYOP 2: a stage file keeps generating p-y curves, a
    // project file does not.
    const std::string block = Crlf({" Stage No : 2", "1 0\t1\t0\t0\t2 0 2 0 0", "30 0\t100\t1E-5\t0\t0",
                                    "0\t1\t1\t0", "0", "0", "0\t0\t0\t0\t0\t1\t1\t0", "0\t0\t0\t0\t0\t0", "0",
                                    "1", "1 0 ", "0 0 0.0  0 0 0 ", "0 0 0.0  0 0 0 ", "2"});
    Project().SetStageCount(2);
    WriteFile(*dir_, "staged.st2", block);
    Project().SwitchStage(2);
    QCOMPARE(messages_, std::vector<std::string>());
    QCOMPARE(Project().GeneratePYCurves, 1);
    QCOMPARE(Project().EarthPressureCode, 0);

    const std::string path = WriteFile(*dir_, "single.tx5d", block);
    project_ = std::make_unique<TProgramData>(*tables_);
    QCOMPARE(Project().Open(path, FileLayout::Current), std::string());
    QCOMPARE(Project().GeneratePYCurves, 0);
}

void StagesTest::savedAndReopened()
{
    Project().SetStageCount(3);
    for (int stage = 2; stage <= 3; ++stage) {
        Project().SwitchStage(stage);
        Project().IncrementCount = 10 * stage;
        Project().ApplyTiebacks = stage == 3;
    }
    Project().SaveProject();
    QCOMPARE(Project().SaveTarget, Project().FileName);
    std::string joined;
    std::vector<std::string> stageFiles;
    for (int stage = 1; stage <= 3; ++stage) {
        stageFiles.push_back(ReadFile(Stage(stage)));
        joined += stageFiles.back();
    }
    QCOMPARE(ReadFile(Project().FileName), joined);

    const std::string fileName = Project().FileName;
    project_ = std::make_unique<TProgramData>(*tables_);
    QCOMPARE(Project().Open(fileName, FileLayout::Current), std::string());
    QCOMPARE(Project().StageCount, 3);
    QCOMPARE(Project().IncrementCount, 30);
    Project().SplitStagedProject(FileLayout::Current);
    for (int stage = 1; stage <= 3; ++stage)
        QCOMPARE(ReadFile(Stage(stage)), stageFiles[static_cast<std::size_t>(stage - 1)]);
    QCOMPARE(Project().Title, std::string("Staged wall"));
    Project().SwitchStage(3);
    QVERIFY(Project().ApplyTiebacks);
}

void StagesTest::saveAsMovesStageFiles()
{
    Project().SetStageCount(2);
    Project().SaveProject();
    Project().SwitchStage(2);
    Project().IncrementCount = 44;  // not yet in any stage file

    const std::string oldName = Project().FileName;
    const std::string newName = PathIn(*dir_, "renamed.tx5d");
    Project().SaveProjectAs(newName);
    QCOMPARE(Project().FileName, newName);
    QCOMPARE(Project().PreviousFileName, oldName);
    for (int stage = 1; stage <= 2; ++stage) {
        QVERIFY(!FileExists(TProgramData::StageFileOf(oldName, stage)));
        QVERIFY(FileExists(TProgramData::StageFileOf(newName, stage)));
    }
    const std::string joined = ReadFile(newName);
    QVERIFY(joined.find("\r\n44 ") != std::string::npos);
    QCOMPARE(joined, ReadFile(Stage(1)) + ReadFile(Stage(2)));
    Project().SwitchStage(1);
    QVERIFY(FileExists(TProgramData::StageFileOf(newName, 2)));
}

void StagesTest::olderLayoutsRewritten_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("content");
    // Two stages in the 2013 layout: nine control values, five in record 3.
    QTest::newRow("2013") << "old.tx4d"
                          << QString::fromStdString(Crlf({"Old staged", "1 0\t1\t0\t1\t0 0 2 0", "20 6\t12\t1E-5\t60",
                                                          "0\t20\t1\t1E9", "0", "0", "1", "0\t0", "1", " Stage No : 2",
                                                          "1 0\t1\t0\t1\t0 0 2 0", "24 6\t12\t1E-5\t90",
                                                          "0\t24\t1\t1E9", "0", "0", "1", "0\t0", "2"}));
    // The same in version 3.0, which has no moment-EI count either.
    QTest::newRow("3.0") << "old.txd"
                         << QString::fromStdString(Crlf({"Old staged", "1 0\t1\t0\t1\t0 0 2", "20 6\t12\t1E-5\t60",
                                                         "0\t20\t1\t1E9", "0", "0", "1", "0\t0", "1", " Stage No : 2",
                                                         "1 0\t1\t0\t1\t0 0 2", "24 6\t12\t1E-5\t90", "0\t24\t1\t1E9",
                                                         "0", "0", "1", "0\t0", "2"}));
}

void StagesTest::olderLayoutsRewritten()
{
    QFETCH(QString, name);
    QFETCH(QString, content);
    const std::string path = WriteFile(*dir_, qPrintable(name), content.toStdString());
    project_ = std::make_unique<TProgramData>(*tables_, project_->Events());
    const FileLayout layout = LayoutFromExtension(path);
    QCOMPARE(Project().Open(path, layout), std::string());
    QCOMPARE(Project().StageCount, 2);
    status_.clear();
    Project().SplitStagedProject(layout);
    QCOMPARE(messages_, std::vector<std::string>());
    QCOMPARE(status_, (std::vector<std::string>{"Construction Stage Number: 1", "Construction Stage Number: 2"}));
    QCOMPARE(Project().CurrentStage, 1);
    QVERIFY(Project().HasMomentEICount && Project().HasTiebackCount);
    QCOMPARE(Project().IncrementCount, 20);
    QCOMPARE(ReadTextLines(Stage(1))[1], std::string("1 0\t1\t0\t1\t0 0 2 0 0"));
    QCOMPARE(ReadTextLines(Stage(1))[2], std::string("20 6\t12\t1E-5\t60\t0"));
    QCOMPARE(ReadTextLines(Stage(2))[2], std::string("24 6\t12\t1E-5\t90\t0"));
    QCOMPARE(ReadTextLines(Stage(2)).back(), std::string("2"));
    Project().SwitchStage(2);
    QCOMPARE(Project().IncrementCount, 24);
    QCOMPARE(static_cast<double>(Project().FreeHeight), 90.0);
}

QTEST_APPLESS_MAIN(StagesTest)
#include "frontend_stages_test.moc"
