// Test entry point for screen tests: one QApplication for the whole program, on the
// offscreen platform unless the caller chose another.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "shell/ui/model_roads.h"

int main(int argc, char **argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  quon::Application app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  quon::RegisterAllModelRoads();
  return RUN_ALL_TESTS();
}
