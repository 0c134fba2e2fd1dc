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
    for (uint16_t v : {uint16_t{0}, uint16_t{0}, width, height}) {
      out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
    }
    out.insert(out.end(), {depth, descriptor});
    return out;
  }
};

// One Format32 pixel as b | g << 8 | r << 16 | fourth << 24.
constexpr uint32_t Bgr(uint32_t b, uint32_t g, uint32_t r) { return b | g << 8 | r << 16; }
constexpr uint32_t Grey(uint32_t v) { return Bgr(v, v, v); }

uint32_t Px(const Bitmap& bitmap, int x, int y) {
  const uint8_t* p = bitmap.RowPointer(y) + 4 * x;
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

std::vector<uint32_t> Row(const Bitmap& bitmap, int y) {
  std::vector<uint32_t> row;
  for (int x = 0; x < bitmap.Width(); ++x) row.push_back(Px(bitmap, x, y));
  return row;
}

uint64_t Load(TgaImage& image, const Bytes& file) {
  MemoryStream stream(file.data(), file.size());
  image.LoadStream(stream);
  return stream.Position();
}

std::string TempPath(const std::string& name) {
  static int counter = 0;
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  return (std::filesystem::temp_directory_path() /
          ("texlook_tga_" + std::to_string(stamp) + "_" + std::to_string(++counter) + "_" + name))
      .string();
}

// ---- decoding of each type and depth ----

struct DecodeCase {
  const char* name;
  Header header;
  Bytes body;  // everything after the header
  uint8_t kind;
  uint8_t pixelCode;
  bool hasAlpha;
  std::vector<uint32_t> color;  // the top row, picture order
  std::vector<uint32_t> alpha;  // the top row of AlphaBitmap
};

// Two pixels in one row. Colour maps of 24-bit entries: entry i = (b, g, r) = (i, 10 + i, 20 + i).
const Bytes kMap3 = {0, 10, 20, 1, 11, 21, 2, 12, 22};

// clang-format off
const DecodeCase kDecodeCases[] = {
    {"index8", {0, 1, 1, 0, 3, 24, 2, 1, 8}, kMap3 + Bytes{2, 1}, kTgaColorMapped, 0, false,
     {Bgr(2, 12, 22), Bgr(1, 11, 21)}, {0, 0}},
    {"bgr16", {0, 0, 2, 0, 0, 0, 2, 1, 16}, {0x1F, 0x00, 0x00, 0xFC}, kTgaTrueColor, 1, false,
     {Bgr(248, 0, 0), Bgr(0, 0, 248)}, {0, 0}},
    {"bgr24", {0, 0, 2, 0, 0, 0, 2, 1, 24}, {1, 2, 3, 4, 5, 6}, kTgaTrueColor, 2, false,
     {Bgr(1, 2, 3), Bgr(4, 5, 6)}, {0, 0}},
    {"bgra32", {0, 0, 2, 0, 0, 0, 2, 1, 32}, {1, 2, 3, 0x80, 4, 5, 6, 0xFF}, kTgaTrueColor, 3, true,
     {Bgr(1, 2, 3), Bgr(4, 5, 6)}, {Grey(0x80), Grey(0xFF)}},
    {"grey8", {0, 0, 3, 0, 0, 0, 2, 1, 8}, {7, 200}, kTgaGrey, 0, false, {Grey(7), Grey(200)}, {0, 0}},
    {"grey_alpha16", {0, 0, 3, 0, 0, 0, 2, 1, 16}, {7, 0x40, 200, 0xFF}, kTgaGrey, 0, true,
     {Grey(7), Grey(200)}, {Grey(0x40), Grey(0xFF)}},
    {"rle_index8", {0, 1, 9, 0, 3, 24, 2, 1, 8}, kMap3 + Bytes{0x81, 2}, kTgaRleColorMapped, 0, false,
     {Bgr(2, 12, 22), Bgr(2, 12, 22)}, {0, 0}},
    {"rle_bgr16", {0, 0, 10, 0, 0, 0, 2, 1, 16}, {0x01, 0x1F, 0x00, 0xE0, 0x83}, kTgaRleTrueColor, 1, false,
     {Bgr(248, 0, 0), Bgr(0, 248, 0)}, {0, 0}},
    {"rle_bgr24", {0, 0, 10, 0, 0, 0, 2, 1, 24}, {0x81, 1, 2, 3}, kTgaRleTrueColor, 2, false,
     {Bgr(1, 2, 3), Bgr(1, 2, 3)}, {0, 0}},
    {"rle_bgra32", {0, 0, 10, 0, 0, 0, 2, 1, 32}, {0x00, 1, 2, 3, 0x80, 0x80, 4, 5, 6, 0x7F}, kTgaRleTrueColor,
     3, true, {Bgr(1, 2, 3), Bgr(4, 5, 6)}, {Grey(0x80), Grey(0x7F)}},
    {"rle_grey8", {0, 0, 11, 0, 0, 0, 2, 1, 8}, {0x01, 7, 200}, kTgaRleGrey, 0, false, {Grey(7), Grey(200)},
     {0, 0}},
    {"rle_grey_alpha16", {0, 0, 11, 0, 0, 0, 2, 1, 16}, {0x81, 9, 0x33}, kTgaRleGrey, 0, true,
     {Grey(9), Grey(9)}, {Grey(0x33), Grey(0x33)}},
};
// clang-format on

TEST(TgaImageTest, DecodesEachTypeAndDepth) {
  for (const DecodeCase& c : kDecodeCases) {
    SCOPED_TRACE(c.name);
    TgaImage image;
    Load(image, c.header.Encode() + c.body);
    ASSERT_EQ(image.ColorBitmap.Width(), 2);
    ASSERT_EQ(image.ColorBitmap.Height(), 1);
    ASSERT_EQ(image.AlphaBitmap.Width(), 2);
    EXPECT_EQ(image.Kind, c.kind);
    EXPECT_EQ(image.PixelCode, c.pixelCode);
    EXPECT_EQ(image.HasAlpha, c.hasAlpha);
    EXPECT_EQ(Row(image.ColorBitmap, 0), c.color);
    EXPECT_EQ(Row(image.AlphaBitmap, 0), c.alpha);
  }
}

TEST(TgaImageTest, HeaderFieldsAreKept) {
  TgaImage image;
  const Bytes file = {2, 1, 2, 5, 0, 1, 0, 24, 7, 1, 9, 2, 1, 0, 1, 0, 24, 0x2A, 'i', 'd', 1, 2, 3, 4, 5, 6};
  Load(image, file);
  EXPECT_EQ(image.IdLength, 2);
  EXPECT_EQ(image.ColorMapType, 1);
  EXPECT_EQ(image.ImageType, 2);
  EXPECT_EQ(image.ColorMapFirstEntry, 5);
  EXPECT_EQ(image.ColorMapLength, 1);
  EXPECT_EQ(image.ColorMapEntrySize, 24);
  EXPECT_EQ(image.XOrigin, 0x107);
  EXPECT_EQ(image.YOrigin, 0x209);
  EXPECT_EQ(image.Width, 1);
  EXPECT_EQ(image.Height, 1);
  EXPECT_EQ(image.PixelDepth, 24);
  EXPECT_EQ(image.AlphaBits, 0x0A);
  EXPECT_TRUE(image.TopOrigin);
  EXPECT_FALSE(image.RightOrigin);
  // The ID is skipped, the map read, then the pixel.
  EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(4, 5, 6));
}

