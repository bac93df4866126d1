#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

namespace ax {

// Rounds to the nearest integer, a half to the even neighbour: the rounding that the
// generators' tables are made with.
inline double RoundHalfEven(double x) {
  return std::nearbyint(x);
}

// A double for a 32-bit float table: values beyond a float's range are held at its largest
// rather than becoming infinite.
inline float ClampToFloat(double value) {
  constexpr double kLargest = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(value, -kLargest, kLargest));
}

// 365.25 days: the period of one AU around one solar mass.
constexpr double kHoursPerYear = 8766;

constexpr double Square(double x) {
  return x * x;
}

constexpr double Cube(double x) {
  return x * x * x;
}

}  // namespace ax
