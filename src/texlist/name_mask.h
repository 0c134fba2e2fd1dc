// Matching of the folder scan's file names without lower-casing every name through the
// platform.
#pragma once
#include <cstddef>
#include <string>

namespace texlist {

// A pattern that is "*" followed by plain ASCII text (no '*', no '?', no 'i' or 'I') is
// a case-insensitive ASCII suffix test. That gives what lower-casing both texts in a
// single-byte ANSI code page and matching gives: letters from 0x80 lower-case to
// letters from 0x80, and only the Turkish dotted capital I lower-cases to an ASCII
// letter, 'i'. "*", "*.*" and the empty pattern match every name. Other patterns are
// not simple and need the platform's matching.
class SuffixMask {
 public:
  explicit SuffixMask(const std::string& pattern);
  bool Simple() const { return simple_; }
  bool Matches(const char* name, size_t length) const;

 private:
  bool simple_ = false;
  std::string suffix_;  // lower case
};

}  // namespace texlist