TEST(TgaImageTest, NewImageIsEmptyAndZero) {
  TgaImage image;
  EXPECT_TRUE(image.IsEmpty());
  EXPECT_TRUE(image.AlphaBitmap.IsEmpty());
  EXPECT_EQ(image.Kind, 0);
  EXPECT_EQ(image.PixelDepth, 0);
  EXPECT_EQ(image.Palette[999].red, 0);
}

// ---- row order ----

TEST(TgaImageTest, RowOrderFollowsTheDescriptor) {
  struct Case {
    uint8_t descriptor;
    bool firstRowOnTop;
  };
  const Case cases[] = {{0x00, false}, {0x20, true}, {0x10, true}, {0x30, true}, {0xC0, false}};
  const Bytes rows = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4};  // file row 0: pixels 1, 2; row 1: 3, 4
  for (const Case& c : cases) {
    SCOPED_TRACE(c.descriptor);
    TgaImage image;
    Header h;
    h.width = 2;
    h.height = 2;
    h.descriptor = c.descriptor;
    Load(image, h.Encode() + rows);
    const int top = c.firstRowOnTop ? 0 : 1;
    // Columns stay in file order: right origin never mirrors.
    EXPECT_EQ(Row(image.ColorBitmap, top), (std::vector<uint32_t>{Grey(1), Grey(2)}));
    EXPECT_EQ(Row(image.ColorBitmap, 1 - top), (std::vector<uint32_t>{Grey(3), Grey(4)}));
  }
}

