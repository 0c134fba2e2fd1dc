// Small fakes of the narrow interfaces the features work with: the window's parts, the
// converter and a made-up file system.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "converter/converter_runner.h"
#include "export/export_commands.h"
#include "preview/preview.h"
#include "texlist/folder_walk.h"
#include "texlist/texture_list.h"
#include "toolkit/window_parts.h"

namespace testing_support {

// Everything a command can do to the window, recorded; dialog answers set beforehand.
class FakeWindow : public toolkit::Messages,
                   public toolkit::StatusTexts,
                   public toolkit::ProgressDisplay,
                   public toolkit::FolderPrompt,
                   public toolkit::FilePrompt,
                   public toolkit::EventLoop,
                   public texlist::TextureRows,
                   public preview::PreviewPane,
                   public exporter::TargetFiles {
 public:
  // Answers of the dialogs: false cancels.
  bool confirm = true;
  std::string folderAnswer;
  std::vector<std::string> filesAnswer;
  int filesLeftOut = 0;
  // What the dialogs were opened with: title, then initial folder.
  std::vector<std::string> asked;

  std::vector<std::string> messages;
  std::map<int, std::string> status;
  std::vector<int> progress;
  int rowCount = 0;
  std::vector<int> selected;
  int invalidated = 0;
  bool waitCursor = false;
  int processed = 0;
  bool ending = false;  // ProcessMessages reports the end of the application
  std::function<void()> onProcessMessages;
  std::map<std::string, std::string> written;  // target -> source
  std::function<bool(const std::string& target)> canWrite = [](const std::string&) { return true; };

  void Show(const std::string& text) override { messages.push_back(text); }
  void SetStatusText(int panel, const std::string& text) override { status[panel] = text; }
  void SetProgress(int percent) override { progress.push_back(percent); }
  bool ChooseFolder(const std::string& title, const std::string& initialPath, std::string& folder) override {
    asked = {title, initialPath};
    if (confirm) folder = folderAnswer;
    return confirm;
  }
  bool ChooseFiles(const std::string& title, const std::string&, const std::string& initialDir,
                   std::vector<std::string>& chosen, int& leftOut) override {
    asked = {title, initialDir};
    if (confirm) chosen = filesAnswer, leftOut = filesLeftOut;
    return confirm;
  }
  bool ProcessMessages() override {
    ++processed;
    if (onProcessMessages) onProcessMessages();
    return !ending;
  }
  void ShowWaitCursor(bool on) override { waitCursor = on; }
  void ShowRowCount(int count) override { rowCount = count; }
  void DeleteAllRows() override { rowCount = 0; }
  std::vector<int> SelectedRows() override { return selected; }
  int FirstSelected() override { return selected.empty() ? -1 : selected.front(); }
  void Invalidate() override { ++invalidated; }
  bool SameFile(const std::string& a, const std::string& b) override { return a == b; }
  bool Write(const std::string& source, const std::string& target) override {
    if (!canWrite(target)) return false;
    written[target] = source;
    return true;
  }
};

// A converter whose output for each DDS path is set beforehand; runs and deletions recorded.
class FakeConverter : public converter::ConverterRunner {
 public:
  std::map<std::string, std::string> outputs;  // DDS path -> file it "writes"
  std::vector<std::string> runs;
  std::vector<std::string> discarded;
  int staleDeleted = 0;
  std::function<void()> onRun;

  void DeleteStaleOutput() override { ++staleDeleted; }
  converter::ConverterOutput Run(const std::string& ddsPath) override {
    runs.push_back(ddsPath);
    if (onRun) onRun();
    converter::ConverterOutput output;
    auto found = outputs.find(ddsPath);
    if (found != outputs.end()) output = {true, found->second};
    return output;
  }
  void Discard(const converter::ConverterOutput& output) override {
    if (output.produced) discarded.push_back(output.path);
  }
};

// A tree of folders from a root; a subfolder entry may be a link to any folder, ancestors
// included. Paths are resolved from the root component by component.
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
    int leftOut = 0;  // matching files and subfolders without a name the program can hold
  };

  explicit FakeFolders(const std::string& root) : root_(root) { folders_.emplace_back(); }
  int Add() {
    folders_.emplace_back();
    return static_cast<int>(folders_.size()) - 1;
  }
  Folder& operator[](int i) { return folders_[static_cast<size_t>(i)]; }

  std::map<std::string, uint32_t> sizes;  // full path -> size; listed and asked alike
  int reads = 0;
  int identities = 0;

  int Read(const std::string& folder, const std::string&, std::vector<Subfolder>& subfolders,
           std::vector<texlist::TextureEntry>& files) override {
    ++reads;
    const int f = Resolve(folder);
    if (f < 0) return 0;
    for (const Entry& e : (*this)[f].subfolders) subfolders.push_back(Subfolder{e.name, e.link});
    for (const std::string& name : (*this)[f].files) files.push_back({folder + name, sizes[folder + name]});
    return (*this)[f].leftOut;
  }
  bool Identity(const std::string& folder, uint32_t& volume, uint64_t& index) override {
    ++identities;
    const int f = Resolve(folder);
    if (f < 0 || !(*this)[f].identityReadable) return false;
    volume = 7;
    index = static_cast<uint64_t>(f);
    return true;
  }
  bool IsFolder(const std::string& path) override { return Resolve(path) >= 0; }
  uint32_t FileSize(const std::string& path) override {
    auto found = sizes.find(path);
    return (found == sizes.end() ? 0 : found->second) + grownSince;
  }
  uint32_t grownSince = 0;  // what every file has grown by since the folders were listed

 private:
  int Resolve(const std::string& path) {
    const std::string root = root_.substr(0, root_.size() - 1);
    if (path == root) return 0;
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

// The full paths of a walk's or an import's entries.
std::vector<std::string> PathsOf(const std::vector<texlist::TextureEntry>& entries);

}  // namespace testing_support
