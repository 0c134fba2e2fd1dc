#include "preview/tga_image.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace preview {
namespace {

using Bytes = std::vector<uint8_t>;
using Row = std::vector<uint32_t>;

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct Header {
  uint8_t idLength = 0;
  uint8_t colorMapType = 0;
  uint8_t imageType = 2;
  uint16_t firstEntry = 0;
  uint16_t mapLength = 0;
  uint8_t entrySize = 0;
  uint16_t width = 1;
  uint16_t height = 1;
  uint8_t depth = 24;
  uint8_t descriptor = 0;

  Bytes Encode() const {
    Bytes out = {idLength, colorMapType, imageType};
    for (uint16_t v : {firstEntry, mapLength}) out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
    out.push_back(entrySize);
    for (uint16_t v : {uint16_t{0}, uint16_t{0}, width, height})
      out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
    out.insert(out.end(), {depth, descriptor});
    return out;
  }
  Bytes operator+(const Bytes& body) const { return Encode() + body; }
};

// One Format32 pixel as b | g << 8 | r << 16 | fourth << 24.
constexpr uint32_t Bgr(uint32_t b, uint32_t g, uint32_t r) { return b | g << 8 | r << 16; }
constexpr uint32_t Grey(uint32_t v) { return Bgr(v, v, v); }

uint32_t Px(const Bitmap& bitmap, int x, int y) {
  const uint8_t* p = bitmap.RowPointer(y) + 4 * x;
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

Row RowOf(const Bitmap& bitmap, int y) {
  Row row;
  for (int x = 0; x < bitmap.Width(); ++x) row.push_back(Px(bitmap, x, y));
  return row;
}

std::vector<Row> Rows(const Bitmap& bitmap) {
  std::vector<Row> rows;
  for (int y = 0; y < bitmap.Height(); ++y) rows.push_back(RowOf(bitmap, y));
  return rows;
}

uint64_t Load(TgaImage& image, const Bytes& file) {
  MemoryStream stream(file.data(), file.size());
  image.LoadStream(stream);
  return stream.Position();
}

std::string TempPath(const std::string& name) {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  return (std::filesystem::temp_directory_path() / ("texlook_tga_" + std::to_string(stamp) + "_" + name))
      .string();
}

// Colour map of 24-bit entries: entry i = (b, g, r) = (i, 10 + i, 20 + i).
const Bytes kMap3 = {0, 10, 20, 1, 11, 21, 2, 12, 22};

struct DecodeCase {
  const char* name;
  Bytes file;  // two pixels in one row
  uint8_t kind;
  uint8_t pixelCode;
  bool hasAlpha;
  Row color;
  Row alpha;
};

// clang-format off
const DecodeCase kDecodeCases[] = {
    {"index8", Header{0, 1, 1, 0, 3, 24, 2, 1, 8} + kMap3 + Bytes{2, 1}, kTgaColorMapped, 0, false, {Bgr(2, 12, 22), Bgr(1, 11, 21)}, {0, 0}},
    {"bgr16: 5 bits widened, bit 15 ignored", Header{0, 0, 2, 0, 0, 0, 2, 1, 16} + Bytes{0x1F, 0x00, 0x00, 0xFC}, kTgaTrueColor, 1, false, {Bgr(248, 0, 0), Bgr(0, 0, 248)}, {0, 0}},
    {"bgr24", Header{0, 0, 2, 0, 0, 0, 2, 1, 24} + Bytes{1, 2, 3, 4, 5, 6}, kTgaTrueColor, 2, false, {Bgr(1, 2, 3), Bgr(4, 5, 6)}, {0, 0}},
    {"bgra32: alpha apart, not premultiplied", Header{0, 0, 2, 0, 0, 0, 2, 1, 32} + Bytes{1, 2, 3, 0x80, 4, 5, 6, 0xFF}, kTgaTrueColor, 3, true, {Bgr(1, 2, 3), Bgr(4, 5, 6)}, {Grey(0x80), Grey(0xFF)}},
    {"grey8", Header{0, 0, 3, 0, 0, 0, 2, 1, 8} + Bytes{7, 200}, kTgaGrey, 0, false, {Grey(7), Grey(200)}, {0, 0}},
    // Mended: 16-bit greyscale is grey and alpha, not two grey pixels.
    {"grey16 with alpha", Header{0, 0, 3, 0, 0, 0, 2, 1, 16} + Bytes{7, 0x40, 200, 0xFF}, kTgaGrey, 0, true, {Grey(7), Grey(200)}, {Grey(0x40), Grey(0xFF)}},
    {"rle_index8", Header{0, 1, 9, 0, 3, 24, 2, 1, 8} + kMap3 + Bytes{0x81, 2}, kTgaRleColorMapped, 0, false, {Bgr(2, 12, 22), Bgr(2, 12, 22)}, {0, 0}},
    {"rle_bgr16", Header{0, 0, 10, 0, 0, 0, 2, 1, 16} + Bytes{0x01, 0x1F, 0x00, 0xE0, 0x83}, kTgaRleTrueColor, 1, false, {Bgr(248, 0, 0), Bgr(0, 248, 0)}, {0, 0}},
    {"rle_bgr24", Header{0, 0, 10, 0, 0, 0, 2, 1, 24} + Bytes{0x81, 1, 2, 3}, kTgaRleTrueColor, 2, false, {Bgr(1, 2, 3), Bgr(1, 2, 3)}, {0, 0}},
    {"rle_bgra32", Header{0, 0, 10, 0, 0, 0, 2, 1, 32} + Bytes{0x00, 1, 2, 3, 0x80, 0x80, 4, 5, 6, 0x7F}, kTgaRleTrueColor, 3, true, {Bgr(1, 2, 3), Bgr(4, 5, 6)}, {Grey(0x80), Grey(0x7F)}},
    {"rle_grey8", Header{0, 0, 11, 0, 0, 0, 2, 1, 8} + Bytes{0x01, 7, 200}, kTgaRleGrey, 0, false, {Grey(7), Grey(200)}, {0, 0}},
    {"rle_grey16 with alpha", Header{0, 0, 11, 0, 0, 0, 2, 1, 16} + Bytes{0x81, 9, 0x33}, kTgaRleGrey, 0, true, {Grey(9), Grey(9)}, {Grey(0x33), Grey(0x33)}},
};
// clang-format on

TEST(TgaImageTest, DecodesEachTypeAndDepth) {
  for (const DecodeCase& c : kDecodeCases) {
    SCOPED_TRACE(c.name);
    TgaImage image;
    Load(image, c.file);
    ASSERT_EQ(image.ColorBitmap.Height(), 1);
    EXPECT_EQ(image.Kind, c.kind);
    EXPECT_EQ(image.PixelCode, c.pixelCode);
    EXPECT_EQ(image.HasAlpha, c.hasAlpha);
    EXPECT_EQ(RowOf(image.ColorBitmap, 0), c.color);
    EXPECT_EQ(RowOf(image.AlphaBitmap, 0), c.alpha);
  }
}

TEST(TgaImageTest, HeaderFieldsAreKeptAndTheIdSkipped) {
  TgaImage image;
  Load(image, {2, 1, 2, 5, 0, 1, 0, 24, 7, 1, 9, 2, 1, 0, 1, 0, 24, 0x2A, 'i', 'd', 1, 2, 3, 4, 5, 6});
  EXPECT_EQ(image.IdLength, 2);
  EXPECT_EQ(image.ColorMapFirstEntry, 5);
  EXPECT_EQ(image.ColorMapLength, 1);
  EXPECT_EQ(image.XOrigin, 0x107);
  EXPECT_EQ(image.YOrigin, 0x209);
  EXPECT_EQ(image.PixelDepth, 24);
  EXPECT_EQ(image.AlphaBits, 0x0A);
  EXPECT_TRUE(image.TopOrigin);
  EXPECT_FALSE(image.RightOrigin);
  EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(4, 5, 6));  // after the ID and the map
}

TEST(TgaImageTest, RowOrderFollowsTheDescriptorAndColumnsAreNeverMirrored) {
  const std::pair<uint8_t, bool> cases[] = {
      {0x00, false}, {0x20, true}, {0x10, true}, {0x30, true}, {0xC0, false}};
  for (const auto& [descriptor, firstRowOnTop] : cases) {
    TgaImage image;
    Load(image, Header{0, 0, 2, 0, 0, 0, 2, 2, 24, descriptor} + Bytes{1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4});
    const std::vector<Row> fileOrder = {{Grey(1), Grey(2)}, {Grey(3), Grey(4)}};
    EXPECT_EQ(Rows(image.ColorBitmap),
              (firstRowOnTop ? fileOrder : std::vector<Row>{fileOrder[1], fileOrder[0]}))
        << int(descriptor);
  }
}

TEST(TgaImageTest, ColorMapEntrySizes) {
  const struct {
    uint8_t entrySize;
    Bytes entry;
    PaletteEntry expected;
  } cases[] = {
      {15, {0x1F, 0x7C}, {248, 0, 248, 0}},
      {16, {0xE0, 0x83}, {0, 248, 0, 0}},  // bit 15 ignored
      {24, {1, 2, 3}, {3, 2, 1, 0}},
      {32, {1, 2, 3, 4}, {3, 2, 1, 4}},
  };
  for (const auto& c : cases) {
    TgaImage image;
    Load(image, Header{0, 1, 1, 0, 1, c.entrySize, 1, 1, 8} + c.entry + Bytes{0});
    const PaletteEntry& p = image.Palette[0];
    EXPECT_EQ(Bgr(p.blue, p.green, p.red) | uint32_t{p.alpha} << 24,
              Bgr(c.expected.blue, c.expected.green, c.expected.red) | uint32_t{c.expected.alpha} << 24)
        << int(c.entrySize);
    EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(c.expected.blue, c.expected.green, c.expected.red));
  }
}