// ---- pixel layouts ----

TEST(TgaImageTest, SixteenBitWidensFiveBitsAndIgnoresBitFifteen) {
  TgaImage image;
  Header h;
  h.width = 3;
  h.depth = 16;
  Load(image, h.Encode() + Bytes{0xFF, 0x7F, 0x00, 0x80, 0x21, 0x04});
  EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Grey(248));
  EXPECT_EQ(Px(image.ColorBitmap, 1, 0), 0u);
  EXPECT_EQ(Px(image.ColorBitmap, 2, 0), Grey(8));  // 0x0421: 1 in each channel
}

TEST(TgaImageTest, ThirtyTwoBitAlphaGoesToAlphaBitmapUnpremultiplied) {
  TgaImage image;
  Header h;
  h.depth = 32;
  Load(image, h.Encode() + Bytes{0x10, 0x20, 0x30, 0x80});
  EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(0x10, 0x20, 0x30));  // fourth byte stays 0
  EXPECT_EQ(Px(image.AlphaBitmap, 0, 0), Grey(0x80));
}

// ---- colour maps ----

TEST(TgaImageTest, ColorMapEntrySizes) {
  struct Case {
    uint8_t entrySize;
    Bytes entry;
    PaletteEntry expected;
  };
  const Case cases[] = {
      {15, {0x1F, 0x7C}, {248, 0, 248, 0}},
      {16, {0xE0, 0x83}, {0, 248, 0, 0}},  // bit 15 ignored
      {24, {1, 2, 3}, {3, 2, 1, 0}},
      {32, {1, 2, 3, 4}, {3, 2, 1, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.entrySize));
    TgaImage image;
    Header h{0, 1, 1, 0, 1, c.entrySize, 1, 1, 8};
    Load(image, h.Encode() + c.entry + Bytes{0});
    const PaletteEntry& p = image.Palette[0];
    EXPECT_EQ(p.red, c.expected.red);
    EXPECT_EQ(p.green, c.expected.green);
    EXPECT_EQ(p.blue, c.expected.blue);
    EXPECT_EQ(p.alpha, c.expected.alpha);
    EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(c.expected.blue, c.expected.green, c.expected.red));
  }
}

TEST(TgaImageTest, FirstEntryFiveIsStillStoredAtIndexZero) {
  TgaImage image;
  Header h{0, 1, 1, 5, 3, 24, 1, 1, 8};
  Load(image, h.Encode() + kMap3 + Bytes{0});
  EXPECT_EQ(image.Palette[0].blue, 0);
  EXPECT_EQ(image.Palette[0].red, 20);
  EXPECT_EQ(image.Palette[5].red, 0);
  EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(0, 10, 20));
}

TEST(TgaImageTest, ColorMappedWithoutMapUsesThePreviousPalette) {
  TgaImage image;
  const Bytes noMap = Header{0, 0, 1, 0, 0, 0, 1, 1, 8}.Encode() + Bytes{1};
  Load(image, noMap);
  EXPECT_EQ(Px(image.ColorBitmap, 0, 0), 0u);  // first load: all black
  Load(image, Header{0, 1, 1, 0, 3, 24, 1, 1, 8}.Encode() + kMap3 + Bytes{0});
  Load(image, noMap);
  EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(1, 11, 21));
}

