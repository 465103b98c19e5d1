#include "input/problem_file.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "input/cell_rules.h"
#include "platform/record_io.h"
#include "platform/values.h"
#include "shell/helpers.h"

namespace quon {

namespace {

struct SizeRule {
  const char *what;
  int lo;
  int hi;
};

// The sizes a file holds for a model class, with the limits the input screen puts on them.
// A project's largest node and row count have no size box: they only have to fit the data.
std::vector<SizeRule> SizeRules(int modelClass) {
  switch (modelClass) {
  case ModelClassCode::MatrixInversion:
  case ModelClassCode::LinearEquations:
    return {{"the order of the matrix", 2, 100}};
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming:
    return {{"the number of variables", 2, 100}, {"the number of constraints", 1, 100}};
  case ModelClassCode::Transportation:
    return {{"the number of sources", 2, 100}, {"the number of destinations", 1, 100}};
  case ModelClassCode::Queueing:
    return {{"the number of scenarios", 1, 100}};
  case ModelClassCode::Networks:
    return {{"the number of nodes", 2, 100}};
  case ModelClassCode::ProjectPlanning:
    return {{"the largest node number", 0, 32767}, {"the number of grid rows", 2, 32767}};
  case ModelClassCode::Games:
    return {{"the number of strategies of A", 2, 100}, {"the number of strategies of B", 1, 100}};
  default:
    return {};
  }
}

int ProjMethodOfTag(int tag) {
  return tag == 8002 ? 2 : 1;
}

// Sub-model and project method under which a tag is its own model class's.
int NetSubModelOfTag(int tag) {
  return tag == 0 ? 0 : tag - 7000;
}

std::string SizeText(int v) {
  return std::to_string(v);
}

// A file's cells as the grid of its own model class holds them.
CellSheet SheetOf(const ProblemFile &f) {
  return {ModelClassOfTag(f.tag), f.rows, f.cols, [&f](int r, int c) { return f.Cell(r, c); }};
}

// "row 2, column 3 holds "x". This cell takes a number only"
std::string CellRefusalText(const std::string &text, const CellRefusal &refused) {
  return "row " + std::to_string(refused.row) + ", column " + std::to_string(refused.col) + " holds " +
         Excerpt(text) + ". " + refused.message.text;
}

InputMessage InvalidFile(const std::string &why) {
  return CriticalMessage("File is not a valid problem file (" + why + ")", "Open File");
}

} // namespace

int16 ModelTag(int modelClass, int netSubModel, int projMethod) {
  switch (modelClass) {
  case ModelClassCode::Networks:
    if (netSubModel == 1) return 7001;
    if (netSubModel == 2 || netSubModel == 3) return 7002;
    if (netSubModel == 4) return 7004;
    return 0;
  case ModelClassCode::ProjectPlanning:
    return static_cast<int16>(8000 + projMethod);
  default:
    return static_cast<int16>(modelClass * 1000);
  }
}

int ModelClassOfTag(int tag) {
  switch (tag) {
  case 1000:
  case 2000:
  case 3000:
  case 4000:
  case 5000:
  case 6000:
  case 9000:
    return tag / 1000;
  case 0:
  case 7001:
  case 7002:
  case 7004:
    return 7;
  case 8001:
  case 8002:
    return 8;
  default:
    return 0;
  }
}

bool TagAccepted(int tag, int electedClass, int netSubModel, int projMethod) {
  switch (electedClass) {
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming:
    return tag == 3000 || tag == 5000;
  case ModelClassCode::Networks:
    if (netSubModel == 1 || netSubModel == 4) return tag == 7000 + netSubModel;
    if (netSubModel == 2 || netSubModel == 3) return tag == 7002;
    // Shortest route as chosen on the MAIN menu opens any network, and nothing else.
    return ModelClassOfTag(tag) == 7;
  case ModelClassCode::ProjectPlanning:
    return tag == 8000 + projMethod;
  default:
    return electedClass >= 1 && tag == electedClass * 1000 && ModelClassOfTag(tag) == electedClass;
  }
}

const std::string &ProblemFile::Cell(int r, int c) const {
  return cells.at(static_cast<std::size_t>(r - 1) * static_cast<std::size_t>(cols - 1) +
                  static_cast<std::size_t>(c - 1));
}

GridShape ShapeOf(int modelClass, int projMethod, const std::vector<int> &sizes) {
  const int a = sizes.size() > 0 ? sizes[0] : 0;
  const int b = sizes.size() > 1 ? sizes[1] : 0;
  switch (modelClass) {
  case ModelClassCode::MatrixInversion:
    return {a + 1, a + 1};
  case ModelClassCode::LinearEquations:
    return {a + 1, a + 2};
  case ModelClassCode::LinearProgramming:
    return {b + 6, a + 3};
  case ModelClassCode::IntegerProgramming:
    return {b + 7, a + 3};
  case ModelClassCode::Transportation:
    return {a + 3, b + 3};
  case ModelClassCode::Queueing:
    return {a + 1, 6};
  case ModelClassCode::Networks:
    return {a + 2, a + 2};
  case ModelClassCode::ProjectPlanning:
    return {b, projMethod == 2 ? 7 : 5};
  case ModelClassCode::Games:
    return {a + 1, b + 1};
  default:
    return {};
  }
}

std::vector<int> GridSizes(int modelClass, int rows, int cols) {
  switch (modelClass) {
  case ModelClassCode::MatrixInversion:
  case ModelClassCode::LinearEquations:
  case ModelClassCode::Queueing:
    return {rows - 1};
  case ModelClassCode::LinearProgramming:
    return {cols - 3, rows - 6};
  case ModelClassCode::IntegerProgramming:
    return {cols - 3, rows - 7};
  case ModelClassCode::Transportation:
    return {rows - 3, cols - 3};
  case ModelClassCode::Networks:
    return {cols - 2};
  case ModelClassCode::ProjectPlanning:
    return {g.NodeCount, rows};
  case ModelClassCode::Games:
    return {rows - 1, cols - 1};
  default:
    return {};
  }
}

ProblemFile CaptureProblem(const GridStore &grid, const std::string &title, int16 symmetric) {
  ProblemFile f;
  const int mc = g.ModelClass;
  f.tag = ModelTag(mc, g.NetSubModel, g.ProjMethod);
  f.digitsN = g.NumDigitsN;
  f.digitsD = g.NumDigitsD;
  f.formatType = g.NumFormatType;
  f.title = title;
  f.rows = grid.Rows();
  f.cols = grid.Cols();
  const int r = f.rows;
  const int c = f.cols;
  f.sizes = GridSizes(mc, r, c);
  if (mc == ModelClassCode::Networks) f.symmetric = symmetric;
  if ((mc == ModelClassCode::LinearProgramming || mc == ModelClassCode::IntegerProgramming) && r > 2 && c > 0) f.sense = Trim(grid.TextMatrix(2, 0));
  for (int i = 1; i < r; ++i)
    for (int j = 1; j < c; ++j)
      f.cells.push_back(grid.TextMatrix(i, j));
  return f;
}

std::string ProblemContent(const GridStore &grid, const std::string &title, int16 symmetric) {
  ProblemFile f = CaptureProblem(grid, title, symmetric);
  f.digitsN = f.digitsD = f.formatType = 0;
  return ProblemFileText(f);
}

std::string ProblemFileText(const ProblemFile &file) {
  std::ostringstream out(std::ios::binary);
  RecordWriter w(out);
  const int mc = ModelClassOfTag(file.tag);
  w.WriteNumber(file.tag);
  w.WriteNumber(file.digitsN);
  w.WriteNumber(file.digitsD);
  w.WriteNumber(file.formatType);
  w.WriteText(file.title);
  for (int s : file.sizes)
    w.WriteNumber(s);
  if (mc == ModelClassCode::LinearProgramming || mc == ModelClassCode::IntegerProgramming) w.WriteText(file.sense);
  for (const auto &cell : file.cells)
    w.WriteText(cell);
  if (mc == ModelClassCode::Networks) w.WriteNumber(file.symmetric);
  return out.str();
}

OpenResult ParseProblemFile(std::istream &in, int electedClass, int netSubModel, int projMethod) {
  RecordReader rd(in);
  OpenResult res;
  std::string why;
  auto invalid = [&]() {
    res.status = OpenStatus::Invalid;
    res.reason = rd.Failed() ? rd.Error() : why;
    res.message = InvalidFile(res.reason);
    return res;
  };
  // A whole number within limits; a failure leaves its reason in `why` or in the reader.
  auto whole = [&](const std::string &what, int lo, int hi) -> std::optional<int> {
    auto v = rd.ReadNumber();
    if (!v) return std::nullopt;
    if (*v != std::floor(*v) || *v < lo || *v > hi) {
      why = "line " + std::to_string(rd.Line()) + ": " + what + " is " + NumText(*v) +
            ", where a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) + " belongs";
      return std::nullopt;
    }
    return static_cast<int>(*v);
  };

  auto tag = whole("the model tag", -32768, 32767);
  if (!tag) return invalid();
  if (!TagAccepted(*tag, electedClass, netSubModel, projMethod)) {
    res.status = OpenStatus::Mismatch;
    res.message = OpenMismatchQuestion();
    return res;
  }
  ProblemFile &f = res.file;
  f.tag = static_cast<int16>(*tag);
  const int mc = ModelClassOfTag(f.tag);

  auto n = whole("the digit count N", 1, MaxFormatDigits);
  if (!n) return invalid();
  auto d = whole("the digit count D", 0, MaxFormatDigits);
  if (!d) return invalid();
  auto type = whole("the number-format type", 1, 2);
  if (!type) return invalid();
  f.digitsN = static_cast<int16>(*n);
  f.digitsD = static_cast<int16>(*d);
  f.formatType = static_cast<int16>(*type);
  auto title = rd.ReadText();
  if (!title) return invalid();
  f.title = *title;

  for (const SizeRule &rule : SizeRules(mc)) {
    auto s = whole(rule.what, rule.lo, rule.hi);
    if (!s) return invalid();
    f.sizes.push_back(*s);
  }
  if (mc == ModelClassCode::LinearProgramming || mc == ModelClassCode::IntegerProgramming) {
    auto sense = rd.ReadText();
    if (!sense) return invalid();
    f.sense = Trim(*sense);
    if (f.sense != "Maximize" && f.sense != "Minimize") {
      why = "line " + std::to_string(rd.Line()) + ": the objective sense is " + Excerpt(*sense) +
            ", where \"Maximize\" or \"Minimize\" belongs";
      return invalid();
    }
  }

  const GridShape shape = ShapeOf(mc, ProjMethodOfTag(f.tag), f.sizes);
  f.rows = shape.rows;
  f.cols = shape.cols;
  const long count = static_cast<long>(f.rows - 1) * static_cast<long>(f.cols - 1);
  const int firstCellLine = rd.Line() + 1;
  for (long k = 0; k < count; ++k) {
    auto cell = rd.ReadText();
    if (!cell) return invalid();
    f.cells.push_back(std::move(*cell));
  }
  // Every cell must be one the input grid could hold, as its editor would have let it be typed.
  if (auto refused = FirstRefusedCell(SheetOf(f))) {
    const int line = firstCellLine + (refused->row - 1) * (f.cols - 1) + (refused->col - 1);
    why =
        "line " + std::to_string(line) + ": " + CellRefusalText(f.Cell(refused->row, refused->col), *refused);
    return invalid();
  }
  if (mc == ModelClassCode::Networks) {
    auto flag = whole("the symmetric-network flag", 0, 1);
    if (!flag) return invalid();
    f.symmetric = static_cast<int16>(*flag);
  }
  // The values must end where the sizes say: a file whose sizes were changed by hand would
  // otherwise open with its cells shifted.
  if (!rd.ExpectEnd()) {
    why = rd.Error() + "; its sizes call for " + std::to_string(count) + " cells, on lines " +
          std::to_string(firstCellLine) + " to " + std::to_string(firstCellLine + count - 1);
    res.status = OpenStatus::Invalid;
    res.reason = why;
    res.message = InvalidFile(why);
    return res;
  }
  res.status = OpenStatus::Loaded;
  return res;
}

namespace {

// What a name that is no regular file belongs to, for the refusal.
const char *KindOfNonFile(std::filesystem::file_type type) {
  using std::filesystem::file_type;
  switch (type) {
  case file_type::directory:
    return "a folder";
  case file_type::fifo:
    return "a pipe";
  case file_type::character:
  case file_type::block:
    return "a device";
  case file_type::socket:
    return "a socket";
  default:
    return "not a file";
  }
}

std::string Megabytes(std::uintmax_t bytes) {
  return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MB";
}

} // namespace

OpenResult ReadProblemFile(const std::string &path, int electedClass, int netSubModel, int projMethod) {
  namespace fs = std::filesystem;
  OpenResult res;
  auto refused = [&](const std::string &text) {
    res.message = CriticalMessage(text, "Open File");
    return res;
  };
  // Only a regular file is opened: a pipe would wait for a writer for good, and a device such
  // as /dev/zero never ends. Its length is known before it is read.
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (ec || !fs::exists(st)) return refused("The file " + path + " cannot be opened");
  if (!fs::is_regular_file(st))
    return refused(path + " cannot be opened: it is " + KindOfNonFile(st.type()) + ", not a problem file");
  const std::uintmax_t bytes = fs::file_size(path, ec);
  if (!ec && bytes > kMaxProblemFileBytes)
    return refused(path + " cannot be opened: at " + Megabytes(bytes) +
                   " it is larger than a problem file can be (" + Megabytes(kMaxProblemFileBytes) + ")");
  std::ifstream in(path, std::ios::binary);
  if (!in) return refused("The file " + path + " cannot be opened");
  return ParseProblemFile(in, electedClass, netSubModel, projMethod);
}

std::optional<InputMessage> WriteProblemFile(const std::string &path, const ProblemFile &file) {
  auto failed = [&](const std::string &why) {
    return CriticalMessage("The problem could not be saved to " + path + " (" + why + ")", "Save Error");
  };
  // Only what can be opened again is written, so a save never leaves a file behind that the
  // program refuses later.
  if (file.rows < 2 || file.cols < 2 ||
      file.cells.size() != static_cast<std::size_t>(file.rows - 1) * (file.cols - 1))
    return failed("the input grid does not hold a whole problem yet");
  if (auto refused = FirstRefusedCell(SheetOf(file)))
    return failed(CellRefusalText(file.Cell(refused->row, refused->col), *refused));
  const std::string text = ProblemFileText(file);
  if (text.size() > kMaxProblemFileBytes) return failed("the problem is larger than a problem file can be");
  {
    std::istringstream back(text, std::ios::binary);
    const int mc = ModelClassOfTag(file.tag);
    OpenResult check = ParseProblemFile(back, mc, NetSubModelOfTag(file.tag), ProjMethodOfTag(file.tag));
    if (check.status != OpenStatus::Loaded) return failed("it would not open again: " + check.reason);
    if (check.file.rows != file.rows || check.file.cols != file.cols)
      return failed("the input grid does not hold a whole problem yet");
    // Every text must come back as it stands; only a line break inside one cannot.
    auto lost = [](const std::string &where, const std::string &text) {
      return where + (text.find('\n') != std::string::npos
                          ? " holds a line break, which a problem file cannot keep"
                          : " would not open again as it stands");
    };
    if (check.file.title != file.title) return failed(lost("the title", file.title));
    for (std::size_t k = 0; k < file.cells.size(); ++k)
      if (check.file.cells[k] != file.cells[k]) {
        const int r = 1 + static_cast<int>(k) / (file.cols - 1),
                  c = 1 + static_cast<int>(k) % (file.cols - 1);
        return failed(lost("row " + std::to_string(r) + ", column " + std::to_string(c), file.cells[k]));
      }
  }

  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  // Writing to a pipe would wait for a reader for good.
  if (fs::exists(st) && !fs::is_regular_file(st))
    return failed(std::string("it is ") + KindOfNonFile(st.type()) + ", not a file");
  if (fs::exists(st)) {
    // A file that may not be written stays as it is, even where the folder would allow
    // replacing it.
    std::ofstream probe(path, std::ios::binary | std::ios::app);
    if (!probe) return failed("the file may not be written");
  }
  const std::string temp = path + ".quon-save";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return failed("the folder may not be written");
    out << text;
    out.flush();
    if (!out) {
      out.close();
      fs::remove(temp, ec);
      return failed("the disk may be full");
    }
  }
  fs::rename(temp, path, ec);
  if (ec) {
    fs::remove(temp, ec);
    return failed("the file could not be replaced");
  }
  return std::nullopt;
}

