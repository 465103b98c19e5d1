// What the benchmarks of screens share: the program's set-up on an offscreen display, the
// process's memory as the kernel reports it, and painting a grid's visible page.
#pragma once

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/ui/application.h"
#include "platform/ui/forms.h"
#include "platform/ui/grid.h"
#include "shell/ui/model_roads.h"

namespace quon::bench {

// A field of /proc/self/status ("VmRSS:", "VmHWM:") in MB.
inline double MemoryMB(const char *field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::atof(line.c_str() + std::string(field).size() + 1) / 1024.0;
  return 0;
}

// Paints what a grid shows, as its window would be painted.
class GridPainter {
public:
  explicit GridPainter(Grid &grid)
      : viewport_(static_cast<QAbstractScrollArea *>(grid.Widget())->viewport()),
        image_(viewport_->size(), QImage::Format_RGB32) {}
  void Paint() {
    QPainter p(&image_);
    viewport_->render(&p);
  }

private:
  QWidget *viewport_;
  QImage image_;
};

// The main of a screen benchmark: offscreen unless a display is named, every model class's
// roads registered, and no screen's unloading taken as the end of the program.
inline int RunQtBenchmarks(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application app(argc, argv);
  Forms::SetProgramEndHandler([] {});
  RegisterAllModelRoads();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Forms::Clear();
  return 0;
}

} // namespace quon::bench
