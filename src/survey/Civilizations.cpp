#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "survey/Survey.h"

namespace ax {
namespace {

// One row of an era table: the era holds the d400 rolls up to and including lastRoll.
struct EraRow {
  int lastRoll;
  std::string_view era;
};

// A living civilization seldom outgrows the stone age; the dead ones were further along.
constexpr std::array<EraRow, 7> kLivingEras = {{
    {350, "Stone age"},
    {375, "Metal age"},
    {390, "Combustion age"},
    {395, "Nuclear age"},
    {398, "Fundamental age"},
    {399, "Interstellar age"},
    {400, "Temporal age"},
}};

constexpr std::array<EraRow, 7> kExtinctEras = {{
    {200, "Stone age"},
    {250, "Metal age"},
    {320, "Combustion age"},
    {360, "Nuclear age"},
    {380, "Fundamental age"},
    {397, "Interstellar age"},
    {400, "Temporal age"},
}};

std::string_view EraOf(const std::array<EraRow, 7>& table, int roll) {
  for (const EraRow& row : table) {
    if (roll <= row.lastRoll) return row.era;
  }
  return table.back().era;
}

// How far into its era a civilization has come, from a d100 (adjusted for the stone age).
std::string Qualified(int stage, std::string_view era) {
  std::string text = stage < 35 ? "Early " : stage <= 70 ? "Mid " : "Late ";
  text += era;
  return text;
}

}  // namespace

void Survey::AssignCivilizations() {
  std::int16_t& complexity = Body(world_.BodyLifeComplexity);
  const auto beep = [this] {
    if (Beep) Beep();
  };

  // Older systems have had more time to bring forth civilizations, and to lose them. The age is
  // held to a range where its whole part fits an int, whatever a file may carry.
  const int wholeAge = static_cast<int>(std::clamp(std::floor(world_.SystemAge), -1e6f, 1e6f));
  const int civilizationRoll = random_.RollDie(100);
  const int x = wholeAge + civilizationRoll;
  if (x == 100) {
    complexity = 7;
    beep();
  }
  if (x > 102) {
    complexity = 8;
    beep();
    if (x == 104) {
      complexity = 9;
      beep();
    }
  }

  if (complexity == 7 || complexity == 9) {
    const int eraRoll = random_.RollDie(400);
    const std::string_view era = EraOf(kLivingEras, eraRoll);
    int stage = random_.RollDie(100);
    if (era == "Stone age") stage -= 20;
    Body(world_.BodyTechEra) = Qualified(stage, era);
  }
  if (complexity > 7) {
    const int eraRoll = random_.RollDie(400);
    const std::string_view era = EraOf(kExtinctEras, eraRoll);
    const int stage = random_.RollDie(100);
    Body(world_.BodyExtinctEra) = Qualified(stage, era);
  }
}

}  // namespace ax
