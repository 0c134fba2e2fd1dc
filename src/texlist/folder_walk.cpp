// Depth-first walk of a folder tree with a guard against cycles through links.
#include "texlist/folder_walk.h"

#include <set>
#include <utility>

#include "toolkit/portable/path_helpers.h"

namespace texlist {

namespace {

using Identity = std::pair<uint32_t, uint64_t>;

class Walk {
 public:
  Walk(FolderSource& source, const std::string& pattern, std::vector<TextureEntry>& list)
      : source_(source), pattern_(pattern), list_(list) {}

  void Folder(const std::string& folder, bool link) {
    const std::string base = toolkit::WithTrailingBackslash(folder);
    if (link && !FollowLink(base)) return;
    path_.push_back(Ancestor{base, Unknown, {}});
    std::vector<FolderSource::Subfolder> subfolders;
    // One reading per folder, closed before the walk descends.
    leftOut_ += source_.Read(base, pattern_, subfolders, list_);
    for (const FolderSource::Subfolder& sub : subfolders) Folder(base + sub.name, sub.link);
    path_.pop_back();
  }
  int LeftOut() const { return leftOut_; }

 private:
  enum State { Unknown, Known, Unreadable };
  struct Ancestor {
    std::string folder;
    State state;
    Identity identity;
  };

  bool FollowLink(const std::string& base) {
    Identity target;
    if (!source_.Identity(base, target.first, target.second)) return true;
    if (linkTargets_.count(target)) return false;
    // The folders above are asked for their identity only now, once each: a tree
    // without links never pays for it.
    for (Ancestor& a : path_) {
      if (a.state == Unknown)
        a.state = source_.Identity(a.folder, a.identity.first, a.identity.second) ? Known : Unreadable;
      if (a.state == Known && a.identity == target) return false;
    }
    linkTargets_.insert(target);
    return true;
  }

  FolderSource& source_;
  const std::string& pattern_;
  std::vector<TextureEntry>& list_;
  std::vector<Ancestor> path_;
  std::set<Identity> linkTargets_;
  int leftOut_ = 0;
};

}  // namespace

int WalkFolderTree(FolderSource& source, const std::string& folder, const std::string& pattern,
                   std::vector<TextureEntry>& list) {
  // An empty text names no folder (as a base it would stand for the current drive's root).
  if (folder.empty()) return 0;
  Walk walk(source, pattern, list);
  walk.Folder(folder, false);
  return walk.LeftOut();
}

}  // namespace texlist