TEST(TgaImageTest, PaletteFirstEntryAndLeftovers) {
  TgaImage image;
  // First entry 5: the map is still stored from index 0.
  Load(image, Header{0, 1, 1, 5, 3, 24, 1, 1, 8} + kMap3 + Bytes{0});
  EXPECT_EQ(image.Palette[0].red, 20);
  EXPECT_EQ(image.Palette[5].red, 0);
  EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(0, 10, 20));
  // No map: the previous palette is used.
  Load(image, Header{0, 0, 1, 0, 0, 0, 1, 1, 8} + Bytes{1});
  EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(1, 11, 21));
  // A shorter map leaves the later entries of the previous load.
  Load(image, Header{0, 1, 1, 0, 1, 24, 3, 1, 8} + Bytes{9, 9, 9} + Bytes{0, 1, 2});
  EXPECT_EQ(RowOf(image.ColorBitmap, 0), (Row{Grey(9), Bgr(1, 11, 21), Bgr(2, 12, 22)}));
  // A true-colour file's map replaces the palette; its pixels stay true colour.
  Load(image, Header{0, 1, 2, 0, 3, 24, 1, 1, 24} + kMap3 + Bytes{7, 8, 9});
  EXPECT_EQ(image.Palette[0].red, 20);
  EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(7, 8, 9));
  // A fresh image has an all-black palette; indices beyond the map read it.
  TgaImage fresh;
  Load(fresh, Header{0, 1, 1, 0, 1, 24, 2, 1, 8} + Bytes{1, 2, 3} + Bytes{0, 255});
  EXPECT_EQ(RowOf(fresh.ColorBitmap, 0), (Row{Bgr(1, 2, 3), 0u}));
}