GridShape ShapeForElected(const ProblemFile &file, int electedClass) {
  const int mc = (electedClass == ModelClassCode::LinearProgramming || electedClass == ModelClassCode::IntegerProgramming) ? electedClass : ModelClassOfTag(file.tag);
  return ShapeOf(mc, ProjMethodOfTag(file.tag), file.sizes);
}

void ApplyProblemFile(const ProblemFile &file, int electedClass) {
  g.NumDigitsN = file.digitsN;
  g.NumDigitsD = file.digitsD;
  g.NumDigitsNSaved = file.digitsN;
  g.NumDigitsDSaved = file.digitsD;
  g.NumFormatType = file.formatType;
  g.HeaderText[1] = file.title;
  const int a = file.sizes.size() > 0 ? file.sizes[0] : 0;
  const int b = file.sizes.size() > 1 ? file.sizes[1] : 0;
  g.HeaderText[2] = SizeText(a);
  switch (electedClass) {
  case ModelClassCode::MatrixInversion:
  case ModelClassCode::LinearEquations:
    g.NVars = static_cast<int16>(a);
    g.MRows = g.NVars;
    ReDimProblemArrays(ArrayKind::Common);
    break;
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming:
    g.NVars = static_cast<int16>(a);
    g.MRows = static_cast<int16>(b);
    g.HeaderText[3] = SizeText(b);
    g.SenseText = file.sense;
    break;
  case ModelClassCode::Transportation:
    g.TransSources = static_cast<int16>(a);
    g.TransDests = static_cast<int16>(b);
    g.HeaderText[3] = SizeText(b);
    break;
  case ModelClassCode::Queueing:
    g.NScen = static_cast<int16>(a);
    g.QueueData.ReDim(g.NScen, 5);
    break;
  case ModelClassCode::Networks:
    g.NodeCount = static_cast<int16>(a);
    g.SymmetricNet = file.symmetric;
    break;
  case ModelClassCode::ProjectPlanning:
    g.NodeCount = static_cast<int16>(a);
    break;
  case ModelClassCode::Games:
    g.GameRows = static_cast<int16>(a);
    g.GameCols = static_cast<int16>(b);
    g.HeaderText[3] = SizeText(b);
    break;
  default:
    break;
  }
}

