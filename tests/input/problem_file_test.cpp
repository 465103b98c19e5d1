#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <random>

#include "editor_fake.h"
#include "input/cell_rules.h"
#include "input/problem_file.h"
#include "platform/record_io.h"
#include "support/grid_text.h"

namespace quon {
namespace {

namespace fs = std::filesystem;
using test::MakeGrid;

struct Kind {
  int modelClass;
  int netSubModel;
  int projMethod;
  std::vector<int> sizes;
  int tag;
};

// Every model class and every tag it saves with.
const Kind kKinds[] = {
    {1, 0, 0, {3}, 1000},    {2, 0, 0, {2}, 2000},    {3, 0, 0, {2, 3}, 3000}, {4, 0, 0, {3, 2}, 4000},
    {5, 0, 0, {3, 1}, 5000}, {6, 0, 0, {2}, 6000},    {7, 1, 0, {3}, 7001},    {7, 2, 0, {3}, 7002},
    {7, 3, 0, {2}, 7002},    {7, 4, 0, {2}, 7004},    {7, 0, 0, {3}, 0},       {7, 23, 0, {2}, 0},
    {8, 0, 1, {6, 4}, 8001}, {8, 0, 2, {9, 3}, 8002}, {9, 0, 0, {2, 3}, 9000},
};

void Elect(const Kind &k) {
  g = Mod1{};
  g.ModelClass = static_cast<int16>(k.modelClass);
  g.NetSubModel = static_cast<int16>(k.netSubModel);
  g.ProjMethod = static_cast<int16>(k.projMethod);
  g.NumDigitsN = 7;
  g.NumDigitsD = 3;
  g.NumFormatType = 2;
  if (k.modelClass == 8) g.NodeCount = static_cast<int16>(k.sizes[0]);
}

// A grid of the kind's shape whose every cell names its place.
GridStore FilledGrid(const Kind &k) {
  GridShape s = ShapeOf(k.modelClass, k.projMethod, k.sizes);
  GridStore grid = MakeGrid(s.rows, s.cols);
  for (int r = 0; r < s.rows; ++r)
    for (int c = 0; c < s.cols; ++c)
      grid.SetTextMatrix(r, c, std::to_string(r) + "." + std::to_string(c));
  if (k.modelClass == 3 || k.modelClass == 5) {
    grid.SetTextMatrix(2, 0, "Minimize");
    // A relation cell holds a relation.
    const char *const relations[] = {"<=", "=", ">="};
    for (int r = 3; r <= k.sizes[1] + 2; ++r)
      grid.SetTextMatrix(r, k.sizes[0] + 1, relations[r % 3]);
  }
  return grid;
}

OpenResult Parse(const std::string &text, int electedClass, int netSubModel = 0, int projMethod = 0) {
  std::istringstream in(text, std::ios::binary);
  return ParseProblemFile(in, electedClass, netSubModel, projMethod);
}

std::string Lines(const std::vector<std::string> &lines) {
  std::string s;
  for (const auto &l : lines)
    s += l + "\r\n";
  return s;
}

TEST(ProblemFile, TagsByModelClass) {
  for (const Kind &k : kKinds)
    EXPECT_EQ(ModelTag(k.modelClass, k.netSubModel, k.projMethod), k.tag);
  EXPECT_EQ(ModelClassOfTag(7000), 0);
  EXPECT_EQ(ModelClassOfTag(0), 7);
  EXPECT_EQ(ModelClassOfTag(8002), 8);
}

TEST(ProblemFile, ModelClassCheckOfAnOpenedFile) {
  EXPECT_TRUE(TagAccepted(3000, 5, 0, 0));
  EXPECT_TRUE(TagAccepted(5000, 3, 0, 0));
  EXPECT_FALSE(TagAccepted(4000, 3, 0, 0));
  EXPECT_TRUE(TagAccepted(7001, 7, 1, 0));
  EXPECT_FALSE(TagAccepted(0, 7, 1, 0));
  EXPECT_FALSE(TagAccepted(7002, 7, 4, 0));
  EXPECT_TRUE(TagAccepted(7002, 7, 3, 0));
  EXPECT_FALSE(TagAccepted(7004, 7, 2, 0));
  // Shortest route opens every network file, and only those.
  for (int tag : {0, 7001, 7002, 7004})
    EXPECT_TRUE(TagAccepted(tag, 7, 0, 0)) << tag;
  for (int tag : {1000, 3000, 7000, 8001, 9000, 12})
    EXPECT_FALSE(TagAccepted(tag, 7, 0, 0)) << tag;
  EXPECT_TRUE(TagAccepted(0, 7, 23, 0));
  EXPECT_FALSE(TagAccepted(8001, 8, 0, 2));
  EXPECT_FALSE(TagAccepted(8002, 8, 0, 1));
  EXPECT_TRUE(TagAccepted(6000, 6, 0, 0));
  EXPECT_FALSE(TagAccepted(0, 0, 0, 0));
}

TEST(ProblemFile, LayoutOfALinearProgram) {
  Kind lp{3, 0, 0, {2, 1}, 3000};
  Elect(lp);
  g.NumDigitsN = 5;
  g.NumDigitsD = 2;
  g.NumFormatType = 1;
  GridStore grid = FilledGrid(lp);
  grid.SetTextMatrix(2, 0, "Maximize");
  ProblemFile f = CaptureProblem(grid, "Demo", 0);
  std::vector<std::string> lines = {"3000", "5", "2", "1", "\"Demo\"", "2", "1", "\"Maximize\""};
  for (int r = 1; r <= 6; ++r)
    for (int c = 1; c <= 4; ++c)
      lines.push_back(
          "\"" + (r == 3 && c == 3 ? grid.TextMatrix(3, 3) : std::to_string(r) + "." + std::to_string(c)) +
          "\"");
  EXPECT_EQ(lines.size(), 8u + 24u);
  EXPECT_EQ(ProblemFileText(f), Lines(lines));
}

TEST(ProblemFile, NetworkFileEndsWithTheSymmetricFlag) {
  Kind net{7, 4, 0, {2}, 7004};
  Elect(net);
  ProblemFile f = CaptureProblem(FilledGrid(net), "Flow \"A\"", 1);
  const std::string text = ProblemFileText(f);
  EXPECT_EQ(text.substr(0, 6), "7004\r\n");
  EXPECT_EQ(text.substr(text.size() - 3), "1\r\n");
  auto back = Parse(text, 7, 4);
  ASSERT_EQ(back.status, OpenStatus::Loaded);
  EXPECT_EQ(back.file.title, "Flow \"A\"");
  EXPECT_EQ(back.file.symmetric, 1);
}

TEST(ProblemFile, EveryClassAndTagRoundTrips) {
  for (const Kind &k : kKinds) {
    SCOPED_TRACE(k.tag);
    Elect(k);
    GridStore grid = FilledGrid(k);
    ProblemFile saved = CaptureProblem(grid, "Problem of class " + std::to_string(k.modelClass), 1);
    const std::string text = ProblemFileText(saved);

    auto opened = Parse(text, k.modelClass, k.netSubModel, k.projMethod);
    ASSERT_EQ(opened.status, OpenStatus::Loaded) << opened.message.text;
    const ProblemFile &f = opened.file;
    EXPECT_EQ(f.tag, k.tag);
    EXPECT_EQ(f.sizes, k.sizes);
    EXPECT_EQ(ProblemFileText(f), text);

    g = Mod1{};
    g.ProjMethod = static_cast<int16>(k.projMethod);
    ApplyProblemFile(f, k.modelClass);
    EXPECT_EQ(g.NumDigitsN, 7);
    EXPECT_EQ(g.NumDigitsDSaved, 3);
    EXPECT_EQ(g.NumFormatType, 2);
    EXPECT_EQ(g.HeaderText[1], saved.title);
    EXPECT_EQ(g.HeaderText[2], std::to_string(k.sizes[0]));

    GridShape s = ShapeForElected(f, k.modelClass);
    GridStore fresh = MakeGrid(s.rows, s.cols);
    FillGridFromFile(fresh, f, k.modelClass);
    for (int r = 1; r < s.rows; ++r)
      for (int c = 1; c < s.cols; ++c) {
        const bool emptiedCorner = k.modelClass == 4 && r == s.rows - 1 && (c == 1 || c == s.cols - 1);
        EXPECT_EQ(fresh.TextMatrix(r, c), emptiedCorner ? "" : grid.TextMatrix(r, c)) << r << "," << c;
      }
  }
}

TEST(ProblemFile, WhatTheEditorPutsInACellIsSavedAndOpenedAsItStands) {
  // Random keys typed into random cells of every class; the grid is then saved and opened.
  std::mt19937 rng(20261209);
  const std::string keys = "iIyYnN<>=-.0123456789\b \"x";
  const std::string words = "iyn<>=";
  for (const Kind &k : kKinds) {
    SCOPED_TRACE(k.tag);
    test::ResetProgram(k.modelClass);
    g.NetSubModel = static_cast<int16>(k.netSubModel);
    g.ProjMethod = static_cast<int16>(k.projMethod);
    const int a = k.sizes[0], b = k.sizes.size() > 1 ? k.sizes[1] : 0;
    g.NVars = g.MRows = g.NodeCount = g.GameRows = g.NScen = static_cast<int16>(a);
    if (k.modelClass == 6) g.QueueData.ReDim(a, 5);
    if (b) g.MRows = g.TransDests = g.GameCols = static_cast<int16>(b);
    g.TransSources = static_cast<int16>(a);
    test::FakeInputScreen s;
    s.Build(1, k.modelClass == 4 || k.modelClass == 7 ? 2 : 1);
    if (k.modelClass == 8) s.grid.SetRows(b);
    for (int round = 0; round < 200; ++round) {
      const int r = 1 + static_cast<int>(rng() % (s.grid.Rows() - 1));
      const int c = 1 + static_cast<int>(rng() % (s.grid.Cols() - 1));
      PlaceCellEditor(s, static_cast<int16>(r), static_cast<int16>(c));
      std::string typed;
      for (int n = 1 + static_cast<int>(rng() % 3); n > 0; --n)
        typed += keys[rng() % keys.size()];
      // Often a key that puts a word last, so words stay in the cells.
      if (rng() % 2) typed += words[rng() % words.size()];
      s.Type(typed);
    }
    if (k.modelClass == 8) g.NodeCount = LargestProjectNode(s.grid);
    const ProblemFile saved = CaptureProblem(s.grid, "Typed", s.symmetric ? 1 : 0);
    const CellSheet sheet{k.modelClass, s.grid.Rows(), s.grid.Cols(),
                          [&s](int r, int c) { return s.Cell(r, c); }};
    EXPECT_FALSE(FirstRefusedCell(sheet).has_value()) << "a cell the submission would refuse";
    auto opened = Parse(ProblemFileText(saved), k.modelClass, k.netSubModel, k.projMethod);
    ASSERT_EQ(opened.status, OpenStatus::Loaded) << opened.message.text;
    EXPECT_EQ(opened.file.cells, saved.cells);
  }
}

TEST(ProblemFile, DamagedFilesAreRefusedWithTheLineThatIsWrong) {
  // Every class's file, damaged at random: a count changed, lines appended or doubled, binary
  // bytes after the end. Only blank lines may follow the last value.
  std::mt19937 rng(4780);
  auto lineCount = [](const std::string &text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  };
  for (const Kind &k : kKinds) {
    SCOPED_TRACE(k.tag);
    Elect(k);
    const std::string good = ProblemFileText(CaptureProblem(FilledGrid(k), "T", 1));
    const int goodLines = lineCount(good);
    auto parse = [&](const std::string &text) {
      return Parse(text, k.modelClass, k.netSubModel, k.projMethod);
    };
    ASSERT_EQ(parse(good).status, OpenStatus::Loaded);
    EXPECT_EQ(parse(good + "\r\n  \r\n\n").status, OpenStatus::Loaded) << "trailing blank lines";
    EXPECT_EQ(parse(good.substr(0, good.size() - 2)).status, OpenStatus::Loaded) << "no final line end";

    for (int round = 0; round < 12; ++round) {
      std::string bad;
      int wrongLine = 0; // the line the refusal must name, where it is known
      switch (round % 4) {
      case 0: { // a count changed: the line of a size read as a cell count
        std::vector<std::string> lines;
        std::istringstream in(good);
        for (std::string l; std::getline(in, l);)
          lines.push_back(l.substr(0, l.size() - 1));
        // Sizes start on line 6; a project's first size is its largest node, no count.
        const int which = k.modelClass == 8 ? 1 : static_cast<int>(rng() % k.sizes.size());
        const int size = k.sizes[which];
        int changed = size + (rng() % 2 ? 1 : -1) * (1 + static_cast<int>(rng() % 2));
        if (changed < 1) changed = size + 1;
        lines[5 + which] = std::to_string(changed);
        for (const auto &l : lines)
          bad += l + "\r\n";
        break;
      }
      case 1: { // junk lines appended
        bad = good + (rng() % 2 ? "\"junk\"\r\n" : "  \r\n12\r\n");
        wrongLine = goodLines + (bad.find("  \r\n12", good.size()) == good.size() ? 2 : 1);
        break;
      }
      case 2: // the file twice
        bad = good + good;
        wrongLine = goodLines + 1;
        break;
      default: { // binary bytes after the last value
        bad = good;
        for (int n = 1 + static_cast<int>(rng() % 40); n > 0; --n)
          bad += static_cast<char>(rng() % 256);
        if (bad.find_first_not_of(" \t\r\n", good.size()) == std::string::npos) bad += '\x01';
        const std::size_t firstByte = bad.find_first_not_of(" \t\r\n", good.size());
        wrongLine = goodLines + 1 +
                    static_cast<int>(std::count(bad.begin() + good.size(), bad.begin() + firstByte, '\n'));
        break;
      }
      }
      const OpenResult res = parse(bad);
      ASSERT_EQ(res.status, OpenStatus::Invalid) << round;
      if (wrongLine) {
        EXPECT_NE(res.message.text.find("(line " + std::to_string(wrongLine) + ": "), std::string::npos)
            << res.message.text;
      }
    }
  }
}

TEST(ProblemFile, OpeningSetsTheSizesOfTheElectedClass) {
  auto open = [](const Kind &k) {
    Elect(k);
    auto res = Parse(ProblemFileText(CaptureProblem(FilledGrid(k), "T", 0)), k.modelClass, k.netSubModel,
                     k.projMethod);
    g = Mod1{};
    ApplyProblemFile(res.file, k.modelClass);
  };
  open({1, 0, 0, {3}, 1000});
  EXPECT_EQ(g.NVars, 3);
  EXPECT_EQ(g.MRows, 3);
  EXPECT_EQ(g.Tab.UBound(1), 4);
  open({3, 0, 0, {2, 3}, 3000});
  EXPECT_EQ(g.NVars, 2);
  EXPECT_EQ(g.MRows, 3);
  EXPECT_EQ(g.HeaderText[3], "3");
  EXPECT_EQ(g.SenseText.str(), "Minimize");
  open({4, 0, 0, {3, 2}, 4000});
  EXPECT_EQ(g.TransSources, 3);
  EXPECT_EQ(g.TransDests, 2);
  open({6, 0, 0, {2}, 6000});
  EXPECT_EQ(g.NScen, 2);
  EXPECT_EQ(g.QueueData.UBound(1), 2);
  EXPECT_EQ(g.QueueData.UBound(2), 5);
  open({9, 0, 0, {2, 3}, 9000});
  EXPECT_EQ(g.GameRows, 2);
  EXPECT_EQ(g.GameCols, 3);
}

TEST(ProblemFile, LinearAndIntegerProgramsOpenEachOther) {
  Kind lp{3, 0, 0, {2, 1}, 3000};
  Elect(lp);
  auto asIP = Parse(ProblemFileText(CaptureProblem(FilledGrid(lp), "T", 0)), 5);
  ASSERT_EQ(asIP.status, OpenStatus::Loaded);
  GridShape s = ShapeForElected(asIP.file, 5);
  EXPECT_EQ(s.rows, 8);
  GridStore ip = MakeGrid(s.rows, s.cols);
  FillGridFromFile(ip, asIP.file, 5);
  EXPECT_EQ(ip.TextMatrix(6, 2), "6.2");
  EXPECT_EQ(ip.TextMatrix(7, 1), "y");
  EXPECT_EQ(ip.TextMatrix(7, 2), "y");
  EXPECT_EQ(ip.TextMatrix(7, 3), "");
  EXPECT_EQ(ip.TextMatrix(7, 4), "");
  EXPECT_EQ(ip.TextMatrix(2, 0), "Minimize");

  Kind ipKind{5, 0, 0, {2, 1}, 5000};
  Elect(ipKind);
  auto asLP = Parse(ProblemFileText(CaptureProblem(FilledGrid(ipKind), "T", 0)), 3);
  ASSERT_EQ(asLP.status, OpenStatus::Loaded);
  s = ShapeForElected(asLP.file, 3);
  EXPECT_EQ(s.rows, 7);
  GridStore lpGrid = MakeGrid(s.rows, s.cols);
  FillGridFromFile(lpGrid, asLP.file, 3);
  EXPECT_EQ(lpGrid.TextMatrix(6, 4), "6.4");
}

TEST(ProblemFile, TransportationKeepsItsTypedSizesAfterBalancing) {
  Kind tp{4, 0, 0, {2, 2}, 4000};
  Elect(tp);
  g.TransSources = 3; // a dummy source was added when the problem was solved
  g.NVars = 6;
  ProblemFile f = CaptureProblem(FilledGrid(tp), "T", 0);
  EXPECT_EQ(f.sizes, (std::vector<int>{2, 2}));
}

TEST(ProblemFile, AMinusInfinityLowerBoundOpensWhateverItsFlag) {
  // minimize x1 subject to -x1 <= 5: x1's lower bound row, then its unrestricted flag.
  auto file = [](const std::string &lower, const std::string &flag) {
    return Lines({"3000",
                  "5",
                  "2",
                  "1",
                  "\"T\"",
                  "2",
                  "1",
                  "\"Minimize\"",
                  "\"x1\"",
                  "\"x2\"",
                  "\"\"",
                  "\"\"",
                  "\"1\"",
                  "\"0\"",
                  "\"\"",
                  "\"\"",
                  "\"-1\"",
                  "\"0\"",
                  "\"<=\"",
                  "\"5\"",
                  "\"" + lower + "\"",
                  "\"0\"",
                  "\"\"",
                  "\"\"",
                  "\"infinity\"",
                  "\"infinity\"",
                  "\"\"",
                  "\"\"",
                  "\"" + flag + "\"",
                  "\"n\"",
                  "\"\"",
                  "\"\""});
  };
  EXPECT_EQ(Parse(file("-infinity", "y"), 3).status, OpenStatus::Loaded);
  EXPECT_EQ(Parse(file("0", "n"), 3).status, OpenStatus::Loaded);
  // The editor's "i" key gives "-infinity" whatever the flag says, so the file keeps it.
  for (const char *flag : {"n", ""})
    EXPECT_EQ(Parse(file("-infinity", flag), 3).status, OpenStatus::Loaded) << flag;
}

TEST(ProblemFile, MalformedFilesAreRefusedWhole) {
  const std::vector<std::string> good = {"6000",  "5",     "2",     "1",     "\"Q\"",       "1",
                                         "\"1\"", "\"2\"", "\"3\"", "\"1\"", "\"infinity\""};
  ASSERT_EQ(Parse(Lines(good), 6).status, OpenStatus::Loaded);

  auto refused = [&](std::vector<std::string> lines, const std::string &why) {
    auto res = Parse(Lines(lines), 6);
    EXPECT_EQ(res.status, OpenStatus::Invalid) << why;
    EXPECT_EQ(res.message.title, "Open File") << why;
    EXPECT_EQ(res.message.text.rfind("File is not a valid problem file", 0), 0u) << res.message.text;
    EXPECT_EQ(res.message.style, msg::OKOnly | msg::Critical);
    return res.message.text;
  };
  auto truncated = good;
  truncated.pop_back();
  EXPECT_NE(refused(truncated, "truncated").find("line 11"), std::string::npos);
  auto word = good;
  word[1] = "five";
  refused(word, "a word where a number belongs");
  auto quote = good;
  quote[8] = "\"3";
  refused(quote, "unterminated quote");
  auto big = good;
  big[5] = "500";
  EXPECT_NE(refused(big, "a size of 500").find("the number of scenarios is 500"), std::string::npos);
  auto none = good;
  none[5] = "0";
  refused(none, "no scenarios");
  auto fraction = good;
  fraction[5] = "1.5";
  refused(fraction, "a fractional size");
  auto digits = good;
  digits[1] = "0";
  refused(digits, "N of 0");
  auto type = good;
  type[3] = "3";
  refused(type, "format type 3");
  refused({}, "empty file");
  refused({"x"}, "no tag");
  auto fractionalTag = good;
  fractionalTag[0] = "6000.5";
  refused(fractionalTag, "a tag that is no whole number");

  // Cells the input grid could not hold: a word or an overflow in a number cell.
  auto pasted = good;
  pasted[7] = "\"hello 12.5\"";
  EXPECT_NE(refused(pasted, "a word in a number cell").find("line 8: row 1, column 2 holds \"hello 12.5\""),
            std::string::npos);
  for (const std::string &huge : std::vector<std::string>{"1E309", "-1E400", std::string(400, '9')}) {
    auto over = good;
    over[6] = "\"" + huge + "\"";
    EXPECT_NE(refused(over, huge.substr(0, 8)).find("too large"), std::string::npos);
  }
  // Bytes that are not text are described, not quoted; a long line is cut.
  auto junk = good;
  junk[4] = std::string("\x01\x02\xff\xfe\x7f", 5) + "\"";
  junk[1] = "\x89PNG\x1a";
  const std::string junkWhy = refused(junk, "binary junk");
  EXPECT_NE(junkWhy.find("not plain text"), std::string::npos) << junkWhy;
  EXPECT_EQ(junkWhy.find('\x89'), std::string::npos);
  auto longWord = good;
  longWord[1] = std::string(5000, 'x');
  EXPECT_LT(refused(longWord, "a long line").size(), 200u);

  auto wrongTag = good;
  wrongTag[0] = "4000";
  auto res = Parse(Lines(wrongTag), 6);
  EXPECT_EQ(res.status, OpenStatus::Mismatch);
  EXPECT_EQ(res.message.text, "Target file does not match format of elected QUON module.  Retry?");
  EXPECT_EQ(res.message.title, "Open FileSave As Warning");
  EXPECT_EQ(res.message.style, msg::YesNo | msg::Exclamation);
}

TEST(ProblemFile, SenseAndSymmetricFlagAreChecked) {
  std::vector<std::string> lp = {"3000", "5", "2", "1", "\"T\"", "2", "1", "\"Maximise\""};
  for (int i = 0; i < 24; ++i)
    lp.push_back("\"\"");
  EXPECT_EQ(Parse(Lines(lp), 3).status, OpenStatus::Invalid);
  lp[7] = "\"Minimize\"";
  EXPECT_EQ(Parse(Lines(lp), 3).status, OpenStatus::Loaded);

  std::vector<std::string> net = {"7001", "5",    "2",    "1",    "\"T\"", "2",    "\"\"", "\"\"",
                                  "\"\"", "\"\"", "\"\"", "\"\"", "\"\"",  "\"\"", "\"\"", "2"};
  EXPECT_EQ(Parse(Lines(net), 7, 1).status, OpenStatus::Invalid);
  net.back() = "1";
  EXPECT_EQ(Parse(Lines(net), 7, 1).status, OpenStatus::Loaded);
}

TEST(ProblemFile, ProjectFilesKeepLargeNodeNumbersForTheSolveCheck) {
  std::vector<std::string> cpm = {"8001", "5",     "2",        "1",     "\"T\"", "1500",
                                  "2",    "\"1\"", "\"1500\"", "\"A\"", "\"3\""};
  auto res = Parse(Lines(cpm), 8, 0, 1);
  ASSERT_EQ(res.status, OpenStatus::Loaded) << res.message.text;
  EXPECT_EQ(res.file.rows, 2);
  EXPECT_EQ(res.file.cols, 5);
  cpm[6] = "1";
  EXPECT_EQ(Parse(Lines(cpm), 8, 0, 1).status, OpenStatus::Invalid);
}

// A number whose sums of products would leave a double's range is refused wherever it comes
// from, naming its cell; the largest one taken, and the words, still open.
TEST(ProblemFile, NumbersTooLargeForTheEnginesAreRefusedInEveryNumberCell) {
  // The reported file: a transportation cost of 1e308, on line 13.
  const std::vector<std::string> huge = {"4000",    "5",         "2",       "1",       "\"T\"",   "2",
                                         "2",       "\"S/D\"",   "\"D1\"",  "\"D2\"",  "\"\"",    "\"S1\"",
                                         "\"1e308\"", "\"infinity\"", "\"1\"", "\"S2\"", "\"1\"", "\"1\"",
                                         "\"1\"",   "\"\"",      "\"1\"",   "\"1\"",   "\"\""};
  OpenResult res = Parse(Lines(huge), 4);
  ASSERT_EQ(res.status, OpenStatus::Invalid);
  EXPECT_EQ(res.reason, "line 13: row 2, column 2 holds \"1e308\". The number is too large");

  const std::string beyond[] = {"1e308", "1e400", "-1.0000000001e100", std::string(101, '9')};
  const std::string taken[] = {"1e100", "-1E+100", std::string(100, '9'), "1e-300"};
  for (const Kind &k : kKinds) {
    SCOPED_TRACE(k.tag);
    Elect(k);
    int numberCells = 0;
    GridStore grid = FilledGrid(k);
    const CellSheet sheet{k.modelClass, grid.Rows(), grid.Cols(),
                          [&grid](int r, int c) { return grid.TextMatrix(r, c); }};
    auto parse = [&] {
      return Parse(ProblemFileText(CaptureProblem(grid, "T", 1)), k.modelClass, k.netSubModel, k.projMethod);
    };
    for (int r = 1; r < grid.Rows(); ++r)
      for (int c = 1; c < grid.Cols(); ++c) {
        if (!TakesNumber(sheet, r, c)) continue;
        ++numberCells;
        const std::string kept = grid.TextMatrix(r, c);
        const std::string where = "row " + std::to_string(r) + ", column " + std::to_string(c) + " holds ";
        for (const std::string &t : beyond) {
          grid.SetTextMatrix(r, c, t);
          res = parse();
          ASSERT_EQ(res.status, OpenStatus::Invalid) << r << "," << c << " " << t;
          EXPECT_NE(res.reason.find(where), std::string::npos) << res.reason;
          EXPECT_NE(res.reason.find("The number is too large"), std::string::npos) << res.reason;
          auto typed = RefuseCellText(sheet, r, c, t, CellOrigin::Typed);
          ASSERT_TRUE(typed.has_value()) << r << "," << c << " " << t;
          EXPECT_EQ(typed->text, "The number is too large");
        }
        for (const std::string &t : taken) {
          grid.SetTextMatrix(r, c, t);
          EXPECT_EQ(parse().status, OpenStatus::Loaded) << r << "," << c << " " << t;
          EXPECT_FALSE(NumberTooLarge(sheet, r, c, t)) << r << "," << c << " " << t;
        }
        grid.SetTextMatrix(r, c, kept);
      }
    EXPECT_GT(numberCells, 0);
  }
}

class ProblemFileOnDisk : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quon_pf_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  static std::string Slurp(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  fs::path dir_;
};

TEST_F(ProblemFileOnDisk, SavedBytesAreTheLayoutAndOpenAgain) {
  Kind game{9, 0, 0, {2, 3}, 9000};
  Elect(game);
  ProblemFile f = CaptureProblem(FilledGrid(game), "Game", 0);
  const std::string path = (dir_ / "game").string(); // no extension is added
  EXPECT_FALSE(WriteProblemFile(path, f));
  EXPECT_EQ(Slurp(path), ProblemFileText(f));
  EXPECT_FALSE(fs::exists(path + ".quon-save"));
  auto back = ReadProblemFile(path, 9, 0, 0);
  ASSERT_EQ(back.status, OpenStatus::Loaded);
  EXPECT_EQ(back.file.cells, f.cells);
}

TEST_F(ProblemFileOnDisk, FailedSavesAreReportedAndKeepTheOldFile) {
  Kind game{9, 0, 0, {2, 3}, 9000};
  Elect(game);
  ProblemFile f = CaptureProblem(FilledGrid(game), "Game", 0);

  auto msg = WriteProblemFile((dir_ / "no such folder" / "x.txt").string(), f);
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->style, msg::OKOnly | msg::Critical);
  EXPECT_EQ(msg->title, "Save Error");

