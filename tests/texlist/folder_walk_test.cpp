// Order and cycle guard of the folder walk over a made-up tree.
#include "texlist/folder_walk.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace {

using testing_support::FakeFolders;
using Paths = std::vector<std::string>;

Paths Walk(FakeFolders& fs, const std::string& folder) {
  std::vector<texlist::TextureEntry> list;
  texlist::WalkFolderTree(fs, folder, "*.dds", list);
  Paths paths;
  for (const texlist::TextureEntry& entry : list) paths.push_back(entry.fullPath);
  return paths;
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
  const Paths expected = {"C:\\t\\b.dds", "C:\\t\\B\\y.dds", "C:\\t\\B\\x.DDS", "C:\\t\\B\\deep\\d.dds",
                          "C:\\t\\A\\a.dds"};
  for (const char* root : {"C:\\t", "C:\\t\\"})
    EXPECT_EQ(Walk(fs, root), expected) << root;  // with or without the final backslash
  // Each folder read once per walk; without links no identity is asked for.
  EXPECT_EQ(std::pair(fs.reads, fs.identities), std::pair(8, 0));
  // An empty or missing folder adds nothing.
  EXPECT_TRUE(Walk(fs, "").empty());
  EXPECT_EQ(fs.reads, 8);
  EXPECT_TRUE(Walk(fs, "C:\\gone").empty());
}

// Not followed: links back to an ancestor (self, up, back), a second link to a folder an
// earlier link led to (two), links leading to each other after one round (toY\toX). A link
// to a folder also reached by its own path (alias), and links without identity (a, c), are.
TEST(FolderWalk, LinksEndEveryCycle) {
  FakeFolders fs("C:\\t\\");
  const int sub = fs.Add(), deep = fs.Add(), shared = fs.Add(), other = fs.Add(), real = fs.Add(),
            x = fs.Add(), y = fs.Add(), hidden = fs.Add();
  fs[0].files = {"r.dds"};
  fs[0].subfolders = {{"self", 0, true},       {"sub", sub, false},   {"one", shared, true},
                      {"other", other, false}, {"real", real, false}, {"alias", real, true},
                      {"toX", x, true},        {"a", hidden, true}};
  fs[sub].files = {"s.dds"};
  fs[sub].subfolders = {{"up", 0, true}, {"deep", deep, false}};
  fs[deep].subfolders = {{"back", sub, true}};
  fs[shared].files = {"s.dds"};
  fs[other].subfolders = {{"two", shared, true}, {"c", hidden, true}};
  fs[real].files = {"r.dds"};
  fs[x].files = {"x.dds"};
  fs[x].subfolders = {{"toY", y, true}};
  fs[y].files = {"y.dds"};
  fs[y].subfolders = {{"toX", x, true}};
  fs[hidden].identityReadable = false;
  fs[hidden].files = {"h.dds"};
  EXPECT_EQ(Walk(fs, "C:\\t"), (Paths{"C:\\t\\r.dds", "C:\\t\\sub\\s.dds", "C:\\t\\one\\s.dds",
                                      "C:\\t\\other\\c\\h.dds", "C:\\t\\real\\r.dds", "C:\\t\\alias\\r.dds",
                                      "C:\\t\\toX\\x.dds", "C:\\t\\toX\\toY\\y.dds", "C:\\t\\a\\h.dds"}));
  EXPECT_EQ(fs.reads, 11);  // every folder walked once, real and hidden twice
}

}  // namespace