TEST(TgaImageTest, ShorterMapLeavesLaterEntriesOfThePreviousLoad) {
  TgaImage image;
  Load(image, Header{0, 1, 1, 0, 3, 24, 1, 1, 8}.Encode() + kMap3 + Bytes{0});
  Load(image, Header{0, 1, 1, 0, 1, 24, 3, 1, 8}.Encode() + Bytes{9, 9, 9} + Bytes{0, 1, 2});
  EXPECT_EQ(Row(image.ColorBitmap, 0), (std::vector<uint32_t>{Grey(9), Bgr(1, 11, 21), Bgr(2, 12, 22)}));
}

TEST(TgaImageTest, TrueColorWithMapReplacesThePaletteAndDecodesTrueColor) {
  TgaImage image;
  Load(image, Header{0, 1, 2, 0, 3, 24, 1, 1, 24}.Encode() + kMap3 + Bytes{7, 8, 9});
  EXPECT_EQ(image.Palette[2].red, 22);
  EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(7, 8, 9));
}

TEST(TgaImageTest, IndexBeyondTheMapReadsTheRestOfThePalette) {
  TgaImage image;
  Load(image, Header{0, 1, 1, 0, 1, 24, 2, 1, 8}.Encode() + Bytes{1, 2, 3} + Bytes{0, 255});
  EXPECT_EQ(Row(image.ColorBitmap, 0), (std::vector<uint32_t>{Bgr(1, 2, 3), 0u}));
}

// ---- run-length data ----

TEST(TgaImageTest, RunAndRawPacketsAndTheNextRowStartsAfterTheLastUsedPacket) {
  TgaImage image;
  Header h{0, 0, 10, 0, 0, 0, 7, 2, 24, 0x20};
  const Bytes row0 = {0x83, 1, 1, 1, 0x02, 2, 2, 2, 3, 3, 3, 4, 4, 4};
  const Bytes row1 = {0x86, 5, 5, 5};
  const Bytes file = h.Encode() + row0 + row1;
  const uint64_t end = Load(image, file);
  EXPECT_EQ(Row(image.ColorBitmap, 0),
            (std::vector<uint32_t>{Grey(1), Grey(1), Grey(1), Grey(1), Grey(2), Grey(3), Grey(4)}));
  EXPECT_EQ(Row(image.ColorBitmap, 1), std::vector<uint32_t>(7, Grey(5)));
  EXPECT_EQ(end, file.size());  // the stream stops right after the last packet used
}

TEST(TgaImageTest, RunLengthGreyRowsAreAsWideAsTheImage) {
  TgaImage image;
  Load(image, Header{0, 0, 11, 0, 0, 0, 3, 2, 8}.Encode() + Bytes{0x82, 9, 0x02, 1, 2, 3});
  EXPECT_EQ(Row(image.ColorBitmap, 1), (std::vector<uint32_t>{Grey(9), Grey(9), Grey(9)}));
  EXPECT_EQ(Row(image.ColorBitmap, 0), (std::vector<uint32_t>{Grey(1), Grey(2), Grey(3)}));
}

