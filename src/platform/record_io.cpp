#include "platform/record_io.h"

#include <cmath>
#include <limits>

#include "platform/values.h"

namespace quon {

namespace {

std::string TrimBlanks(std::string_view s) {
  auto b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  auto e = s.find_last_not_of(" \t");
  return std::string(s.substr(b, e - b + 1));
}

} // namespace

void RecordWriter::WriteLine(std::string_view line) {
  out_ << line << "\r\n";
}

void RecordWriter::WriteNumber(double value) {
  WriteLine(NumText(value));
}

void RecordWriter::WriteText(std::string_view text) {
  std::string line = "\"";
  for (char c : text) {
    if (c == '"')
      line += "\"\"";
    else if (c == '\n')
      line += ' ';
    else
      line += c;
  }
  line += '"';
  WriteLine(line);
}

namespace {

// Whether the text is valid UTF-8 without control characters: something a message can show.
bool IsPlainText(std::string_view t) {
  for (std::size_t i = 0; i < t.size();) {
    const auto b = static_cast<unsigned char>(t[i]);
    if (b < 0x20 || b == 0x7F) return false;
    if (b < 0x80) {
      ++i;
      continue;
    }
    const std::size_t len = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b <= 0xDF ? 2 : 0;
    if (len == 0 || (len == 3 && b > 0xEF) || i + len > t.size()) return false;
    for (std::size_t k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(t[i + k]) & 0xC0) != 0x80) return false;
    i += len;
  }
  return true;
}

} // namespace

std::string Excerpt(std::string_view text) {
  constexpr std::size_t kLongest = 32;
  if (!IsPlainText(text)) return "a value that is not plain text";
  // Appended piece by piece: a literal joined to a string trips a false overlap warning of
  // GCC 12 in optimised builds.
  std::string out(1, '"');
  if (text.size() <= kLongest) {
    out.append(text);
    out += '"';
    return out;
  }
  // Cut on a character boundary.
  std::size_t cut = kLongest;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
    --cut;
  out.append(text.substr(0, cut));
  out.append("...\" (");
  out.append(std::to_string(text.size()));
  out.append(" characters)");
  return out;
}

void RecordReader::Fail(const std::string &why) {
  if (error_.empty()) error_ = "line " + std::to_string(line_) + ": " + why;
}

RecordReader::Raw RecordReader::RawLine(std::string &line) {
  line.clear();
  std::streambuf *buf = in_.rdbuf();
  if (!buf) return Raw::End;
  bool any = false;
  for (int ch = buf->sbumpc(); ch != std::char_traits<char>::eof(); ch = buf->sbumpc()) {
    any = true;
    if (ch == '\n') break;
    // A line is read only as far as a record can reach, so a file without line ends is
    // refused at once instead of being held whole.
    if (line.size() >= kMaxRecordLineBytes) return Raw::TooLong;
    line.push_back(static_cast<char>(ch));
  }
  if (!any) return Raw::End;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return Raw::Line;
}

std::optional<std::string> RecordReader::NextLine() {
  if (Failed()) return std::nullopt;
  std::string line;
  const Raw got = RawLine(line);
  ++line_;
  if (got == Raw::End) {
    Fail("the file ends where a value was expected");
    return std::nullopt;
  }
  if (got == Raw::TooLong) {
    Fail("the line is longer than any value (" + std::to_string(kMaxRecordLineBytes) + " bytes)");
    return std::nullopt;
  }
  if (line_ == 1) {
    // A byte-order mark some editors put before UTF-8 text is no part of the first value.
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    if (line.rfind("\xFF\xFE", 0) == 0 || line.rfind("\xFE\xFF", 0) == 0) {
      Fail("the file is written in UTF-16 (it begins with a UTF-16 byte-order mark), not as plain text");
      return std::nullopt;
    }
  }
  return line;
}

bool RecordReader::ExpectEnd() {
  if (Failed()) return false;
  std::string line;
  for (;;) {
    const Raw got = RawLine(line);
    if (got == Raw::End) return true;
    ++line_;
    if (got == Raw::TooLong) {
      Fail("the file goes on after its last value");
      return false;
    }
    const std::string t = TrimBlanks(line);
    if (!t.empty()) {
      Fail("the file goes on after its last value, with " + Excerpt(t));
      return false;
    }
  }
}

std::optional<double> RecordReader::ReadNumber() {
  auto line = NextLine();
  if (!line) return std::nullopt;
  std::string t = TrimBlanks(*line);
  if (!IsNumber(t)) {
    Fail(t.empty() ? "a number was expected, the line is empty"
                   : "a number was expected, found " + Excerpt(t));
    return std::nullopt;
  }
  double v = Val(t);
  if (!std::isfinite(v) || std::fabs(v) >= std::numeric_limits<double>::max()) {
    Fail("the number " + Excerpt(t) + " is too large");
    return std::nullopt;
  }
  return v;
}

std::optional<std::int16_t> RecordReader::ReadInt16() {
  auto v = ReadNumber();
  if (!v) return std::nullopt;
  auto r = CInt(*v);
  if (!r) Fail("the number " + NumText(*v) + " is outside -32768 to 32767");
  return r;
}

std::optional<std::int32_t> RecordReader::ReadInt32() {
  auto v = ReadNumber();
  if (!v) return std::nullopt;
  double r = std::nearbyint(*v);
  if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max()) {
    Fail("the number " + NumText(*v) + " is outside the range of a whole number");
    return std::nullopt;
  }
  return static_cast<std::int32_t>(r);
}

std::optional<std::string> RecordReader::ReadText() {
  auto line = NextLine();
  if (!line) return std::nullopt;
  std::string t = TrimBlanks(*line);
  // A bare line is taken as it stands, as the platform's own reader would.
  if (t.empty() || t.front() != '"') return t;
  if (t.size() < 2 || t.back() != '"') {
    Fail("a text has no closing double quote (" + Excerpt(t) + ")");
    return std::nullopt;
  }
  // Doubled quotes read back as one; a single quote inside, as older files may hold, stays.
  std::string out;
  std::string_view body(t.data() + 1, t.size() - 2);
  for (std::size_t i = 0; i < body.size(); ++i) {
    out += body[i];
    if (body[i] == '"' && i + 1 < body.size() && body[i + 1] == '"') ++i;
  }
  return out;
}

} // namespace quon
