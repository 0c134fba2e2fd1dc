// Names outside the ANSI code page on the real platform: every path the folder scan, a
// drop or the open dialog hands out opens the file it was made from; a file no ANSI name
// stands for is left out and counted. (Wine makes 8.3 names, so here all are held.)
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <set>

#include "texlist/folder_scan.h"
#include "toolkit/dialog_texts.h"
#include "toolkit/list_view_win.h"
#include "toolkit/open_dialog_win.h"

namespace {

const std::wstring kSub = L"\u30D5\u30A9\u30EB\u30C0";
const std::wstring kFiles[] = {L"\u00D8tex.dds", L"Otex.dds", L"\u30C6\u30AF\u30B9\u30C1\u30E3.dds",
                               kSub + L"\\in.dds"};

class OddNames : public ::testing::Test {
 protected:
  void SetUp() override {
    char ansi[MAX_PATH];
    GetTempPathA(MAX_PATH, ansi);
    folder_ = ansi + ("texlook_names_" + std::to_string(GetCurrentProcessId()));
    wide_.assign(folder_.begin(), folder_.end());  // ASCII
    CreateDirectoryW(wide_.c_str(), nullptr);
    CreateDirectoryW((wide_ + L'\\' + kSub).c_str(), nullptr);
    for (DWORD i = 0; i < 4; ++i) {  // file i holds i + 1 bytes
      HANDLE file = CreateFileW(Wide(i).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      DWORD written = 0;
      WriteFile(file, "abcd", i + 1, &written, nullptr);
      CloseHandle(file);
    }
  }
  void TearDown() override {
    for (size_t i = 0; i < 4; ++i) DeleteFileW(Wide(i).c_str());
    RemoveDirectoryW((wide_ + L'\\' + kSub).c_str());
    RemoveDirectoryW(wide_.c_str());
  }
  std::wstring Wide(size_t i) const { return wide_ + L'\\' + kFiles[i]; }
  // Each path opens one of the files, none twice; with those left out they are all.
  static void ExpectEachItsOwn(const std::vector<std::string>& paths, int leftOut) {
    std::set<DWORD> sizes;
    for (const std::string& path : paths) {
      WIN32_FILE_ATTRIBUTE_DATA data = {};
      EXPECT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) << path;
      EXPECT_TRUE(sizes.insert(data.nFileSizeLow).second) << path;
    }
    EXPECT_EQ(sizes.size() + leftOut, 4u);
  }
  std::string folder_;
  std::wstring wide_;
};

TEST_F(OddNames, FolderScan) {
  texlist::DiskFolders disk;
  std::vector<texlist::TextureEntry> entries;
  const int leftOut = texlist::WalkFolderTree(disk, folder_, "*.dds", entries);
  std::vector<std::string> paths;
  for (const texlist::TextureEntry& e : entries) paths.push_back(e.FullPath);
  ExpectEachItsOwn(paths, leftOut);
}

struct DropTarget : toolkit::ListView {
  DropTarget() : ListView(nullptr, {}) {}
  using ListView::HandleMessage;
};

TEST_F(OddNames, Drop) {
  std::wstring list;
  for (size_t i = 0; i < 4; ++i) list += Wide(i) + L'\0';
  HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + (list.size() + 1) * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  list.copy(reinterpret_cast<wchar_t*>(header + 1), list.size());
  GlobalUnlock(drop);
  DropTarget target;
  bool dropped = false;
  target.onDrop = [&](toolkit::ListView&, const std::vector<std::string>& paths, int leftOut, int, int) {
    ExpectEachItsOwn(paths, leftOut);
    dropped = true;
  };
  intptr_t result = 0;
  target.HandleMessage(WM_DROPFILES, reinterpret_cast<uintptr_t>(drop), 0, result);  // frees the drop
  EXPECT_TRUE(dropped);
}

std::wstring g_answer;  // what the dialog hands back
int AnswerDialog(OPENFILENAMEW* ofn, bool) {
  EXPECT_EQ(std::wstring(ofn->lpstrTitle), L"\u0412\u044B\u0431\u043E\u0440");  // the ANSI title, in wide
  g_answer.copy(ofn->lpstrFile, g_answer.size());
  return 1;
}

TEST_F(OddNames, OpenDialog) {
  toolkit::SetOpenDialogPlatformCall(AnswerDialog);
  toolkit::OpenDialog dialog("Выбор", "", toolkit::kMainOpenDialogOptions);
  // Three files (the folder, then the names), then one (its full path).
  g_answer = wide_ + L'\0' + kFiles[0] + L'\0' + kFiles[1] + L'\0' + kFiles[2] + L'\0';
  ASSERT_TRUE(dialog.Execute());
  std::vector<std::string> paths;
  for (size_t i = 1; i < dialog.Files.size(); ++i) paths.push_back(dialog.Files[0] + '\\' + dialog.Files[i]);
  const int leftOut = dialog.LeftOut;
  g_answer = Wide(3);
  ASSERT_TRUE(dialog.Execute());
  toolkit::SetOpenDialogPlatformCall(nullptr);
  paths.insert(paths.end(), dialog.Files.begin(), dialog.Files.end());
  ExpectEachItsOwn(paths, leftOut + dialog.LeftOut);
}

}  // namespace
