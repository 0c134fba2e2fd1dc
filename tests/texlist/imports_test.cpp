// The list-filling commands with a fake window and a made-up file system: which rows
// they add, in which order, with which sizes, and which folder they remember.
#include "texlist/imports.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/fakes.h"

namespace texlist {
namespace {

using testing_support::FakeFolders;
using testing_support::FakeWindow;
using Paths = std::vector<std::string>;

class Imports : public ::testing::Test {
 protected:
  Imports() : fs("C:\\t\\"), list(window) {
    const int sub = fs.Add(), empty = fs.Add();
    fs[0].files = {"b.dds", "a.DDS"};
    fs[0].subfolders = {{"sub", sub, false}, {"empty.dds", empty, false}};
    fs[sub].files = {"c.dds"};
    fs.sizes = {{"C:\\t\\b.dds", 10}, {"C:\\t\\a.DDS", 4294967295u}, {"C:\\t\\sub\\c.dds", 7}};
  }
  Paths Rows() {
    Paths rows;
    for (int i = 0; i < window.rowCount; ++i)
      rows.push_back(list.Texts(i).folder + "|" + list.Texts(i).name + "|" + list.Texts(i).size);
    return rows;
  }

  FakeFolders fs;
  FakeWindow window;
  TextureList list;
  RememberedFolder lastPath{"C:\\old\\"};
  ImportContext context{list, fs, window, window, lastPath};
};

TEST_F(Imports, FolderTreeDepthFirstWithTheListedSizes) {
  window.folderAnswer = "C:\\t";
  fs.grownSince = 1;  // the rows show the sizes the scan listed, not asked again
  ImportFolder(context, window);
  EXPECT_EQ(window.asked, (Paths{"Импорт DDS-файлов из папки (включая подкаталоги):", "C:\\old\\"}));
  EXPECT_EQ(Rows(), (Paths{"C:\\t\\|b.dds|10", "C:\\t\\|a.DDS|4294967295", "C:\\t\\sub\\|c.dds|7"}));
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(std::tuple(lastPath.path, lastPath.chosen), std::tuple("C:\\t", true));
  // Pending repaints are handled before the scan, under the wait cursor, which goes after.
  EXPECT_EQ(window.processed, 1);
  EXPECT_FALSE(window.waitCursor);

  window.folderAnswer = "C:\\t\\empty.dds";  // nothing found: remembered all the same
  ImportFolder(context, window);
  EXPECT_EQ(lastPath.path, "C:\\t\\empty.dds");
  window.folderAnswer.clear();  // cancelled: no message, nothing remembered
  ImportFolder(context, window);
  EXPECT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(lastPath.path, "C:\\t\\empty.dds");
}

// Drops in drop order, folders scanned, other files skipped.
TEST_F(Imports, DropsThenSelectionClearingAndChosenFiles) {
  HandleDroppedFiles(
      context, {"C:\\t\\sub\\c.dds", "C:\\t\\notes.txt", "C:\\t", "C:\\missing.dds", "C:\\t\\empty.dds"}, 0);
  window.filesAnswer = {"C:\\u\\notes.txt"};  // one file chosen, not DDS: nothing added
  ImportFiles(context, window);
  EXPECT_EQ(Rows(), (Paths{"C:\\t\\sub\\|c.dds|7", "C:\\t\\|b.dds|10", "C:\\t\\|a.DDS|4294967295",
                           "C:\\t\\sub\\|c.dds|7", "C:\\|missing.dds|0"}));
  EXPECT_EQ(std::tuple(lastPath.path, lastPath.chosen), std::tuple("C:\\old\\", false));  // neither remembers
  EXPECT_TRUE(window.messages.empty() && !window.waitCursor);
  // Selected rows: those beyond the list are left out; one out of order ends the walk, as it
  // would in the list. Clearing empties the rows and the entries.
  window.selected = {2, 5};
  EXPECT_EQ(list.SelectedRows(), (std::vector<int>{2}));
  window.selected = {1, 0, 2};
  EXPECT_EQ(list.SelectedRows(), (std::vector<int>{1}));
  list.Clear();
  EXPECT_EQ(std::tuple(window.rowCount, list.TextureCount()), std::tuple(0, 0));
  // Files chosen in the open dialog: a size that cannot be read shows 0; 4 GiB - 1 stays unsigned.
  window.filesAnswer = {"C:\\t", "b.dds", "a.DDS", "notes.txt", "gone.dds"};
  ImportFiles(context, window);
  EXPECT_EQ(window.asked, (Paths{"Выберите файл(ы) для импорта в список", "C:\\old\\"}));
  EXPECT_EQ(Rows(), (Paths{"C:\\t\\|b.dds|10", "C:\\t\\|a.DDS|4294967295", "C:\\t\\|gone.dds|0"}));
  EXPECT_EQ(std::tuple(lastPath.path, lastPath.chosen), std::tuple("C:\\t\\", true));
}

// Files and folders no ANSI name stands for: one message at the end of each import, after
// the message that nothing was found.
TEST_F(Imports, LeftOutItemsAreCountedOnceAtTheEnd) {
  const auto leftOut = [](int n) {
    return "Пропущено файлов и папок: " + std::to_string(n) +
           ".\nИх имена содержат символы, которых нет в кодировке системы, а коротких имён (8.3) у них нет.";
  };
  fs[0].leftOut = 1, fs[1].leftOut = 2, fs[2].leftOut = 4;
  window.filesAnswer = {"C:\\t\\b.dds"}, window.filesLeftOut = 5;
  for (const char* folder : {"C:\\t", "C:\\t\\empty.dds"})
    window.folderAnswer = folder, ImportFolder(context, window);
  HandleDroppedFiles(context, {"C:\\t\\sub", "C:\\t\\sub\\c.dds"}, 3);
  ImportFiles(context, window);
  EXPECT_EQ(list.TextureCount(), 6);
  EXPECT_EQ(window.messages,
            (Paths{leftOut(7), "Не найдено ни одного файла DDS!", leftOut(4), leftOut(5), leftOut(5)}));
}

}  // namespace
}  // namespace texlist
