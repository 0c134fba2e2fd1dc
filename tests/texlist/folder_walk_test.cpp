// Order and cycle guard of the folder walk over a made-up tree.
#include "texlist/folder_walk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fakes.h"

namespace {

using testing_support::FakeFolders;
using testing_support::PathsOf;

std::vector<std::string> Walk(FakeFolders& fs, const std::string& folder) {
  std::vector<texlist::TextureEntry> list;
  texlist::WalkFolderTree(fs, folder, "*.dds", list);
  return PathsOf(list);
}

TEST(FolderWalk, OwnFilesFirstThenSubfoldersInListingOrderDepthFirst) {
  FakeFolders fs("C:\\t\\");
  const int b = fs.Add(), a = fs.Add(), deep = fs.Add();
  fs[0].files = {"b.dds"};
  fs[0].subfolders = {{"B", b, false}, {"A", a, false}};  // as the platform lists them: unsorted
  fs[b].files = {"y.dds", "x.DDS"};
  fs[b].subfolders = {{"deep", deep, false}};
  fs[deep].files = {"d.dds"};
  fs[a].files = {"a.dds"};
  const std::vector<std::string> expected = {"C:\\t\\b.dds", "C:\\t\\B\\y.dds", "C:\\t\\B\\x.DDS",
                                             "C:\\t\\B\\deep\\d.dds", "C:\\t\\A\\a.dds"};
  // With or without the final backslash.
  EXPECT_EQ(Walk(fs, "C:\\t"), expected);
  EXPECT_EQ(Walk(fs, "C:\\t\\"), expected);
  // Each folder read once per walk; without links no identity is asked for.
  EXPECT_EQ(fs.reads, 8);
  EXPECT_EQ(fs.identities, 0);
}

TEST(FolderWalk, DriveRootGivesOneBackslash) {
  FakeFolders fs("C:\\");
  const int sub = fs.Add();
  fs[0].files = {"x.dds"};
  fs[0].subfolders = {{"sub", sub, false}};
  fs[sub].files = {"y.dds"};
  EXPECT_EQ(Walk(fs, "C:\\"), (std::vector<std::string>{"C:\\x.dds", "C:\\sub\\y.dds"}));
}

TEST(FolderWalk, LinksBackToAncestorsAreNotFollowed) {
  // t\self -> t, t\sub\up -> t, t\sub\deep\back -> t\sub.
  FakeFolders fs("C:\\t\\");
  const int sub = fs.Add(), deep = fs.Add();
  fs[0].files = {"r.dds"};
  fs[0].subfolders = {{"self", 0, true}, {"sub", sub, false}};
  fs[sub].files = {"s.dds"};
  fs[sub].subfolders = {{"up", 0, true}, {"deep", deep, false}};
  fs[deep].subfolders = {{"back", sub, true}};
  EXPECT_EQ(Walk(fs, "C:\\t"), (std::vector<std::string>{"C:\\t\\r.dds", "C:\\t\\sub\\s.dds"}));
  EXPECT_EQ(fs.reads, 3);  // t, sub and deep, each once
}

TEST(FolderWalk, LinksLeadingToEachOtherEndAfterOneRound) {
  // Two folders outside the tree whose links lead to each other, reached from the tree.
  FakeFolders fs("C:\\t\\");
  const int x = fs.Add(), y = fs.Add();
  fs[0].subfolders = {{"toX", x, true}};
  fs[x].files = {"x.dds"};
  fs[x].subfolders = {{"toY", y, true}};
  fs[y].files = {"y.dds"};
  fs[y].subfolders = {{"toX", x, true}};
  EXPECT_EQ(Walk(fs, "C:\\t"), (std::vector<std::string>{"C:\\t\\toX\\x.dds", "C:\\t\\toX\\toY\\y.dds"}));
}

TEST(FolderWalk, SecondLinkToTheSameFolderIsNotFollowed) {
  FakeFolders fs("C:\\t\\");
  const int shared = fs.Add(), other = fs.Add();
  fs[0].subfolders = {{"one", shared, true}, {"other", other, false}};
  fs[other].subfolders = {{"two", shared, true}};
  fs[shared].files = {"s.dds"};
  EXPECT_EQ(Walk(fs, "C:\\t"), (std::vector<std::string>{"C:\\t\\one\\s.dds"}));
}

TEST(FolderWalk, LinkToAFolderAlsoReachedByItsOwnPathIsWalkedBothWays) {
  FakeFolders fs("C:\\t\\");
  const int real = fs.Add();
  fs[0].subfolders = {{"real", real, false}, {"alias", real, true}};
  fs[real].files = {"r.dds"};
  EXPECT_EQ(Walk(fs, "C:\\t"), (std::vector<std::string>{"C:\\t\\real\\r.dds", "C:\\t\\alias\\r.dds"}));
}

TEST(FolderWalk, LinksWithoutIdentityAreFollowed) {
  FakeFolders fs("C:\\t\\");
  const int hidden = fs.Add(), other = fs.Add();
  fs[hidden].identityReadable = false;
  fs[hidden].files = {"h.dds"};
  fs[0].subfolders = {{"a", hidden, true}, {"b", other, false}};
  fs[other].subfolders = {{"c", hidden, true}};
  EXPECT_EQ(Walk(fs, "C:\\t"), (std::vector<std::string>{"C:\\t\\a\\h.dds", "C:\\t\\b\\c\\h.dds"}));
}

TEST(FolderWalk, EmptyOrMissingFolderAddsNothing) {
  FakeFolders fs("C:\\t\\");
  fs[0].files = {"r.dds"};
  EXPECT_TRUE(Walk(fs, "").empty());
  EXPECT_EQ(fs.reads, 0);
  EXPECT_TRUE(Walk(fs, "C:\\gone").empty());
}

}  // namespace
