#include "input/cell_rules.h"

#include <cmath>

#include "platform/values.h"
#include "shell/mod1.h"

namespace quon {

namespace {

enum class Kind { Free, Number, Relation, Flag };

struct Rule {
  Kind kind = Kind::Free;
  bool negative = true;        // a number may be negative
  bool whole = false;          // only whole numbers
  const char *word = nullptr;  // a word the cell also takes
  const char *word2 = nullptr; // and another
  InputMessage signRefusal;    // why a negative number is refused where keys refuse "-"
  double largest = kLargestCellNumber; // the largest magnitude the cell takes
};

InputMessage Info(const char *text, const char *title) {
  InputMessage m = CriticalMessage(text, title);
  m.style = msg::OKOnly | msg::Information;
  m.beep = true;
  return m;
}

InputMessage Critical(const char *text, const char *title) {
  InputMessage m = CriticalMessage(text, title);
  m.beep = true;
  return m;
}

const char *const kNonnegativeVar = "Nonnegative var: Lower bound must be nonnegative.";
const char *const kUnrestrictedVar = "Unrestr'd var: Lower bound must be negative or -infinity.";
const char *const kUnrestrictedTitle = "Unrestricted Status";

Rule KindRule(Kind kind) {
  Rule r;
  r.kind = kind;
  return r;
}

Rule Whole(Rule r) {
  r.whole = true;
  return r;
}

Rule NumberRule(bool negative = true, const char *word = nullptr, const char *word2 = nullptr) {
  Rule r;
  r.kind = Kind::Number;
  r.negative = negative;
  r.word = word;
  r.word2 = word2;
  r.signRefusal = Critical("This cell takes no negative number", "Input Data Error");
  return r;
}

Rule RuleOf(const CellSheet &s, int r, int c) {
  const int rows = s.rows, cols = s.cols;
  switch (s.modelClass) {
  case ModelClassCode::MatrixInversion:
  case ModelClassCode::LinearEquations:
  case ModelClassCode::Games:
    return NumberRule();
  case ModelClassCode::LinearProgramming:
  case ModelClassCode::IntegerProgramming: {
    const int m = rows - (s.modelClass == ModelClassCode::IntegerProgramming ? 7 : 6), n = cols - 3;
    if (r == 1) return {};
    if (c == n + 1) return r >= 3 && r <= m + 2 ? KindRule(Kind::Relation) : Rule();
    if (c == n + 2) {
      if (r < 3 || r > m + 2) return {};
      Rule rhs = NumberRule(false);
      rhs.signRefusal = Critical("Negative RHS not permitted.  Re-enter", "Rihgt-hand Side");
      return rhs;
    }
    if (r <= m + 2) return NumberRule();
    if (r == m + 3) return NumberRule(true, "-infinity");
    if (r == m + 4) return NumberRule(true, "infinity");
    return KindRule(Kind::Flag);
  }
  case ModelClassCode::Transportation: {
    if (r == 1 || c == 1) return {};
    if (r == rows - 1 && c == cols - 1) return {};
    if (r == rows - 1 || c == cols - 1) {
      Rule amount = NumberRule(false);
      amount.signRefusal = Info("Negative Supply/Demand not permitted.", "Suppl/Demand");
      return amount;
    }
    return NumberRule(true, "infinity", "-infinity");
  }
  case ModelClassCode::Queueing:
    // The "i" key puts "infinity" into every cell of the queue table; servers and limits
    // are whole numbers.
    return c >= 3 ? Whole(NumberRule(true, "infinity")) : NumberRule(true, "infinity");
  case ModelClassCode::Networks:
    if (r == 1 || c == 1 || r == c) return {};
    return NumberRule(false, "infinity");
  case ModelClassCode::ProjectPlanning:
    if (c == 3) return {};
    return c <= 2 ? Whole(NumberRule(false)) : NumberRule(false);
  default:
    return {};
  }
}

bool IsWord(const Rule &rule, std::string_view t) {
  return (rule.word && t == rule.word) || (rule.word2 && t == rule.word2);
}

// The flag row of a linear program's column against its lower bound: "-infinity" belongs to
// an unrestricted variable only.
std::optional<InputMessage> LowerBoundAgainstFlag(std::string_view lower, std::string_view flag,
                                                  CellOrigin source) {
  const bool unrestricted = Trim(flag) == "y";
  const std::string t = Trim(lower);
  if (unrestricted || t.empty()) {
    // Typed, an unrestricted variable's bound starts with "-" (a zero may lose its sign when
    // formatted, so only a positive value is refused).
    if (unrestricted && source == CellOrigin::Typed && t != "-infinity" && Val(t) > 0)
      return Info(kUnrestrictedVar, kUnrestrictedTitle);
    return std::nullopt;
  }
  // The "i" key gives "-infinity" whatever the flag says, so only typed text is judged here.
  if (source == CellOrigin::Typed && t[0] == '-') return Info(kNonnegativeVar, kUnrestrictedTitle);
  return std::nullopt;
}

} // namespace

std::optional<CellRefusal> FirstRefusedCell(const CellSheet &sheet) {
  for (int r = 1; r < sheet.rows; ++r)
    for (int c = 1; c < sheet.cols; ++c)
      if (auto refusal = RefuseCellText(sheet, r, c, sheet.text(r, c), CellOrigin::Filed))
        return CellRefusal{r, c, *refusal};
  return std::nullopt;
}

bool NumberTooLarge(const CellSheet &sheet, int row, int col, std::string_view text) {
  const Rule rule = RuleOf(sheet, row, col);
  return rule.kind == Kind::Number && (ValOverflows(text) || std::fabs(Val(text)) > rule.largest);
}

bool TakesNumber(const CellSheet &sheet, int row, int col) {
  return RuleOf(sheet, row, col).kind == Kind::Number;
}

bool TakesWholeNumber(const CellSheet &sheet, int row, int col) {
  const Rule rule = RuleOf(sheet, row, col);
  return rule.kind == Kind::Number && rule.whole;
}

InputMessage WholeNumberRefusal() {
  return Critical("This cell takes a whole number only", "Input Data Error");
}

std::optional<InputMessage> RefuseCellText(const CellSheet &sheet, int row, int col, std::string_view text,
                                           CellOrigin source) {
  const Rule rule = RuleOf(sheet, row, col);
  const std::string t = Trim(text);
  switch (rule.kind) {
  case Kind::Free:
    return std::nullopt;
  case Kind::Relation:
    if (t == "<=" || t == "=" || t == ">=") return std::nullopt;
    // The editor's Delete key can leave part of a relation, which reads by its first sign.
    if (source == CellOrigin::Filed && (t.empty() || t == "<" || t == ">")) return std::nullopt;
    return Critical("A constraint's type is <=, = or >=", "Input Data Error");
  case Kind::Flag: {
    if (source == CellOrigin::Typed && t != "y" && t != "n")
      return Critical("This row takes y or n", "Input Data Error");
    const bool freeRow = row == sheet.rows - (sheet.modelClass == ModelClassCode::IntegerProgramming ? 2 : 1);
    if (freeRow && sheet.text) return LowerBoundAgainstFlag(sheet.text(row - 2, col), t, source);
    return std::nullopt;
  }
  case Kind::Number:
    break;
  }
  if (t.empty() || IsWord(rule, t)) {
    if (t == "-infinity" && (sheet.modelClass == ModelClassCode::LinearProgramming || sheet.modelClass == ModelClassCode::IntegerProgramming) && sheet.text)
      return LowerBoundAgainstFlag(t, sheet.text(row + 2, col), source);
    return std::nullopt;
  }
  if (!IsNumber(t)) return Critical("This cell takes a number only", "Input Data Error");
  if (ValOverflows(t) || std::fabs(Val(t)) > rule.largest) return Critical("The number is too large", "Input Data Error");
  if (source == CellOrigin::Typed) {
    if (!rule.negative && Val(t) < 0) return rule.signRefusal;
    if (rule.whole && Val(t) != Int(Val(t))) return WholeNumberRefusal();
    const bool lowerBoundRow = (sheet.modelClass == ModelClassCode::LinearProgramming || sheet.modelClass == ModelClassCode::IntegerProgramming) &&
                               row == sheet.rows - (sheet.modelClass == ModelClassCode::IntegerProgramming ? 4 : 3);
    if (lowerBoundRow && sheet.text) return LowerBoundAgainstFlag(t, sheet.text(row + 2, col), source);
  }
  return std::nullopt;
}

} // namespace quon
