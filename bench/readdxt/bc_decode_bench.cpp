// Block decoding throughput: random but valid blocks for a 4096 x 4096 image (and
// 1024 x 1024 for BC1 and BC3) decoded into a 32-bit B,G,R,A image, in megapixels per
// second, beside memcpy of the same output bytes (the floor) measured in the same
// run. BC6H decodes a row of blocks to half floats and then converts them to 8 bits,
// as the converter does. Every buffer is written once before timing (warm pages).
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "readdxt/block_decoders.h"

namespace {

using Clock = std::chrono::steady_clock;

enum class Format { BC1, BC3, BC5, BC7, BC6H };

const char* Name(Format f) {
  switch (f) {
    case Format::BC1:
      return "BC1";
    case Format::BC3:
      return "BC3";
    case Format::BC5:
      return "BC5";
    case Format::BC7:
      return "BC7";
    case Format::BC6H:
      return "BC6H";
  }
  return "?";
}

size_t BlockBytes(Format f) { return f == Format::BC1 ? 8 : 16; }

// Random bytes, except the mode field: BC7 blocks get one of the 8 modes and BC6H
// blocks one of the 14 modes, uniformly, so that no block is reserved.
std::vector<uint8_t> MakeBlocks(Format f, size_t count) {
  std::mt19937 rng(12345);
  std::vector<uint8_t> data(count * BlockBytes(f));
  for (size_t i = 0; i < data.size(); i += 4) {
    const uint32_t r = rng();
    std::memcpy(&data[i], &r, 4);
  }
  static const uint8_t kBc6Modes[14] = {0, 1, 2, 6, 10, 14, 18, 22, 26, 30, 3, 7, 11, 15};
  for (size_t b = 0; b < count; ++b) {
    uint8_t& first = data[b * BlockBytes(f)];
    if (f == Format::BC7) {
      const unsigned mode = rng() % 8;
      first = static_cast<uint8_t>(((first | 1u) << mode) & 0xFF);
    } else if (f == Format::BC6H) {
      const uint8_t mode = kBc6Modes[rng() % 14];
      first = static_cast<uint8_t>(mode < 2 ? (first & ~3u) | mode : (first & ~31u) | mode);
    }
  }
  return data;
}

void DecodeImage(Format f, const uint8_t* blocks, uint32_t size, uint8_t* image,
                 std::vector<uint16_t>& halves) {
  const uint32_t bw = size / 4;
  const size_t pitch = size_t{size} * 4;
  const size_t bb = BlockBytes(f);
  for (uint32_t by = 0; by < bw; ++by) {
    uint8_t* row = image + by * 4 * pitch;
    const uint8_t* src = blocks + size_t{by} * bw * bb;
    switch (f) {
      case Format::BC1:
        for (uint32_t bx = 0; bx < bw; ++bx) readdxt::DecodeBC1(src + bx * bb, row + bx * 16, pitch);
        break;
      case Format::BC3:
        for (uint32_t bx = 0; bx < bw; ++bx) readdxt::DecodeBC3(src + bx * bb, row + bx * 16, pitch);
        break;
      case Format::BC5:
        for (uint32_t bx = 0; bx < bw; ++bx) readdxt::DecodeBC5(src + bx * bb, row + bx * 16, pitch, false);
        break;
      case Format::BC7:
        for (uint32_t bx = 0; bx < bw; ++bx) readdxt::DecodeBC7(src + bx * bb, row + bx * 16, pitch);
        break;
      case Format::BC6H: {
        const size_t halfPitch = size_t{size} * 3 * sizeof(uint16_t);
        for (uint32_t bx = 0; bx < bw; ++bx) {
          readdxt::DecodeBC6H(src + bx * bb, halves.data() + bx * 12, halfPitch, false);
        }
        for (uint32_t y = 0; y < 4; ++y) {
          readdxt::HalfRgbToBgra8(halves.data() + size_t{y} * size * 3, row + y * pitch, size);
        }
        break;
      }
    }
  }
}

// Best of `runs` timings of fn, in seconds.
template <typename Fn>
double Best(int runs, Fn fn) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const Clock::time_point t0 = Clock::now();
    fn();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
  }
  return best;
}

uint32_t Checksum(const std::vector<uint8_t>& v) {
  uint32_t s = 0;
  for (size_t i = 0; i < v.size(); i += 4093) s = s * 31 + v[i];
  return s;
}

}  // namespace

int main() {
  std::printf("%-6s %11s %12s %12s %14s %8s\n", "format", "size", "decode ms", "Mpix/s", "memcpy Mpix/s",
              "ratio");
  struct Case {
    Format f;
    uint32_t size;
  } cases[] = {{Format::BC1, 4096},  {Format::BC3, 4096}, {Format::BC5, 4096}, {Format::BC7, 4096},
               {Format::BC6H, 4096}, {Format::BC1, 1024}, {Format::BC3, 1024}};
  uint32_t sink = 0;
  for (const Case& c : cases) {
    const size_t pixels = size_t{c.size} * c.size;
    const std::vector<uint8_t> blocks = MakeBlocks(c.f, pixels / 16);
    std::vector<uint8_t> image(pixels * 4, 1), copy(pixels * 4, 2);
    std::vector<uint16_t> halves(size_t{c.size} * 4 * 3, 0);
    const int runs = c.size >= 4096 ? 5 : 40;
    const double decode = Best(runs, [&] { DecodeImage(c.f, blocks.data(), c.size, image.data(), halves); });
    const double floor = Best(runs, [&] { std::memcpy(copy.data(), image.data(), image.size()); });
    sink += Checksum(image) + Checksum(copy);
    const double mpix = pixels / 1e6;
    std::printf("%-6s %5ux%-5u %12.2f %12.0f %14.0f %7.2fx\n", Name(c.f), c.size, c.size, decode * 1e3,
                mpix / decode, mpix / floor, decode / floor);
  }
  std::printf("(ratio = decode time / memcpy time of the same output bytes; checksum %08x)\n", sink);
  return 0;
}
