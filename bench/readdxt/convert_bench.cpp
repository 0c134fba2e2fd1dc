// Whole file-to-TGA time of readdxt (the built program, run as a process) on generated
// textures, beside two references measured in the same run: copying the same number of
// bytes as the output (read + write of a same-size file: the floor), and ImageMagick's
// convert on the DXT1 and DXT5 files. Median of 5. Then the peak memory of a 16384 x 16384
// BC1 conversion (128 MB in, 768 MB out) beside that of a tiny one: it must not grow with
// the picture.
// Usage: bench_convert [FOLDER]   (the generated files are left in FOLDER when given)
//        bench_convert --generate FOLDER NAME...   (only writes FOLDER/NAME.dds, e.g. bc7-4096)
//        bench_convert --run FILE.dds   (only the median ms of 5 samples, each the least of 3
//                                        whole runs into FILE.dds.tga, which is left there)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "readdxt/dds_header.h"

extern char** environ;

namespace {

using namespace readdxt;
using Clock = std::chrono::steady_clock;

struct Texture {
  const char* name;
  uint32_t size;
  uint32_t fourCC;      // legacy header, or kFourCC_DX10
  uint32_t dxgi;        // with DX10
  uint32_t blockBytes;  // 0: 32-bit A8R8G8B8 pixels
  bool imageMagick;     // ImageMagick reads it (DXT1, DXT5)
};

std::vector<uint8_t> Header(const Texture& t) {
  DdsHeader h{};
  h.size = kDdsHeaderSize;
  h.flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  h.width = h.height = t.size;
  h.mipMapCount = 1;
  h.ddspf.size = kDdsPixelFormatSize;
  h.caps = 0x1000;
  if (t.blockBytes) {
    h.ddspf.flags = DDPF_FOURCC;
    h.ddspf.fourCC = t.fourCC;
  } else {
    h.ddspf.flags = DDPF_RGB | DDPF_ALPHAPIXELS;
    h.ddspf.rgbBitCount = 32;
    h.ddspf.rBitMask = 0xFF0000;
    h.ddspf.gBitMask = 0xFF00;
    h.ddspf.bBitMask = 0xFF;
    h.ddspf.aBitMask = 0xFF000000;
  }
  std::vector<uint8_t> out(4 + sizeof h);
  std::memcpy(out.data(), "DDS ", 4);
  std::memcpy(out.data() + 4, &h, sizeof h);
  if (t.fourCC == kFourCC_DX10) {
    const DdsHeaderDx10 x{t.dxgi, D3D10_RESOURCE_DIMENSION_TEXTURE2D, 0, 1, 0};
    const size_t at = out.size();
    out.resize(at + sizeof x);
    std::memcpy(out.data() + at, &x, sizeof x);
  }
  return out;
}

bool Generate(const Texture& t, const std::string& path) {
  std::vector<uint8_t> data = Header(t);
  const size_t at = data.size();
  const uint64_t bytes =
      t.blockBytes ? uint64_t{t.size / 4} * (t.size / 4) * t.blockBytes : uint64_t{t.size} * t.size * 4;
  data.resize(at + bytes);
  std::mt19937 rng(t.size * 31 + t.blockBytes);
  for (size_t i = at; i < data.size(); i += 4) {
    const uint32_t v = rng();
    std::memcpy(data.data() + i, &v, 4);
  }
  if (t.fourCC == kFourCC_DXT1) {
    // Opaque 4-colour blocks, like most real DXT1 textures: colour0 > colour1.
    for (size_t i = at; i < data.size(); i += 8) {
      uint16_t c0, c1;
      std::memcpy(&c0, &data[i], 2);
      std::memcpy(&c1, &data[i + 2], 2);
      if (c0 == c1) {
        if (c0 == 0)
          c0 = 1;
        else
          c1 = static_cast<uint16_t>(c0 - 1);
      } else if (c0 < c1) {
        std::swap(c0, c1);
      }
      std::memcpy(&data[i], &c0, 2);
      std::memcpy(&data[i + 2], &c1, 2);
    }
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok;
}

int Spawn(const std::vector<std::string>& args, bool quiet, long* maxRssKb = nullptr) {
  std::vector<char*> argv;
  std::vector<std::string> copy = args;
  for (std::string& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (quiet) {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  pid_t pid;
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return -1;
  int status = 0;
  struct rusage usage {};
  wait4(pid, &status, 0, &usage);
  if (maxRssKb) *maxRssKb = usage.ru_maxrss;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

template <typename F>
double MedianMs(F run) {
  std::vector<double> ms;
  for (int i = 0; i < 5; ++i) {
    const auto start = Clock::now();
    if (!run()) return -1;
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[2];
}

// The floor: read a file of the output's size and write it to another file.
bool CopyFile(const std::string& from, const std::string& to) {
  FILE* in = std::fopen(from.c_str(), "rb");
  FILE* out = std::fopen(to.c_str(), "wb");
  bool ok = in && out;
  std::vector<char> buffer(1 << 20);
  while (ok) {
    const size_t n = std::fread(buffer.data(), 1, buffer.size(), in);
    if (n == 0) break;
    ok = std::fwrite(buffer.data(), 1, n, out) == n;
  }
  if (in) std::fclose(in);
  if (out) ok = std::fclose(out) == 0 && ok;
  return ok;
}

std::string ReaddxtPath() {
  if (const char* env = std::getenv("READDXT")) return env;
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return "readdxt";
  self[n] = 0;
  std::string dir(self);
  dir = dir.substr(0, dir.rfind('/'));                // .../bench
  return dir.substr(0, dir.rfind('/')) + "/readdxt";  // the build tree's top folder
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--run") == 0) {
    const std::string dds = argv[2], tga = dds + ".tga";
    std::vector<double> ms;  // each the least of 3 runs, as bench_preview_click's samples
    for (int i = 0; i < 5; ++i) {
      double least = 1e30;
      for (int k = 0; k < 3; ++k) {
        const auto t0 = Clock::now();
        if (Spawn({ReaddxtPath(), "-o", tga, dds}, false) != 0) return 1;
        least = std::min(least, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
      }
      ms.push_back(least);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%.2f\n", ms[2]);
    return 0;
  }
  const bool generateOnly = argc > 2 && std::strcmp(argv[1], "--generate") == 0;
  if (generateOnly) {
    --argc;
    ++argv;
  }
  std::string folder;
  bool keep = argc > 1;
  if (keep) {
    folder = argv[1];
  } else {
    char tmpl[] = "/tmp/readdxt-bench-XXXXXX";
    if (!mkdtemp(tmpl)) return 1;
    folder = tmpl;
  }
  const std::string readdxt = ReaddxtPath();
  const char* magick = "/usr/bin/convert";
  const bool haveMagick = access(magick, X_OK) == 0;
  const Texture textures[] = {
      {"bc1-4096", 4096, kFourCC_DXT1, 0, 8, true},
      {"bc3-4096", 4096, kFourCC_DXT5, 0, 16, true},
      {"bc5-4096", 4096, kFourCC_DX10, DXGI_FORMAT_BC5_UNORM, 16, false},
      {"bc7-4096", 4096, kFourCC_DX10, DXGI_FORMAT_BC7_UNORM, 16, false},
      {"bc6h-4096", 4096, kFourCC_DX10, DXGI_FORMAT_BC6H_UF16, 16, false},
      {"a8r8g8b8-4096", 4096, 0, 0, 0, false},
      {"bc1-1024", 1024, kFourCC_DXT1, 0, 8, true},
      {"bc3-1024", 1024, kFourCC_DXT5, 0, 16, true},
  };
  if (generateOnly) {
    for (int i = 2; i < argc; ++i) {
      const Texture* t = std::find_if(std::begin(textures), std::end(textures),
                                      [&](const Texture& x) { return std::strcmp(x.name, argv[i]) == 0; });
      if (t == std::end(textures) || !Generate(*t, folder + "/" + t->name + ".dds")) {
        std::fprintf(stderr, "cannot generate %s\n", argv[i]);
        return 1;
      }
    }
    return 0;
  }
  std::printf("readdxt: %s\n", readdxt.c_str());
  std::printf("%-14s %10s %10s %8s %12s %10s\n", "texture", "readdxt ms", "copy ms", "/copy", "ImageMagick",
              "IM/ours");
  for (const Texture& t : textures) {
    const std::string dds = folder + "/" + t.name + ".dds";
    const std::string tga = folder + "/" + t.name + ".tga";
    const std::string copy = folder + "/copy.tga";
    if (!Generate(t, dds)) {
      std::fprintf(stderr, "cannot write %s\n", dds.c_str());
      return 1;
    }
    const double ours = MedianMs([&] { return Spawn({readdxt, "-o", tga, dds}, false) == 0; });
    const double floor = MedianMs([&] { return CopyFile(tga, copy); });
    std::printf("%-14s %10.1f %10.1f %7.2fx", t.name, ours, floor, ours / floor);
    if (t.imageMagick && haveMagick) {
      const std::string imOut = folder + "/im.tga";
      const double im = MedianMs([&] { return Spawn({magick, dds, imOut}, true) == 0; });
      std::printf(" %10.1f ms %9.2fx", im, im / ours);
      std::remove(imOut.c_str());
    }
    std::printf("\n");
    std::fflush(stdout);
    std::remove(copy.c_str());
    std::remove(tga.c_str());
    if (!keep || t.size > 1024) std::remove(dds.c_str());
  }
  // Peak memory: a sparse file of zero blocks (opaque black) beside a 4 x 4 one.
  long tinyKb = 0, hugeKb = 0;
  for (const uint32_t size : {4u, 16384u}) {
    const Texture t = {"peak", size, kFourCC_DXT1, 0, 8, false};
    const std::string dds = folder + "/peak.dds", tga = folder + "/peak.tga";
    const std::vector<uint8_t> header = Header(t);
    FILE* f = std::fopen(dds.c_str(), "wb");
    const bool written = f && std::fwrite(header.data(), 1, header.size(), f) == header.size();
    if (f) std::fclose(f);
    if (!written ||
        truncate(dds.c_str(), static_cast<off_t>(header.size() + uint64_t{size / 4} * (size / 4) * 8)) ||
        Spawn({readdxt, "-o", tga, dds}, false, size == 4 ? &tinyKb : &hugeKb) != 0) {
      std::fprintf(stderr, "peak memory run failed\n");
      return 1;
    }
    std::remove(dds.c_str());
    std::remove(tga.c_str());
  }
  std::printf("peak memory, 16384 x 16384 BC1: %ld MB; 4 x 4 BC1: %ld MB\n", hugeKb / 1024, tinyKb / 1024);
  if (!keep) rmdir(folder.c_str());
  std::printf("result: readdxt_peak_growth_16384_bc1_mb %ld\n", (hugeKb - tinyKb) / 1024);
  return 0;
}
