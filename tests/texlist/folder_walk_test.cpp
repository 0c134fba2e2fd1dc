// Order and cycle guard of the folder walk over a made-up tree.
#include "texlist/folder_walk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A tree of folders; a subfolder entry may be a link to any folder, ancestors included.
// Paths are resolved from the root component by component.
class FakeFolders : public texlist::FolderSource {
 public:
  struct Entry {
    std::string name;
    int folder;
    bool link;
  };
  struct Folder {
    std::vector<Entry> subfolders;
    std::vector<std::string> files;  // names that match the pattern
    bool identityReadable = true;
  };

  explicit FakeFolders(const std::string& root) : root_(root) { folders_.emplace_back(); }
  int Add() {
    folders_.emplace_back();
    return static_cast<int>(folders_.size()) - 1;
  }
  Folder& operator[](int i) { return folders_[static_cast<size_t>(i)]; }

  void Read(const std::string& folder, const std::string& pattern, std::vector<Subfolder>& subfolders,
            std::vector<std::string>& files) override {
    ++reads;
    patterns.push_back(pattern);
    const int f = Resolve(folder);
    if (f < 0) return;
    for (const Entry& e : (*this)[f].subfolders) subfolders.push_back(Subfolder{e.name, e.link});
    for (const std::string& name : (*this)[f].files) files.push_back(folder + name);
  }
  bool Identity(const std::string& folder, uint32_t& volume, uint64_t& index) override {
    ++identities;
    const int f = Resolve(folder);
    if (f < 0 || !(*this)[f].identityReadable) return false;
    volume = 7;
    index = static_cast<uint64_t>(f);
    return true;
  }

  int reads = 0;
  int identities = 0;
  std::vector<std::string> patterns;

 private:
  int Resolve(const std::string& path) {
    if (path.compare(0, root_.size(), root_) != 0) return -1;
    int f = 0;
    size_t pos = root_.size();
    while (pos < path.size()) {
      size_t end = path.find('\\', pos);
      if (end == std::string::npos) end = path.size();
      const std::string name = path.substr(pos, end - pos);
      int next = -1;
      for (const Entry& e : (*this)[f].subfolders) {
        if (e.name == name) next = e.folder;
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
  for (const std::string& p : fs.patterns) EXPECT_EQ(p, "*.dds");
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

TEST(FolderWalk, AppendsAfterWhatTheListHeld) {
  FakeFolders fs("C:\\t\\");
  fs[0].files = {"r.dds"};
  std::vector<std::string> list = {"first"};
  texlist::WalkFolderTree(fs, "C:\\t", "*.dds", list);
  EXPECT_EQ(list, (std::vector<std::string>{"first", "C:\\t\\r.dds"}));
}

}  // namespace
