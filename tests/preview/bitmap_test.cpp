#include "preview/bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace preview {
namespace {

TEST(BitmapTest, RowSizeAndHeaderPerFormat) {
  struct Case {
    BitmapFormat format;
    int32_t width;
    uint32_t rowSize;
    uint16_t bitCount;
    uint32_t compression;
  };
  const Case cases[] = {
      {Format32, 3, 12, 32, kBiRgb},      {Format24, 3, 12, 24, kBiRgb}, {Format8, 5, 8, 8, kBiRgb},
      {Format1, 33, 8, 1, kBiRgb},        {Format4, 3, 4, 4, kBiRgb},    {Format15, 3, 8, 16, kBiRgb},
      {Format16, 3, 8, 16, kBiBitfields},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.format));
    Bitmap b;
    ASSERT_TRUE(b.MakeBitmap(c.width, 2));
    EXPECT_EQ(b.Format(), FormatDevice);
    ASSERT_TRUE(b.SetFormat(c.format));
    EXPECT_EQ(b.Format(), c.format);
    EXPECT_EQ(b.RowSize(), c.rowSize);
    EXPECT_EQ(b.PixelBytes(), 2u * c.rowSize);
    const BitmapInfoHeader& h = b.Header()->header;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, c.width);
    EXPECT_EQ(h.biHeight, 2);  // positive: bottom-up
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, c.bitCount);
    EXPECT_EQ(h.biCompression, c.compression);
    EXPECT_EQ(h.biSizeImage, 0u);
    EXPECT_EQ(h.biClrUsed, 0u);
    if (c.format == Format16) {  // the 5-6-5 masks follow the header
      EXPECT_EQ(b.Header()->colors[0], 0xF800u);
      EXPECT_EQ(b.Header()->colors[1], 0x07E0u);
      EXPECT_EQ(b.Header()->colors[2], 0x001Fu);
    }
  }
}

TEST(BitmapTest, RowsAreStoredBottomUpAndStartBlack) {
  Bitmap b;
  ASSERT_TRUE(b.MakeBitmap(3, 4));
  ASSERT_TRUE(b.SetFormat(Format32));
  EXPECT_EQ(b.RowPointer(0), b.Pixels() + 3 * 12);
  EXPECT_EQ(b.RowPointer(3), b.Pixels());
  const std::vector<uint8_t> black(b.PixelBytes(), 0);
  EXPECT_EQ(std::memcmp(b.Pixels(), black.data(), black.size()), 0);
}

TEST(BitmapTest, ZeroSizeIsEmptyAndStaysEmpty) {
  for (const auto& [w, h] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{0, 0}}) {
    Bitmap b;
    EXPECT_TRUE(b.MakeBitmap(w, h));
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_TRUE(b.SetFormat(Format32));
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(b.Pixels(), nullptr);
    EXPECT_EQ(b.RowPointer(0), nullptr);
    EXPECT_EQ(b.Format(), FormatDevice);
  }
}

TEST(BitmapTest, SameFormatKeepsThePixelsAnotherStartsBlack) {
  Bitmap b;
  ASSERT_TRUE(b.MakeBitmap(2, 2));
  ASSERT_TRUE(b.SetFormat(Format32));
  b.RowPointer(1)[5] = 0xAB;
  ASSERT_TRUE(b.SetFormat(Format32));
  EXPECT_EQ(b.RowPointer(1)[5], 0xAB);
  ASSERT_TRUE(b.SetFormat(Format24));
  EXPECT_EQ(b.RowPointer(1)[5], 0);
  EXPECT_EQ(b.Width(), 2);
  ASSERT_TRUE(b.SetFormat(FormatDevice));  // back to size only
  EXPECT_EQ(b.Pixels(), nullptr);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_FALSE(b.SetFormat(FormatCustom));
}

struct Probe : BitmapAttachment {
  explicit Probe(int* drops) : drops_(drops) {}
  ~Probe() override { ++*drops_; }
  int* drops_;
};

TEST(BitmapTest, AttachmentIsDroppedWhenTheStorageChanges) {
  int drops = 0;
  Bitmap b;
  ASSERT_TRUE(b.MakeBitmap(2, 2));
  ASSERT_TRUE(b.SetFormat(Format32));
  b.Attachment() = std::make_unique<Probe>(&drops);
  b.SetFormat(Format32);
  EXPECT_EQ(drops, 0);
  b.SetFormat(Format8);
  EXPECT_EQ(drops, 1);
  b.Attachment() = std::make_unique<Probe>(&drops);
  b.Reset();
  EXPECT_EQ(drops, 2);
  b.Attachment() = std::make_unique<Probe>(&drops);
  b.MakeBitmap(1, 1);
  EXPECT_EQ(drops, 3);
}

// The GDI side moves the pixels into its DIB section; rows then address that memory.
TEST(BitmapTest, PixelsMovedIntoAttachmentMemoryKeepTheirContent) {
  struct Section : BitmapAttachment {
    std::vector<uint8_t> memory;
  };
  Bitmap b;
  ASSERT_TRUE(b.MakeBitmap(2, 3));
  ASSERT_TRUE(b.SetFormat(Format32));
  b.RowPointer(2)[0] = 0x11;
  auto section = std::make_unique<Section>();
  section->memory.resize(b.PixelBytes());
  uint8_t* memory = section->memory.data();
  b.Attachment() = std::move(section);
  b.MovePixelsInto(memory);
  EXPECT_EQ(b.Pixels(), memory);
  EXPECT_EQ(b.RowPointer(2), memory);
  EXPECT_EQ(memory[0], 0x11);
  EXPECT_EQ(b.Format(), Format32);
  b.Reset();
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Pixels(), nullptr);
  EXPECT_EQ(b.Header(), nullptr);
}

TEST(BitmapTest, SizesBeyondTheCapOrNegativeAreRefused) {
  const std::pair<int32_t, int32_t> sizes[] = {
      {65535, 65535}, {0x7FFFFFFF, 0x7FFFFFFF}, {0x7FFFFFFF, 1}, {16384, 8193}, {-1, 5}, {5, -1}};
  for (const auto& [w, h] : sizes) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    Bitmap b;
    ASSERT_TRUE(b.MakeBitmap(2, 2));
    EXPECT_FALSE(b.MakeBitmap(w, h));
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(b.Width(), 0);
    EXPECT_TRUE(b.SetFormat(Format32));
    EXPECT_EQ(b.Pixels(), nullptr);
  }
}

}  // namespace
}  // namespace preview
