// The distribution of table rows over the stations. A row covers a range of
// stations with constant values, or (Interpolate code 2) starts a range that
// the next row closes, with values going linearly between the two rows.
// End stations of a range keep half their value, so that two ranges meeting
// at a station add up to the full value there.
#pragma once

#include "model.h"

#include <array>

namespace truvex {

// Values of a row in table order: EI, Q, S, T, R, P.
using StationValues = std::array<double, 6>;

struct DistributedRow {
    int first = 0;
    int last = 0;
    int interpolate = 1;   // 1 constant, 2 interpolate to the next row's end
    StationValues values{};
};

class StationDistributor {
public:
    explicit StationDistributor(CaseModel& model) : model_(model) {}

    // Adds the row and returns its pattern 2p + c + 1 (p, c: the previous
    // and this row's Interpolate code minus 1), which also picks the echo
    // layout. Throws RunStop for a range whose last station is before its
    // first.
    int add(const DistributedRow& row);

private:
    void applyRange(int first, int last, const StationValues& startValues, const StationValues& endValues);

    CaseModel& model_;
    int previousCode_ = 1;
    int heldStation_ = 0;
    StationValues heldValues_{};
};

}  // namespace truvex
