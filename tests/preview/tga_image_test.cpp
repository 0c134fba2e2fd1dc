#include "preview/tga_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace preview {
namespace {

using Bytes = std::vector<uint8_t>;
using Row = std::vector<uint32_t>;
using Rows = std::vector<Row>;

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct Header {
  uint8_t idLength, colorMapType, imageType;
  uint16_t firstEntry, mapLength;
  uint8_t entrySize;
  uint16_t width, height;
  uint8_t depth, descriptor = 0;
  Bytes operator+(const Bytes& body) const {
    auto le = [](uint16_t v) { return Bytes{uint8_t(v), uint8_t(v >> 8)}; };
    return Bytes{idLength, colorMapType, imageType} + le(firstEntry) + le(mapLength) +
           Bytes{entrySize, 0, 0, 0, 0} + le(width) + le(height) + Bytes{depth, descriptor} + body;
  }
};

// One 32-bit pixel as b | g << 8 | r << 16 | fourth << 24.
constexpr uint32_t Bgr(uint32_t b, uint32_t g, uint32_t r) { return b | g << 8 | r << 16; }
constexpr uint32_t Grey(uint32_t v) { return Bgr(v, v, v); }

// The fourth byte of the colour picture carries the alpha, which AlphaBitmap shows: masked.
Rows RowsOf(const Bitmap& b, uint32_t mask = 0xFFFFFFFF) {
  Rows rows(b.Height());
  for (int y = 0; y < b.Height(); ++y)
    for (const uint8_t* p = b.RowPointer(y); rows[y].size() < size_t(b.Width()); p += 4)
      rows[y].push_back((p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24) & mask);
  return rows;
}

uint64_t Load(TgaImage& image, const Bytes& file) {
  MemoryStream stream(file.data(), file.size());
  image.LoadStream(stream);
  return stream.Position();
}

// Colour map of 24-bit entries: entry i = (b, g, r) = (i, 10 + i, 20 + i).
const Bytes kMap3 = {0, 10, 20, 1, 11, 21, 2, 12, 22};

struct Case {
  const char* name;
  Bytes file;
  Rows color, alpha;  // top row first; no alpha rows: all black
};

// Types and depths not decoded (greyscale below 8 bits too): black pixels.
Case Black(const char* name, uint8_t type, uint8_t depth) {
  return {name, Header{0, 0, type, 0, 0, 0, 2, 1, depth} + Bytes(8, 0x81), {Row(2, 0u)}, {}};
}

// clang-format off
const Case kCases[] = {
    {"index8", Header{0, 1, 1, 0, 3, 24, 2, 1, 8} + kMap3 + Bytes{2, 1}, {{Bgr(2, 12, 22), Bgr(1, 11, 21)}}, {}},
    {"bgr16: 5 bits widened, bit 15 ignored", Header{0, 0, 2, 0, 0, 0, 2, 1, 16} + Bytes{0x1F, 0x00, 0xFF, 0xFF}, {{Bgr(248, 0, 0), Grey(248)}}, {}},
    {"bgr24 after an ID and a map", Header{2, 1, 2, 5, 1, 24, 2, 1, 24} + Bytes{'i', 'd', 9, 9, 9} + Bytes{1, 2, 3, 4, 5, 6}, {{Bgr(1, 2, 3), Bgr(4, 5, 6)}}, {}},
    {"bgra32: alpha apart, not premultiplied", Header{0, 0, 2, 0, 0, 0, 2, 1, 32} + Bytes{1, 2, 3, 0x80, 4, 5, 6, 0xFF}, {{Bgr(1, 2, 3), Bgr(4, 5, 6)}}, {{Grey(0x80), Grey(0xFF)}}},
    {"grey8", Header{0, 0, 3, 0, 0, 0, 2, 1, 8} + Bytes{7, 200}, {{Grey(7), Grey(200)}}, {}},
    {"grey16 is grey and alpha", Header{0, 0, 3, 0, 0, 0, 2, 1, 16} + Bytes{7, 0x40, 200, 0xFF}, {{Grey(7), Grey(200)}}, {{Grey(0x40), Grey(0xFF)}}},
    {"rle_index8", Header{0, 1, 9, 0, 3, 24, 2, 1, 8} + kMap3 + Bytes{0x81, 2}, {Row(2, Bgr(2, 12, 22))}, {}},
    {"rle_bgra32", Header{0, 0, 10, 0, 0, 0, 2, 1, 32} + Bytes{0x00, 1, 2, 3, 0x80, 0x80, 4, 5, 6, 0x7F}, {{Bgr(1, 2, 3), Bgr(4, 5, 6)}}, {{Grey(0x80), Grey(0x7F)}}},
    {"rle_grey16", Header{0, 0, 11, 0, 0, 0, 2, 1, 16} + Bytes{0x81, 9, 0x33}, {Row(2, Grey(9))}, {Row(2, Grey(0x33))}},
    // Colour maps: index 0 is the first entry given; missing entries black; other sizes skipped.
    {"map entry 15", Header{0, 1, 1, 0, 1, 15, 1, 1, 8} + Bytes{0x1F, 0x7C, 0}, {{Bgr(248, 0, 248)}}, {}},
    {"map entry 32", Header{0, 1, 1, 0, 1, 32, 1, 1, 8} + Bytes{1, 2, 3, 4, 0}, {{Bgr(1, 2, 3)}}, {}},
    {"index beyond the map", Header{0, 1, 1, 5, 1, 24, 2, 1, 8} + Bytes{1, 2, 3, 0, 1}, {{Bgr(1, 2, 3), 0u}}, {}},
    {"map of 40-bit entries skipped", Header{0, 1, 2, 0, 3, 40, 1, 1, 24} + Bytes(15, 0xEE) + Bytes{4, 5, 6}, {{Bgr(4, 5, 6)}}, {}},
    {"long map skipped as a whole", Header{0, 1, 1, 0, 1002, 24, 2, 1, 8} + Bytes(3 * 1002, 5) + Bytes{0, 255}, {Row(2, Grey(5))}, {}},
    // Rows: bit 5 or bit 4 of the descriptor means top-down; columns are never mirrored.
    {"bottom-up", Header{0, 0, 2, 0, 0, 0, 2, 2, 24, 0xC0} + Bytes{1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4}, {{Grey(3), Grey(4)}, {Grey(1), Grey(2)}}, {}},
    {"right origin", Header{0, 0, 2, 0, 0, 0, 2, 2, 24, 0x10} + Bytes{1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4}, {{Grey(1), Grey(2)}, {Grey(3), Grey(4)}}, {}},
    {"truncated: the rest repeats the last bytes", Header{0, 0, 2, 0, 0, 0, 2, 4, 24, 0x20} + Bytes{1, 1, 1, 2, 2, 2, 3, 3, 3}, {{Grey(1), Grey(2)}, {Grey(3), Grey(2)}, {Grey(3), Grey(2)}, {Grey(3), Grey(2)}}, {}},
    // Run-length packets; one that outlasts its row carries into the next.
    {"runs and raws", Header{0, 0, 10, 0, 0, 0, 4, 2, 24, 0x20} + Bytes{0x81, 1, 1, 1, 0x01, 2, 2, 2, 3, 3, 3, 0x83, 5, 5, 5}, {{Grey(1), Grey(1), Grey(2), Grey(3)}, Row(4, Grey(5))}, {}},
    {"grey rows", Header{0, 0, 11, 0, 0, 0, 3, 2, 8} + Bytes{0x82, 9, 0x02, 1, 2, 3}, {{Grey(1), Grey(2), Grey(3)}, Row(3, Grey(9))}, {}},
    {"raw across rows", Header{0, 0, 10, 0, 0, 0, 2, 2, 24, 0x20} + Bytes{0x02, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0x80, 4, 4, 4}, {{Grey(1), Grey(2)}, {Grey(3), Grey(4)}}, {}},
    {"run over three rows", Header{0, 0, 10, 0, 0, 0, 2, 3, 24, 0x20} + Bytes{0x85, 7, 7, 7}, Rows(3, Row(2, Grey(7))), {}},
    {"rle data ending in a raw packet", Header{0, 0, 10, 0, 0, 0, 3, 3, 24, 0x20} + Bytes{0x02, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0x80, 9, 9, 9, 0x01, 8, 8, 8, 6}, {{Grey(1), Grey(2), Grey(3)}, {Grey(9), Grey(8), Grey(3)}, {Grey(9), Grey(8), Grey(3)}}, {}},
    {"run packet without its pixel", Header{0, 0, 10, 0, 0, 0, 2, 1, 32} + Bytes{0x81, 1, 2}, {Row(2, 0u)}, {}},
    Black("true colour 15", 2, 15), Black("colour-mapped 16", 1, 16), Black("grey 4", 3, 4),
    Black("grey 24", 3, 24), Black("no image", 0, 24), Black("unknown type", 4, 24),
};
// clang-format on

// The picture depends on the file alone: a new image and one that held other pictures
// of the same size (colour map, alpha, other pixels) read the same.
TEST(TgaImageTest, DecodesEachFileTheSameWhateverCameBefore) {
  const std::string path = testing::TempDir() + "tga" +
                           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TgaImage fresh;  // through a file: short reads and reads at its end
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(c.file.data()), c.file.size());
    fresh.LoadFile(path);
    EXPECT_EQ(RowsOf(fresh.colorBitmap, 0xFFFFFF), c.color);
    EXPECT_EQ(RowsOf(fresh.AlphaBitmap()),
              c.alpha.empty() ? Rows(c.color.size(), Row(c.color[0].size(), 0u)) : c.alpha);
    const uint16_t w = static_cast<uint16_t>(c.color[0].size()), h = static_cast<uint16_t>(c.color.size());
    TgaImage used;
    Load(used, Header{0, 1, 1, 0, 3, 24, w, h, 8} + kMap3 + Bytes(w * h, 1));
    Load(used, Header{0, 0, 2, 0, 0, 0, w, h, 32} + Bytes(4 * w * h, 0x77));
    used.AlphaBitmap();  // made for that picture: the next load must not keep it
    Load(used, c.file);
    EXPECT_EQ(RowsOf(used.colorBitmap), RowsOf(fresh.colorBitmap));
    EXPECT_EQ(RowsOf(used.AlphaBitmap()), RowsOf(fresh.AlphaBitmap()));
  }
  std::remove(path.c_str());
  TgaImage image;  // a file that cannot be read: gone, a folder, no name
  for (const std::string& bad : {path, testing::TempDir(), std::string()}) {
    Load(image, Header{0, 0, 2, 0, 0, 0, 2, 2, 32} + Bytes(16, 1));
    image.LoadFile(bad);
    EXPECT_TRUE(image.width == 0 && image.height == 0 && image.colorBitmap.IsEmpty()) << bad;
  }
}

