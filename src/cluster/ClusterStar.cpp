#include "cluster/ClusterStar.h"

#include <cmath>

#include "generate/Stars.h"
#include "model/Numbers.h"

namespace ax {

void LoadClusterStar(World& world, Random& random, const ClusterRecord& record) {
  world.SystemFilePath = record.FileName;
  world.SystemName = record.SystemName;
  world.SystemAge = record.Age;
  world.SystemX = record.X;
  world.SystemY = record.Y;
  world.SystemZ = record.Z;
  world.SystemVectorX = record.VectorX;
  world.SystemVectorY = record.VectorY;
  world.SystemVectorZ = record.VectorZ;
  const std::int16_t stars = record.StarCount == 2 ? 2 : 1;
  world.StarCount = stars;
  for (int s = 1; s <= stars; ++s) {
    const ClusterStarData& star = record.Stars[static_cast<std::size_t>(s - 1)];
    world.StarMass[s] = star.Mass;
    world.StarTemperature[s] = star.Temperature;
    world.StarLuminosity[s] = star.Luminosity;
    world.StarType[s] = star.Type;
  }
  if (stars != 2) return;
  world.StarSeparation = record.Separation;
  // Kepler's third law in years, AU and solar masses.
  const double totalMass = world.StarMass[1] + world.StarMass[2];
  world.StarPeriod = totalMass > 0 && world.StarSeparation > 0
                         ? ClampToFloat(std::sqrt(Cube(world.StarSeparation) / totalMass))
                         : 0.0F;
  DrawStarAngles(world, random);
  CombineBinary(world);
}

}  // namespace ax
