#include <cmath>
#include <string>

#include "model/Numbers.h"
#include "survey/Survey.h"

namespace ax {
namespace {

constexpr std::int16_t kMaxAtmospherePasses = 10;

}  // namespace

void Survey::FinishWithGases(double gases) {
  const float u = random_.Uniform();
  Body(world_.BodyPressure) = static_cast<float>(gases * (1 + u / 50.0));
  ComputeAlbedo();
  ComputeTemperatures();
}

void Survey::ComputeRetention() {
  const double meanTemp =
      (Body(world_.BodyTempHigh) + Body(world_.BodyTempLow)) * DayNightFactor / 2.0 - 10;
  SurveyMeanTemp = static_cast<float>(meanTemp);
  const double radius = Body(world_.BodyRadius);
  // A body without a size, or colder than the formula's zero, is given no hold on gas.
  RetentionIndex =
      radius > 0 && SurveyMeanTemp > 0 ? Body(world_.BodyMass) / radius / SurveyMeanTemp : 0;
}

void Survey::MakeAtmosphere() {
  World& w = world_;
  if (Body(w.BodyMass) > 4) {
    MakeJovianAtmosphere();
    return;
  }
  if (Body(w.BodyMass) < 0.001) {
    MakeNoAtmosphere();
    return;
  }
  AtmospherePasses = 0;
  ColdPasses = 0;
  ComputeTemperatures();
  ComputeRetention();
  if (RetentionIndex <= 0.000168) {
    MakeNoAtmosphere();
    return;
  }
  // A world that turns one face to its star freezes its air out on the night side.
  if (static_cast<float>(std::fabs(Body(w.BodyDayLength))) ==
          static_cast<float>(Body(w.BodyPeriod)) &&
      w.CurrentBody == 0) {
    MakeNoAtmosphere();
    return;
  }
  if (Body(w.BodyPressure) > 0) {
    SurveyPressure = Body(w.BodyPressure);
    return;
  }

  double pressure = std::sqrt(random_.RollDice(4, 6) * Body(w.BodyMass) / 18);
  // Old or volcanic worlds have outgassed more.
  const double outgassing = w.SystemAge / 4.0 + Body(w.BodyVolcanism);
  if (outgassing > 1) pressure *= outgassing / 10 + 1;
  SurveyPressure = static_cast<float>(pressure);
  if (SurveyPressure < 0.001) {
    MakeNoAtmosphere();
    return;
  }

  Body(w.BodyPressure) = SurveyPressure;
  const int dice = random_.RollDice(2, 6);
  Body(w.BodyAlbedo) = static_cast<float>((dice + 5) / 100.0 + std::sqrt(Body(w.BodyPressure)) / 5);
  ComputeTemperatures();
  ComputeRetention();
  if (IsRemnant(w.CurrentStar)) RetentionIndex /= 10;  // a collapsed star's wind strips air

  if (RetentionIndex > 0.00739) {
    MakeSubJovianAtmosphere();
  } else if (w.SystemAge < 0.7) {
    MakePrimordialAtmosphere();
  } else if (RetentionIndex > 0.00041) {
    CheckHabitability();
  } else if (RetentionIndex > 0.000231) {
    MakeThinAtmosphere();
  } else {
    MakeTraceAtmosphere();
  }

  std::string& atmosphere = Body(w.BodyAtmosphere);
  if (Body(w.BodyCarbonDioxide) > Body(w.BodyPressure) / 2 && Body(w.BodyClass) != "Y") {
    atmosphere = "Carbon Dioxide";
  }
  if (atmosphere == "Carbon Dioxide") {
    const float bars = Body(w.BodyPressure);
    Body(w.BodyClass) = bars > 5 ? "V" : bars < 0.1 ? "M" : "W";
  }
}

void Survey::MakeJovianAtmosphere() {
  Body(world_.BodyAtmosphere) = "Jovian";
  Body(world_.BodyClass) = "J";
  ComputeAlbedo();
  ComputeTemperatures();
}

void Survey::MakeNoAtmosphere() {
  World& w = world_;
  Body(w.BodyAtmosphere) = "None";
  if (Body(w.BodyClass) != "Z") Body(w.BodyClass) = "T";
  Body(w.BodyPressure) = 0;
  Body(w.BodyCarbonDioxide) = 0;
  Body(w.BodyNitrogen) = 0;
  Body(w.BodyWaterCover) = 0;
  const int dice = random_.RollDice(2, 6);
  const double albedo = (dice + (1 - Body(w.BodyDensity)) / 10.0) / 100;
  Body(w.BodyAlbedo) = static_cast<float>(albedo < 0.03 ? 0.03 : albedo);
  ComputeTemperatures();
}

void Survey::MakeSubJovianAtmosphere() {
  World& w = world_;
  const double age = w.SystemAge;
  const double p = SurveyPressure;
  Body(w.BodyAtmosphere) = "SubJovian";
  Body(w.BodyClass) = "S";
  Body(w.BodyHydrogen) = static_cast<float>((10 * age + 700) * p * random_.NarrowFactor());
  Body(w.BodyHelium) = static_cast<float>((3 * age + 200) * p * random_.NarrowFactor());
  if (Body(w.BodyTempHigh) > 100) {
    Body(w.BodyMethane) = static_cast<float>((age + 50) * p * random_.NarrowFactor());
  }
  if (Body(w.BodyTempHigh) > 230) {
    Body(w.BodyAmmonia) = static_cast<float>((age / 2 + 20) * p * random_.NarrowFactor());
  }
  const double gases = static_cast<double>(Body(w.BodyHydrogen)) + Body(w.BodyHelium) +
                       Body(w.BodyMethane) + Body(w.BodyAmmonia);
  Body(w.BodyPressure) = static_cast<float>(gases + random_.Uniform() * p);
  ComputeAlbedo();
  ComputeTemperatures();

  // Life may float in the clouds of a warm small giant, given time.
  const int ageBonus = static_cast<int>(std::floor(5 * age));
  if (ageBonus + random_.RollDie(100) > 100) {
    Body(w.BodyLifeComplexity) = 1;
    if (ageBonus + random_.RollDie(100) > 75) {
      Body(w.BodyLifeComplexity) = 2;
      if (random_.RollDie(10) + age > 10) {
        Body(w.BodyLifeComplexity) = static_cast<std::int16_t>(random_.RollDie(5) + 1);
      }
    }
  }
  if (Body(w.BodyLifeComplexity) > 5) AssignCivilizations();
  Body(w.BodyLifeKind) = "Subjovian life";
}

void Survey::MakePrimordialAtmosphere() {
  World& w = world_;
  const double age = w.SystemAge;
  const double p = SurveyPressure;
  Body(w.BodyAtmosphere) = "Primordial";
  Body(w.BodyClass) = "Y";
  // The young body still holds the gas of its birth; an age of 0 adds nothing for it.
  const double birthGas = age > 0 ? 1 / age : 0;
  const double primordial = 10 * p * random_.WideFactor() + birthGas;
  Body(w.BodyVolcanism) = static_cast<float>(Body(w.BodyVolcanism) + random_.RollDie(10) - 1);
  Body(w.BodyPressure) = static_cast<float>(primordial);
  ComputeAlbedo();
  ComputeTemperatures();

  const std::int16_t high = Body(w.BodyTempHigh);
  if (RetentionIndex > 0.00035) {
    if (high > 360) {
      Body(w.BodyWaterVapor) = static_cast<float>(0.04 * primordial * random_.NarrowFactor());
    }
    if (high > 230) {
      Body(w.BodyAmmonia) = static_cast<float>(0.08 * primordial * random_.NarrowFactor());
    }
    if (high > 100) {
      Body(w.BodyMethane) = static_cast<float>(0.12 * primordial * random_.NarrowFactor());
    }
  }
  if (high > 70 && RetentionIndex > 0.00023) {
    Body(w.BodyNitrogen) = static_cast<float>(0.25 * primordial * random_.NarrowFactor());
  }
  if (high > 190 && RetentionIndex > 0.00012) {
    Body(w.BodyCarbonDioxide) = static_cast<float>(primordial * random_.NarrowFactor());
  }
  const double gases = static_cast<double>(Body(w.BodyCarbonDioxide)) + Body(w.BodyNitrogen) +
                       Body(w.BodyMethane) + Body(w.BodyAmmonia) + Body(w.BodyWaterVapor);
  Body(w.BodyPressure) = static_cast<float>(gases + random_.Uniform() * p / 50);
  ComputeAlbedo();
  ComputeTemperatures();

  if (Body(w.BodyTempHigh) > 280 && Body(w.BodyTempHigh) < 380) MakeHydrosphere();
  if (Body(w.BodyTempHigh) < 70) MakeNoAtmosphere();
}

void Survey::CheckHabitability() {
  World& w = world_;
  Body(w.BodyAtmosphere) = "Habcheck";
  // Just at freezing the liquid-water tests below would divide by nothing.
  if (SurveyMeanTemp > 272.9 && SurveyMeanTemp < 273.1) SurveyMeanTemp = 273.1f;
  const double mean = SurveyMeanTemp;
  const double p = SurveyPressure;
  const std::int16_t high = Body(w.BodyTempHigh);
  const std::int16_t low = Body(w.BodyTempLow);
  if (p < 0.006) {  // below water's triple point: no liquid at any warmth
    MakeDryAtmosphere();
  } else if (mean > 380 || high > 400) {
    MakeHotAtmosphere();
  } else if (mean < 270 || high < 280 || low < 170) {
    MakeColdAtmosphere();
  } else if (mean <= 358 && p / (mean - 273) < 0.0067) {
    MakeHotAtmosphere();
  } else if (mean > 358 && p / (mean - 358) < 0.028) {
    MakeHotAtmosphere();
  } else if (LuminosityLetter(w.CurrentStar) == 'V') {
    MakeLivingWorld();
  } else {
    MakeHotAtmosphere();
  }
}

void Survey::MakeThinAtmosphere() {
  World& w = world_;
  const double age = w.SystemAge;
  const double p = SurveyPressure;
  ++AtmospherePasses;
  if (Body(w.BodyTempLow) > 150 && Body(w.BodyTempHigh) > 190) {
    Body(w.BodyAtmosphere) = "Carbon Dioxide";
    Body(w.BodyCarbonDioxide) = static_cast<float>((age / 2 + 6) * p * random_.NarrowFactor() +
                                                   Body(w.BodyVolcanism) / 4.0);
  }
  if (Body(w.BodyTempHigh) <= 80 || Body(w.BodyTempLow) <= 50) {
    MakeNoAtmosphere();
  } else {
    Body(w.BodyNitrogen) = static_cast<float>((age / 20 + 1.1) * p * random_.NarrowFactor());
    if (Body(w.BodyCarbonDioxide) == 0) {
      Body(w.BodyAtmosphere) = "Nitrogen";
      Body(w.BodyClass) = "N";
    }
  }
  FinishWithGases(static_cast<double>(Body(w.BodyNitrogen)) + Body(w.BodyCarbonDioxide));
  if (AtmospherePasses < kMaxAtmospherePasses) {
    if (Body(w.BodyTempHigh) > 200 && Body(w.BodyTempLow) > 150) {
      MakeThinAtmosphere();
    } else if (Body(w.BodyTempLow) < 70) {
      MakeNoAtmosphere();
    }
  }
}

void Survey::MakeTraceAtmosphere() {
  World& w = world_;
  const double p = SurveyPressure;
  if (Body(w.BodyTempLow) > 160 && Body(w.BodyTempHigh) < 190) {
    MakeNoAtmosphere();
  } else {
    Body(w.BodyAtmosphere) = "Carbon Dioxide";
    Body(w.BodyCarbonDioxide) = static_cast<float>(10 * p * random_.NarrowFactor() +
                                                   w.SystemAge / 2.0 * Body(w.BodyVolcanism));
    Body(w.BodyPressure) =
        static_cast<float>(Body(w.BodyCarbonDioxide) + random_.Uniform() * p / 5);
  }
  ComputeAlbedo();
  ComputeTemperatures();
  if (Body(w.BodyTempHigh) < 196) MakeNoAtmosphere();
}

void Survey::MakeDryAtmosphere() {
  World& w = world_;
  const double age = w.SystemAge;
  const double p = SurveyPressure;
  Body(w.BodyAtmosphere) = "Carbon Dioxide";
  const float carbonDioxideDraw = random_.Uniform();
  Body(w.BodyCarbonDioxide) =
      static_cast<float>(p / (2 * age + 30 + carbonDioxideDraw) + Body(w.BodyVolcanism) / 10.0);
  const float nitrogenDraw = random_.Uniform();
  Body(w.BodyNitrogen) = static_cast<float>(p / (10 * age + 150 + nitrogenDraw));
  const float waterDraw = random_.Uniform();
  Body(w.BodyWaterVapor) = static_cast<float>(p / (25 * age + 375 + waterDraw));
  FinishWithGases(static_cast<double>(Body(w.BodyCarbonDioxide)) + Body(w.BodyNitrogen) +
                  Body(w.BodyWaterVapor));
  if (Body(w.BodyPressure) < 0.001) MakeNoAtmosphere();
}

void Survey::MakeColdAtmosphere() {
  World& w = world_;
  const double age = w.SystemAge;
  const double p = SurveyPressure;
  ++AtmospherePasses;
  ++ColdPasses;
  bool frozen = false;
  const std::int16_t high = Body(w.BodyTempHigh);
  const std::int16_t low = Body(w.BodyTempLow);
  if (low > 150 && high > 200) {
    Body(w.BodyAtmosphere) = "Carbon Dioxide";
    Body(w.BodyCarbonDioxide) = static_cast<float>(p / (3 * age + 30) * random_.NarrowFactor());
    Body(w.BodyNitrogen) =
        static_cast<float>(Body(w.BodyNitrogen) + p / (50 * age + 500) * random_.NarrowFactor());
  } else if ((high + low <= 160 || low <= 20) && (low <= 35 || high <= 80)) {
    frozen = true;  // too cold for any gas to stay aloft
  } else {
    Body(w.BodyAtmosphere) = "Nitrogen";
    Body(w.BodyClass) = "N";
    Body(w.BodyCarbonDioxide) = 0;
    Body(w.BodyNitrogen) = static_cast<float>((age / 5 + 10) * p * random_.NarrowFactor());
    if (high > 95) Body(w.BodyMethane) = static_cast<float>(0.25 * p * random_.WideFactor());
  }
  FinishWithGases(static_cast<double>(Body(w.BodyCarbonDioxide)) + Body(w.BodyNitrogen) +
                  Body(w.BodyMethane));
  if (ColdPasses > 50) Body(w.BodyTempHigh) = static_cast<std::int16_t>(Body(w.BodyTempHigh) - 20);
  if (AtmospherePasses < kMaxAtmospherePasses) {
    if (RoundHalfEven(Body(w.BodyCarbonDioxide)) != 0 && Body(w.BodyTempLow) > 160 &&
        Body(w.BodyTempHigh) > 200) {
      MakeColdAtmosphere();
    }
    if (Body(w.BodyTempLow) > 170 && Body(w.BodyTempHigh) > 280) {
      SurveyMeanTemp = 275;
      CheckHabitability();
    }
    if (Body(w.BodyTempLow) < 50 || frozen) MakeNoAtmosphere();
  } else if (frozen) {
    // Past the last pass the body would keep the check's working text; it is airless.
    MakeNoAtmosphere();
  }
}

void Survey::MakeHotAtmosphere() {
  World& w = world_;
  const double age = w.SystemAge;
  const double p = SurveyPressure;
  ++AtmospherePasses;
  Body(w.BodyAtmosphere) = "Carbon Dioxide";
  Body(w.BodyWaterCover) = 0;
  Body(w.BodyLifeComplexity) = 0;
  Body(w.BodyCarbonDioxide) = static_cast<float>((age + 65) * p * random_.NarrowFactor());
  Body(w.BodyNitrogen) = static_cast<float>((age / 20 + 3.25 * p) * random_.NarrowFactor());
  Body(w.BodyWaterVapor) = static_cast<float>(0.1 * p * random_.WideFactor());
  Body(w.BodyOxygen) = 0;
  Body(w.BodyMethane) = 0;
  FinishWithGases(static_cast<double>(Body(w.BodyNitrogen)) + Body(w.BodyCarbonDioxide) +
                  Body(w.BodyWaterVapor));
  if (AtmospherePasses < kMaxAtmospherePasses && Body(w.BodyTempHigh) < 400) {
    SurveyMeanTemp = 375;
    CheckHabitability();
  }
}

}  // namespace ax
