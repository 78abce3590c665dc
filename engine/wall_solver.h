// Beam-column solution of one case by iteration on the p-y curves:
// five-diagonal finite-difference equations, forward recursion with the
// special conditions of specified deflections and slopes, back substitution,
// soil springs linearised on the curves, and moment-EI re-evaluation.
#pragma once

#include "model.h"
#include "text_output.h"

#include <vector>

namespace truvex {

struct StationResult {
    int station = 0;
    double x = 0;
    double deflection = 0;
    double slope = 0;
    double moment = 0;
    double shear = 0;
    double netReaction = 0;   // per station
    double ei = 0;
};

struct TiebackResult {
    int number = 0;
    int station = 0;
    double depth = 0;
    double horizontalForce = 0;   // per station
    double axialForce = 0;        // per station, along the tieback
    double forcePerTieback = 0;
};

struct Solution {
    int iterations = 0;
    bool offCurve = false;
    int stationsBeyondMaxDeflection = 0;
    int stationsNotClosed = 0;
    std::vector<StationResult> stations;   // stations 0 .. n+1
    std::vector<TiebackResult> tiebacks;
};

// Deflections carried from one case to the next: the moment-EI evaluation
// of a case starts from the deflections its predecessor left.
struct SolverState {
    StationTable deflections;
};

// Solves the case in `model` (whose EI table the moment-EI ranges update),
// writes the iteration monitor to `notes`, and leaves the final deflections
// in `state`. Throws RunStop when a p-y range runs upwards.
Solution solveWall(CaseModel& model, SolverState& state, TextOutput& notes);

}  // namespace truvex
