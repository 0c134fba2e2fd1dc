// Small fakes of the narrow interfaces the features work with: the window's parts, the
// converter and a made-up file system.
#pragma once
#include <algorithm>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "converter/converter_runner.h"
#include "export/export_commands.h"
#include "preview/preview.h"
#include "texlist/folder_walk.h"
#include "texlist/imports.h"
#include "texlist/texture_list.h"
#include "toolkit/portable/path_helpers.h"

namespace testing_support {

// Everything a command can do to the window, recorded; dialog answers set beforehand.
class FakeWindow : public texlist::Messages,
                   public preview::StatusTexts,
                   public exporter::ProgressDisplay,
                   public texlist::FolderPrompt,
                   public texlist::FilePrompt,
                   public texlist::EventLoop,
                   public texlist::TextureRows,
                   public preview::PreviewPane,
                   public exporter::TargetFiles {
 public:
  // Answers of the dialogs: nothing cancels.
  std::string folderAnswer;
  std::vector<std::string> filesAnswer;
  int filesLeftOut = 0;
  // What the dialogs were opened with: title, then initial folder.
  std::vector<std::string> asked;
  std::vector<std::string> messages;
  std::map<int, std::string> status;
  std::vector<int> progress, selected;
  int rowCount = 0, invalidated = 0, processed = 0;
  int endAt = 0;  // the call of ProcessMessages that reports the end of the application
  bool waitCursor = false;
  std::function<void()> idleWork;
  std::map<std::string, std::string> written;  // target -> source
  std::string unwritable;                      // a target Write refuses

  void Show(const std::string& text) override { messages.push_back(text); }
  void SetStatusText(int panel, const std::string& text) override { status[panel] = text; }
  void SetProgress(int percent) override { progress.push_back(percent); }
  bool ChooseFolder(const std::string& title, const std::string& initialPath, std::string& folder) override {
    asked = {title, initialPath};
    folder = folderAnswer;
    return !folder.empty();
  }
  bool ChooseFiles(const std::string& title, const std::string&, const std::string& initialDir,
                   std::vector<std::string>& chosen, int& leftOut) override {
    asked = {title, initialDir};
    chosen = filesAnswer, leftOut = filesLeftOut;
    return !chosen.empty();
  }
  bool ProcessMessages() override { return ++processed != endAt; }
  void ShowWaitCursor(bool on) override { waitCursor = on; }
  void WhenIdle(std::function<void()> work) override { idleWork = std::move(work); }
  void RunIdleWork() {
    std::function<void()> work = std::move(idleWork);
    idleWork = nullptr;
    if (work) work();
  }
  void ShowRowCount(int count) override { rowCount = count; }
  void DeleteAllRows() override { rowCount = 0; }
  std::vector<int> SelectedRows() override { return selected; }
  int FirstSelected() override { return selected.empty() ? -1 : selected.front(); }
  void Invalidate() override { ++invalidated; }
  bool SameFile(const std::string& a, const std::string& b) override { return a == b; }
  std::string ComparedName(const std::string& path) override { return toolkit::AsciiUpperCase(path); }
  bool Write(const std::string& source, const std::string& target) override {
    if (target == unwritable) return false;
    written[target] = source;
    return true;
  }
};

// A converter whose output for each DDS path is set beforehand; runs and deletions recorded.
class FakeConverter : public converter::ConverterRunner {
 public:
  std::map<std::string, std::string> outputs;  // DDS path -> file it "writes"
  std::vector<std::string> runs, discarded;
  int staleDeleted = 0;
  std::function<void()> onRun;
  void DeleteStaleOutput() override { ++staleDeleted; }
  converter::ConverterOutput Run(const std::string& ddsPath) override {
    runs.push_back(ddsPath);
    if (onRun) onRun();
    const auto found = outputs.find(ddsPath);
    return found == outputs.end() ? converter::ConverterOutput{}
                                  : converter::ConverterOutput{true, found->second};
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
  int reads = 0, identities = 0;
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
    volume = 7, index = static_cast<uint64_t>(f);
    return true;
  }
  bool IsFolder(const std::string& path) override { return Resolve(path) >= 0; }
  uint32_t FileSize(const std::string& path) override {
    return (sizes.count(path) ? sizes.at(path) : 0) + grownSince;
  }
  uint32_t grownSince = 0;  // what every file has grown by since the folders were listed

 private:
  int Resolve(const std::string& path) {
    if (path + "\\" == root_) return 0;
    if (path.compare(0, root_.size(), root_) != 0) return -1;
    int f = 0;
    std::istringstream rest(path.substr(root_.size()));
    for (std::string name; std::getline(rest, name, '\\');) {
      const std::vector<Entry>& subs = (*this)[f].subfolders;
      auto e = std::find_if(subs.begin(), subs.end(), [&](const Entry& s) { return s.name == name; });
      if (e == subs.end()) return -1;
      f = e->folder;
    }
    return f;
  }
  std::string root_;
  std::vector<Folder> folders_;
};

}  // namespace testing_support
