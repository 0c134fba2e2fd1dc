// Order and cycle guard of the folder walk over a made-up tree.
#include "texlist/folder_walk.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// A tree of folders; a subfolder entry may lead to any folder (a link), ancestors
// included. Paths are resolved from the root name component by component.
class FakeFolders : public texlist::FolderSource {
 public:
  struct Folder {
    std::vector<std::pair<std::string, int>> subfolders;  // name, folder index
    std::vector<std::string> files;                       // names that match the pattern
    bool identityReadable = true;
  };

  FakeFolders(const std::string& root) : root_(root) { folders_.emplace_back(); }
  int Add() {
    folders_.emplace_back();
    return static_cast<int>(folders_.size()) - 1;
  }
  Folder& operator[](int i) { return folders_[static_cast<size_t>(i)]; }

  std::vector<std::string> Subfolders(const std::string& folder) override {
    std::vector<std::string> names;
    const int f = Resolve(folder);
    if (f >= 0) {
      for (const auto& s : folders_[static_cast<size_t>(f)].subfolders) names.push_back(s.first);
    }
    ++listings;
    return names;
  }
  void AppendMatchingFiles(const std::string& folder, const std::string& pattern,
                           std::vector<std::string>& list) override {
    patterns.push_back(pattern);
    const int f = Resolve(folder);
    if (f < 0) return;
    for (const std::string& name : folders_[static_cast<size_t>(f)].files) list.push_back(folder + name);
  }
  bool Identity(const std::string& folder, uint32_t& volume, uint64_t& index) override {
    const int f = Resolve(folder);
    if (f < 0 || !folders_[static_cast<size_t>(f)].identityReadable) return false;
    volume = 7;
    index = static_cast<uint64_t>(f);
    return true;
  }

  int listings = 0;
  std::vector<std::string> patterns;

 private:
  int Resolve(const std::string& path) const {
    if (path.compare(0, root_.size(), root_) != 0) return -1;
    int f = 0;
    size_t pos = root_.size();
    while (pos < path.size()) {
      size_t end = path.find('\\', pos);
      if (end == std::string::npos) end = path.size();
      const std::string name = path.substr(pos, end - pos);
      int next = -1;
      for (const auto& s : folders_[static_cast<size_t>(f)].subfolders) {
        if (s.first == name) next = s.second;
      }
      if (next < 0) return -1;
      f = next;
      pos = end + 1;
    }
    return f;
  }
  std::string root_;
  std::vector<Folder> folders_;
};

std::vector<std::string> Walk(FakeFolders& fs, const std::string& folder) {
  std::vector<std::string> list;
  texlist::WalkFolderTree(fs, folder, "*.dds", list);
  return list;
}

TEST(FolderWalk, OwnFilesFirstThenSubfoldersInListingOrderDepthFirst) {
  FakeFolders fs("C:\\t\\");
  const int b = fs.Add(), a = fs.Add(), deep = fs.Add();
  fs[0].files = {"b.dds"};
  fs[0].subfolders = {{"B", b}, {"A", a}};  // listed as the platform enumerates: unsorted
  fs[b].files = {"y.dds", "x.DDS"};
  fs[b].subfolders = {{"deep", deep}};
  fs[deep].files = {"d.dds"};
  fs[a].files = {"a.dds"};
  const std::vector<std::string> expected = {"C:\\t\\b.dds", "C:\\t\\B\\y.dds", "C:\\t\\B\\x.DDS",
                                             "C:\\t\\B\\deep\\d.dds", "C:\\t\\A\\a.dds"};
  // With or without the final backslash.
  EXPECT_EQ(Walk(fs, "C:\\t"), expected);
  EXPECT_EQ(Walk(fs, "C:\\t\\"), expected);
  for (const std::string& p : fs.patterns) EXPECT_EQ(p, "*.dds");
}

TEST(FolderWalk, DriveRootGivesOneBackslash) {
  FakeFolders fs("C:\\");
  const int sub = fs.Add();
  fs[0].files = {"x.dds"};
  fs[0].subfolders = {{"sub", sub}};
  fs[sub].files = {"y.dds"};
  EXPECT_EQ(Walk(fs, "C:\\"), (std::vector<std::string>{"C:\\x.dds", "C:\\sub\\y.dds"}));
}

TEST(FolderWalk, LinkBackToAnAncestorEndsTheWalk) {
  // t\sub\up leads back to t; t\self leads to t itself.
  FakeFolders fs("C:\\t\\");
  const int sub = fs.Add();
  fs[0].files = {"r.dds"};
  fs[0].subfolders = {{"self", 0}, {"sub", sub}};
  fs[sub].files = {"s.dds"};
  fs[sub].subfolders = {{"up", 0}};
  EXPECT_EQ(Walk(fs, "C:\\t"), (std::vector<std::string>{"C:\\t\\r.dds", "C:\\t\\sub\\s.dds"}));
  EXPECT_EQ(fs.listings, 2);  // t and sub, each once
}

TEST(FolderWalk, SecondLinkToTheSameFolderIsNotListedAgain) {
  FakeFolders fs("C:\\t\\");
  const int shared = fs.Add(), other = fs.Add();
  fs[0].subfolders = {{"one", shared}, {"other", other}};
  fs[other].subfolders = {{"two", shared}};
  fs[shared].files = {"s.dds"};
  EXPECT_EQ(Walk(fs, "C:\\t"), (std::vector<std::string>{"C:\\t\\one\\s.dds"}));
}

TEST(FolderWalk, FoldersWithoutIdentityAreStillWalkedEveryTime) {
  // Two paths to one folder whose identity cannot be read: both are walked (only the
  // platform's path limit would end a cycle among such folders).
  FakeFolders fs("C:\\t\\");
  const int hidden = fs.Add(), other = fs.Add();
  fs[hidden].identityReadable = false;
  fs[hidden].files = {"h.dds"};
  fs[0].subfolders = {{"a", hidden}, {"b", other}};
  fs[other].subfolders = {{"c", hidden}};
  EXPECT_EQ(Walk(fs, "C:\\t"), (std::vector<std::string>{"C:\\t\\a\\h.dds", "C:\\t\\b\\c\\h.dds"}));
}

TEST(FolderWalk, EmptyOrMissingFolderAddsNothing) {
  FakeFolders fs("C:\\t\\");
  fs[0].files = {"r.dds"};
  EXPECT_TRUE(Walk(fs, "").empty());
  EXPECT_EQ(fs.listings, 0);
  EXPECT_TRUE(Walk(fs, "C:\\gone").empty());
}

TEST(FolderWalk, AppendsAfterWhatTheListHeld) {
  FakeFolders fs("C:\\t\\");
  fs[0].files = {"r.dds"};
  std::vector<std::string> list = {"first"};
  texlist::WalkFolderTree(fs, "C:\\t", "*.dds", list);
  EXPECT_EQ(list, (std::vector<std::string>{"first", "C:\\t\\r.dds"}));
}

}  // namespace
