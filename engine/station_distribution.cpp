#include "station_distribution.h"

#include "run_stop.h"

namespace truvex {

int StationDistributor::add(const DistributedRow& row)
{
    const int pattern = 2 * (previousCode_ - 1) + (row.interpolate - 1) + 1;
    switch (pattern) {
    case 1:
        applyRange(row.first, row.last, row.values, row.values);
        break;
    case 2:
        heldStation_ = row.first;
        heldValues_ = row.values;
        break;
    case 3:
        applyRange(heldStation_, row.last, heldValues_, row.values);
        break;
    case 4:
        applyRange(heldStation_, row.last, heldValues_, row.values);
        heldStation_ = row.last;
        heldValues_ = row.values;
        break;
    }
    previousCode_ = row.interpolate;
    return pattern;
}

void StationDistributor::applyRange(int first, int last, const StationValues& startValues,
                                    const StationValues& endValues)
{
    if (last < first)
        throw RunStop(kStationsNotInOrder);
    std::array<StationTable*, 6> tables = {&model_.ei, &model_.q, &model_.s, &model_.t, &model_.r, &model_.p};
    for (std::size_t k = 0; k < tables.size(); ++k) {
        StationTable& table = *tables[k];
        if (first == last) {
            table[first] += startValues[k];
            continue;
        }
        const double span = last - first;
        for (int j = first; j <= last; ++j)
            table[j] += startValues[k] + (endValues[k] - startValues[k]) * (j - first) / span;
        table[first] -= 0.5 * startValues[k];
        table[last] -= 0.5 * endValues[k];
    }
}

}  // namespace truvex
