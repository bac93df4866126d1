#include "model/Random.h"

#include <chrono>
#include <stdexcept>
#include <utility>

namespace ax {
namespace {

std::uint64_t SplitMix64(std::uint64_t& x) {
  return MixBits(x += 0x9E3779B97F4A7C15ULL);
}

std::uint64_t ClockTicks() {
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

Random::Random() {
  MixIntoState(ClockTicks());
}

Random::Random(std::uint64_t seed) : fromClock_(false) {
  MixIntoState(seed);
}

Random Random::Scripted(std::vector<float> draws) {
  Random random(0);
  random.scripted_ = true;
  random.script_ = std::move(draws);
  return random;
}

void Random::SeedFromClock() {
  ++reseeds_;
  const std::uint64_t clock = fromClock_ ? ClockTicks() : 0;
  MixIntoState(clock ^ (reseeds_ * 0xD1B54A32D192ED03ULL));
}

void Random::MixIntoState(std::uint64_t entropy) {
  for (std::uint32_t& word : state_) {
    word ^= static_cast<std::uint32_t>(SplitMix64(entropy) >> 32);
  }
  // xoshiro never leaves the all-zero state; keep it out of it.
  if ((state_[0] | state_[1] | state_[2] | state_[3]) == 0) {
    state_[0] = 1;
  }
}

float Random::NextScripted() {
  if (scriptNext_ >= script_.size()) {
    throw std::logic_error("the scripted draws are used up");
  }
  return script_[scriptNext_++];
}

double Random::WideFactor() {
  const double first = 1.2 * Uniform() + 0.4;
  const double second = 1.2 * Uniform() + 0.4;
  return first * second;
}

double Random::NarrowFactor() {
  const double first = 0.2 * Uniform() + 0.9;
  const double second = 0.2 * Uniform() + 0.9;
  return first * second;
}

std::uint64_t MixBits(std::uint64_t bits) {
  bits = (bits ^ (bits >> 30)) * 0xBF58476D1CE4E5B9ULL;
  bits = (bits ^ (bits >> 27)) * 0x94D049BB133111EBULL;
  return bits ^ (bits >> 31);
}

std::uint64_t DrawSeed(Random& random) {
  random.SeedFromClock();
  // Three 24-bit draws fill the 64 bits.
  std::uint64_t seed = 0;
  for (int i = 0; i < 3; ++i) {
    seed = (seed << 24) | static_cast<std::uint64_t>(random.Uniform() * 0x1.0p24f);
  }
  return seed;
}

}  // namespace ax
