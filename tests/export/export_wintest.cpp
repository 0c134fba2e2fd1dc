// The two export commands through the real window: the real folder chooser answered from
// the watcher thread, real converter runs, real files written through temporary files.
#include <gtest/gtest.h>

#include <mutex>

#include "preview/tga_image.h"
#include "support/dds_files.h"
#include "support/window_harness_win.h"
#include "toolkit/file_system.h"

using namespace testing_support;

namespace {

const std::string kDone = "Готово!";

std::string LastName(const std::string& folder) {
  const std::string path = NoBackslash(folder);
  return path.substr(path.find_last_of('\\') + 1);
}

// Confirms the chooser on the folder it opened on (the remembered one; under Wine a
// selection sent after the chooser selected its initial folder does not always take),
// and notes the progress bar whenever a message box is up.
class Answers {
 public:
  explicit Answers(App& app)
      : bar_(app.Window(app.Form().ExportProgress)), want_(LastName(app.Form().OutputPath)) {}
  std::vector<std::string> opened;  // the chooser's selected folder when it opened
  std::vector<int> barAtBoxes;
  DialogWatcher watcher{[this](HWND dialog, const std::string&) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (GetDlgItem(dialog, 0xFFFF)) {
      barAtBoxes.push_back(static_cast<int>(SendMessageA(bar_, PBM_GETPOS, 0, 0)));
      return false;  // the watcher notes and closes it
    }
    for (int i = 0; i < 100 && SelectedTreeItem(dialog) != want_; ++i) Sleep(50);  // the tree fills in
    opened.push_back(SelectedTreeItem(dialog));
    Press(dialog, IDOK);
    return true;
  }};

 private:
  HWND bar_;
  std::string want_;
  std::mutex mutex_;
};

uint32_t FirstPixel(const std::string& tga) {
  preview::TgaImage image;
  image.LoadFile(tga);
  if (image.IsEmpty()) return 0;
  const uint8_t* bgra = image.ColorBitmap.RowPointer(0);
  return (uint32_t{bgra[2]} << 16) | (uint32_t{bgra[1]} << 8) | bgra[0];
}

// Held open by someone who lets others read, read-only or longer than the new picture:
// the first two stay as they were and are counted, the third is replaced whole; no
// temporary file is left anywhere.
TEST(Export, SelectedThenAllWriteRealPicturesAndLeaveUnwritableTargetsAlone) {
  TempFolder data, first, second;
  WriteFileBytes(data.File("a.dds"), SolidDds(4, 4, 0xFFFF0000));
  WriteFileBytes(data.File("b.dds"), SolidDds(8, 2, 0xFF00C000));
  WriteFileBytes(data.File("c.dds"), SolidDds(4, 4, 0xFF0000FF));
  App app;
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  app.Drop({data.File("a.dds"), data.File("b.dds"), data.File("c.dds")});
  app.Select({2, 0});
  f.OutputPath = first.Path();
  {
    Answers answers(app);
    app.Command(Command::ExportSelected);
    EXPECT_EQ(answers.opened, std::vector<std::string>{LastName(first.Path())});
    EXPECT_EQ(answers.watcher.Texts(), std::vector<std::string>{kDone});
    EXPECT_EQ(answers.barAtBoxes, std::vector<int>{100});
  }
  EXPECT_EQ(f.ExportProgress->Position(), 0);
  EXPECT_EQ(SortedNames(first.Path()), (std::vector<std::string>{"a.tga", "c.tga"}));
  EXPECT_EQ(FirstPixel(first.File("a.tga")), 0xFF0000u);
  EXPECT_EQ(FirstPixel(first.File("c.tga")), 0x0000FFu);
  EXPECT_EQ(f.OutputPath, NoBackslash(first.Path()));

  WriteFileBytes(second.File("a.tga"), "held");
  WriteFileBytes(second.File("b.tga"), "read-only");
  SetFileAttributesA(second.File("b.tga").c_str(), FILE_ATTRIBUTE_READONLY);
  WriteFileBytes(second.File("c.tga"), std::string(100000, 'L'));
  HANDLE held = CreateFileA(second.File("a.tga").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  f.OutputPath = second.Path();
  {
    Answers answers(app);
    app.Command(Command::ExportAll);
    EXPECT_EQ(answers.watcher.Texts(),
              std::vector<std::string>{kDone + "\nНе экспортировано файлов: 2 из 3"});
  }
  CloseHandle(held);
  EXPECT_EQ(f.ExportProgress->Position(), 0);
  EXPECT_EQ(ReadFileBytes(second.File("a.tga")), "held");
  EXPECT_EQ(ReadFileBytes(second.File("b.tga")), "read-only");
  EXPECT_EQ(ReadFileBytes(second.File("c.tga")), ReadFileBytes(first.File("c.tga")));
  EXPECT_EQ(SortedNames(second.Path()), (std::vector<std::string>{"a.tga", "b.tga", "c.tga"}));
  EXPECT_EQ(SortedNames(app.ProgramDir().Path()), (std::vector<std::string>{"readdxt.exe"}));
  SetFileAttributesA(second.File("b.tga").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Which output the converter left is read from the files: beside the DDS or in the program
// folder only when this run wrote it, in its working folder whatever the exit code; a
// converter that cannot start is reported for each row and the export goes on.
TEST(Export, ConverterOutputsAndAConverterThatCannotStart) {
  TempFolder data, other, out;
  const std::string users = data.File("test.tga");
  WriteFileBytes(users, "a user's own file");
  WriteFileBytes(data.File("nothing.dds"), "write-nothing\n");
  WriteFileBytes(other.File("beside.dds"), "write-beside\n00ff00\n");
  WriteFileBytes(data.File("failed.dds"), "fail-with-output\n0000ff\n");
  WriteFileBytes(data.File("own.dds"), "write-own-folder\nff0000\n");
  App app(BuildFolder() + "tests\\fake_readdxt.exe");
  ASSERT_TRUE(app.Start());
  MainForm& f = app.Form();
  app.Drop({data.File("nothing.dds"), other.File("beside.dds"), data.File("failed.dds"), data.File("own.dds")});
  f.OutputPath = out.Path();
  {
    Answers answers(app);
    app.Command(Command::ExportAll);
    EXPECT_EQ(answers.watcher.Texts(),
              std::vector<std::string>{kDone + "\nНе экспортировано файлов: 1 из 4"});
  }
  EXPECT_EQ(ReadFileBytes(users), "a user's own file");  // neither exported nor deleted
  EXPECT_EQ(SortedNames(out.Path()), (std::vector<std::string>{"beside.tga", "failed.tga", "own.tga"}));
  EXPECT_EQ(FirstPixel(out.File("own.tga")), 0xFF0000u);
  EXPECT_EQ(FirstPixel(out.File("beside.tga")), 0x00FF00u);
  EXPECT_EQ(FirstPixel(out.File("failed.tga")), 0x0000FFu);
  EXPECT_EQ(SortedNames(other.Path()), std::vector<std::string>{"beside.dds"});
  EXPECT_EQ(SortedNames(app.ProgramDir().Path()), std::vector<std::string>{"readdxt.exe"});

  DeleteFileA(app.ProgramDir().File("readdxt.exe").c_str());
  {
    Answers answers(app);
    app.Command(Command::ExportAll);
    const std::string failed = "Ошибка при запуске readdxt.exe!";
    EXPECT_EQ(
        answers.watcher.Texts(),
        (std::vector<std::string>{failed, failed, failed, failed, kDone + "\nНе экспортировано файлов: 4 из 4"}));
  }
  EXPECT_EQ(f.ExportProgress->Position(), 0);
}

}  // namespace
