// The two export commands against the real window: the folder chooser answered from a
// second thread, the progress bar watched through its messages, the converter's runs
// through its log (fake converter) or the written pictures (real converter).
#include <windows.h>
// These build on windows.h.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/handlers.h"
#include "app/settings.h"
#include "preview/tga_image.h"
#include "support/app_harness_win.h"
#include "support/dds_files.h"
#include "texlist/texture_list_ops.h"
#include "toolkit/application.h"
#include "toolkit/file_system.h"
#include "toolkit/folder_chooser.h"

using namespace testing_support;

namespace {

HWND Hwnd(toolkit::Control* c) { return static_cast<HWND>(c->Handle()); }

std::string FakeConverter() { return BuildFolder() + "tests\\fake_readdxt.exe"; }

std::string NoBackslash(const std::string& folder) { return folder.substr(0, folder.size() - 1); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
    lines.push_back(text.substr(start, nl - start));
  }
  return lines;
}

std::vector<std::string> ConverterRuns(AppHarness& app) {
  return Lines(ReadFileBytes(app.ProgramDir().File("runs.log")));
}

// Every name in a folder, sorted by the platform's enumeration.
std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : toolkit::ListDirectory(folder, "*.*", toolkit::kAttrNormal)) names.push_back(e.name);
  return names;
}

// Answers the folder chooser (picks `choose`, or cancels when it is empty), notes what it
// showed, and notes the progress bar's position whenever a message box is up. Any other
// dialog is unexpected: it is counted and cancelled.
class Dialogs {
 public:
  Dialogs(MainForm& f, std::string choose)
      : bar_(Hwnd(f.ExportProgress)),
        choose_(std::move(choose)),
        chooseLabel_(DisplayName(choose_)),
        watcher_([this](HWND dialog, const std::string&) { return Answer(dialog); }) {}

  int Choosers() {
    std::lock_guard<std::mutex> lock(mutex_);
    return choosers_;
  }
  int Others() {
    std::lock_guard<std::mutex> lock(mutex_);
    return others_;
  }
  std::vector<std::string> ChooserTexts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return chooserTexts_;
  }
  std::vector<int> BarAtBoxes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return barAtBoxes_;
  }
  std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const SeenBox& box : watcher_.Boxes()) {
      EXPECT_EQ(box.title, "Texlook");
      texts.push_back(box.text);
    }
    return texts;
  }

 private:
  static BOOL CALLBACK CollectStatic(HWND child, LPARAM lp) {
    char cls[32] = {}, text[512] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0) {
      reinterpret_cast<std::vector<std::string>*>(lp)->push_back(text);
    }
    return TRUE;
  }

  // The label of the tree's selected item, which the chooser returns on OK.
  static std::string SelectedLabel(HWND dialog) {
    HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    char text[MAX_PATH] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return "";
    return text;
  }

  bool Answer(HWND dialog) {
    if (GetDlgItem(dialog, 0xFFFF)) {  // a message box: let the watcher note and close it
      const int position = static_cast<int>(SendMessageA(bar_, PBM_GETPOS, 0, 0));
      std::lock_guard<std::mutex> lock(mutex_);
      barAtBoxes_.push_back(position);
      return false;
    }
    if (!FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr)) {
      std::lock_guard<std::mutex> lock(mutex_);
      ++others_;
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      return true;
    }
    if (!choose_.empty()) {
      // The chooser may still be filling its tree and selecting its initial folder: give it
      // time, then select ours, and never confirm any other folder. Under Wine a selection
      // sent after the chooser has selected its initial folder does not always take, so
      // the tests open it on the folder they confirm, or on none.
      std::string label = SelectedLabel(dialog);
      if (label != chooseLabel_ && attempts_ >= kSettleAttempts) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(choose_.c_str()));
        label = SelectedLabel(dialog);
      }
      if (label != chooseLabel_ && ++attempts_ < kMaxAttempts) return false;
      if (label != chooseLabel_) {
        ADD_FAILURE() << "the chooser does not select " << choose_ << " (" << chooseLabel_ << "), but "
                      << label;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
      }
    }
    std::vector<std::string> texts;
    EnumChildWindows(dialog, &Dialogs::CollectStatic, reinterpret_cast<LPARAM>(&texts));
    {
      std::lock_guard<std::mutex> lock(mutex_);
      ++choosers_;
      chooserTexts_ = texts;
    }
    PostMessageA(dialog, WM_COMMAND, choose_.empty() ? IDCANCEL : IDOK, 0);
    return true;
  }

  static std::string DisplayName(const std::string& folder) {
    SHFILEINFOA info = {};
    if (folder.empty() || !SHGetFileInfoA(folder.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME))
      return "";
    return info.szDisplayName;
  }

  static constexpr int kSettleAttempts = 25;  // the watcher looks every 20 ms
  static constexpr int kMaxAttempts = 250;
  HWND bar_;
  int attempts_ = 0;
  std::string choose_;
  std::string chooseLabel_;
  std::mutex mutex_;
  int choosers_ = 0;
  int others_ = 0;
  std::vector<std::string> chooserTexts_;
  std::vector<int> barAtBoxes_;
  DialogWatcher watcher_;  // last: its thread uses the members above
};