void FillGridFromFile(GridStore &grid, const ProblemFile &file, int electedClass) {
  const int lastRow = std::min(grid.Rows(), file.rows) - 1;
  const int lastCol = std::min(grid.Cols(), file.cols) - 1;
  for (int r = 1; r <= lastRow; ++r)
    for (int c = 1; c <= lastCol; ++c)
      grid.SetTextMatrix(r, c, file.Cell(r, c));
  if (electedClass == ModelClassCode::LinearProgramming || electedClass == ModelClassCode::IntegerProgramming) {
    grid.SetTextMatrix(2, 0, file.sense);
    if (electedClass == ModelClassCode::IntegerProgramming && file.tag == 3000) {
      // A linear program opened as an integer program: every variable integer.
      const int r = grid.Rows() - 1;
      for (int c = 1; c <= grid.Cols() - 3; ++c)
        grid.SetTextMatrix(r, c, "y");
      grid.SetTextMatrix(r, grid.Cols() - 2, "");
      grid.SetTextMatrix(r, grid.Cols() - 1, "");
    }
  }
  if (electedClass == ModelClassCode::Transportation) {
    grid.SetTextMatrix(grid.Rows() - 1, 1, "");
    grid.SetTextMatrix(grid.Rows() - 1, grid.Cols() - 1, "");
  }
}

InputMessage OpenMismatchQuestion() {
  InputMessage m;
  m.text = "Target file does not match format of elected QUON module.  Retry?";
  m.title = "Open FileSave As Warning";
  m.style = msg::YesNo | msg::Exclamation;
  return m;
}

InputMessage SaveNameRetryQuestion() {
  InputMessage m;
  m.text = "You have not specified a SAVE file name.  Retry?";
  m.title = "Save As";
  m.style = msg::YesNo | msg::Exclamation;
  return m;
}

std::string OpenedCaption(const std::string &fileName) {
  return "QUON  " + fileName;
}

} // namespace quon