  fs::create_directory(dir_ / "a folder.txt");
  EXPECT_TRUE(WriteProblemFile((dir_ / "a folder.txt").string(), f));

  const fs::path old = dir_ / "old.txt";
  std::ofstream(old, std::ios::binary) << "kept";
  ProblemFile incomplete = f;
  incomplete.cells.pop_back();
  msg = WriteProblemFile(old.string(), incomplete);
  ASSERT_TRUE(msg);
  EXPECT_NE(msg->text.find("does not hold a whole problem"), std::string::npos);
  EXPECT_EQ(Slurp(old), "kept");
  // A cell longer than any line a file may hold (pasted in from another program) is named.
  ProblemFile longCell = f;
  longCell.cells[0] = "0." + std::string(kMaxRecordLineBytes, '0') + "1";
  msg = WriteProblemFile(old.string(), longCell);
  ASSERT_TRUE(msg);
  EXPECT_NE(msg->text.find("would not open again: line 8: the line is longer"), std::string::npos)
      << msg->text;
  EXPECT_EQ(Slurp(old), "kept");
  // Writing to a pipe would wait for a reader for good.
  const fs::path fifo = dir_ / "fifo.txt";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  msg = WriteProblemFile(fifo.string(), f);
  ASSERT_TRUE(msg);
  EXPECT_NE(msg->text.find("it is a pipe, not a file"), std::string::npos) << msg->text;
}

TEST_F(ProblemFileOnDisk, MissingFileIsReported) {
  auto res = ReadProblemFile((dir_ / "none.txt").string(), 1, 0, 0);
  EXPECT_EQ(res.status, OpenStatus::Invalid);
  EXPECT_EQ(res.message.style, msg::OKOnly | msg::Critical);
}

TEST_F(ProblemFileOnDisk, OnlyRegularFilesOfBoundedLengthAreOpened) {
  auto refusal = [](const fs::path &p) {
    const OpenResult res = ReadProblemFile(p.string(), 1, 0, 0);
    EXPECT_EQ(res.status, OpenStatus::Invalid) << p;
    EXPECT_EQ(res.message.title, "Open File");
    return res.message.text;
  };
  EXPECT_NE(refusal(dir_).find("it is a folder, not a problem file"), std::string::npos);
  // A pipe would wait for a writer for good, a device never ends.
  const fs::path fifo = dir_ / "fifo.txt";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_NE(refusal(fifo).find("it is a pipe"), std::string::npos);
  if (fs::exists("/dev/zero")) {
    EXPECT_NE(refusal("/dev/zero").find("it is a device"), std::string::npos);
  }

  // Sparse files: long, but nothing written to the disk.
  const fs::path huge = dir_ / "huge.txt";
  std::ofstream(huge, std::ios::binary) << "1000\r\n";
  fs::resize_file(huge, kMaxProblemFileBytes + 1);
  EXPECT_NE(refusal(huge).find("larger than a problem file can be"), std::string::npos);
  // Within the bound but without a line end: refused at the first line's bound.
  fs::resize_file(huge, kMaxProblemFileBytes);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_NE(refusal(huge).find("line 2: the line is longer than any value"), std::string::npos);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(ProblemFile, Questions) {
  InputMessage m = SaveNameRetryQuestion();
  EXPECT_EQ(m.text, "You have not specified a SAVE file name.  Retry?");
  EXPECT_EQ(m.title, "Save As");
  EXPECT_EQ(m.style, msg::YesNo | msg::Exclamation);
  EXPECT_EQ(OpenedCaption("/tmp/a.txt"), "QUON  /tmp/a.txt");
}

} // namespace
} // namespace quon