// Every PBM_SETPOS the progress bar receives, and an optional action on each (it runs on
// the window's thread, inside the export, just before the worker lets messages through).
class BarWatch {
 public:
  explicit BarWatch(MainForm& f) : bar_(Hwnd(f.ExportProgress)) {
    instance_ = this;
    old_ =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(bar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  }
  ~BarWatch() {
    if (IsWindow(bar_)) SetWindowLongPtrA(bar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
    instance_ = nullptr;
  }
  std::vector<int> positions;
  std::function<void(int)> onSetPosition;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    BarWatch* self = instance_;
    if (msg == PBM_SETPOS && self) {
      self->positions.push_back(static_cast<int>(wp));
      if (self->onSetPosition) self->onSetPosition(static_cast<int>(wp));
    }
    return CallWindowProcA(self ? self->old_ : DefWindowProcA, hwnd, msg, wp, lp);
  }
  static BarWatch* instance_;
  HWND bar_;
  WNDPROC old_ = nullptr;
};
BarWatch* BarWatch::instance_ = nullptr;

void Select(MainForm& f, std::initializer_list<int> rows) {
  f.FileList->SetRowState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  for (int row : rows) f.FileList->SetRowState(row, LVIS_SELECTED, LVIS_SELECTED);
}

void PostCommand(MainForm& f, toolkit::Menu* menu, int index) {
  PostMessageA(Hwnd(f.MainWindow), WM_COMMAND, MAKEWPARAM(menu->CommandId(index), 0), 0);
}

// A drop of one file onto the list, as the shell delivers it.
void PostDrop(HWND list, const std::string& path) {
  const size_t size = sizeof(DROPFILES) + path.size() + 2;
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size());
  GlobalUnlock(memory);
  PostMessageA(list, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

// The colour of the picture the fake converter writes for row i.
uint32_t RowColour(int i) { return 0x102030u * static_cast<uint32_t>(i + 1); }

// Adds fake-converter rows named t0.dds ... whose runs write a picture of RowColour(i).
std::vector<std::string> AddFakeRows(MainForm& f, TempFolder& data, int count) {
  std::vector<std::string> paths;
  for (int i = 0; i < count; ++i) {
    char colour[16];
    snprintf(colour, sizeof colour, "%06x", static_cast<unsigned>(RowColour(i)));
    paths.push_back(data.File("t" + std::to_string(i) + ".dds"));
    WriteFileBytes(paths.back(), std::string("write-here\n") + colour + "\n");
    AddTextureFile(f, paths.back());
  }
  return paths;
}

uint32_t PixelOf(const std::string& tga) {
  preview::TgaImage image;
  image.LoadFile(tga);
  if (image.IsEmpty()) return 0;
  const uint8_t* bgra = image.ColorBitmap.RowPointer(0);
  return (uint32_t{bgra[2]} << 16) | (uint32_t{bgra[1]} << 8) | bgra[0];
}

const char kDone[] = "Готово!";

TEST(Export, EmptyListOrNoSelectionDoesNothing) {
  AppHarness app(FakeConverter());
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder out;
  const std::string stale = app.ProgramDir().File("test.tga");
  WriteFileBytes(stale, "stale");
  Dialogs dialogs(f, NoBackslash(out.Path()));
  ExportAll(f);
  ExportSelected(f);
  TempFolder data;
  AddFakeRows(f, data, 2);
  ExportSelected(f);  // rows but none selected
  app.Pump(100);
  EXPECT_EQ(dialogs.Choosers(), 0);
  EXPECT_TRUE(dialogs.BoxTexts().empty());
  EXPECT_TRUE(ConverterRuns(app).empty());
  EXPECT_TRUE(toolkit::FileExists(stale));  // not even the stale output is touched
  EXPECT_TRUE(FolderNames(out.Path()).empty());
}

TEST(Export, CancelDeletesOnlyAStaleOutputInTheProgramFolder) {
  AppHarness app(FakeConverter());
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data, previous;
  AddFakeRows(f, data, 2);
  const std::string stale = app.ProgramDir().File("test.tga");
  const std::string besideDds = data.File("test.tga");
  WriteFileBytes(besideDds, "user's own");
  f.OutputPath = previous.Path();
  Dialogs dialogs(f, "");
  for (bool all : {true, false}) {
    WriteFileBytes(stale, "stale");
    Select(f, {1});
    all ? ExportAll(f) : ExportSelected(f);
    EXPECT_FALSE(toolkit::FileExists(stale)) << all;
  }
  app.Pump(50);
  EXPECT_EQ(dialogs.Choosers(), 2);
  EXPECT_TRUE(dialogs.BoxTexts().empty());
  EXPECT_TRUE(ConverterRuns(app).empty());
  EXPECT_EQ(ReadFileBytes(besideDds), "user's own");
  EXPECT_EQ(f.OutputPath, previous.Path());
  EXPECT_EQ(f.ExportProgress->Position(), 0);
  EXPECT_EQ(FolderNames(previous.Path()), std::vector<std::string>{});
}

TEST(Export, SelectedRowsGoInListOrderWithTheBarAtHalfThenFull) {
  AppHarness app(FakeConverter());
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data, out;
  const std::vector<std::string> paths = AddFakeRows(f, data, 6);
  // Selected last row first: the order is the list's.
  f.FileList->SetRowState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  f.FileList->SetRowState(4, LVIS_SELECTED, LVIS_SELECTED);
  f.FileList->SetRowState(1, LVIS_SELECTED, LVIS_SELECTED);
  // The chooser opens on the last export's folder; confirmed, it gives that folder back in
  // its own form, without the final backslash.
  f.OutputPath = out.Path();
  BarWatch bar(f);
  Dialogs dialogs(f, NoBackslash(out.Path()));
  ExportSelected(f);

  EXPECT_EQ(f.FolderChooser->InitialPath(), NoBackslash(out.Path()));
  const std::vector<std::string> titles = dialogs.ChooserTexts();
  EXPECT_NE(std::find(titles.begin(), titles.end(), "Экспортировать файл(ы) в папку:"), titles.end());
  EXPECT_EQ(ConverterRuns(app), (std::vector<std::string>{paths[1], paths[4]}));
  EXPECT_EQ(bar.positions, (std::vector<int>{50, 100, 0}));
  EXPECT_EQ(dialogs.BoxTexts(), std::vector<std::string>{kDone});
  EXPECT_EQ(dialogs.BarAtBoxes(), std::vector<int>{100});  // back to 0 only after "Готово!"
  EXPECT_EQ(FolderNames(out.Path()), (std::vector<std::string>{"t1.tga", "t4.tga"}));
  EXPECT_EQ(PixelOf(out.File("t4.tga")), RowColour(4));
  EXPECT_EQ(PixelOf(out.File("t1.tga")), RowColour(1));
  EXPECT_FALSE(toolkit::FileExists(app.ProgramDir().File("test.tga")));
  EXPECT_EQ(f.OutputPath, NoBackslash(out.Path()));
  EXPECT_FALSE(f.exportRunning);
}

TEST(Export, ThreeRowsMoveTheBarTo33And66And100ThenBackTo0) {
  AppHarness app(FakeConverter());
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data, out;
  const std::vector<std::string> paths = AddFakeRows(f, data, 3);
  Select(f, {1});  // ExportAll ignores the selection
  BarWatch bar(f);
  Dialogs dialogs(f, NoBackslash(out.Path()));
  ExportAll(f);
  const std::vector<std::string> titles = dialogs.ChooserTexts();
  EXPECT_NE(std::find(titles.begin(), titles.end(), "Экспортировать файлы в папку:"), titles.end());
  EXPECT_EQ(ConverterRuns(app), paths);
  EXPECT_EQ(bar.positions, (std::vector<int>{33, 66, 100, 0}));
  EXPECT_EQ(dialogs.BarAtBoxes(), std::vector<int>{100});
  EXPECT_EQ(dialogs.BoxTexts(), std::vector<std::string>{kDone});
  EXPECT_EQ(FolderNames(out.Path()), (std::vector<std::string>{"t0.tga", "t1.tga", "t2.tga"}));
  // The next export opens on this folder.
  EXPECT_EQ(f.OutputPath, NoBackslash(out.Path()));
}

TEST(Export, TargetNamesDropOnlyTheLastExtension) {
  AppHarness app(FakeConverter());
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data, out;
  for (const char* name : {"stone.DDS", "a.b.dds", "noext"}) {
    WriteFileBytes(data.File(name), "write-here\n");
    AddTextureFile(f, data.File(name));
  }
  Dialogs dialogs(f, NoBackslash(out.Path()));
  ExportAll(f);
  std::vector<std::string> names = FolderNames(out.Path());
  std::sort(names.begin(), names.end());
  // Nothing else either: no temporary file is left behind.
  EXPECT_EQ(names, (std::vector<std::string>{"a.b.tga", "noext.tga", "stone.tga"}));
}

TEST(Export, DriveRootGetsTheFileRightAfterTheBackslash) {
  AppHarness app(FakeConverter());
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data;
  const std::string name = "texlook-root-" + std::to_string(GetCurrentProcessId());
  WriteFileBytes(data.File(name + ".dds"), "write-here\n");
  AddTextureFile(f, data.File(name + ".dds"));
  const std::string target = "C:\\" + name + ".tga";
  DeleteFileA(target.c_str());
  Dialogs dialogs(f, "C:\\");
  ExportAll(f);
  EXPECT_EQ(f.OutputPath, "C:\\");
  EXPECT_TRUE(toolkit::FileExists(target));
  EXPECT_EQ(dialogs.BoxTexts(), std::vector<std::string>{kDone});
  DeleteFileA(target.c_str());
}

TEST(Export, ALongerTargetIsReplacedWholeAndTheLaterOfTwoNamesakesWins) {
  AppHarness app;  // the real converter: the pictures matter
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder a, b, fresh, out;
  WriteFileBytes(a.File("x.dds"), SolidDds(4, 4, 0xFFFF0000));
  WriteFileBytes(b.File("x.dds"), SolidDds(4, 4, 0xFF0000FF));
  WriteFileBytes(a.File("stone.dds"), SolidDds(8, 2, 0xFF00C000));
  AddTextureFile(f, a.File("stone.dds"));
  {
    Dialogs dialogs(f, NoBackslash(fresh.Path()));
    ExportAll(f);
  }
  const std::string expected = ReadFileBytes(fresh.File("stone.tga"));
  ASSERT_FALSE(expected.empty());
  WriteFileBytes(out.File("stone.tga"), std::string(100000, '\x5A'));
  AddTextureFile(f, a.File("x.dds"));
  AddTextureFile(f, b.File("x.dds"));
  f.OutputPath = out.Path();  // the chooser opens on the folder it is to confirm
  Dialogs dialogs(f, NoBackslash(out.Path()));
  ExportAll(f);
  EXPECT_EQ(ReadFileBytes(out.File("stone.tga")), expected);
  EXPECT_EQ(PixelOf(out.File("x.tga")), 0x0000FFu);  // b's blue, exported after a's red
  std::vector<std::string> names = FolderNames(out.Path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"stone.tga", "x.tga"}));
  EXPECT_EQ(dialogs.BoxTexts(), std::vector<std::string>{kDone});
}

