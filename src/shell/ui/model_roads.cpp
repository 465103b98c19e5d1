#include "shell/ui/model_roads.h"

#include <array>

namespace quon {

namespace {

constexpr int kClassSlots = 12;

std::array<ModelRoads, kClassSlots> &Table() {
  static std::array<ModelRoads, kClassSlots> table;
  return table;
}

} // namespace

void RegisterModelRoads(ModelClassCode::Code modelClass, ModelRoads roads) {
  const int i = static_cast<int>(modelClass);
  if (i >= 0 && i < kClassSlots) Table()[i] = std::move(roads);
}

const ModelRoads &CurrentModelRoads() {
  static const ModelRoads none;
  const int i = static_cast<int>(g.ModelClass);
  return i >= 0 && i < kClassSlots ? Table()[i] : none;
}

} // namespace quon
