// TProgramData: the current project's scalar data, switches, unit system,
// stage bookkeeping and file names. Together with the input tables of the
// main window it is the project: both are reset, saved and opened together.
// The operations on project and stage files are members as well; they live
// in ProjectWrite.cpp, ProjectRead.cpp and Stages.cpp.
#pragma once

#include "entry/InputTables.h"
#include "project/ProjectResults.h"

#include <functional>
#include <memory>
#include <string>

namespace truvex {

// What the window layer is asked to do or told while the project changes.
// Every member may be left empty (no windows, no questions: the answer is No).
struct TProjectEvents {
    // Close every dialog and table window of the main window.
    std::function<void()> CloseChildWindows;
    // The unit system changed: open dialogs read the project again.
    std::function<void()> UnitsChanged;
    // The status bar text.
    std::function<void(const std::string& text)> ShowStatus;
    // A message with the information icon and an OK button (reading errors).
    std::function<void(const std::string& text)> ShowInformation;
    // A question with Yes and No; true for Yes.
    std::function<bool(const std::string& question)> AskYesNo;
};

// The layouts a project file may have, numbered as the open dialog's filter
// positions; position 5 (all files) reads as version 2.0.
enum class FileLayout { Current = 1, Y2013 = 2, V30 = 3, V20 = 4 };

// The layout of filter position 1 to 5.
FileLayout LayoutFromFilter(int filter);
// The layout of a file opened without the dialog: ".txd" is version 3.0,
// ".tx4d" the 2013 layout, anything else the current one.
FileLayout LayoutFromExtension(const std::string& fileName);

inline constexpr const char* DefaultFileName = "NewWall.tx5d";
inline constexpr const char* DefaultTitle = "New Wall";
inline constexpr int MaxStages = 5;

class TProgramData {
public:
    // The project uses the main window's input tables for its whole life;
    // a new object holds the defaults but leaves the tables alone until New
    // or Open.
    explicit TProgramData(TInputTables& tables, TProjectEvents events = {});
    TProgramData(const TProgramData&) = delete;
    TProgramData& operator=(const TProgramData&) = delete;

    TInputTables& Tables() const { return *tables_; }
    TGridTable& Table(std::string_view name) const { return tables_->Table(name); }
    const TProjectEvents& Events() const { return events_; }

    // Files and identity.
    std::string FileName = DefaultFileName;
    std::string Title = DefaultTitle;
    std::string StageFileName;
    std::string SaveTarget;
    std::string PreviousFileName;

    // Wall and iteration control.
    int IncrementCount = 0;
    long double IncrementLength = 0;
    long double MaxDeflection = 100;
    long double ClosureTolerance = 1E-5L;
    long double FreeHeight = 0;  // inches when English

    // Wall configuration and water.
    long double ActiveWidth = 0;
    long double ResistanceWidth = 0;
    long double WaterDepthBackfill = 0;    // inches when English
    long double WaterDepthExcavation = 0;  // inches when English
    long double ActivePressureFactor = 1.0L;
    long double BackfillSlope = 0;
    long double UniformSurcharge = 0;  // lb/in2 when English
    int SoilControlCode = 1;

    // The single surcharge of older files, kept and written unchanged.
    long double Distance = 0;
    long double PointLoad = 0;
    long double LineLoad = 0;
    long double StripLoad = 0;
    long double StripWidth = 0;

    // Switches.
    bool ApplyRestraints = false;
    bool ApplyConcentratedLoads = false;
    bool ApplyLateralSprings = false;
    bool ApplyTiebacks = false;
    bool ApplyPYModification = false;
    bool ApplyExternalPY = false;
    bool ApplyMomentEI = false;
    bool ApplySurcharge = false;
    bool UserEarthPressure = false;
    bool LongTermAnalysis = false;
    int GeneratePYCurves = 1;
    int EarthPressureChoice = 2;
    int EarthPressureGenerated = 0;

    // Codes derived at save time.
    int EarthPressureCode = 0;  // KOUTPT
    int PYCurveCode = 0;        // KPYOP
    int MomentEICount = 0;      // NMEI
    int TiebackCount = 0;       // NTIE
    int CaseCode = 0;           // 9 when a long-term case follows