// A packet that outlasts its row carries on in the next one, and the packet after it
// is read from the right place.
TEST(TgaImageTest, PacketsCrossingTheRowEndCarryIntoTheNextRow) {
  struct Case {
    const char* name;
    uint16_t height;
    Bytes packets;
    std::vector<uint32_t> top;
    std::vector<uint32_t> bottom;
  };
  const Case cases[] = {
      {"run", 2, {0x82, 1, 1, 1, 0x00, 2, 2, 2}, {Grey(1), Grey(1)}, {Grey(1), Grey(2)}},
      {"raw", 2, {0x02, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0x80, 4, 4, 4}, {Grey(1), Grey(2)}, {Grey(3), Grey(4)}},
      {"run over three rows", 3, {0x85, 7, 7, 7}, {Grey(7), Grey(7)}, {Grey(7), Grey(7)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TgaImage image;
    Load(image, Header{0, 0, 10, 0, 0, 0, 2, c.height, 24, 0x20}.Encode() + c.packets);
    EXPECT_EQ(Row(image.ColorBitmap, 0), c.top);
    EXPECT_EQ(Row(image.ColorBitmap, 1), c.bottom);
  }
}

TEST(TgaImageTest, RunLengthDataEndingEarlyKeepsThePreviousRowInTheRest) {
  TgaImage image;
  // Row 0 complete; row 1 one pixel, then a raw packet that lost its last pixel
  // bytes; row 2 no data at all.
  const Bytes packets = {0x02, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0x80, 9, 9, 9, 0x01, 8, 8, 8, 6};
  Load(image, Header{0, 0, 10, 0, 0, 0, 3, 3, 24, 0x20}.Encode() + packets);
  EXPECT_EQ(Row(image.ColorBitmap, 0), (std::vector<uint32_t>{Grey(1), Grey(2), Grey(3)}));
  EXPECT_EQ(Row(image.ColorBitmap, 1), (std::vector<uint32_t>{Grey(9), Grey(8), Grey(3)}));
  EXPECT_EQ(Row(image.ColorBitmap, 2), (std::vector<uint32_t>{Grey(9), Grey(8), Grey(3)}));
}

TEST(TgaImageTest, RunPacketWithoutItsPixelIsNotUsed) {
  TgaImage image;
  Load(image, Header{0, 0, 10, 0, 0, 0, 2, 1, 32}.Encode() + Bytes{0x81, 1, 2});
  EXPECT_EQ(Row(image.ColorBitmap, 0), (std::vector<uint32_t>{0u, 0u}));
  EXPECT_EQ(Row(image.AlphaBitmap, 0), (std::vector<uint32_t>{0u, 0u}));
}

// ---- sizes, types and truncation ----

TEST(TgaImageTest, ZeroWidthOrHeightGivesEmptyBitmapsAndReadsNothingAfterTheMap) {
  const std::pair<uint16_t, uint16_t> sizes[] = {{0, 5}, {5, 0}, {0, 0}};
  for (const auto& [w, hgt] : sizes) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(hgt));
    TgaImage image;
    Load(image, Header{0, 0, 2, 0, 0, 0, 4, 4, 24}.Encode() + Bytes(48, 1));
    const Bytes file = Header{0, 1, 2, 0, 1, 24, w, hgt, 24}.Encode() + Bytes{1, 2, 3} + Bytes(48, 1);
    EXPECT_EQ(Load(image, file), 18u + 3u);
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_TRUE(image.AlphaBitmap.IsEmpty());
  }
}

TEST(TgaImageTest, UnknownTypeGivesBlackBitmapsAndKeepsKind) {
  TgaImage image;
  Load(image, Header{0, 0, 2, 0, 0, 0, 1, 1, 32}.Encode() + Bytes{1, 2, 3, 4});
  ASSERT_EQ(image.Kind, kTgaTrueColor);
  for (uint8_t type : {4, 8, 12, 255}) {
    SCOPED_TRACE(static_cast<int>(type));
    Load(image, Header{0, 0, type, 0, 0, 0, 3, 2, 24}.Encode() + Bytes(18, 0x55));
    EXPECT_EQ(image.Kind, kTgaTrueColor);
    EXPECT_EQ(image.PixelCode, 3);
    EXPECT_TRUE(image.HasAlpha);
    EXPECT_EQ(image.ColorBitmap.Width(), 3);
    EXPECT_EQ(image.ColorBitmap.Height(), 2);
    EXPECT_EQ(Row(image.ColorBitmap, 0), std::vector<uint32_t>(3, 0u));
  }
}

