// Fixed-length text: an assignment shorter than the length is padded with blanks on the
// right, a longer one is cut. The stored text always has exactly Len characters.
#pragma once

#include <string>
#include <string_view>

namespace quon {

inline std::string FixLen(std::string_view s, std::size_t len) {
  std::string r(s.substr(0, len));
  r.resize(len, ' ');
  return r;
}

template <std::size_t Len> class FixedText {
public:
  FixedText() : text_(Len, ' ') {}
  FixedText(std::string_view s) : text_(FixLen(s, Len)) {}
  FixedText(const char *s) : text_(FixLen(s, Len)) {}
  FixedText(const std::string &s) : text_(FixLen(s, Len)) {}
  FixedText &operator=(std::string_view s) {
    text_ = FixLen(s, Len);
    return *this;
  }
  FixedText &operator=(const char *s) { return *this = std::string_view(s); }
  FixedText &operator=(const std::string &s) { return *this = std::string_view(s); }

  const std::string &str() const { return text_; }
  operator const std::string &() const { return text_; }
  bool operator==(const FixedText &o) const { return text_ == o.text_; }
  bool operator==(std::string_view s) const { return text_ == FixLen(s, Len); }

private:
  std::string text_;
};

} // namespace quon
