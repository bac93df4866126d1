#include "survey/Survey.h"

namespace ax {

Survey::Survey(World& world, Random& random) : world_(world), random_(random) {}

char Survey::LuminosityLetter(int star) const {
  const std::string& type = world_.StarType[static_cast<std::size_t>(star)];
  return type.size() >= 5 ? type[4] : '\0';
}

bool Survey::IsRemnant(int star) const {
  const char letter = LuminosityLetter(star);
  return letter == 'D' || letter == 'N';
}

bool Survey::InBelt() const {
  return IsBelt(OrbitWorld(world_.BodyClass));
}

}  // namespace ax
