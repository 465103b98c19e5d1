#include <gtest/gtest.h>

#include <sstream>

#include "platform/record_io.h"

using namespace quon;

TEST(RecordWriter, WritesOneValueALineWithCrLf) {
  std::ostringstream out;
  RecordWriter w(out);
  w.WriteNumber(3000);
  w.WriteNumber(5);
  w.WriteNumber(-2);
  w.WriteNumber(0.5);
  w.WriteText("Demo");
  w.WriteText("Maximize");
  w.WriteText("");
  EXPECT_TRUE(w.Ok());
  EXPECT_EQ(out.str(), "3000\r\n5\r\n-2\r\n0.5\r\n\"Demo\"\r\n\"Maximize\"\r\n\"\"\r\n");
}

TEST(RecordWriter, DoublesEmbeddedQuotesAndFlattensLineFeeds) {
  std::ostringstream out;
  RecordWriter w(out);
  w.WriteText("say \"hi\"");
  w.WriteText("two\r\nlines");
  EXPECT_EQ(out.str(), "\"say \"\"hi\"\"\"\r\n\"two\r lines\"\r\n");
}

TEST(RecordWriter, ReportsAFailedStream) {
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  RecordWriter w(out);
  w.WriteNumber(1);
  EXPECT_FALSE(w.Ok());
}

TEST(RecordIo, RoundTripKeepsEveryValue) {
  const std::vector<std::string> texts = {"Demo",       "",       "  padded  ", "\"",    "a\"\"b",
                                          "\"quoted\"", "x,y",    "-3.5",       "S\t1",  "S\r1",
                                          "\r",         "\t\"\r", "\r\"\"",     " \t\r "};
  const std::vector<double> numbers = {0, 3000, -32768, 7002, 0.25, -1.5e-7, 123456789012345};
  std::ostringstream out;
  RecordWriter w(out);
  for (auto &t : texts)
    w.WriteText(t);
  for (double n : numbers)
    w.WriteNumber(n);
  std::istringstream in(out.str());
  RecordReader r(in);
  for (auto &t : texts)
    EXPECT_EQ(r.ReadText(), t);
  for (double n : numbers)
    EXPECT_EQ(r.ReadNumber(), n);
  EXPECT_FALSE(r.Failed()) << r.Error();
}

TEST(RecordReader, ReadsTheFilesAsTheyStand) {
  // Lines ended by LF alone, blanks around values, a last line without its end, a bare text
  // and a quote inside a text as files written before quotes were doubled hold them.
  std::istringstream in("3000\n 5 \r\n\"Demo\"  \r\nMaximize\r\n\"say \"hi\" now\"\r\n7");
  RecordReader r(in);
  EXPECT_EQ(r.ReadInt16(), 3000);
  EXPECT_EQ(r.ReadInt16(), 5);
  EXPECT_EQ(r.ReadText(), "Demo");
  EXPECT_EQ(r.ReadText(), "Maximize");
  EXPECT_EQ(r.ReadText(), "say \"hi\" now");
  EXPECT_EQ(r.ReadInt32(), 7);
  EXPECT_FALSE(r.Failed());
  EXPECT_EQ(r.Line(), 6);
}

TEST(RecordReader, AByteOrderMarkIsSkippedOrNamed) {
  std::istringstream utf8("\xEF\xBB\xBF"
                          "3000\r\n\"\xEF\xBB\xBFx\"\r\n");
  RecordReader r(utf8);
  EXPECT_EQ(r.ReadInt16(), 3000);
  EXPECT_EQ(r.ReadText(), "\xEF\xBB\xBFx"); // only the file's first bytes are the mark
  for (const char *mark : {"\xFF\xFE", "\xFE\xFF"}) {
    std::istringstream utf16(std::string(mark) + std::string("3\0\r\0\n\0", 6));
    RecordReader w(utf16);
    EXPECT_FALSE(w.ReadNumber());
    EXPECT_NE(w.Error().find("UTF-16"), std::string::npos) << w.Error();
  }
}