// Run-length rows: a packet that outlasts its row carries on into the next (mended: never
// outside the buffer), the next row starts after the last packet used, and data that ends
// early keeps the previous row in the rest.
TEST(TgaImageTest, RunLengthPackets) {
  const struct {
    const char* name;
    Bytes file;
    std::vector<Row> rows;  // top first
    uint64_t end;           // where the stream stops; 0: not checked
  } cases[] = {
      {"run and raw packets; the next row starts after the last one used",
       Header{0, 0, 10, 0, 0, 0, 4, 2, 24, 0x20} +
           Bytes{0x81, 1, 1, 1, 0x01, 2, 2, 2, 3, 3, 3, 0x83, 5, 5, 5},
       {{Grey(1), Grey(1), Grey(2), Grey(3)}, Row(4, Grey(5))},
       18 + 15},
      {"grey rows are as wide as the image",
       Header{0, 0, 11, 0, 0, 0, 3, 2, 8} + Bytes{0x82, 9, 0x02, 1, 2, 3},
       {{Grey(1), Grey(2), Grey(3)}, Row(3, Grey(9))},
       0},
      {"run crossing the row end",
       Header{0, 0, 10, 0, 0, 0, 2, 2, 24, 0x20} + Bytes{0x82, 1, 1, 1, 0x00, 2, 2, 2},
       {{Grey(1), Grey(1)}, {Grey(1), Grey(2)}},
       0},
      {"raw crossing the row end",
       Header{0, 0, 10, 0, 0, 0, 2, 2, 24, 0x20} + Bytes{0x02, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0x80, 4, 4, 4},
       {{Grey(1), Grey(2)}, {Grey(3), Grey(4)}},
       0},
      {"run over three rows", Header{0, 0, 10, 0, 0, 0, 2, 3, 24, 0x20} + Bytes{0x85, 7, 7, 7},
       std::vector<Row>(3, Row(2, Grey(7))), 0},
      {"data ending inside a raw packet, then no data",
       Header{0, 0, 10, 0, 0, 0, 3, 3, 24, 0x20} +
           Bytes{0x02, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0x80, 9, 9, 9, 0x01, 8, 8, 8, 6},
       {{Grey(1), Grey(2), Grey(3)}, {Grey(9), Grey(8), Grey(3)}, {Grey(9), Grey(8), Grey(3)}},
       0},
      {"run packet without its pixel",
       Header{0, 0, 10, 0, 0, 0, 2, 1, 32} + Bytes{0x81, 1, 2},
       {{0u, 0u}},
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TgaImage image;
    const uint64_t end = Load(image, c.file);
    EXPECT_EQ(Rows(image.ColorBitmap), c.rows);
    if (c.end) EXPECT_EQ(end, c.end);
  }
}

TEST(TgaImageTest, TruncatedUncompressedFileRepeatsItsLastRow) {
  TgaImage image;
  // Four rows of two pixels; the file ends in the middle of file row 1.
  Load(image, Header{0, 0, 2, 0, 0, 0, 2, 4, 24, 0x20} + Bytes{1, 1, 1, 2, 2, 2, 3, 3, 3});
  EXPECT_EQ(
      Rows(image.ColorBitmap),
      (std::vector<Row>{{Grey(1), Grey(2)}, {Grey(3), Grey(2)}, {Grey(3), Grey(2)}, {Grey(3), Grey(2)}}));
}

TEST(TgaImageTest, ShortHeaderCountsMissingBytesAsZero) {
  TgaImage image;
  Load(image, Header{0, 0, 2, 0, 0, 0, 0x0102, 3, 24}.Encode());
  Load(image, Bytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 2});  // ends inside the height
  EXPECT_EQ(image.Width, 4);
  EXPECT_EQ(image.Height, 2);
  EXPECT_EQ(image.PixelDepth, 0);
  EXPECT_EQ(image.ColorBitmap.Width(), 4);
  EXPECT_EQ(image.Kind, kTgaTrueColor);
}