    // Stages.
    int StageCount = 1;
    int CurrentStage = 1;

    // The layout of the last file read or written.
    bool ThreeZeroLayout = true;
    bool HasMomentEICount = true;
    bool HasTiebackCount = true;

    // The main window's modified marker; dialogs set it on every change.
    bool Modified = false;

    // The depth profiles of the last analysis, for the model views.
    TProjectResults Results;

    // ---- The project as a whole --------------------------------------

    // Closes the child windows and gives the defaults: unit system 1, every
    // table at its minimum rows of default cells, markers cleared, layout
    // flags set.
    void New();

    int Units() const { return units_; }
    // Converts the project to another unit system (clamped to 1..3): its
    // fields, every input table and the surcharge magnitudes. Only switches
    // between English and SI convert values.
    void SetUnits(int system);

    // The window's marker or any table's.
    bool IsModified() const;
    // Clears the window's and every table's marker.
    void ClearModified();
    // The layout flags of a file in the current layout.
    void SetCurrentLayoutFlags();

    // ---- Project file (ProjectWrite.cpp, ProjectRead.cpp) -------------

    // Writes FileName in the current layout: one case block and 0, or the
    // short-term block, 9, the long-term block and 0. The file is replaced
    // only when written completely; an error raises EInOutError.
    void Save();
    // The text that Save writes (switched-off tables are emptied on the way).
    std::string ProjectText();

    // Fills this new project from a file of the layout: FileName is set,
    // the tables emptied, the file read. Returns the reading error's message,
    // empty when the file was read completely; either way the tables end
    // with at least their minimum rows and the markers cleared.
    std::string Open(const std::string& fileName, FileLayout layout);

    // ---- Stages (Stages.cpp) ------------------------------------------

    // The stage file of stage k: FileName with the extension ".st" + k.
    std::string StageFile(int stage) const { return StageFileOf(FileName, stage); }
    static std::string StageFileOf(const std::string& projectFile, int stage);

    // Writes the current data as the stage file of CurrentStage.
    void WriteStageFile();
    // The text of the stage file of CurrentStage.
    std::string StageText();
    // Reads the stage file of CurrentStage into the current data when it
    // exists. A reading error is shown through ShowInformation and returned.
    std::string ReadStageFile();
    // Switches to stage k: the current stage is written first.
    void SwitchStage(int stage);
    // Writes the current stage file.
    void UpdateCurrentStage();
    // Asks whether stage k-1 is to be copied into stage k; on Yes stage
    // k-1's file is read and written as stage k's.
    void CopyPreviousStage();
    static std::string CopyStageQuestion(int stage);
    // The staged-construction dialog's OK: a new number of stages, with the
    // stage files rewritten or deleted.
    void SetStageCount(int count);
    // After a staged project file was opened: splits it into its stage
    // files, rewrites them in the current layout when the file had an older
    // layout, and leaves stage 1 current.
    void SplitStagedProject(FileLayout layout);
    // Writes `target` as the stage files of `source` one after another and,
    // when the names differ, moves those stage files to `target`'s names.
    void JoinStageFiles(const std::string& target, const std::string& source);

    // The main window's Save of a project with a .tx5d name: a staged
    // project writes its current stage and joins the stage files.
    void SaveProject();
    // Save As: FileName becomes `fileName`; a staged project's stage files
    // are joined into it and moved to its names.
    void SaveProjectAs(const std::string& fileName);

private:
    TInputTables* tables_;
    TProjectEvents events_;
    int units_ = 1;
};

// ---- The current project ------------------------------------------------

// The one current project of the front end.
bool HasCurrentProject();
TProgramData& CurrentProject();
// File New: frees the current project, then creates its replacement with
// the defaults.
TProgramData& NewCurrentProject(TInputTables& tables, TProjectEvents events = {});
// File Open: frees the current project, then reads its replacement from the
// file. A failed open still gives a current project; the error's message is
// returned (empty when the file was read completely).
std::string OpenCurrentProject(TInputTables& tables, TProjectEvents events, const std::string& fileName,
                               FileLayout layout);
// Frees the current project (at the program's end).
void ReleaseCurrentProject();

}  // namespace truvex
