#pragma once

#include <cmath>

namespace ax {

// Rounds to the nearest integer, a half to the even neighbour: the rounding that the
// generators' tables are made with.
inline double RoundHalfEven(double x) {
  return std::nearbyint(x);
}

constexpr double Square(double x) {
  return x * x;
}

constexpr double Cube(double x) {
  return x * x * x;
}

}  // namespace ax
