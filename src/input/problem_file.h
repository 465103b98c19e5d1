// Problem files: a problem of any model class as plain text, one value a line (the model
// tag, the input digit counts N and D, the format type, the title, the sizes, every data cell
// of the input grid, and for networks the symmetric flag). A file is read and checked whole
// before anything of it reaches the program's data or the grid.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "shell/input_message.h"
#include "platform/grid_store.h"
#include "shell/mod1.h"

namespace quon {

// The tag a problem of this model class and sub-model is saved with: 1000 ... 9000, networks
// 7001 (spanning tree), 7002 (Dijkstra or Floyd), 7004 (maximal flow) or 0 (shortest route as
// chosen on the MAIN menu), projects 8001 (CPM) and 8002 (PERT).
int16 ModelTag(int modelClass, int netSubModel, int projMethod);

// The model class a tag belongs to; 0 for a number that is no tag.
int ModelClassOfTag(int tag);

// Whether a file with this tag may be opened for the model class elected on the MAIN menu.
// Linear and integer programs open each other's files; shortest route opens every network.
bool TagAccepted(int tag, int electedClass, int netSubModel, int projMethod);

// A problem file's contents.
struct ProblemFile {
  int16 tag = 0;
  int16 digitsN = 5;
  int16 digitsD = 2;
  int16 formatType = 1;
  std::string title;
  // By model class of the tag: 1, 2 {order}; 3, 5 {variables, constraints}; 4 {sources,
  // destinations}; 6 {scenarios}; 7 {nodes}; 8 {largest node, grid rows}; 9 {strategies of A,
  // strategies of B}.
  std::vector<int> sizes;
  std::string sense; // linear and integer programs: "Maximize" or "Minimize"
  // The grid the cells belong to: its rows and columns, headings included; the cells are
  // those of rows 1.. and columns 1.., row by row.
  int rows = 0;
  int cols = 0;
  std::vector<std::string> cells;
  int16 symmetric = 0; // networks only

  const std::string &Cell(int r, int c) const;
};

// The longest problem file that is opened or written. The largest grids the size limits allow
// (a project of 32766 activities, a program of 100 variables and 100 constraints) take a few
// megabytes with numbers and names of ordinary length; anything far longer is no problem file
// and is refused before it is read.
inline constexpr std::uintmax_t kMaxProblemFileBytes = std::uintmax_t{64} << 20;

// The sizes a grid of a model class holds, in the order a file stores them (projects: the
// largest node number NodeCount, then the row count).
std::vector<int> GridSizes(int modelClass, int rows, int cols);

// The grid (rows, columns) of a model class with these sizes (projects: by CPM or PERT).
struct GridShape {
  int rows = 0;
  int cols = 0;
};
GridShape ShapeOf(int modelClass, int projMethod, const std::vector<int> &sizes);

// The problem on the input screen as a file would hold it: codes and digit counts from the
// data module, the title as typed, and the sizes and cells from the grid itself, so a
// transportation problem keeps its typed sizes after balancing.
ProblemFile CaptureProblem(const GridStore &grid, const std::string &title, int16 symmetric);

// What the save question compares: the problem as a file would hold it, but for the digit
// counts and the format type, which the later screens change without touching the data.
std::string ProblemContent(const GridStore &grid, const std::string &title, int16 symmetric);

// The exact text of a problem file.
std::string ProblemFileText(const ProblemFile &file);

// Saves a problem. The old file is replaced only once the new one is written whole; any
// failure comes back as the message to show, and a problem that the grid does not yet hold
// whole is not written.
std::optional<InputMessage> WriteProblemFile(const std::string &path, const ProblemFile &file);

enum class OpenStatus { Loaded, Mismatch, Invalid };

struct OpenResult {
  OpenStatus status = OpenStatus::Invalid;
  ProblemFile file;     // when Loaded
  InputMessage message; // when Mismatch (the retry question) or Invalid
  std::string reason;   // when Invalid: what is wrong, with its line
};

// Reads and checks a problem file for the elected model class: the tag, the digit counts and
// format type, the sizes within the input screen's limits, and every value present and of
// its kind, and nothing after the last value but blank lines. Only a regular file no longer
// than kMaxProblemFileBytes is read. Nothing is changed.
OpenResult ReadProblemFile(const std::string &path, int electedClass, int netSubModel, int projMethod);
OpenResult ParseProblemFile(std::istream &in, int electedClass, int netSubModel, int projMethod);

// The grid the elected model class builds for a loaded file (linear and integer programs
// differ by the row of integer flags).
GridShape ShapeForElected(const ProblemFile &file, int electedClass);

// Puts a loaded file's header into the data module: N and D (and their saved copies), the
// format type, the title and size texts, the sizes of the elected model class and what they
// dimension, the sense text, the symmetric flag.
void ApplyProblemFile(const ProblemFile &file, int electedClass);

// Writes a loaded file's cells into a grid already built for the elected class, with the
// sense cell of a linear program, "y" integer flags for a linear program opened as an integer
// program, and the empty lower corners of a transportation grid.
void FillGridFromFile(GridStore &grid, const ProblemFile &file, int electedClass);

// "Target file does not match format of elected QUON module.  Retry?"
InputMessage OpenMismatchQuestion();
// "You have not specified a SAVE file name.  Retry?"
InputMessage SaveNameRetryQuestion();
// The caption of the input screen once a file is open.
std::string OpenedCaption(const std::string &fileName);

} // namespace quon