// Larger than the reader's blocks and 8 MiB (written past the cache), rows not 16-byte aligned.
TEST(TgaImageTest, LargePicturesAcrossBlocks) {
  const uint16_t w = 2049, h = 1024;
  Bytes raw, rle;  // 32 bits with alpha; 24 bits in raw and run packets of 1 to 128 pixels, across rows
  Rows color(h, Row(w)), alpha = color, runs = color;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      raw.insert(raw.end(), {uint8_t(x), uint8_t(y), uint8_t(x * 7 + y), uint8_t(x + y)});
      color[y][x] = Bgr(x & 0xFF, y & 0xFF, (x * 7 + y) & 0xFF);
      alpha[y][x] = Grey((x + y) & 0xFF);
    }
  for (int i = 0, k = 0, left = 0, first = -1; i < w * h; ++i, --left) {
    // Packet k: a run when k is odd, of k * 53 % 128 + 1 pixels, or of 1 in the lower half,
    // where packets take more bytes than their pixels.
    if (left == 0) {
      left = std::min(i < w * h / 2 ? k * 53 % 128 + 1 : 1, w * h - i), first = k++ % 2 ? i : -1;
      rle.push_back(uint8_t(left - 1 + (first < 0 ? 0 : 128)));
    }
    if (first < 0 || first == i) rle.insert(rle.end(), raw.begin() + 4 * i, raw.begin() + 4 * i + 3);
    runs[i / w][i % w] = first < 0 ? color[i / w][i % w] : color[first / w][first % w];
  }
  for (uint8_t type : {2, 10}) {
    TgaImage image;
    const Bytes file = Header{0, 0, type, 0, 0, 0, w, h, uint8_t(type == 2 ? 32 : 24), 0x20} +
                       (type == 2 ? raw : rle) + Bytes(50, 9);
    EXPECT_EQ(Load(image, file), file.size() - 50);  // the bytes after the picture left unread
    EXPECT_EQ(RowsOf(image.colorBitmap, 0xFFFFFF), type == 2 ? color : runs) << int(type);
    EXPECT_EQ(RowsOf(image.AlphaBitmap()), type == 2 ? alpha : Rows(h, Row(w, 0u)));
  }
  // Cut in row 31, where the first 256 KiB block ends: 2020 new pixels, then row 30's.
  TgaImage image;
  Load(image,
       Header{0, 0, 2, 0, 0, 0, w, h, 32, 0x20} + Bytes(raw.begin(), raw.begin() + 4 * (31 * w + 2020)));
  Row last = color[30];
  std::copy(color[31].begin(), color[31].begin() + 2020, last.begin());
  std::fill(color.begin() + 31, color.end(), last);
  EXPECT_EQ(RowsOf(image.colorBitmap, 0xFFFFFF), color);
}