TEST(Export, AConverterThatCannotStartIsReportedPerRowAndTheExportGoesOn) {
  AppHarness app;
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data, out;
  WriteFileBytes(data.File("a.dds"), SolidDds(4, 4, 0xFFFFFFFF));
  AddTextureFile(f, data.File("a.dds"));
  AddTextureFile(f, data.File("a.dds"));
  DeleteFileA(app.ProgramDir().File("readdxt.exe").c_str());
  BarWatch bar(f);
  Dialogs dialogs(f, NoBackslash(out.Path()));
  ExportAll(f);
  EXPECT_EQ(dialogs.BoxTexts(),
            (std::vector<std::string>{"Ошибка при запуске readdxt.exe!", "Ошибка при запуске readdxt.exe!",
                                      "Готово!\nНе экспортировано файлов: 2 из 2"}));
  EXPECT_EQ(bar.positions, (std::vector<int>{50, 100, 0}));
  EXPECT_TRUE(FolderNames(out.Path()).empty());
}

// Mends.

TEST(Export, ARowWithoutOutputLeavesAnEarlierExportAloneAndIsCounted) {
  AppHarness app(FakeConverter());
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data, out;
  WriteFileBytes(data.File("x.dds"), "write-nothing\n");
  WriteFileBytes(data.File("y.dds"), "write-here\n");
  WriteFileBytes(data.File("z.dds"), "write-nothing\n");
  for (const char* name : {"x.dds", "y.dds", "z.dds"}) AddTextureFile(f, data.File(name));
  WriteFileBytes(out.File("x.tga"), "an earlier export");
  BarWatch bar(f);
  Dialogs dialogs(f, NoBackslash(out.Path()));
  ExportAll(f);
  EXPECT_EQ(ReadFileBytes(out.File("x.tga")), "an earlier export");
  EXPECT_FALSE(toolkit::FileExists(out.File("z.tga")));
  EXPECT_TRUE(toolkit::FileExists(out.File("y.tga")));
  EXPECT_EQ(dialogs.BoxTexts(), std::vector<std::string>{"Готово!\nНе экспортировано файлов: 2 из 3"});
  EXPECT_EQ(bar.positions, (std::vector<int>{33, 66, 100, 0}));  // failed rows advance it too
  EXPECT_EQ(f.OutputPath, NoBackslash(out.Path()));              // also after failures
}

