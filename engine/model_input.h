// Reading and echo of one case of the project file: the control and
// increment records, restraints, the stiffness, load, spring and tieback
// rows with their distribution over the stations, earth pressure, soil
// data, p-y curves and moment-EI ranges. Writes the plot-data sections of
// earth pressure and p-y curves as the case is read.
#pragma once

#include "free_format.h"
#include "model.h"
#include "plot_data.h"
#include "text_output.h"
#include "units.h"

#include <filesystem>

namespace truvex {

// Record 2. Throws RunStop on a negative count.
void readControl(FreeFormatReader& in, Control& control);

class CaseReader {
public:
    // `workDir` holds the scratch files of the generation modules; `notes`
    // (the run-notes file) receives their warnings when given.
    CaseReader(FreeFormatReader& in, TextOutput& report, TextOutput& plot, CaseModel& model,
               std::filesystem::path workDir = ".", TextOutput* notes = nullptr);

    // Everything after record 2, once the case header has been printed.
    void readRest();

private:
    void echoControl();
    void readIncrements();
    void readRestraints();
    void readStationTables();
    void readPyModifications();
    void readEarthPressure();
    void echoPressureHeads();
    void readGeneratedPressure(const std::filesystem::path& pressureFile);
    void readSoilData();
    void applyUserPressureSurcharges();
    void addPressureLoads(double deepestDepth);
    void checkDataBeyondEnd() const;
    void readPyCurves();
    void readGeneratedPyCurves(std::vector<PlotCurve>& plotCurves);
    void readMomentEi();

    int readCount();
    void checkStation(int station) const;

    FreeFormatReader& in_;
    TextOutput& report_;
    TextOutput& plot_;
    CaseModel& model_;
    Control& control_;
    UnitLabels labels_;
    std::filesystem::path workDir_;
    TextOutput* notes_;
};

}  // namespace truvex