TEST(TgaImageTest, DepthsThatAreNotDecodedGiveBlackBitmaps) {
  struct Case {
    uint8_t type;
    uint8_t depth;
    uint8_t kind;
  };
  const Case cases[] = {{2, 15, kTgaTrueColor},     {2, 8, kTgaTrueColor},       {1, 16, kTgaColorMapped},
                        {10, 15, kTgaRleTrueColor}, {9, 24, kTgaRleColorMapped}, {0, 24, kTgaNoImage}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + "/" + std::to_string(c.depth));
    TgaImage image;
    Load(image, Header{0, 0, c.type, 0, 0, 0, 2, 2, c.depth}.Encode() + Bytes(16, 0x77));
    EXPECT_EQ(image.Kind, c.kind);
    EXPECT_EQ(image.PixelCode, 0);
    EXPECT_FALSE(image.HasAlpha);
    ASSERT_EQ(image.ColorBitmap.Width(), 2);
    EXPECT_EQ(Row(image.ColorBitmap, 0), std::vector<uint32_t>(2, 0u));
    EXPECT_EQ(Row(image.ColorBitmap, 1), std::vector<uint32_t>(2, 0u));
  }
}

TEST(TgaImageTest, TruncatedUncompressedFileRepeatsItsLastRow) {
  TgaImage image;
  // Four rows of two pixels; the file ends in the middle of file row 1.
  Load(image, Header{0, 0, 2, 0, 0, 0, 2, 4, 24, 0x20}.Encode() + Bytes{1, 1, 1, 2, 2, 2, 3, 3, 3});
  EXPECT_EQ(Row(image.ColorBitmap, 0), (std::vector<uint32_t>{Grey(1), Grey(2)}));
  for (int y = 1; y < 4; ++y) EXPECT_EQ(Row(image.ColorBitmap, y), (std::vector<uint32_t>{Grey(3), Grey(2)}));
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

// ---- mended faults ----

// Without the skip, the pixels would be read from the map's entry 1000 on.
TEST(TgaImageTest, MapLongerThanThePaletteKeepsTheFirstThousandAndSkipsTheRest) {
  TgaImage image;
  Bytes map;
  for (int i = 0; i < 1002; ++i) map = map + Bytes{static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8), 7};
  Load(image, Header{0, 1, 2, 0, 1002, 24, 1, 1, 24}.Encode() + map + Bytes{4, 5, 6});
  EXPECT_EQ(image.Palette[999].blue, 999 & 0xFF);
  EXPECT_EQ(image.Palette[999].green, 999 >> 8);
  EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(4, 5, 6));
}

// Maps of other entry sizes are skipped by their byte length, not read and not decoded.
TEST(TgaImageTest, MapOfAnUndecodedEntrySizeIsSkipped) {
  struct Case {
    uint8_t entrySize;
    size_t bytesPerEntry;
  };
  for (const Case c : {Case{8, 1}, Case{12, 2}, Case{31, 4}, Case{40, 5}, Case{0, 0}}) {
    SCOPED_TRACE(static_cast<int>(c.entrySize));
    TgaImage image;
    const Bytes file = Header{0, 1, 2, 0, 3, c.entrySize, 1, 1, 24}.Encode() +
                       Bytes(3 * c.bytesPerEntry, 0xEE) + Bytes{4, 5, 6};
    Load(image, file);
    EXPECT_EQ(Px(image.ColorBitmap, 0, 0), Bgr(4, 5, 6));
    EXPECT_EQ(image.Palette[0].red, 0);
  }
}

// Below 8 bits a greyscale row has no bytes; such files are refused (black), as are
// other depths that are not 8 or 16.
TEST(TgaImageTest, GreyscaleOfOtherDepthsIsBlack) {
  for (uint8_t type : {3, 11}) {
    for (uint8_t depth : {1, 4, 7, 24, 32}) {
      SCOPED_TRACE(std::to_string(type) + "/" + std::to_string(depth));
      TgaImage image;
      Load(image, Header{0, 0, type, 0, 0, 0, 3, 2, depth}.Encode() + Bytes(32, 0x81));
      EXPECT_EQ(image.Kind, type == 3 ? kTgaGrey : kTgaRleGrey);
      ASSERT_EQ(image.ColorBitmap.Width(), 3);
      EXPECT_EQ(Row(image.ColorBitmap, 0), std::vector<uint32_t>(3, 0u));
      EXPECT_EQ(Row(image.ColorBitmap, 1), std::vector<uint32_t>(3, 0u));
    }
  }
}

