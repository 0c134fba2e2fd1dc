// The two export commands through the real window: the real folder chooser answered from
// the watcher thread, real converter runs, real files written through temporary files.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/dds_files.h"
#include "support/window_harness_win.h"
#include "toolkit/portable/file_copy.h"
#include "toolkit/win/folder_chooser_win.h"

using namespace testing_support;

namespace {

const std::string kDone = "Готово!";

// Runs an export with the chooser confirmed on the output folder; returns the texts of
// the message boxes, each with the progress bar's position while it was up. A command to
// clear the list arrives through the window meanwhile: the export's rows must stay.
Names Export(App& app, Command command) {
  Names bar;
  DialogWatcher watcher([&](HWND d) {
    PostMessageA(app.Main(), WM_COMMAND, app.Form().CommandId(Command::ClearList), 0);
    if (!GetDlgItem(d, 0xFFFF)) return ConfirmChooser(d, app.Form().OutputPath().path);
    bar.push_back(" (" + std::to_string(app.Form().ExportProgress().Position()) + "%)");
    return false;
  });
  app.Command(command);
  Names texts;
  for (const SeenBox& box : watcher.Boxes()) texts.push_back(box.text + bar[texts.size()]);
  return texts;
}

// The folder's files, each picture with the colour of its first pixel.
Names Pictures(const std::string& folder) {
  Names out;
  for (const std::string& name : SortedNames(folder)) {
    const std::string b = ReadFileBytes(folder + name);  // solid colours: any pixel is the first
    char colour[16] = "";
    if (b.size() > 20 && b[0] == 0 && b[2] == 2)  // an uncompressed true-colour TGA
      snprintf(colour, sizeof colour, " %02x%02x%02x", b[20] & 0xFF, b[19] & 0xFF, b[18] & 0xFF);
    out.push_back(name + colour);
  }
  return out;
}

// Held open by someone who lets others read, read-only or longer than the new picture:
// the first two stay as they were and are counted, the third is replaced whole; no
// temporary file is left anywhere. test.dds exported into the program folder ends up there
// and stays. Which output a converter left is read from the files: in the program folder
// only when this run wrote it, in its working folder whatever the exit code, beside the DDS
// never; names the file system takes as one count as replaced; a converter that cannot
// start is reported for each row and the export goes on.
TEST(Export, SelectedAndAllWithRealAndOtherConverters) {
  TempFolder data, first, second, other, out;
  WriteFileBytes(data.File("a.dds"), SolidDds(4, 4, 0xFFFF0000));
  WriteFileBytes(data.File("b.dds"), SolidDds(8, 2, 0xFF00C000));
  WriteFileBytes(data.File("c.dds"), SolidDds(4, 4, 0xFF0000FF));
  WriteFileBytes(data.File("test.dds"), SolidDds(2, 2, 0xFF808000));
  App app;
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  app.Drop({ToWide(data.File("a.dds")), ToWide(data.File("b.dds")), ToWide(data.File("c.dds")),
            ToWide(data.File("test.dds"))});
  app.Select({2, 0});
  f.OutputPath().path = first.path;
  EXPECT_EQ(Export(app, Command::ExportSelected), Names{kDone + " (100%)"});
  EXPECT_EQ(Pictures(first.path), (Names{"a.tga ff0000", "c.tga 0000ff"}));

  WriteFileBytes(second.File("a.tga"), "held");
  WriteFileBytes(second.File("b.tga"), "read-only");
  SetFileAttributesA(second.File("b.tga").c_str(), FILE_ATTRIBUTE_READONLY);
  WriteFileBytes(second.File("c.tga"), std::string(100000, 'L'));
  HANDLE held = CreateFileA(second.File("a.tga").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  f.OutputPath().path = second.path;
  EXPECT_EQ(Export(app, Command::ExportAll), Names{kDone + "\nНе экспортировано файлов: 2 из 4 (100%)"});
  CloseHandle(held);
  EXPECT_EQ((Names{ReadFileBytes(second.File("a.tga")), ReadFileBytes(second.File("b.tga")),
                   ReadFileBytes(second.File("c.tga"))}),
            (Names{"held", "read-only", ReadFileBytes(first.File("c.tga"))}));
  EXPECT_EQ(Pictures(second.path), (Names{"a.tga", "b.tga", "c.tga 0000ff", "test.tga 808000"}));

  app.Select({3});
  f.OutputPath().path = app.ProgramDir().path;
  EXPECT_EQ(Export(app, Command::ExportSelected), Names{kDone + " (100%)"});
  app.Select({0});  // that export is the user's now: neither a preview nor a cancelled export takes it
  DialogWatcher([](HWND d) { return Press(d, IDCANCEL), true; }), app.Command(Command::ExportAll);
  EXPECT_EQ(Pictures(app.ProgramDir().path), (Names{"readdxt.exe", "test.tga 808000"}));

  app.Command(Command::ClearList);
  CopyFileA((BuildFolder() + "tests\\fake_readdxt.exe").c_str(), app.ProgramDir().File("readdxt.exe").c_str(),
            FALSE);
  WriteFileBytes(data.File("test.tga"), "a user's own file");
  WriteFileBytes(data.File("nothing.dds"), "write-nothing\n");
  WriteFileBytes(other.File("beside.dds"), "write-beside\n00ff00\n");
  WriteFileBytes(data.File("failed.dds"), "fail-with-output\n0000ff\n");
  WriteFileBytes(data.File("own.dds"), "write-own-folder\nff0000\n");
  WriteFileBytes(data.File("Камень.dds"), "x\n102030\n");  // the file system takes these names as one
  WriteFileBytes(other.File("камень.dds"), "x\n405060\n");
  app.Drop({ToWide(data.File("nothing.dds")), ToWide(other.File("beside.dds")), ToWide(data.File("failed.dds")),
            ToWide(data.File("own.dds")), ToWide(data.File("Камень.dds")), ToWide(other.File("камень.dds"))});
  f.OutputPath().path = out.path;
  EXPECT_EQ(Export(app, Command::ExportAll), Names{kDone + "\nНе экспортировано файлов: 2 из 6\nЗаменено "
                                                          "файлами с тем же именем из следующих строк: 1 (100%)"});
  EXPECT_EQ(ReadFileBytes(data.File("test.tga")), "a user's own file");  // neither exported nor deleted
  EXPECT_EQ(Pictures(out.path), (Names{"failed.tga 0000ff", "own.tga ff0000", "Камень.tga 405060"}));
  EXPECT_EQ(SortedNames(other.path), (Names{"beside.dds", "test.tga", "камень.dds"}));  // not its output
  EXPECT_EQ(SortedNames(app.ProgramDir().path), Names{"readdxt.exe"});

  DeleteFileA(app.ProgramDir().File("readdxt.exe").c_str());
  const std::string failed = "Ошибка при запуске readdxt.exe!";
  EXPECT_EQ(Export(app, Command::ExportAll),
            (Names{failed + " (0%)", failed + " (16%)", failed + " (33%)", failed + " (50%)", failed + " (66%)",
                   failed + " (83%)", kDone + "\nНе экспортировано файлов: 6 из 6 (100%)"}));
  EXPECT_EQ(f.ExportProgress().Position(), 0);
}

// A copy into folders of 240 to 260 characters is whole or reported as not made, and no
// temporary file stays behind. The old target is never written into (a failure part-way would
// leave it half-made): another name of it keeps its bytes. A source of 4 GiB and more is
// refused, not cut to its low 32 bits. A chosen folder is read whole: one the program cannot
// hold (past the path limit) is refused, never cut to a sibling's name; a usable one comes back.
TEST(Export, FoldersNearAndPastThePathLimit) {
  TempFolder t;
  WriteFileBytes(t.File("s.tga"), "picture");
  WriteFileBytes(t.File("old.tga"), "old");
  CreateHardLinkA(t.File("link.tga").c_str(), t.File("old.tga").c_str(), nullptr);
  EXPECT_TRUE(toolkit::CopyThroughTemporary(t.File("s.tga"), t.File("old.tga")));
  HANDLE big = CreateFileA(t.File("big").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  LARGE_INTEGER size = {};
  size.QuadPart = (1LL << 32) + 7;  // sparse: nothing is written
  SetFilePointerEx(big, size, nullptr, FILE_BEGIN);
  SetEndOfFile(big);
  CloseHandle(big);
  EXPECT_FALSE(toolkit::CopyThroughTemporary(t.File("big"), t.File("old.tga")));
  EXPECT_EQ(ReadFileBytes(t.File("link.tga")) + "|" + ReadFileBytes(t.File("old.tga")), "old|picture");
  EXPECT_EQ(SortedNames(t.path), (Names{"big", "link.tga", "old.tga", "s.tga"}));
  for (size_t length = 240; length <= 260; ++length) {
    const std::string folder = t.File(std::string(length - t.path.size(), 'f'));
    ASSERT_TRUE(MakeDir(folder)) << length;
    const bool copied = toolkit::CopyThroughTemporary(t.File("s.tga"), folder + "\\x.tga");
    EXPECT_EQ(SortedNames(folder + "\\"), copied ? Names{"x.tga"} : Names{}) << length;
    EXPECT_EQ(copied ? ReadFileBytes(folder + "\\x.tga") : "picture", "picture") << length;
  }
  const std::string longer = t.File(std::string(280 - t.path.size(), 'g'));
  ASSERT_TRUE(MakeDir(longer.substr(0, 259)) && MakeDir(longer));
  // The item as the chooser's tree makes it: the parent's, then the child's name in it.
  PIDLIST_ABSOLUTE parent = nullptr;
  IShellFolder *desktop = nullptr, *inParent = nullptr;
  ASSERT_EQ(SHParseDisplayName(ToWide(NoBackslash(t.path)).c_str(), nullptr, &parent, 0, nullptr), S_OK);
  SHGetDesktopFolder(&desktop);
  desktop->BindToObject(parent, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&inParent));
  for (const std::string& folder : {longer, t.path + "short"}) {
    MakeDir(folder);
    PIDLIST_RELATIVE child = nullptr;
    std::wstring name = ToWide(folder.substr(t.path.size()));
    ASSERT_EQ(inParent->ParseDisplayName(nullptr, nullptr, &name[0], nullptr, &child, nullptr), S_OK);
    PIDLIST_ABSOLUTE item = ILCombine(parent, child);
    std::string chosen = "unchanged";
    EXPECT_EQ(toolkit::ChosenFolderPath(item, chosen), folder != longer) << folder.size();
    EXPECT_EQ(chosen, folder == longer ? "unchanged" : folder);
    ILFree(item);
    ILFree(child);
  }
  inParent->Release();
  desktop->Release();
  ILFree(parent);
}

}  // namespace