TEST(TgaImageTest, ZeroWidthOrHeightGivesEmptyBitmapsAndReadsNothingAfterTheMap) {
  for (const auto& [w, h] : {std::pair<uint16_t, uint16_t>{0, 5}, {5, 0}, {0, 0}}) {
    TgaImage image;
    Load(image, Header{0, 0, 2, 0, 0, 0, 4, 4, 24} + Bytes(48, 1));
    EXPECT_EQ(Load(image, Header{0, 1, 2, 0, 1, 24, w, h, 24} + Bytes{1, 2, 3} + Bytes(48, 1)), 18u + 3u);
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_TRUE(image.AlphaBitmap.IsEmpty());
  }
}

// Types and depths that are not decoded give black bitmaps of the right size. Mended:
// greyscale below 8 bits is refused that way too.
TEST(TgaImageTest, UndecodedTypesAndDepthsAreBlack) {
  const struct {
    uint8_t type, depth, kind;
  } cases[] = {{2, 15, kTgaTrueColor},
               {2, 8, kTgaTrueColor},
               {1, 16, kTgaColorMapped},
               {10, 15, kTgaRleTrueColor},
               {9, 24, kTgaRleColorMapped},
               {0, 24, kTgaNoImage},
               {3, 1, kTgaGrey},
               {3, 4, kTgaGrey},
               {3, 7, kTgaGrey},
               {3, 24, kTgaGrey},
               {11, 4, kTgaRleGrey},
               {11, 32, kTgaRleGrey}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + "/" + std::to_string(c.depth));
    TgaImage image;
    Load(image, Header{0, 0, c.type, 0, 0, 0, 3, 2, c.depth} + Bytes(32, 0x81));
    EXPECT_EQ(image.Kind, c.kind);
    EXPECT_FALSE(image.HasAlpha);
    EXPECT_EQ(Rows(image.ColorBitmap), std::vector<Row>(2, Row(3, 0u)));
  }
  // An unknown type keeps the previous kind and pixel code.
  TgaImage image;
  Load(image, Header{0, 0, 2, 0, 0, 0, 1, 1, 32} + Bytes{1, 2, 3, 4});
  for (uint8_t type : {4, 8, 12, 255}) {
    Load(image, Header{0, 0, type, 0, 0, 0, 3, 2, 24} + Bytes(18, 0x55));
    EXPECT_EQ(image.Kind, kTgaTrueColor) << int(type);
    EXPECT_EQ(image.PixelCode, 3) << int(type);
    EXPECT_EQ(Rows(image.ColorBitmap), std::vector<Row>(2, Row(3, 0u))) << int(type);
  }
}