TEST(TgaImageTest, HeaderSizesEmptyAndTooLargePictures) {
  // clang-format off
  const struct { Bytes file; uint16_t width, height; uint8_t depth; bool tooLarge; uint64_t end; /* where the stream stops */ } cases[] = {
      {Bytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 2}, 4, 2, 0, false, 15},  // missing bytes are 0
      {Header{0, 1, 2, 0, 1, 24, 0, 5, 24} + Bytes{1, 2, 3} + Bytes(48, 1), 0, 5, 24, false, 21},
      {Header{0, 0, 2, 0, 0, 0, 5, 0, 32} + Bytes(48, 1), 5, 0, 32, false, 18},
      {Header{0, 0, 10, 0, 0, 0, 32768, 16384, 24} + Bytes{0xFF, 1, 2, 3}, 32768, 16384, 24, true, 18},
      {Header{0, 0, 2, 0, 0, 0, 65535, 4097, 32} + Bytes(48, 1), 65535, 4097, 32, true, 18},
  };
  // clang-format on
  TgaImage image;
  for (const auto& c : cases) {
    Load(image, Header{0, 0, 2, 0, 0, 0, 2, 2, 32} + Bytes(16, 1));
    EXPECT_EQ(Load(image, c.file), c.end);
    EXPECT_EQ(
        std::tuple(image.width, image.height, image.pixelDepth, image.TooLarge(), image.IsEmpty()),
        std::tuple(c.width, c.height, c.depth, c.tooLarge, c.width == 0 || c.height == 0 || c.tooLarge));
    EXPECT_TRUE(!image.IsEmpty() || image.AlphaBitmap().IsEmpty());
  }
}

}  // namespace
}  // namespace preview
