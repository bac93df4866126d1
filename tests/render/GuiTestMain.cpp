#include <gtest/gtest.h>

#include <QGuiApplication>

// Painting text needs one QGuiApplication for the whole run.
int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