// ---- mended faults ----

// Without the skip, the pixels would be read from the map's entry 1000 on.
TEST(TgaImageTest, MapLongerThanThePaletteKeepsTheFirstThousandAndSkipsTheRest) {
  TgaImage image;
  Bytes map;
  for (int i = 0; i < 1002; ++i) map = map + Bytes{static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8), 7};
  Load(image, Header{0, 1, 2, 0, 1002, 24, 1, 1, 24} + map + Bytes{4, 5, 6});
  EXPECT_EQ(image.Palette[999].blue, 999 & 0xFF);
  EXPECT_EQ(image.Palette[999].green, 999 >> 8);
  EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(4, 5, 6));
}

// Maps of other entry sizes are skipped by their byte length, not read and not decoded.
TEST(TgaImageTest, MapOfAnUndecodedEntrySizeIsSkipped) {
  for (const auto& [entrySize, bytesPerEntry] :
       {std::pair<uint8_t, size_t>{8, 1}, {12, 2}, {31, 4}, {40, 5}, {0, 0}}) {
    TgaImage image;
    Load(image, Header{0, 1, 2, 0, 3, entrySize, 1, 1, 24} + Bytes(3 * bytesPerEntry, 0xEE) + Bytes{4, 5, 6});
    EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(4, 5, 6)) << int(entrySize);
    EXPECT_EQ(image.Palette[0].red, 0) << int(entrySize);
  }
}

TEST(TgaImageTest, SizesTheBitmapsCannotHoldAreRefusedWithBothEmpty) {
  for (const auto& [w, h] : {std::pair<uint16_t, uint16_t>{65535, 65535}, {16384, 16384}, {65535, 2049}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    TgaImage image;
    Load(image, Header{0, 0, 2, 0, 0, 0, 2, 2, 24} + Bytes(12, 1));
    Load(image, Header{0, 0, 10, 0, 0, 0, w, h, 32} + Bytes{0xFF, 1, 2, 3, 4});
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_TRUE(image.AlphaBitmap.IsEmpty());
    EXPECT_EQ(image.ColorBitmap.Pixels(), nullptr);
    EXPECT_EQ(image.Width, w);  // the header is still reported
  }
}

// ---- files ----

TEST(TgaImageTest, LoadFileReadsARealFileAndAMissingOneGivesNothing) {
  const Bytes file = Header{0, 0, 10, 0, 0, 0, 3, 2, 32} +
                     Bytes{0x82, 1, 2, 3, 4, 0x00, 5, 6, 7, 8, 0x01, 9, 9, 9, 9, 0, 0, 0, 0};
  const std::string path = TempPath("rle32.tga");
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
  TgaImage image;
  image.LoadFile(path);
  std::remove(path.c_str());
  EXPECT_EQ(Rows(image.ColorBitmap), (std::vector<Row>{{Bgr(5, 6, 7), Grey(9), 0u}, Row(3, Bgr(1, 2, 3))}));
  EXPECT_EQ(Rows(image.AlphaBitmap), (std::vector<Row>{{Grey(8), Grey(9), 0u}, Row(3, Grey(4))}));

  image.LoadFile(TempPath("does_not_exist.tga"));
  EXPECT_TRUE(image.IsEmpty());
  EXPECT_TRUE(image.AlphaBitmap.IsEmpty());
  EXPECT_EQ(image.Width, 0);
  EXPECT_EQ(image.PixelDepth, 0);
  EXPECT_EQ(image.Kind, kTgaNoImage);
}

}  // namespace
}  // namespace preview
