// Construction stages: stage files, switching, copying, the number of
// stages, and splitting and joining the staged project file.
#include "ProgramData.h"

#include "ProjectFormat.h"
#include "TextFile.h"

#include <algorithm>
#include <filesystem>

namespace truvex {

namespace {

std::string StageStatus(int stage) { return "Construction Stage Number: " + std::to_string(stage); }

}  // namespace

std::string TProgramData::StageFileOf(const std::string& projectFile, int stage)
{
    return std::filesystem::path(projectFile).replace_extension(".st" + std::to_string(stage)).string();
}

void TProgramData::SwitchStage(int stage)
{
    if (stage == CurrentStage || stage < 1 || stage > MaxStages)
        return;
    WriteStageFile();
    CurrentStage = stage;
    ReadStageFile();
    if (events_.ShowStatus)
        events_.ShowStatus(StageStatus(stage));
}

void TProgramData::UpdateCurrentStage() { WriteStageFile(); }

std::string TProgramData::CopyStageQuestion(int stage)
{
    return "Do you want to copy all information from Stage " + std::to_string(stage - 1) + " to Stage " +
           std::to_string(stage);
}

void TProgramData::CopyPreviousStage()
{
    const int stage = CurrentStage;
    if (stage < 2 || !events_.AskYesNo || !events_.AskYesNo(CopyStageQuestion(stage)))
        return;
    CurrentStage = stage - 1;
    ReadStageFile();
    CurrentStage = stage;
    WriteStageFile();
}

void TProgramData::SetStageCount(int count)
{
    count = std::clamp(count, 1, MaxStages);
    const int old = StageCount;
    // The stage files are read again below: the current stage's edits are
    // written first, so that they are not lost.
    if (old > 1 && count > 1 && count != old)
        WriteStageFile();

    StageCount = count;
    if (count == 1 || old == 1 || count < old)
        CurrentStage = 1;
    if (events_.ShowStatus)
        events_.ShowStatus(count == 1 ? std::string() : StageStatus(CurrentStage));
    if (count == 1)
        for (int stage = 1; stage <= MaxStages; ++stage)
            DeleteFileIfExists(StageFile(stage));

    if (count > 1 && count != old) {
        // Every stage file is written again with the new count; a new stage
        // starts as a copy of the last existing one. A project that had one
        // stage has no stage files of its own to read.
        const int keep = CurrentStage;
        for (int stage = 1; stage <= count; ++stage) {
            CurrentStage = stage;
            if (old > 1 && stage <= old)
                ReadStageFile();
            StageCount = count;
            WriteStageFile();
        }
        CurrentStage = keep;
        ReadStageFile();
        Modified = true;
    }
    if (count > 1)
        for (int stage = count + 1; stage <= MaxStages; ++stage)
            DeleteFileIfExists(StageFile(stage));
}

void TProgramData::SplitStagedProject(FileLayout layout)
{
    const std::vector<std::string> lines = ReadTextLines(FileName);
    for (int stage = 1; stage <= MaxStages; ++stage)
        DeleteFileIfExists(StageFile(stage));

    // Stage 1 runs up to the first later line holding the marker; every
    // further stage from such a line to the next. The first and the last
    // line never count as markers, and markers after the fifth stage's are
    // left in it.
    std::vector<std::size_t> starts{0};
    for (std::size_t line = 1; line + 1 < lines.size() && starts.size() < static_cast<std::size_t>(MaxStages); ++line)
        if (lines[line].find(format::StageMarker) != std::string::npos)
            starts.push_back(line);
    starts.push_back(lines.size());
    for (std::size_t stage = 0; stage + 1 < starts.size(); ++stage) {
        const std::vector<std::string> part(lines.begin() + static_cast<std::ptrdiff_t>(starts[stage]),
                                            lines.begin() + static_cast<std::ptrdiff_t>(starts[stage + 1]));
        WriteTextFile(StageFile(static_cast<int>(stage) + 1), JoinLines(part));
    }

    if (layout == FileLayout::Current)
        return;
    // Stage files of an older layout are written again in the current one.
    for (int stage = 1; stage <= StageCount; ++stage) {
        CurrentStage = stage;
        HasMomentEICount = layout == FileLayout::Y2013;
        HasTiebackCount = false;
        ReadStageFile();
        WriteStageFile();
        if (events_.ShowStatus)
            events_.ShowStatus(StageStatus(stage));
    }
    SetCurrentLayoutFlags();
    CurrentStage = 1;
    ReadStageFile();
}

void TProgramData::JoinStageFiles(const std::string& target, const std::string& source)
{
    std::string text;
    for (int stage = 1; stage <= StageCount; ++stage)
        text += JoinLines(ReadTextLines(StageFileOf(source, stage)));
    WriteTextFile(target, text);
    if (target != source)
        for (int stage = 1; stage <= StageCount; ++stage)
            MoveFile(StageFileOf(source, stage), StageFileOf(target, stage));
}

void TProgramData::SaveProject()
{
    if (StageCount > 1)
        WriteStageFile();
    SaveTarget = FileName;
    if (StageCount > 1)
        JoinStageFiles(FileName, FileName);
    else
        Save();
}

void TProgramData::SaveProjectAs(const std::string& fileName)
{
    if (StageCount <= 1) {
        FileName = fileName;
        Save();
        return;
    }
    PreviousFileName = FileName;
    // The current stage's edits belong in the file saved.
    WriteStageFile();
    FileName = fileName;
    SaveTarget = FileName;
    JoinStageFiles(SaveTarget, PreviousFileName);
    FileName = SaveTarget;
    StageFileName = StageFile(CurrentStage);
}

}  // namespace truvex