// 16-bit greyscale is grey and alpha, not two grey pixels.
TEST(TgaImageTest, SixteenBitGreyIsGreyAndAlpha) {
  TgaImage image;
  Load(image, Header{0, 0, 3, 0, 0, 0, 3, 1, 16}.Encode() + Bytes{10, 0xA0, 20, 0xB0, 30, 0xC0});
  EXPECT_EQ(Row(image.ColorBitmap, 0), (std::vector<uint32_t>{Grey(10), Grey(20), Grey(30)}));
  EXPECT_EQ(Row(image.AlphaBitmap, 0), (std::vector<uint32_t>{Grey(0xA0), Grey(0xB0), Grey(0xC0)}));
  EXPECT_TRUE(image.HasAlpha);
}

TEST(TgaImageTest, SizesTheBitmapsCannotHoldAreRefusedWithBothEmpty) {
  const std::pair<uint16_t, uint16_t> sizes[] = {{65535, 65535}, {16384, 16384}, {65535, 2049}};
  for (const auto& [w, hgt] : sizes) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(hgt));
    TgaImage image;
    Load(image, Header{0, 0, 2, 0, 0, 0, 2, 2, 24}.Encode() + Bytes(12, 1));
    ASSERT_FALSE(image.IsEmpty());
    Load(image, Header{0, 0, 10, 0, 0, 0, w, hgt, 32}.Encode() + Bytes{0xFF, 1, 2, 3, 4});
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_TRUE(image.AlphaBitmap.IsEmpty());
    EXPECT_EQ(image.ColorBitmap.Pixels(), nullptr);
    EXPECT_EQ(image.Width, w);  // the header is still reported
  }
}

// ---- files ----

TEST(TgaImageTest, LoadFileReadsARealFile) {
  const Bytes file = Header{0, 0, 10, 0, 0, 0, 3, 2, 32}.Encode() +
                     Bytes{0x82, 1, 2, 3, 4, 0x00, 5, 6, 7, 8, 0x01, 9, 9, 9, 9, 0, 0, 0, 0};
  const std::string path = TempPath("rle32.tga");
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  }
  TgaImage fromFile;
  fromFile.LoadFile(path);
  std::remove(path.c_str());
  TgaImage fromMemory;
  Load(fromMemory, file);
  ASSERT_EQ(fromFile.ColorBitmap.Width(), 3);
  ASSERT_EQ(fromFile.ColorBitmap.Height(), 2);
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(Row(fromFile.ColorBitmap, y), Row(fromMemory.ColorBitmap, y));
    EXPECT_EQ(Row(fromFile.AlphaBitmap, y), Row(fromMemory.AlphaBitmap, y));
  }
  EXPECT_EQ(Row(fromFile.ColorBitmap, 1), (std::vector<uint32_t>{Bgr(1, 2, 3), Bgr(1, 2, 3), Bgr(1, 2, 3)}));
  EXPECT_EQ(Row(fromFile.ColorBitmap, 0), (std::vector<uint32_t>{Bgr(5, 6, 7), Grey(9), 0u}));
}

TEST(TgaImageTest, MissingFileGivesEmptyBitmapsAndZeroHeader) {
  TgaImage image;
  Load(image, Header{0, 0, 2, 0, 0, 0, 2, 2, 24}.Encode() + Bytes(12, 1));
  image.LoadFile(TempPath("does_not_exist.tga"));
  EXPECT_TRUE(image.IsEmpty());
  EXPECT_TRUE(image.AlphaBitmap.IsEmpty());
  EXPECT_EQ(image.Width, 0);
  EXPECT_EQ(image.PixelDepth, 0);
  EXPECT_EQ(image.Kind, kTgaNoImage);
}

}  // namespace
}  // namespace preview