TEST(Export, ATargetThatCannotBeWrittenIsCountedAndLeftAsItWas) {
  AppHarness app(FakeConverter());
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data, out;
  AddFakeRows(f, data, 2);
  // Held open by someone who lets others read but not write or delete.
  WriteFileBytes(out.File("t0.tga"), "held");
  HANDLE held = CreateFileA(out.File("t0.tga").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Dialogs dialogs(f, NoBackslash(out.Path()));
  ExportAll(f);
  CloseHandle(held);
  EXPECT_EQ(ReadFileBytes(out.File("t0.tga")), "held");
  std::vector<std::string> names = FolderNames(out.Path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"t0.tga", "t1.tga"}));  // no temporary file left
  EXPECT_EQ(dialogs.BoxTexts(), std::vector<std::string>{"Готово!\nНе экспортировано файлов: 1 из 2"});
  EXPECT_FALSE(toolkit::FileExists(app.ProgramDir().File("test.tga")));
}

TEST(Export, AnOutputBesideTheDdsIsExportedAndDeletedOnlyWhenThisRunWroteIt) {
  AppHarness app(FakeConverter());
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data, other, out;
  const std::string users = data.File("test.tga");
  WriteFileBytes(users, "a user's own file");
  WriteFileBytes(data.File("nothing.dds"), "write-nothing\n");
  WriteFileBytes(other.File("beside.dds"), "write-beside\n00ff00\n");
  AddTextureFile(f, data.File("nothing.dds"));
  AddTextureFile(f, other.File("beside.dds"));
  Dialogs dialogs(f, NoBackslash(out.Path()));
  ExportAll(f);
  EXPECT_EQ(ReadFileBytes(users), "a user's own file");  // neither exported nor deleted
  EXPECT_FALSE(toolkit::FileExists(out.File("nothing.tga")));
  EXPECT_EQ(PixelOf(out.File("beside.tga")), 0x00FF00u);
  EXPECT_FALSE(toolkit::FileExists(other.File("test.tga")));
  EXPECT_EQ(dialogs.BoxTexts(), std::vector<std::string>{"Готово!\nНе экспортировано файлов: 1 из 2"});
}

