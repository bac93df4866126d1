#pragma once

#include <initializer_list>
#include <vector>

namespace ax::test {

// The draw u that makes Random::RollDie(faces) come up with this face.
inline float Die(int face, int faces) {
  return (static_cast<float>(face) - 0.5f) / static_cast<float>(faces);
}

inline float D100(int face) {
  return Die(face, 100);
}

// The two draws that make NarrowFactor and WideFactor exactly 1.
inline const std::vector<float> kUnitFactor = {0.5f, 0.5f};

// Joins groups of draws into one script, so each group can carry its own comment.
inline std::vector<float> Script(std::initializer_list<std::vector<float>> parts) {
  std::vector<float> draws;
  for (const auto& part : parts) {
    draws.insert(draws.end(), part.begin(), part.end());
  }
  return draws;
}

}  // namespace ax::test
