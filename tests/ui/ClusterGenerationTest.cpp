#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <vector>

#include "ui/ClusterGeneration.h"

namespace ax {
namespace {

TEST(ClusterGenerationTest, EstimateFollowsShapeSizeAndDensity) {
  ClusterGeneration form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Cluster Generation"));
  EXPECT_TRUE(form.CubeClusterShape->isChecked());
  // 100^3 / 350 = 2857.1; a sphere of diameter 100 holds 523,599 cells, the fading one half.
  EXPECT_EQ(form.ClusterStarCountLabel->text(), QStringLiteral("Estimated StarCount:   2857"));
  form.SphereClusterShape->click();
  EXPECT_EQ(form.ClusterStarCountLabel->text(), QStringLiteral("Estimated StarCount:   1496"));
  form.FadingClusterShape->click();
  EXPECT_EQ(form.ClusterStarCountLabel->text(), QStringLiteral("Estimated StarCount:   748"));

  form.CubeClusterShape->click();
  form.ClusterSizeText->setText(QStringLiteral("10"));
  form.ClusterDensityText->setText(QStringLiteral("4"));
  EXPECT_EQ(form.ClusterStarCountLabel->text(), QStringLiteral("Estimated StarCount:   250"));
}

TEST(ClusterGenerationTest, TextsAreHeldWithinTheirLimits) {
  ClusterGeneration form;
  form.ClusterSizeText->setText(QStringLiteral("0"));
  EXPECT_EQ(form.ClusterSizeText->text(), QStringLiteral("1"));
  form.ClusterSizeText->setText(QStringLiteral("251"));
  EXPECT_EQ(form.ClusterSizeText->text(), QStringLiteral("250"));
  form.ClusterSizeText->setText(QStringLiteral("stars"));
  EXPECT_EQ(form.ClusterSizeText->text(), QStringLiteral("1"));
  form.ClusterDensityText->setText(QStringLiteral("10001"));
  EXPECT_EQ(form.ClusterDensityText->text(), QStringLiteral("10000"));
  form.ClusterDensityText->setText(QStringLiteral("-5"));
  EXPECT_EQ(form.ClusterDensityText->text(), QStringLiteral("1"));

  // The spins step the text, and the limits still hold at the ends.
  form.ClusterSizeText->setText(QStringLiteral("249"));
  form.ClusterSizeSpin.Up->click();
  form.ClusterSizeSpin.Up->click();
  EXPECT_EQ(form.ClusterSizeText->text(), QStringLiteral("250"));
  form.ClusterSizeSpin.Down->click();
  EXPECT_EQ(form.ClusterSizeText->text(), QStringLiteral("249"));
  // Up on the density makes the cluster denser: fewer cells per star.
  form.ClusterDensityText->setText(QStringLiteral("2"));
  form.ClusterDensitySpin.Up->click();
  form.ClusterDensitySpin.Up->click();
  EXPECT_EQ(form.ClusterDensityText->text(), QStringLiteral("1"));
  form.ClusterDensitySpin.Down->click();
  EXPECT_EQ(form.ClusterDensityText->text(), QStringLiteral("2"));
}

TEST(ClusterGenerationTest, GenerateHandsOverTheSettingsAndKeepsTheTexts) {
  ClusterGeneration form;
  std::vector<ClusterSettings> requested;
  QObject::connect(
      &form, &ClusterGeneration::GenerateRequested,
      [&requested](const ClusterSettings& settings) { requested.push_back(settings); });
  form.Open();
  form.ClusterSizeText->setText(QStringLiteral("60.4"));
  form.ClusterDensityText->setText(QStringLiteral("5"));
  form.SphereClusterShape->click();
  form.ClusterGenerate->click();
  EXPECT_FALSE(form.isVisible());
  ASSERT_EQ(requested.size(), 1U);
  const ClusterSettings& settings = requested[0];
  EXPECT_EQ(settings.Size, 60);
  EXPECT_EQ(settings.Density, 5);
  EXPECT_EQ(settings.Shape, ClusterShape::Sphere);

  // Hidden, not closed: the next use finds the same texts; Cancel generates nothing.
  form.Open();
  EXPECT_EQ(form.ClusterSizeText->text(), QStringLiteral("60.4"));
  EXPECT_TRUE(form.SphereClusterShape->isChecked());
  form.ClusterCancel->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(requested.size(), 1U);
}

}  // namespace
}  // namespace ax
