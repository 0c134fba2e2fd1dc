// readdxt: converts the top level of one DDS texture into test.tga in the current folder.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "readdxt/byte_io.h"
#include "readdxt/converter.h"
#include "readdxt/output_file.h"

#ifdef _WIN32
// Paths are taken as given: no wildcard expansion of the argument.
extern "C" {
int _dowildcard = 0;
}
#endif

namespace {

const char kHelp[] =
    "Usage: readdxt [-o OUTPUT] FILE.dds\n"
    "       readdxt --help | --version\n"
    "Converts the top mip level of FILE.dds into an uncompressed TGA, \"test.tga\" in the\n"
    "current folder unless -o names another file. The file appears only when complete.\n"
    "\n"
    "Output: type 2 TGA, top-left origin; 32 bits with 8 alpha bits when the format carries\n"
    "alpha (DXT1 only when a block really uses its transparent texel), else 24 bits.\n"
    "\n"
    "Channel mapping:\n"
    "  one channel (BC4, ATI1, R8, R16, L8, L16, R16F, R32F)  grey, opaque\n"
    "  luminance + alpha (A8L8, A4L4)                          grey with alpha\n"
    "  alpha only (A8)                                         grey = alpha, with that alpha\n"
    "  two channels (BC5, ATI2, R8G8, G16R16, V8U8, G16R16F)   red, green; blue 0; opaque\n"
    "  ATI2 is read as BC5: red from the first block\n"
    "  signed (BC4/BC5 SNORM, BC4S, BC5S, V8U8, Q8W8V8U8...)   -1..1 shown as 0..255\n"
    "  float and BC6H                                          clamped to 0..1, no tone mapping\n"
    "  sRGB formats                                            stored bytes kept\n"
    "  DXT2, DXT4 (premultiplied)                              colour divided by alpha\n"
    "  RXGB                                                    red taken back from alpha; opaque\n"
    "  P8 / A8P8                                               palette colour; P8 alpha from the\n"
    "                                                          palette unless all 0 or all 255\n"
    "  10:10:10:2 bit masks                                    read with red and blue swapped, as\n"
    "                                                          the writers of such files meant\n"
    "  YUY2, UYVY                                              BT.601 limited range\n"
    "\n"
    "Cube maps: the faces as a cross 4 faces wide and 3 high, with +Y above, -X +Z +X -Z in\n"
    "the middle row and -Y below; empty cells and missing faces transparent black. When the\n"
    "cross would exceed 65535 pixels, the first face alone. Arrays and volumes: the first slice.\n"
    "\n"
    "Exit codes: 0 done, 2 bad command line, 3 file not readable or output not writable,\n"
    "4 not a DDS file, 5 corrupt or truncated, 6 unsupported format. On failure a one-line\n"
    "message goes to standard error and no output file is created; an older one is left as is.\n";

int Usage(const char* why) {
  std::fprintf(stderr, "readdxt: %s (try --help)\n", why);
  return static_cast<int>(readdxt::FailureKind::kUsage);
}

int Report(const std::string& path, const readdxt::Failure& failure) {
  std::fprintf(stderr, "readdxt: %s: %s\n", path.c_str(), failure.message.c_str());
  return static_cast<int>(failure.kind);
}

}  // namespace

int main(int argc, char** argv) {
  std::string input, output = "test.tga";
  bool haveInput = false, optionsDone = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!optionsDone && (arg == "--help" || arg == "-h" || arg == "/?")) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (!optionsDone && arg == "--version") {
      std::puts("readdxt " READDXT_VERSION);
      return 0;
    }
    if (!optionsDone && arg == "-o") {
      if (i + 1 >= argc) return Usage("-o needs a file name");
      output = argv[++i];
      continue;
    }
    if (!optionsDone && arg == "--") {
      optionsDone = true;
      continue;
    }
    if (haveInput) return Usage("exactly one DDS file expected");
    input = arg;
    haveInput = true;
  }
  if (!haveInput) return Usage("no DDS file given");

  readdxt::Failure failure;
  readdxt::FileSource source;
  if (!source.Open(input.c_str())) {
    failure.kind = readdxt::FailureKind::kIo;
    failure.message = std::string("cannot open: ") + std::strerror(errno);
    return Report(input, failure);
  }
  readdxt::PendingOutput pending;
  if (!pending.Open(output)) {
    failure.kind = readdxt::FailureKind::kIo;
    failure.message = "cannot create " + output + ": " + std::strerror(errno);
    return Report(input, failure);
  }
  readdxt::FileSink sink(pending.file());
  readdxt::ConvertedImage image;
  if (!readdxt::ConvertDdsToTga(source, sink, &image, &failure)) return Report(input, failure);
  if (!pending.Commit()) {
    failure.kind = readdxt::FailureKind::kIo;
    failure.message = "cannot write " + output;
    return Report(input, failure);
  }
  return 0;
}
