// Problem-file records: one value a line, every line ended by CR LF; texts stand between
// double quotes (a quote inside a text is written doubled), numbers stand bare.
// Open the streams in binary mode so the line ends are written and read as they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace quon {

class RecordWriter {
public:
  explicit RecordWriter(std::ostream &out) : out_(out) {}
  // Plain number text without a leading blank ("3000", "-2", "0.5").
  void WriteNumber(double value);
  // Tabs and carriage returns are written as they are: a record ends only at a line feed,
  // whose carriage return before it is no part of the value. A line feed inside a text would
  // split the record, so it is written as a blank (the problem-file writer refuses such a
  // text before it gets here).
  void WriteText(std::string_view text);
  // False once the stream has failed (disk full, closed file).
  bool Ok() const { return static_cast<bool>(out_); }

private:
  void WriteLine(std::string_view line);
  std::ostream &out_;
};

// A text as a message may quote it: quoted whole when it is short plain text, its beginning
// quoted when it is long, and described in words when it holds bytes that are not text.
std::string Excerpt(std::string_view text);

// The longest line a record may take: a text box holds at most 32767 characters, each written
// in at most three bytes (a doubled quote in two), between two quotes, with the CR.
inline constexpr std::size_t kMaxRecordLineBytes = 3 * 32767 + 3;

// Every read returns the whole value or nothing. After the first failure every later read
// fails too, and Error() tells which line was wrong and why.
class RecordReader {
public:
  explicit RecordReader(std::istream &in) : in_(in) {}
  std::optional<double> ReadNumber();
  // A number rounded to a 16-bit integer (halves to the even neighbour); out of range fails.
  std::optional<std::int16_t> ReadInt16();
  std::optional<std::int32_t> ReadInt32();
  std::optional<std::string> ReadText();

  // True when nothing but blank lines follows the values read; otherwise fails at the first
  // line that holds something.
  bool ExpectEnd();

  bool Failed() const { return !error_.empty(); }
  const std::string &Error() const { return error_; }
  // Number of lines read so far.
  int Line() const { return line_; }

private:
  enum class Raw { Line, End, TooLong };
  Raw RawLine(std::string &line);
  std::optional<std::string> NextLine();
  void Fail(const std::string &why);
  std::istream &in_;
  std::string error_;
  int line_ = 0;
};

} // namespace quon
