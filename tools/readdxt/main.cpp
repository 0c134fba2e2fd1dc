// readdxt: converts the top level of one DDS texture into test.tga in the current folder,
// whole folders on every core, or describes textures.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "readdxt/batch.h"
#include "readdxt/byte_io.h"
#include "readdxt/command_line.h"
#include "readdxt/convert_file.h"
#include "readdxt/file_system.h"
#include "readdxt/texture_info.h"

#ifdef _WIN32
// Paths are taken as given: no wildcard expansion of the argument.
extern "C" {
int _dowildcard = 0;
}
#endif

namespace {

const char kHelp[] =
    "Usage: readdxt [--png] [-o OUTPUT] FILE.dds\n"
    "       readdxt -r FOLDER -d OUTDIR [--png] [-j N] [--force]\n"
    "       readdxt --info FILE.dds...\n"
    "       readdxt --help | --version\n"
    "Converts the top mip level of FILE.dds into an uncompressed TGA, \"test.tga\" in the\n"
    "current folder unless -o names another file. The file appears only when complete.\n"
    "With --png, or -o NAME.png, a PNG of the same pixels (8-bit RGB or RGBA, zlib level 1;\n"
    "\"test.png\" by default).\n"
    "\n"
    "-r FOLDER -d OUTDIR: every .dds file below FOLDER (any letter case), as OUTDIR with the\n"
    "same subfolders and names (a/b/stone.dds -> OUTDIR/a/b/stone.tga or .png), N files at a\n"
    "time (-j, default one per core). Existing outputs are skipped and named unless --force.\n"
    "Progress, one line per file not converted and a summary go to standard error. Exit code\n"
    "0 when every file was converted, else that of the first one that was not (3 if skipped).\n"
    "\n"
    "--info: one line per file, fields separated by tabs:\n"
    "  PATH  legacy|dx10  FORMAT  WIDTHxHEIGHT  mips=N  array=N|cube=FACES[xN]|volume=DEPTH\n"
    "  alpha=none|1-bit|full  srgb=yes|no  repairs=none|NAME,...\n"
    "DXT1 alpha is 1-bit when the top level uses the transparent texel. repairs names the\n"
    "header faults read with tolerance: header-size, format-size, fourcc-flag, dimension,\n"
    "array-size, cube-faces, mip-count, dword-rows, face-stride, missing-faces. A file that\n"
    "cannot be read gets its message on standard error; the exit code is the first failure's.\n"
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
  std::fprintf(stderr, "readdxt: %s: %s\n", readdxt::DisplayPath(path).c_str(), failure.message.c_str());
  return static_cast<int>(failure.kind);
}

int DescribeFiles(const std::vector<std::string>& paths) {
  int code = 0;
  for (const std::string& path : paths) {
    readdxt::Failure failure;
    readdxt::FileSource source;
    std::string fields;
    if (!source.Adopt(readdxt::OpenForReading(path))) {
      readdxt::Fail(failure, readdxt::FailureKind::kIo, std::string("cannot open: ") + std::strerror(errno));
    } else if (readdxt::DescribeTexture(source, fields, failure)) {
      std::printf("%s\t%s\n", readdxt::DisplayPath(path).c_str(), fields.c_str());
      continue;
    }
    std::fflush(stdout);
    const int failed = Report(path, failure);
    if (!code) code = failed;
  }
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  readdxt::CommandLine command;
  std::string why;
  if (!readdxt::ParseCommandLine(readdxt::ProgramArguments(argc, argv), command, why)) return Usage(why.c_str());
  switch (command.mode) {
    case readdxt::CommandLine::Mode::kHelp:
      std::fputs(kHelp, stdout);
      return 0;
    case readdxt::CommandLine::Mode::kVersion:
      std::puts("readdxt " READDXT_VERSION);
      return 0;
    case readdxt::CommandLine::Mode::kInfo:
      return DescribeFiles(command.inputs);
    case readdxt::CommandLine::Mode::kBatch:
      return readdxt::RunBatch({command.folder, command.outDir, command.png, command.force, command.jobs});
    case readdxt::CommandLine::Mode::kConvert:
      break;
  }
  readdxt::Failure failure;
  if (!readdxt::ConvertFile(command.inputs[0], command.output, command.png, true, failure))
    return Report(command.inputs[0], failure);
  return 0;
}