TEST(Export, ListAndExportCommandsDoNothingWhileAnExportRuns) {
  AppHarness app(FakeConverter());
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data, out;
  const std::vector<std::string> paths = AddFakeRows(f, data, 3);
  WriteFileBytes(data.File("dropped.dds"), "write-here\n");
  Select(f, {0, 1, 2});
  BarWatch bar(f);
  // After the first row, everything that could change the list or start another export
  // arrives while the worker lets messages through.
  bar.onSetPosition = [&](int position) {
    if (position != 33) return;
    PostCommand(f, f.MainMenu, 5);       // "Очистить список"
    PostCommand(f, f.MainMenu, 1);       // import files
    PostCommand(f, f.MainMenu, 2);       // import a folder
    PostCommand(f, f.ListPopupMenu, 0);  // export the selection
    PostCommand(f, f.ListPopupMenu, 1);  // export everything
    PostDrop(Hwnd(f.FileList), data.File("dropped.dds"));
  };
  Dialogs dialogs(f, NoBackslash(out.Path()));
  ExportAll(f);
  app.Pump(100);
  EXPECT_EQ(ConverterRuns(app), paths);
  EXPECT_EQ(f.textures.TextureCount(), 3);
  EXPECT_EQ(f.FileList->RowCount(), 3);
  EXPECT_EQ(dialogs.Choosers(), 1);
  EXPECT_EQ(dialogs.Others(), 0);
  EXPECT_EQ(dialogs.BoxTexts(), std::vector<std::string>{kDone});
  EXPECT_EQ(bar.positions, (std::vector<int>{33, 66, 100, 0}));
  EXPECT_FALSE(f.exportRunning);
  // And they work again once it has ended.
  ClearList(f);
  EXPECT_EQ(f.textures.TextureCount(), 0);
}

