// Adding many rows at once, painted once at the end.
#pragma once
#include <string>
#include <vector>

struct MainForm;

namespace texlist {

// AddTextureFile for every path, in order, with the list's repainting held until the
// last row is in.
void AddTextureFiles(MainForm& form, const std::vector<std::string>& paths);

// Holds the list's repainting while it lives, when it holds anything at all.
class ListRedrawPause {
 public:
  explicit ListRedrawPause(MainForm& form);
  ~ListRedrawPause();
  ListRedrawPause(const ListRedrawPause&) = delete;
  ListRedrawPause& operator=(const ListRedrawPause&) = delete;

 private:
  MainForm& form_;
};

}  // namespace texlist
