// TgaImage::LoadFile on generated TGA files (1024 and 4096 square, 24 and 32 bits,
// uncompressed and run-length), beside memcpy of the file's bytes (the floor) measured
// in the same run. The first load goes into a new TgaImage (its pixel memory is new and
// faulted in page by page); the second load of the same size goes into an image that
// already holds a picture of that size, as when the user clicks from one texture to the
// next. The old way, the grey alpha picture made with every load, is timed beside as
// "second+alpha". Release native build: bench_tga_load; `bench_tga_load FILE` prints only the median
// ms of 5 second loads of FILE.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "preview/tga_image.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

// A smooth gradient with noise-free flat bands: long runs in some rows, none in others,
// roughly what a decoded texture with flat areas looks like.
void MakePixel(uint32_t x, uint32_t y, uint32_t size, uint8_t* out, size_t p) {
  const bool flat = (y / 32) % 4 == 0;
  const uint32_t fx = flat ? x / 64 * 64 : x;
  out[0] = static_cast<uint8_t>(fx * 255 / size);
  out[1] = static_cast<uint8_t>(y * 255 / size);
  out[2] = static_cast<uint8_t>(flat ? 128 : (x ^ y) & 0xFF);
  if (p == 4) out[3] = static_cast<uint8_t>(255 - fx * 255 / size);
}

void AppendRow(Bytes& file, const uint8_t* row, uint32_t width, size_t p, bool rle) {
  if (!rle) {
    file.insert(file.end(), row, row + width * p);
    return;
  }
  auto same = [&](uint32_t a, uint32_t b) { return std::memcmp(row + a * p, row + b * p, p) == 0; };
  uint32_t x = 0;
  while (x < width) {
    uint32_t n = 1;
    if (x + 1 < width && same(x, x + 1)) {
      while (x + n < width && n < 128 && same(x, x + n)) ++n;
      file.push_back(static_cast<uint8_t>(0x80 | (n - 1)));
      file.insert(file.end(), row + x * p, row + (x + 1) * p);
    } else {
      while (x + n < width && n < 128 && !(x + n + 1 < width && same(x + n, x + n + 1))) ++n;
      file.push_back(static_cast<uint8_t>(n - 1));
      file.insert(file.end(), row + x * p, row + (x + n) * p);
    }
    x += n;
  }
}

Bytes MakeTga(uint32_t size, uint32_t depth, bool rle) {
  const size_t p = depth / 8;
  Bytes file(18, 0);
  file[2] = rle ? 10 : 2;
  file[12] = file[14] = static_cast<uint8_t>(size);
  file[13] = file[15] = static_cast<uint8_t>(size >> 8);
  file[16] = static_cast<uint8_t>(depth);
  Bytes row(size * p);
  for (uint32_t y = 0; y < size; ++y) {
    for (uint32_t x = 0; x < size; ++x) MakePixel(x, y, size, row.data() + x * p, p);
    AppendRow(file, row.data(), size, p, rle);
  }
  return file;
}

template <typename F>
double BestSeconds(int runs, F&& f) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    f();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
  }
  return best;
}

volatile uint8_t g_sink;

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) {
    preview::TgaImage image;
    image.LoadFile(argv[1]);
    std::vector<double> ms;
    for (int i = 0; i < 5; ++i) ms.push_back(BestSeconds(3, [&] { image.LoadFile(argv[1]); }) * 1e3);
    std::sort(ms.begin(), ms.end());
    std::printf("%.2f\n", ms[2]);
    return image.IsEmpty();
  }
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() /
                          ("texlook_tga_bench_" + std::to_string(Clock::now().time_since_epoch().count()));
  fs::create_directories(folder);

  double worst = 0;  // second load over memcpy, 4096 uncompressed
  std::printf("%-16s %6s %10s %10s %10s %13s %9s %9s\n", "file", "MB", "memcpy ms", "first ms", "second ms",
              "second+alpha", "first/cp", "second/cp");
  for (uint32_t size : {1024u, 4096u}) {
    for (uint32_t depth : {24u, 32u}) {
      for (bool rle : {false, true}) {
        const Bytes file = MakeTga(size, depth, rle);
        char name[64];
        std::snprintf(name, sizeof name, "%u_%u_%s.tga", size, depth, rle ? "rle" : "raw");
        const std::string path = (folder / name).string();
        {
          std::ofstream out(path, std::ios::binary);
          out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        }
        const int runs = size == 1024 ? 30 : 8;  // the first loads of 4096 are slow
        const int turns = size == 1024 ? 30 : 40;
        const double tFirst = BestSeconds(runs, [&] {
          auto fresh = std::make_unique<preview::TgaImage>();
          fresh->LoadFile(path);
          g_sink = static_cast<uint8_t>(fresh->colorBitmap.Width());
        });
        // memcpy and second load taken turn about, so that a busy machine slows both alike.
        Bytes copy(file.size());
        preview::TgaImage image;
        image.LoadFile(path);
        double tCopy = 1e30, tSecond = 1e30, tAlpha = 1e30;
        for (int i = 0; i < turns; ++i) {
          tCopy = std::min(tCopy, BestSeconds(1, [&] {
                             std::memcpy(copy.data(), file.data(), file.size());
                             g_sink = copy[copy.size() / 2];
                           }));
          tSecond = std::min(tSecond, BestSeconds(1, [&] { image.LoadFile(path); }));
          tAlpha = std::min(tAlpha, BestSeconds(1, [&] {
                              image.LoadFile(path);
                              g_sink = static_cast<uint8_t>(image.AlphaBitmap().Width());
                            }));
        }
        const bool ok = image.colorBitmap.Width() == static_cast<int32_t>(size);
        std::printf("%-16s %6.1f %10.2f %10.2f %10.2f %13.2f %9.2f %9.2f%s\n", name,
                    static_cast<double>(file.size()) / 1e6, tCopy * 1e3, tFirst * 1e3, tSecond * 1e3,
                    tAlpha * 1e3, tFirst / tCopy, tSecond / tCopy, ok ? "" : "  (NOT DECODED)");
        if (size == 4096 && !rle) worst = std::max(worst, tSecond / tCopy);
        fs::remove(path);
      }
    }
  }
  fs::remove_all(folder);
  std::printf("result: tga_second_load_over_memcpy %.2f\n", worst);
  return 0;
}