TEST(Export, ClosingTheWindowDuringAnExportEndsItAndKeepsTheChosenFolder) {
  AppHarness app(FakeConverter());
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  TempFolder data, out;
  const std::vector<std::string> paths = AddFakeRows(f, data, 3);
  ASSERT_EQ(f.OutputPath, "");
  BarWatch bar(f);
  bar.onSetPosition = [&](int position) {
    if (position == 33) PostMessageA(Hwnd(f.MainWindow), WM_CLOSE, 0, 0);
  };
  Dialogs dialogs(f, NoBackslash(out.Path()));
  ExportAll(f);
  EXPECT_TRUE(toolkit::Terminated());
  EXPECT_EQ(ConverterRuns(app), std::vector<std::string>{paths[0]});
  EXPECT_TRUE(dialogs.BoxTexts().empty());  // no "Готово!" for a window that is closing
  EXPECT_EQ(FolderNames(out.Path()), std::vector<std::string>{"t0.tga"});
  char saved[MAX_PATH] = {};
  GetPrivateProfileStringA("Folders", "Output path", "", saved, sizeof saved, SettingsFilePath().c_str());
  EXPECT_EQ(std::string(saved), NoBackslash(out.Path()));
  app.Destroy();  // what the program does once the message loop has seen the end
}

}  // namespace
