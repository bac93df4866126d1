#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace ax {

// The one uniform source of every generator, with the dice built on it.
// Draws come from xoshiro128**; a scripted source replays given draws for tests.
class Random {
 public:
  // Seeded from the clock.
  Random();
  // Reproducible: the same seed gives the same draws, and SeedFromClock mixes in a
  // reseed counter instead of the clock.
  explicit Random(std::uint64_t seed);
  // Replays exactly these draws, each in [0, 1); one more draw throws std::logic_error.
  static Random Scripted(std::vector<float> draws);

  // Mixes the clock into the current state rather than replacing it, so that two reseeds
  // within one clock tick still continue with different sequences.
  void SeedFromClock();

  // The uniform draw u, a 32-bit float in [0, 1).
  float Uniform() {
    if (scripted_) [[unlikely]] {
      return NextScripted();
    }
    return static_cast<float>(NextBits() >> 8) * 0x1.0p-24f;
  }

  // Integer part of faces x u + 1, with faces x u formed in 32-bit float arithmetic.
  std::int16_t RollDie(std::int16_t faces) {
    const float scaled = static_cast<float>(faces) * Uniform();
    return static_cast<std::int16_t>(static_cast<int>(scaled) + 1);
  }

  // Doubles value on each roll of d100 at or below percent, while value is below limit.
  // Callers pass fractional limits too (an eccentricity of 0.45, a share of a mass).
  template <typename T>
  requires std::same_as<T, std::int16_t> || std::same_as<T, double>
  void DoubleOnChance(std::int16_t percent, T& value, double limit);

  // The sum of count rolls of a die with these faces, rolled in turn ("2d6").
  int RollDice(int count, std::int16_t faces) {
    int sum = 0;
    for (int i = 0; i < count; ++i) sum += RollDie(faces);
    return sum;
  }

  // (1.2u + 0.4)(1.2u + 0.4): centre-heavy scatter in [0.16, 2.56).
  double WideFactor();
  // (0.2u + 0.9)(0.2u + 0.9): centre-heavy scatter in [0.81, 1.21).
  double NarrowFactor();

  // Scripted draws not yet taken.
  std::size_t ScriptLeft() const { return script_.size() - scriptNext_; }

 private:
  std::uint32_t NextBits() {
    const std::uint32_t result = Rotl(state_[1] * 5, 7) * 9;
    const std::uint32_t t = state_[1] << 9;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = Rotl(state_[3], 11);
    return result;
  }
  static std::uint32_t Rotl(std::uint32_t x, int k) { return (x << k) | (x >> (32 - k)); }
  void MixIntoState(std::uint64_t entropy);
  float NextScripted();

  std::array<std::uint32_t, 4> state_{};
  std::uint64_t reseeds_ = 0;
  bool fromClock_ = true;
  bool scripted_ = false;
  std::vector<float> script_;
  std::size_t scriptNext_ = 0;
};

// The splitmix64 finish: every bit of `bits` spread over every bit of the answer, so that seeds
// derived from nearby numbers (a layer, a hash) start unrelated streams.
std::uint64_t MixBits(std::uint64_t bits);

// A fresh 64-bit seed from a source, reseeded from the clock first: every run of the program
// differs, while a test's seeded source repeats.
std::uint64_t DrawSeed(Random& random);

template <typename T>
requires std::same_as<T, std::int16_t> || std::same_as<T, double>
void Random::DoubleOnChance(std::int16_t percent, T& value, double limit) {
  int roll = 0;
  while (roll <= percent && value < limit) {
    roll = RollDie(100);
    if (roll <= percent) {
      if constexpr (std::numeric_limits<T>::is_integer) {
        // A 16-bit value can only double while it fits; saturate rather than wrap.
        const int doubled = 2 * static_cast<int>(value);
        value = static_cast<T>(
            doubled > std::numeric_limits<T>::max() ? std::numeric_limits<T>::max() : doubled);
      } else {
        value = value * 2;
      }
    }
  }
}

}  // namespace ax
