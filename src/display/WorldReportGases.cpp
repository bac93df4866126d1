#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display/NumberPicture.h"
#include "display/WorldReport.h"

namespace ax {
namespace {

struct Gas {
  float partial = 0;  // bars
  std::string_view label;
};

// The body's gases, largest partial pressure first, by repeated selection: only a strictly
// larger pressure displaces the choice, so among equal pressures the earlier gas comes first.
std::vector<Gas> OrderedGases(const World& w, int s, int o, int b) {
  std::vector<Gas> gases = {
      {w.BodyCarbonDioxide(s, o, b), "Carbon Dioxide:"},
      {w.BodyHydrogen(s, o, b), "Hydrogen:"},
      {w.BodyNitrogen(s, o, b), "Nitrogen:"},
      {w.BodyHelium(s, o, b), "Helium:"},
      {w.BodyOxygen(s, o, b), "Oxygen:"},
      {w.BodyChlorine(s, o, b), "Chlorine:"},
      {w.BodyMethane(s, o, b), "Methane:"},
      {w.BodyAmmonia(s, o, b), "Ammonia:"},
      {w.BodyWaterVapor(s, o, b), "Water Vapor:"},
  };
  std::vector<Gas> ordered;
  while (!gases.empty()) {
    auto largest = gases.begin();
    for (auto gas = gases.begin(); gas != gases.end(); ++gas) {
      if (gas->partial > largest->partial) largest = gas;
    }
    ordered.push_back(*largest);
    gases.erase(largest);
  }
  return ordered;
}

// The share table sits right of the life lines, whose longest value reaches past column 4 at
// the window's smallest size; its share comes first so a long gas name ends inside the panel,
// and "100.0%" still ends before the name there.
constexpr float kShareX = 70.5f;
constexpr float kGasNameX = 80;
constexpr std::size_t kLowerHalfLine = 17;  // the first line below the panel's middle
constexpr std::size_t kLastLine = 32;       // the last line with room for a whole text

}  // namespace

void WorldReport::ShowGasTable() {
  const int s = world_.CurrentStar;
  const int o = world_.CurrentOrbit;
  const int b = world_.CurrentBody;
  const float pressure = world_.BodyPressure(s, o, b);
  if (pressure <= 0) return;  // shares are taken of the pressure

  const std::vector<Gas> ordered = OrderedGases(world_, s, o, b);
  const float v = static_cast<float>(ColX[2] + ColX[3]) / 2;
  for (std::size_t k = 1; k <= ordered.size(); ++k) {
    const auto& [partial, label] = ordered[k - 1];
    if (!(partial > 0)) continue;
    const float y = LineY[14 + k];
    Print(std::string(label), ColX[1], y);
    Print(FormatNumber(double{partial} / double{pressure} * 100, "00.00") + "%    " +
              FormatNumber(partial, "##00.000") + "b",
          v, y);
  }
}

void WorldReport::ShowGasShares(std::size_t firstFreeLine) {
  const int s = world_.CurrentStar;
  const int o = world_.CurrentOrbit;
  const int b = world_.CurrentBody;
  const float pressure = world_.BodyPressure(s, o, b);
  if (!(pressure > kPressureShown)) return;

  std::vector<Gas> present;
  for (const Gas& gas : OrderedGases(world_, s, o, b)) {
    if (gas.partial > 0) present.push_back(gas);
  }
  const std::size_t top = std::max(firstFreeLine, kLowerHalfLine);
  // A long list of moons leaves no room; the gas lines on the left still tell it all.
  if (present.empty() || top + present.size() > kLastLine) return;

  Print("Share", kShareX, LineY[top]);
  Print("Gas", kGasNameX, LineY[top]);
  for (std::size_t k = 0; k < present.size(); ++k) {
    const float y = LineY[top + 1 + k];
    const std::string_view label = present[k].label;
    Print(FormatNumber(double{present[k].partial} / double{pressure} * 100, "0.0") + "%", kShareX,
          y);
    Print(std::string(label.substr(0, label.size() - 1)), kGasNameX, y);  // without its colon
  }
}

}  // namespace ax
