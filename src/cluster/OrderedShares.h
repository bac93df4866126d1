#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace ax {

using ShareBytes = std::vector<std::uint8_t>;

// The threads to work on: `jobs` when positive, else one per core.
int JobsOrCores(int jobs);

// Makes shares 0 ... count - 1 on `jobs` threads (0: one per core), each by make(share, bytes)
// into an emptied buffer, and hands them to take(share, bytes) on the calling thread in share
// order. At most two finished or unfinished shares per thread are held at once, so memory stays
// flat however many shares there are. take returning false stops the work; an exception from
// make or take stops it too and is rethrown here. Returns whether every share was taken.
bool RunOrderedShares(int count, int jobs, const std::function<void(int, ShareBytes&)>& make,
                      const std::function<bool(int, ShareBytes&)>& take);

}  // namespace ax
