// The source is opened before the output, so that a missing source leaves nothing behind.
#include "readdxt/convert_file.h"

#include <cerrno>
#include <cstring>

#include "readdxt/converter.h"
#include "readdxt/file_system.h"
#include "readdxt/output_file.h"
#include "readdxt/png_writer.h"

namespace readdxt {

bool ConvertFile(const std::string& input, const std::string& output, bool png, bool threaded,
                 Failure& failure) {
  FileSource source;
  if (!source.Adopt(OpenForReading(input)))
    return Fail(failure, FailureKind::kIo, std::string("cannot open: ") + std::strerror(errno));
  PendingOutput pending;
  if (!pending.Open(output))
    return Fail(failure, FailureKind::kIo,
                "cannot create " + DisplayPath(output) + ": " + std::strerror(errno));
  FileSink file(pending.file());
  ConvertedImage image;
  if (png) {
    PngFromTgaSink pngSink(file);
    if (!ConvertDdsToTga(source, pngSink, image, failure, threaded)) return false;
    if (!pngSink.Finish()) return Fail(failure, FailureKind::kIo, "write error");
  } else if (!ConvertDdsToTga(source, file, image, failure, threaded)) {
    return false;
  }
  if (!pending.Commit()) return Fail(failure, FailureKind::kIo, "cannot write " + DisplayPath(output));
  return true;
}

}  // namespace readdxt
