#pragma once

#include <cstdint>
#include <optional>

class QLabel;
class QStatusBar;

namespace ax {

// The status bar's seed, selectable so that it can be copied into notes; empty without one.
QLabel* AddSeedLabel(QStatusBar* bar, const char* name);
void ShowSeed(QLabel* label, std::optional<std::uint64_t> seed);

}  // namespace ax
