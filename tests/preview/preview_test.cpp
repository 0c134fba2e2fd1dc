// The selection handler with a fake window and converter: when a row is converted, what
// the status bar says, and that the converter's output is used once and discarded once the
// picture is on screen, or before anything else is converted.
#include "preview/preview.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "support/fakes.h"

namespace preview {
namespace {

using testing_support::FakeConverter;
using testing_support::FakeWindow;
using Status = std::map<int, std::string>;

constexpr unsigned kFocused = 0x1, kSelected = 0x2;

class PreviewTest : public ::testing::Test {
 protected:
  PreviewTest() : list(window), preview(PreviewContext{window, window, window, converter, window}) {
    list.Add({{"C:\\t\\a.dds", 1}, {"C:\\t\\b.dds", 2}, {"C:\\t\\c.dds", 3}});
    std::ofstream(tga, std::ios::binary)  // 3 x 2, 24-bit true colour
        << std::string{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 2, 0, 24, 0} + std::string(18, '\x40');
    converter.outputs["C:\\t\\b.dds"] = tga;
  }
  ~PreviewTest() override { std::remove(tga.c_str()); }

  FakeWindow window;
  FakeConverter converter;
  texlist::TextureList list;
  Preview preview;
  // One file per test: ctest runs the tests of this fixture side by side in one folder.
  const std::string tga = std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".tga";
};

TEST_F(PreviewTest, OnlyAChangeToFocusedAndSelectedShowsTheFirstSelectedRowOrAnEmptyPicture) {
  preview.HandleItemStateChange(list, kFocused | kSelected);  // no row selected
  window.selected = {1, 2};
  bool waitWhileConverting = false;
  converter.onRun = [&] { waitWhileConverting = window.waitCursor; };
  for (unsigned state : {0u, kFocused, kSelected, kFocused | kSelected | 0x4u})
    preview.HandleItemStateChange(list, state);
  EXPECT_TRUE(converter.runs.empty());
  EXPECT_EQ(preview.Shown(), nullptr);
  preview.HandleItemStateChange(list, kFocused | kSelected);
  EXPECT_EQ(converter.runs, (std::vector<std::string>{"C:\\t\\b.dds"}));
  EXPECT_EQ(converter.staleDeleted, 1);
  EXPECT_EQ(window.status, (Status{{0, "3 x 2 x 24 BPP"}, {1, "2 / 3"}, {2, "C:\\t\\b.dds"}}));
  EXPECT_TRUE(converter.discarded.empty());  // not before the paint
  window.RunIdleWork();
  EXPECT_EQ(converter.discarded, (std::vector<std::string>{tga}));
  EXPECT_EQ(window.invalidated, 1);
  ASSERT_NE(preview.Shown(), nullptr);
  EXPECT_EQ(preview.Shown()->colorBitmap.Width(), 3);
  EXPECT_TRUE(waitWhileConverting && !window.waitCursor);
  window.selected = {0};  // the converter writes nothing for a.dds: an empty picture
  preview.HandleItemStateChange(list, kFocused | kSelected);
  EXPECT_EQ(window.status, (Status{{0, "0 x 0 x 0 BPP"}, {1, "1 / 3"}, {2, "C:\\t\\a.dds"}}));
  EXPECT_EQ(converter.discarded.size(), 1u);
  EXPECT_TRUE(preview.Shown()->colorBitmap.IsEmpty());
  for (int row : {1, 1}) {  // no paint between: each output goes before the next conversion
    window.selected = {row};
    preview.HandleItemStateChange(list, kFocused | kSelected);
  }
  EXPECT_EQ(converter.discarded.size(), 2u);
  preview.Clear();  // forgets it
  EXPECT_EQ(converter.discarded.size(), 3u);
  EXPECT_EQ(preview.Shown(), nullptr);
  EXPECT_EQ(window.status, (Status{{0, ""}, {1, ""}, {2, ""}}));
}

TEST_F(PreviewTest, APictureTooLargeToHoldShowsItsTrueSizeAndIsToldOnce) {
  const std::string huge = "preview_test_huge.tga";  // the header alone: 32768 x 32768 x 24
  std::ofstream(huge, std::ios::binary)
      << std::string{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, '\x80', 0, '\x80', 24, 0};
  converter.outputs["C:\\t\\c.dds"] = huge;
  window.selected = {2};
  preview.HandleItemStateChange(list, kFocused | kSelected);
  std::remove(huge.c_str());
  EXPECT_EQ(window.status[0], "32768 x 32768 x 24 BPP");
  EXPECT_EQ(window.messages, std::vector<std::string>{"Текстура слишком велика для предпросмотра."});
  EXPECT_TRUE(preview.Shown()->colorBitmap.IsEmpty());
}

}  // namespace
}  // namespace preview
