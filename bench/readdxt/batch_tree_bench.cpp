// Writes the folder tree that scripts/bench-batch.sh converts: at least COUNT textures of
// mixed formats and sizes, about MEGABYTES in all, with smooth content and fine detail like
// real textures (random bytes would make every PNG incompressible).
//   bench_batch_tree FOLDER [COUNT [MEGABYTES]]
// FOLDER/im holds what ImageMagick reads (DXT1, DXT5, A8R8G8B8), FOLDER/dx10 the rest
// (BC5, BC7), each spread over a few subfolders.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "readdxt/dds_header.h"

namespace {

using namespace readdxt;
using Bytes = std::vector<uint8_t>;

enum Kind { kDxt1, kDxt5, kArgb, kBc5, kBc7, kKinds };
const char* const kNames[kKinds] = {"dxt1", "dxt5", "argb", "bc5", "bc7"};

// Smooth waves plus a little noise, 0..255, per texel.
struct Picture {
  uint32_t seed;
  std::mt19937 rng;
  int At(uint32_t x, uint32_t y, int channel) {
    const int wave = static_cast<int>(((x * (3 + channel) + y * (5 - channel) + seed * 17) >> 3) & 255);
    const int v = (wave < 128 ? wave * 2 : (255 - wave) * 2) + static_cast<int>(rng() % 9) - 4;
    return v < 0 ? 0 : v > 255 ? 255 : v;
  }
};

struct Bits {
  uint8_t* out;
  int at = 0;
  void Put(uint32_t value, int count) {
    for (int i = 0; i < count; ++i, ++at)
      if ((value >> i) & 1) out[at / 8] |= static_cast<uint8_t>(1 << (at % 8));
  }
};

// The block's darkest and brightest value of `channel`, and each texel's place between.
void Fit(Picture& p, uint32_t bx, uint32_t by, int channel, int levels, int* lo, int* hi, int idx[16]) {
  int v[16];
  *lo = 255, *hi = 0;
  for (int i = 0; i < 16; ++i) {
    v[i] = p.At(bx * 4 + i % 4, by * 4 + i / 4, channel);
    if (v[i] < *lo) *lo = v[i];
    if (v[i] > *hi) *hi = v[i];
  }
  for (int i = 0; i < 16; ++i)
    idx[i] = *hi == *lo ? 0 : ((v[i] - *lo) * (levels - 1) + (*hi - *lo) / 2) / (*hi - *lo);
}

void Bc1Block(Picture& p, uint32_t bx, uint32_t by, uint8_t* out) {
  int lo, hi, idx[16];
  Fit(p, bx, by, 1, 4, &lo, &hi, idx);
  const uint16_t c0 = static_cast<uint16_t>(((hi >> 3) << 11) | ((hi >> 2) << 5) | (hi >> 4)) | 0x0800;
  const uint16_t c1 = static_cast<uint16_t>(((lo >> 3) << 11) | ((lo >> 2) << 5) | (lo >> 4)) & ~0x0800;
  static const int kOrder[4] = {1, 3, 2, 0};  // c1, 2/3 c1, 1/3 c1, c0 -> BC1 index codes
  uint32_t bits = 0;
  for (int i = 0; i < 16; ++i) bits |= static_cast<uint32_t>(kOrder[idx[i]]) << (2 * i);
  std::memcpy(out, &c0, 2), std::memcpy(out + 2, &c1, 2), std::memcpy(out + 4, &bits, 4);
}

void Bc4Block(Picture& p, uint32_t bx, uint32_t by, int channel, uint8_t* out) {
  int lo, hi, idx[16];
  Fit(p, bx, by, channel, 8, &lo, &hi, idx);
  static const int kOrder[8] = {1, 7, 6, 5, 4, 3, 2, 0};  // e1, 6 between, e0
  out[0] = static_cast<uint8_t>(hi), out[1] = static_cast<uint8_t>(lo);
  std::memset(out + 2, 0, 6);
  Bits b{out};
  b.at = 16;
  for (int i = 0; i < 16; ++i) b.Put(static_cast<uint32_t>(kOrder[idx[i]]), 3);
}

void Bc7Block(Picture& p, uint32_t bx, uint32_t by, uint8_t* out) {
  int lo, hi, idx[16];
  Fit(p, bx, by, 0, 16, &lo, &hi, idx);
  if (idx[0] > 7) {  // the anchor's top bit is implied 0: swap the ends instead
    std::swap(lo, hi);
    for (int& i : idx) i = 15 - i;
  }
  std::memset(out, 0, 16);
  Bits b{out};
  b.Put(1u << 6, 7);  // mode 6: one subset, RGBA endpoints with a p-bit each, 4-bit indices
  for (int c = 0; c < 4; ++c)
    b.Put(static_cast<uint32_t>(c == 3 ? 127 : lo >> 1), 7),
        b.Put(static_cast<uint32_t>(c == 3 ? 127 : hi >> 1), 7);
  b.Put(1, 1), b.Put(1, 1);
  b.Put(static_cast<uint32_t>(idx[0]), 3);
  for (int i = 1; i < 16; ++i) b.Put(static_cast<uint32_t>(idx[i]), 4);
}

Bytes Texture(Kind kind, uint32_t w, uint32_t h, uint32_t seed) {
  DdsHeader hd{};
  hd.size = kDdsHeaderSize;
  hd.flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  hd.width = w, hd.height = h, hd.mipMapCount = 1, hd.caps = 0x1000;
  hd.ddspf.size = kDdsPixelFormatSize;
  hd.ddspf.flags = DDPF_FOURCC;
  const uint32_t blockBytes = kind == kDxt1 ? 8 : 16;
  hd.ddspf.fourCC = kind == kDxt1 ? kFourCC_DXT1 : kind == kDxt5 ? kFourCC_DXT5 : kFourCC_DX10;
  if (kind == kArgb)
    hd.ddspf = {kDdsPixelFormatSize, DDPF_RGB | DDPF_ALPHAPIXELS, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  Bytes out(4 + sizeof hd);
  std::memcpy(out.data(), "DDS ", 4);
  std::memcpy(out.data() + 4, &hd, sizeof hd);
  if (hd.ddspf.fourCC == kFourCC_DX10) {
    const DdsHeaderDx10 x{kind == kBc5 ? uint32_t{DXGI_FORMAT_BC5_UNORM} : uint32_t{DXGI_FORMAT_BC7_UNORM},
                          D3D10_RESOURCE_DIMENSION_TEXTURE2D, 0, 1, 0};
    out.insert(out.end(), reinterpret_cast<const uint8_t*>(&x),
               reinterpret_cast<const uint8_t*>(&x) + sizeof x);
  }
  Picture p{seed, std::mt19937(seed)};
  size_t at = out.size();
  if (kind == kArgb) {
    out.resize(at + size_t{w} * h * 4);
    for (uint32_t y = 0; y < h; ++y)
      for (uint32_t x = 0; x < w; ++x, at += 4)
        for (int c = 0; c < 4; ++c)
          out[at + c] = static_cast<uint8_t>(c == 3 ? 255 - p.At(x, y, 1) / 4 : p.At(x, y, c));
    return out;
  }
  out.resize(at + size_t{w / 4} * (h / 4) * blockBytes);
  for (uint32_t by = 0; by < h / 4; ++by)
    for (uint32_t bx = 0; bx < w / 4; ++bx, at += blockBytes) {
      uint8_t* b = out.data() + at;
      if (kind == kDxt1) Bc1Block(p, bx, by, b);
      if (kind == kDxt5) Bc4Block(p, bx, by, 2, b), Bc1Block(p, bx, by, b + 8);
      if (kind == kBc5) Bc4Block(p, bx, by, 0, b), Bc4Block(p, bx, by, 1, b + 8);
      if (kind == kBc7) Bc7Block(p, bx, by, b);
    }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return std::fprintf(stderr, "usage: bench_batch_tree FOLDER [COUNT [MEGABYTES]]\n"), 2;
  const std::string root = argv[1];
  const size_t count = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 240;
  const uint64_t bytes = (argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 250) << 20;
  // Sizes in turn; every fifth file is large, so that both many small and a few large files
  // are in the mix.
  static const uint32_t kSides[][2] = {{512, 512},  {1024, 1024}, {256, 256}, {1024, 512},  {2048, 2048},
                                       {512, 1024}, {1024, 1024}, {256, 512}, {2048, 1024}, {512, 512}};
  uint64_t total = 0;
  size_t n = 0;
  for (; n < count || total < bytes; ++n) {
    const Kind kind = static_cast<Kind>(n % kKinds);
    const uint32_t* side = kSides[(n / kKinds + n) % 10];
    const uint32_t w = kind == kArgb ? side[0] / 2 : side[0], h = kind == kArgb ? side[1] / 2 : side[1];
    const bool im = kind == kDxt1 || kind == kDxt5 || kind == kArgb;
    const std::string folder =
        root + (im ? "/im/" : "/dx10/") + "set" + std::to_string(n % 3) + (n % 2 ? "/sub" : "");
    std::filesystem::create_directories(folder);
    const Bytes data = Texture(kind, w, h, static_cast<uint32_t>(n));
    const std::string path = folder + "/" + kNames[kind] + "_" + std::to_string(n) + ".dds";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(data.data(), 1, data.size(), f) != data.size() || std::fclose(f) != 0)
      return std::fprintf(stderr, "cannot write %s\n", path.c_str()), 1;
    total += data.size();
  }
  std::printf("%zu files, %.0f MB\n", n, total / 1048576.0);
  return 0;
}
