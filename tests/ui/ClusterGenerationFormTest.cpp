#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <vector>

#include "ui/ClusterGenerationForm.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;

class ClusterGenerationFormTest : public testing::Test {
 protected:
  QLineEdit* Box(const char* name) const { return Child<QLineEdit>(form, name); }
  void Click(const char* name) const { Child<QAbstractButton>(form, name)->click(); }
  QString Estimate() const { return Child<QLabel>(form, "ClusterStarCountLabel")->text(); }
  ClusterGenerationForm form;
};

TEST_F(ClusterGenerationFormTest, EstimateFollowsShapeSizeAndDensity) {
  // 100^3 / 350 = 2857.1 cells a star in a cube; a sphere of diameter 100 holds 523,599.
  EXPECT_EQ(Estimate(), QStringLiteral("Estimated StarCount:   2857"));
  Click("SphereClusterShape");
  EXPECT_EQ(Estimate(), QStringLiteral("Estimated StarCount:   1496"));
  Click("CubeClusterShape");
  Box("ClusterSizeText")->setText(QStringLiteral("10"));
  Box("ClusterDensityText")->setText(QStringLiteral("4"));
  EXPECT_EQ(Estimate(), QStringLiteral("Estimated StarCount:   250"));
}

TEST_F(ClusterGenerationFormTest, TypedAndSteppedTextsAreHeldWithinTheirLimits) {
  struct Row {
    const char* box;
    const char* typed;
    const char* shown;
  };
  const Row rows[] = {
      {"ClusterSizeText", "0", "1"},        {"ClusterSizeText", "251", "250"},
      {"ClusterSizeText", "stars", "1"},    {"ClusterSizeText", "", "1"},
      {"ClusterSizeText", "60.4", "60.4"},  {"ClusterDensityText", "10001", "10000"},
      {"ClusterDensityText", "-5", "1"},    {"ClusterDensityText", "1e400", "1"},
      {"ClusterDensityText", "20x", "20x"},
  };
  for (const Row& row : rows) {
    Box(row.box)->setText(QString::fromLatin1(row.typed));
    EXPECT_EQ(Box(row.box)->text(), QString::fromLatin1(row.shown)) << row.typed;
  }

  // Up makes the cluster larger and denser: one star per fewer cells. The ends still hold.
  const auto step = [this](const char* spin, Qt::ArrowType direction) {
    for (auto* arrow : form.findChildren<QToolButton*>(QString::fromLatin1(spin))) {
      if (arrow->arrowType() == direction) arrow->click();
    }
  };
  Box("ClusterSizeText")->setText(QStringLiteral("249"));
  step("ClusterSizeSpin", Qt::UpArrow);
  step("ClusterSizeSpin", Qt::UpArrow);
  EXPECT_EQ(Box("ClusterSizeText")->text(), QStringLiteral("250"));
  step("ClusterSizeSpin", Qt::DownArrow);
  EXPECT_EQ(Box("ClusterSizeText")->text(), QStringLiteral("249"));
  Box("ClusterDensityText")->setText(QStringLiteral("2"));
  step("ClusterDensitySpin", Qt::UpArrow);
  step("ClusterDensitySpin", Qt::UpArrow);
  EXPECT_EQ(Box("ClusterDensityText")->text(), QStringLiteral("1"));
  step("ClusterDensitySpin", Qt::DownArrow);
  EXPECT_EQ(Box("ClusterDensityText")->text(), QStringLiteral("2"));
}

TEST_F(ClusterGenerationFormTest, GenerateHandsOverTheSettingsAndKeepsTheTexts) {
  std::vector<ClusterSettings> requested;
  QObject::connect(
      &form, &ClusterGenerationForm::GenerateRequested,
      [&requested](const ClusterSettings& settings) { requested.push_back(settings); });
  form.Open();
  Box("ClusterSizeText")->setText(QStringLiteral("60.4"));
  Box("ClusterDensityText")->setText(QStringLiteral("5 cells"));
  Click("FadingClusterShape");
  Click("ClusterGenerate");
  EXPECT_FALSE(form.isVisible());
  ASSERT_EQ(requested.size(), 1U);
  EXPECT_EQ(requested[0].Size, 60);
  EXPECT_EQ(requested[0].Density, 5);
  EXPECT_EQ(requested[0].Shape, ClusterShape::FadingSphere);

  // Hidden, not closed: the next use finds the same texts; Cancel generates nothing.
  form.Open();
  EXPECT_EQ(Box("ClusterSizeText")->text(), QStringLiteral("60.4"));
  EXPECT_TRUE(Child<QRadioButton>(form, "FadingClusterShape")->isChecked());
  Click("ClusterCancel");
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(requested.size(), 1U);
}

}  // namespace
}  // namespace ax
