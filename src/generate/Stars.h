#pragma once

#include <string_view>

#include "model/Random.h"
#include "model/World.h"

namespace ax {

// Makes the stars of one random system into the star tables: reseeds from the clock, clears
// the stars, then draws count, masses, separation, age and evolution, light and type texts.
void GenerateStars(World& world, Random& random);

// Mass in solar masses for a d81 roll of 1..79; 80 and 81 are the massive stars.
double StarMassFromRoll(int roll);

void DrawSeparation(World& world, Random& random);
void StarPhysics(World& world, Random& random);
void DrawAgeAndEvolution(World& world, Random& random);
void MakeGiant(World& world, Random& random);
void EvolveCompanion(World& world, Random& random);
void DrawStarAngles(World& world, Random& random);
void ClassifyStars(World& world);
void CombineBinary(World& world);

// Luminosity-class codes held in StarType between StarPhysics and ClassifyStars; the main
// sequence is the empty text.
inline constexpr std::string_view kSubgiant = "IV ";
inline constexpr std::string_view kGiant = "III";
inline constexpr std::string_view kBrightGiant = "II ";
inline constexpr std::string_view kSupergiant = "I  ";
inline constexpr std::string_view kWhiteDwarf = "D  ";
inline constexpr std::string_view kNeutronStar = "N  ";
inline constexpr std::string_view kBlackHole = "B  ";

}  // namespace ax
