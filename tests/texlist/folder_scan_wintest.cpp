// The folder scan on real folders seen through Wine: order, matching, hidden folders,
// folders named like files, drive roots and Linux-side link loops.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "support/app_harness_win.h"
#include "support/import_support_win.h"
#include "texlist/folder_scan.h"
#include "toolkit/file_system.h"

using namespace testing_support;

namespace {

void MakeDir(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path; }
void Touch(const std::string& path) { WriteFileBytes(path, "DDS "); }

toolkit::StringList Scan(const std::string& folder) {
  toolkit::StringList list;
  texlist::ScanFolderTree(folder, "*.dds", list);
  return list;
}

// The files of one folder as the platform's search returns them.
std::vector<std::string> SearchOrder(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  for (const auto& e : toolkit::ListDirectory(folder, pattern, toolkit::kAttrNormal)) {
    if (!(e.attributes & toolkit::kAttrDirectory)) names.push_back(folder + e.name);
  }
  return names;
}

TEST(FolderScan, OwnFilesThenSubfoldersInEnumerationOrderAnyLetterCase) {
  TempFolder t;
  Touch(t.File("b.dds"));
  Touch(t.File("c.DDS"));
  Touch(t.File("d.Dds"));
  Touch(t.File("notes.txt"));
  Touch(t.File("e.dds.bak"));
  MakeDir(t.File("sub"));
  Touch(t.File("sub\\a.dds"));
  MakeDir(t.File("B"));
  MakeDir(t.File("A"));
  Touch(t.File("A\\x.dds"));
  Touch(t.File("B\\y.dds"));

  std::vector<std::string> expected = SearchOrder(t.Path(), "*.dds");
  ASSERT_EQ(expected.size(), 3u);  // b, c and d only
  // Subfolders in the platform's order, not sorted by us.
  for (const auto& e : toolkit::ListDirectory(t.Path(), "*.*", toolkit::kAttrDirectory)) {
    const std::string sub = t.File(e.name) + "\\";
    for (const std::string& f : SearchOrder(sub, "*.dds")) expected.push_back(f);
  }
  ASSERT_EQ(expected.size(), 6u);
  EXPECT_EQ(Scan(t.Path()), expected);
  // Without the final backslash the paths are the same.
  const std::string noSlash = t.Path().substr(0, t.Path().size() - 1);
  EXPECT_EQ(Scan(noSlash), expected);
  // b.dds comes before sub\a.dds although a sorts first.
  EXPECT_EQ(expected.front(), t.File("b.dds"));
}

TEST(FolderScan, HiddenFoldersAndFoldersNamedLikeDdsFiles) {
  TempFolder t;
  MakeDir(t.File("secret"));
  ASSERT_TRUE(SetFileAttributesA(t.File("secret").c_str(), FILE_ATTRIBUTE_HIDDEN));
  Touch(t.File("secret\\x.DDS"));
  MakeDir(t.File(".dotted"));  // hidden the way Wine hides Linux dot-folders
  Touch(t.File(".dotted\\y.dds"));
  MakeDir(t.File("maps.dds"));
  Touch(t.File("maps.dds\\inner.dds"));
  toolkit::StringList found = Scan(t.Path());
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (toolkit::StringList{t.File(".dotted\\y.dds"), t.File("maps.dds\\inner.dds"),
                                        t.File("secret\\x.DDS")}));
}

TEST(FolderScan, LinkLoopsThroughLinuxSymlinksEnd) {
  // t\sub\up -> t and t\self -> t: without a guard the walk goes round until the path
  // is too long for the platform, listing the same files again and again.
  TempFolder t;
  Touch(t.File("r.dds"));
  MakeDir(t.File("sub"));
  Touch(t.File("sub\\s.dds"));
  ASSERT_TRUE(MakeUnixSymlink(t.File("sub\\up"), ".."));
  ASSERT_TRUE(MakeUnixSymlink(t.File("self"), "."));
  ASSERT_TRUE(toolkit::DirectoryExists(t.File("sub\\up")));  // Wine shows the link as a folder
  ASSERT_TRUE(toolkit::FileExists(t.File("sub\\up\\sub\\up\\r.dds")));
  toolkit::StringList found = Scan(t.Path());
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (toolkit::StringList{t.File("r.dds"), t.File("sub\\s.dds")}));
}

TEST(FolderScan, LinkToAFolderElsewhereIsWalkedAndASecondLinkIsNot) {
  TempFolder t, outside;
  Touch(outside.File("o.dds"));
  Touch(t.File("r.dds"));
  ASSERT_TRUE(MakeUnixSymlink(t.File("away"), UnixPathOf(outside.Path())));
  ASSERT_TRUE(MakeUnixSymlink(t.File("again"), UnixPathOf(outside.Path())));
  toolkit::StringList found = Scan(t.Path());
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0], t.File("r.dds"));
  // Whichever link the platform lists first leads to the folder's one listing.
  EXPECT_TRUE(found[1] == t.File("away\\o.dds") || found[1] == t.File("again\\o.dds")) << found[1];
}

TEST(FolderScan, DriveRootGivesOneBackslash) {
  TempFolder t;
  Touch(t.File("x.dds"));
  MakeDir(t.File("sub"));
  Touch(t.File("sub\\y.dds"));
  TempDrive drive(t.Path());
  ASSERT_TRUE(drive.Ok());
  EXPECT_EQ(Scan(drive.Root()), (toolkit::StringList{drive.Root() + "x.dds", drive.Root() + "sub\\y.dds"}));
}

TEST(FolderScan, FolderFilesReportWhetherTheSearchFoundAnything) {
  TempFolder t;
  MakeDir(t.File("empty"));
  MakeDir(t.File("full"));
  Touch(t.File("full\\a.dds"));
  MakeDir(t.File("full\\inner.dds"));
  toolkit::StringList list;
  EXPECT_FALSE(texlist::ScanFolderFiles(t.File("empty"), "*.dds", list));
  EXPECT_FALSE(texlist::ScanFolderFiles(t.File("missing"), "*.dds", list));
  // An empty pattern means every entry: "." and ".." are found but not added.
  EXPECT_TRUE(texlist::ScanFolderFiles(t.File("empty"), "", list));
  EXPECT_TRUE(list.empty());
  // A matching folder is found by the search but not added.
  EXPECT_TRUE(texlist::ScanFolderFiles(t.File("full"), "*.dds", list));
  EXPECT_EQ(list, (toolkit::StringList{t.File("full\\a.dds")}));
  // Unreadable or vanished folders give nothing, without a message.
  EXPECT_TRUE(Scan(t.File("missing")).empty());
}

}  // namespace