TEST(RecordReader, LinesAreBoundedAndTheEndIsChecked) {
  std::istringstream endless(std::string(kMaxRecordLineBytes * 3, '7'));
  RecordReader r(endless);
  EXPECT_FALSE(r.ReadNumber());
  EXPECT_EQ(r.Error().rfind("line 1: the line is longer than any value", 0), 0u) << r.Error();
  EXPECT_LE(endless.tellg(), static_cast<std::streamoff>(kMaxRecordLineBytes + 1));

  std::istringstream longest(std::string(kMaxRecordLineBytes - 1, '7') + "\r\n");
  RecordReader l(longest);
  EXPECT_TRUE(l.ReadText());
  EXPECT_TRUE(l.ExpectEnd());

  std::istringstream tail("1\r\n \t\r\n\r\n\n\"more\"\r\n");
  RecordReader t(tail);
  EXPECT_EQ(t.ReadInt16(), 1);
  EXPECT_FALSE(t.ExpectEnd());
  EXPECT_EQ(t.Error(), "line 5: the file goes on after its last value, with \"\"more\"\"");
}

TEST(RecordReader, IntegersRoundAndKeepTheirRange) {
  std::istringstream in("2.5\r\n3.5\r\n-32768\r\n100000\r\n");
  RecordReader r(in);
  EXPECT_EQ(r.ReadInt16(), 2);
  EXPECT_EQ(r.ReadInt16(), 4);
  EXPECT_EQ(r.ReadInt16(), -32768);
  EXPECT_EQ(r.ReadInt16(), std::nullopt);
  EXPECT_NE(r.Error().find("line 4"), std::string::npos) << r.Error();

  std::istringstream in32("100000\r\n3e10\r\n");
  RecordReader r32(in32);
  EXPECT_EQ(r32.ReadInt32(), 100000);
  EXPECT_EQ(r32.ReadInt32(), std::nullopt);
  EXPECT_TRUE(r32.Failed());
}

TEST(RecordReader, ErrorsNameTheLineAndStickWithoutHalfValues) {
  struct Case {
    std::string file;
    int reads; // values read before the failing one: numbers first, then a text
    bool text; // the failing value is a text
    const char *why;
  };
  const Case cases[] = {
      {"", 0, false, "line 1: the file ends"},
      {"1\r\n", 1, false, "line 2: the file ends"},
      {"1\r\n", 1, true, "line 2: the file ends"},
      {"abc\r\n", 0, false, "line 1: a number was expected, found \"abc\""},
      {"12abc\r\n", 0, false, "line 1: a number was expected, found \"12abc\""},
      {"\"5\"\r\n", 0, false, "line 1: a number was expected"},
      {"\r\n", 0, false, "line 1: a number was expected, the line is empty"},
      {"1e\r\n", 0, false, "line 1: a number was expected"},
      {"1e999\r\n", 0, false, "line 1: the number \"1e999\" is too large"},
      {"1E999\r\n", 0, false, "line 1: the number \"1E999\" is too large"},
      {"-" + std::string(400, '9') + "\r\n", 0, false, "line 1: the number \"-9999"},
      {"\x01\xff\xfe\r\n", 0, false, "line 1: a number was expected, found a value that is not plain text"},
      {"1\r\n\"Demo\r\n", 1, true, "line 2: a text has no closing double quote (\"\"Demo\")"},
      {"\"\r\n", 0, true, "line 1: a text has no closing double quote (\"\"\")"},
      {"\"\x01\xff\r\n", 0, true,
       "line 1: a text has no closing double quote (a value that is not plain text)"},
  };
  for (const auto &c : cases) {
    std::istringstream in(c.file);
    RecordReader r(in);
    for (int i = 0; i < c.reads; ++i)
      ASSERT_TRUE(r.ReadNumber()) << c.file;
    bool got = c.text ? r.ReadText().has_value() : r.ReadNumber().has_value();
    EXPECT_FALSE(got) << c.file;
    EXPECT_TRUE(r.Failed());
    EXPECT_EQ(r.Error().rfind(c.why, 0), 0u) << r.Error();
    // Once failed, nothing more is read and the first error stays.
    std::string first = r.Error();
    EXPECT_FALSE(r.ReadText().has_value());
    EXPECT_FALSE(r.ReadNumber().has_value());
    EXPECT_EQ(r.Error(), first);
  }
}
