#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <vector>

#include "ui/ClusterGenerationForm.h"
#include "ui/SystemWindowSupport.h"

namespace ax {
namespace {

using test::Child;

TEST(ClusterGenerationFormTest, TextsAreHeldWithinTheirLimitsAndTheEstimateFollows) {
  ClusterGenerationForm form;
  const auto shown = [&form](const char* box) { return Child<QLineEdit>(form, box)->text(); };
  Child<QAbstractButton>(form, "SphereClusterShape")->click();

  const char* const rows[][3] = {{"ClusterSizeText", "0", "1"},
                                 {"ClusterSizeText", "251", "250"},
                                 {"ClusterSizeText", "stars", "1"},
                                 {"ClusterSizeText", "", "1"},
                                 {"ClusterDensityText", "10001", "10000"},
                                 {"ClusterDensityText", "-5", "1"},
                                 {"ClusterDensityText", "1e400", "1"},
                                 {"ClusterDensityText", "20 cells", "20 cells"},
                                 {"ClusterSizeText", "10.4", "10.4"}};
  for (const auto& [box, typed, kept] : rows) {
    Child<QLineEdit>(form, box)->setText(typed);
    EXPECT_EQ(shown(box), kept) << typed;
  }
  // A sphere of diameter 10 holds 523.6 cells, one star in 20 of them.
  EXPECT_EQ(Child<QLabel>(form, "ClusterStarCountLabel")->text(), "Estimated StarCount:   26");

  // The up arrows (found first) step by one within the same limits; up makes it denser.
  Child<QToolButton>(form, "ClusterDensitySpin")->click();
  EXPECT_EQ(shown("ClusterDensityText"), QStringLiteral("19"));
  Child<QLineEdit>(form, "ClusterSizeText")->setText("250");
  Child<QToolButton>(form, "ClusterSizeSpin")->click();
  EXPECT_EQ(shown("ClusterSizeText"), QStringLiteral("250"));
}

TEST(ClusterGenerationFormTest, GenerateHandsOverTheSettingsAndKeepsTheTexts) {
  ClusterGenerationForm form;
  std::vector<ClusterSettings> requested;
  QObject::connect(
      &form, &ClusterGenerationForm::GenerateRequested,
      [&requested](const ClusterSettings& settings) { requested.push_back(settings); });
  form.Open();
  Child<QLineEdit>(form, "ClusterSizeText")->setText("60.4");
  Child<QLineEdit>(form, "ClusterDensityText")->setText("5 cells");
  Child<QAbstractButton>(form, "FadingClusterShape")->click();
  Child<QAbstractButton>(form, "ClusterGenerate")->click();
  EXPECT_FALSE(form.isVisible());
  ASSERT_EQ(requested.size(), 1U);
  EXPECT_EQ(requested[0].Size, 60);
  EXPECT_EQ(requested[0].Density, 5);
  EXPECT_EQ(requested[0].Shape, ClusterShape::FadingSphere);

  form.Open();  // hidden, not closed: the texts stay; Cancel generates nothing
  EXPECT_EQ(Child<QLineEdit>(form, "ClusterSizeText")->text(), QStringLiteral("60.4"));
  Child<QAbstractButton>(form, "ClusterCancel")->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(requested.size(), 1U);
}

}  // namespace
}  // namespace ax
