// Why a conversion failed: the kind decides the exit code, the text is shown to the user.
#pragma once
#include <string>

namespace readdxt {

enum class FailureKind : int {
  kNone = 0,
  kUsage = 2,        // bad command line
  kIo = 3,           // cannot open, read or write a file
  kNotDds = 4,       // no DDS signature
  kCorrupt = 5,      // header or data damaged or truncated
  kUnsupported = 6,  // a valid file in a format or shape we do not decode
};

struct Failure {
  FailureKind kind = FailureKind::kNone;
  std::string message;
};

inline bool Fail(Failure& failure, FailureKind kind, std::string message) {
  failure.kind = kind;
  failure.message = std::move(message);
  return false;
}

}  // namespace readdxt
