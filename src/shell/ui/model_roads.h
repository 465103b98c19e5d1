// The roads of the model classes through the shell's screens. The SOLVE/MODIFY, output-format
// and output screens know no model class: each class registers, from its own folder, the
// entries these screens call, and a screen looks up the current class and calls its entry.
// An empty entry means the class has no such road (yet): the screen then does what it does for
// a class without one (mostly nothing).
#pragma once

#include <functional>

#include "shell/mod1.h"

namespace quon {

// The "Solve Problem" item that the SOLVE/MODIFY menu shows for a class.
enum class SolveMenuItem : int16 { None, Solve, SolveLP, SolveTrans, SolveIP, SolveZeroGame, SolveShort };

struct ModelRoads {
  // SOLVE/MODIFY screen.
  std::function<SolveMenuItem()> solveMenuItem; // which "Solve Problem" item is visible
  std::function<void()> solveScreenLoad;        // the class's part of the screen's load
  std::function<void()> solve;                  // "&Solve Problem": solve before the output format
  // Items whose output screen is shown straight from the SOLVE/MODIFY menu (transportation): the
  // final solution, and the first tableau of the start TransStartMethod. The output screen is
  // shown and the SOLVE/MODIFY screen gone when they are called.
  std::function<void()> solveFinalDirect;
  std::function<void()> iterationsDirect;

  // Output-format screen: the digit count D it proposes, and "Go To Output Screen" - the road
  // that shows the output's screen and builds the output (empty: no output for this method).
  const char *proposedDigitsD = "2";
  std::function<std::function<void()>()> outputRoad;

  // Output screen.
  std::function<void()> outputScreenLoad; // the class's part of the screen's load
  bool usesSearchTree = false;            // keeps the branch-and-bound frames on the screen
  std::function<void()> optionChanged;    // a choice in "Select Output Option" (OutputOption set)
  std::function<void()> nextIteration;    // "Next Iteration"
  std::function<void()> allIterations;    // "All Iterations"
  std::function<void()> gridClick;        // a click on outputGrid (its MouseRow and MouseCol)
  std::function<void()> print;            // "Write to Printer"
  // The output screen's lists beside the option list: "Starting Node", "From node", "To node",
  // the label that lists every route, and "Initialize u or v".
  std::function<void()> startNodeChosen;
  std::function<void()> fromNodeChosen;
  std::function<void()> toNodeChosen;
  std::function<void()> allRoutesClicked;
  std::function<void()> multiplierChosen;
  // A click on the branching grid of the search tree (its MouseRow and MouseCol).
  std::function<void()> branchGridClick;

  // The input cell that the return to the input screen starts on.
  int16 inputStartCol = 1;
};

// Registers the roads of one model class, replacing any earlier registration.
void RegisterModelRoads(ModelClassCode::Code modelClass, ModelRoads roads);

// The roads of the current model class (g.ModelClass); a class that registered none has the
// empty set of roads.
const ModelRoads &CurrentModelRoads();

// Registers the roads of every model class of the program (app/model_roads.cpp); the program and
// the screen tests call it once at start.
void RegisterAllModelRoads();

} // namespace quon
