// Click to picture under Wine: 2048 x 2048 BC3 and 4096 x 4096 BC7 textures selected in the
// real window, split into converter run, TGA load and first paint, beside the bare converter
// process start (a run on a 4 x 4 file). With a second converter folder, the converter it
// holds (the old way) is timed beside this build's. Median of 7 rounds, each sample the
// least of 3 tries: on a shared machine the other programs' work lands in single tries,
// and it would otherwise decide which of two short steps looks slower. The DDS files are written
// into WORK_FOLDER and left there for the native references (scripts/bench-preview.sh),
// which also turns the `value:` lines into the goals' ratios.
// Run: scripts/bench-preview.sh
#include <windows.h>
// (needs windows.h first)
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/main_form_win.h"
#include "converter/converter_runner.h"
#include "preview/preview_layout.h"
#include "preview/shrink.h"
#include "preview/tga_image.h"
#include "toolkit/win/application_win.h"
#include "toolkit/portable/file_system.h"

namespace {

using Clock = std::chrono::steady_clock;

void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
}

// Random blocks: DXT5 (BC3), or DX10 BC7 (format 98).
std::string Dds(int w, int h, bool bc7) {
  std::string s = "DDS ";
  uint32_t fields[] = {
      124, 0x81007, static_cast<uint32_t>(h), static_cast<uint32_t>(w), static_cast<uint32_t>(w * h), 0, 1};
  for (uint32_t f : fields) Put32(s, f);
  for (int i = 0; i < 11; ++i) Put32(s, 0);
  uint32_t pf[] = {32, 4, bc7 ? 0x30315844u /* DX10 */ : 0x35545844u /* DXT5 */, 0, 0, 0, 0, 0};
  for (uint32_t f : pf) Put32(s, f);
  Put32(s, 0x1000);
  for (int i = 0; i < 4; ++i) Put32(s, 0);
  if (bc7) {
    uint32_t dx10[] = {98, 3, 0, 1, 0};
    for (uint32_t f : dx10) Put32(s, f);
  }
  std::mt19937 rng(7);
  for (long i = 0; i < static_cast<long>(w) * h; i += 4) Put32(s, rng());
  return s;
}

// Samples of one step, taken once per round: the rounds interleave the steps, so that a
// change in the machine's load touches them all alike.
struct Step {
  std::vector<double> ms;
  double Median() const {
    std::vector<double> v = ms;
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
  }
};

double Since(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

constexpr int kTries = 3;
constexpr int kRounds = 7;

// The converter started as before, through the shell with a hidden console of its own, to
// set the start of today's way beside it.
void RunTheOldWay(const std::string& exe, const std::string& dds, const std::string& folder) {
  const std::string parameters = "\"" + dds + "\"";
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = "Open";
  info.lpFile = exe.c_str();
  info.lpParameters = parameters.c_str();
  info.lpDirectory = folder.c_str();
  info.nShow = SW_HIDE;
  if (!ShellExecuteExA(&info)) return;
  WaitForSingleObject(info.hProcess, INFINITE);
  CloseHandle(info.hProcess);
}

// One sample of a step: the least of kTries tries, each after `before` and the messages
// waiting (not timed), so that no try pays for what an earlier step left to paint.
template <typename B, typename F>
void Time(Step& step, B&& before, F&& f) {
  double least = 1e30;
  for (int i = 0; i < kTries; ++i) {
    before();
    toolkit::ProcessMessages();
    const auto t0 = Clock::now();
    f();
    least = std::min(least, Since(t0));
  }
  step.ms.push_back(least);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf(
        "usage: bench_preview_click <folder with readdxt.exe> <work folder> [<folder with old "
        "readdxt.exe>]\n");
    return 2;
  }
  const std::string work = std::string(argv[2]) + "\\";
  const std::string dir = work + "texlook\\", oldDir = work + "texlook-old\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  CopyFileA((std::string(argv[1]) + "\\readdxt.exe").c_str(), (dir + "readdxt.exe").c_str(), FALSE);
  const bool haveOld = argc > 3;
  if (haveOld) {
    CreateDirectoryA(oldDir.c_str(), nullptr);
    CopyFileA((std::string(argv[3]) + "\\readdxt.exe").c_str(), (oldDir + "readdxt.exe").c_str(), FALSE);
  }
  toolkit::OverrideProgramFolder(dir);
  const std::string big = work + "bc3-2048.dds", small = work + "bc3-4.dds", bc7 = work + "bc7-4096.dds";
  std::ofstream(big, std::ios::binary) << Dds(2048, 2048, false);
  std::ofstream(small, std::ios::binary) << Dds(4, 4, false);
  std::ofstream(bc7, std::ios::binary) << Dds(4096, 4096, true);

  auto form = app::CreateMainForm();
  if (!form) return 1;
  toolkit::SetMainWindow(&form->Window());
  form->Window().Show();
  toolkit::ProcessMessages();
  form->Textures().Add({{big, 0}, {big, 0}, {bc7, 0}, {bc7, 0}});
  HWND box = static_cast<HWND>(form->PreviewBox().Parent()->Handle());
  converter::ConverterRunner& conv = form->Exports().converter;

  // The whole click: the list's notification runs converter and load and sets the status
  // texts; then the pane paints what the click invalidated, as the message loop would.
  // Rows 0 and 1 hold the BC3 file, 2 and 3 the BC7 one.
  int turn = 0;
  const auto click = [&](int first, Step& toStatus, Step& paint, Step& whole) {
    double least = 1e30, leastToStatus = 0, leastPaint = 0;
    for (int i = 0; i < kTries; ++i) {
      form->FileList().SetRowState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
      // What the program's loop does between a user's clicks: the work left for idle time
      // (the delete of the shown picture's converter file).
      toolkit::ProcessMessages();
      toolkit::RunIdleWork();
      const auto t0 = Clock::now();
      form->FileList().SetRowState(first + turn++ % 2, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
      const auto t1 = Clock::now();
      RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      GdiFlush();
      if (Since(t0) < least) {
        least = Since(t0);
        leastToStatus = std::chrono::duration<double, std::milli>(t1 - t0).count();
        leastPaint = Since(t1);
      }
    }
    toStatus.ms.push_back(leastToStatus);
    paint.ms.push_back(leastPaint);
    whole.ms.push_back(least);
  };

  Step start, oldStart, run, load, firstLoad, firstLoadBc7, alphaLoad, toStatus, paint, clickBc3, runBc7, loadBc7, toStatusBc7,
      paintBc7, clickBc7, oldRun, oldToStatus, oldPaint, oldClick, cursor, deleteBc7, shrinkBc7;
  std::string status, statusBc7;
  preview::TgaImage kept;  // as the program's one image: its memory reused from load to load
  converter::ConverterOutput out;
  const auto nothing = [] {};
  const auto discard = [&] {
    conv.Discard(out);
    out = converter::ConverterOutput();
  };
  // The pointer where a clicking user's is: over the list.
  RECT listRect;
  GetWindowRect(static_cast<HWND>(form->FileList().Handle()), &listRect);
  SetCursorPos((listRect.left + listRect.right) / 2, (listRect.top + listRect.bottom) / 2);
  toolkit::ProcessMessages();
  for (int round = 0; round < kRounds; ++round) {
    // The wait cursor shown and taken back, as a click does (the pointer warped in place).
    Time(cursor, nothing, [&] {
      toolkit::SetScreenCursor(toolkit::CursorKind::Wait);
      toolkit::SetScreenCursor(toolkit::CursorKind::Arrow);
      toolkit::ClearScreenCursor();
    });
    Time(start, nothing, [&] { conv.Discard(conv.Run(small)); });
    Time(oldStart, nothing, [&] {
      RunTheOldWay(dir + "readdxt.exe", small, work);
      DeleteFileA((work + "test.tga").c_str());
    });
    Time(run, discard, [&] { out = conv.Run(big); });
    Time(load, nothing, [&] { kept.LoadFile(out.path); });
    Time(alphaLoad, nothing, [&] {
      kept.LoadFile(out.path);
      std::printf("%s", kept.AlphaBitmap().Width() ? "" : "no alpha picture\n");
    });
    std::unique_ptr<preview::TgaImage> fresh;
    Time(
        firstLoad, [&] { fresh.reset(new preview::TgaImage); }, [&] { fresh->LoadFile(out.path); });
    fresh.reset();
    discard();
    click(0, toStatus, paint, clickBc3);
    status = form->Window().StatusText(0);
    Time(runBc7, discard, [&] { out = conv.Run(bc7); });
    Time(loadBc7, nothing, [&] { kept.LoadFile(out.path); });
    Time(
        firstLoadBc7, [&] { fresh.reset(new preview::TgaImage); }, [&] { fresh->LoadFile(out.path); });
    fresh.reset();
    {
      const preview::PreviewPlacement at = preview::PlacePreview(
          form->PreviewBox().Width(), form->PreviewBox().Height(), kept.colorBitmap.Width(), kept.colorBitmap.Height());
      preview::Bitmap shrunk;
      Time(shrinkBc7, nothing, [&] { preview::Shrink(kept.colorBitmap, at.width, at.height, shrunk); });
    }
    {  // one try: the delete of the file the converter wrote, as after every load
      const auto t0 = Clock::now();
      discard();
      deleteBc7.ms.push_back(Since(t0));
    }
    click(2, toStatusBc7, paintBc7, clickBc7);
    statusBc7 = form->Window().StatusText(0);
    if (haveOld) {
      toolkit::OverrideProgramFolder(oldDir);
      Time(oldRun, discard, [&] { out = conv.Run(big); });
      discard();
      click(0, oldToStatus, oldPaint, oldClick);
      toolkit::OverrideProgramFolder(dir);
    }
  }
  discard();

  std::printf("Under Wine, median of %d rounds of the least of %d tries (ms):\n", kRounds, kTries);
  std::printf("  converter process start (4 x 4 file)           %8.1f   reference\n", start.Median());
  std::printf("  the same, started the old way (with a console)  %8.1f\n", oldStart.Median());
  std::printf("  wait cursor on and off                          %8.2f\n", cursor.Median());
  std::printf("  2048 x 2048 BC3:\n");
  if (haveOld) std::printf("    converter run, old converter                %8.1f\n", oldRun.Median());
  std::printf("    converter run                               %8.1f\n", run.Median());
  std::printf("    TGA load into a new image (first click)     %8.1f\n", firstLoad.Median());
  std::printf("    TGA load with the alpha picture made (old)  %8.1f\n", alphaLoad.Median());
  std::printf("    TGA load into the program's image           %8.1f\n", load.Median());
  std::printf("    click to status texts                       %8.1f\n", toStatus.Median());
  std::printf("    first paint                                 %8.1f\n", paint.Median());
  if (haveOld) std::printf("    click to picture, old converter             %8.1f\n", oldClick.Median());
  std::printf("    click to picture                            %8.1f   (%s)\n", clickBc3.Median(),
              status.c_str());
  std::printf("  4096 x 4096 BC7:\n");
  std::printf("    converter run                               %8.1f\n", runBc7.Median());
  std::printf("    TGA load into a new image (first click)     %8.1f\n", firstLoadBc7.Median());
  std::printf("    TGA load into the program's image           %8.1f\n", loadBc7.Median());
  std::printf("    delete of the converter's TGA (64 MiB)      %8.1f\n", deleteBc7.Median());
  std::printf("    shrink to the pane's size                   %8.1f\n", shrinkBc7.Median());
  std::printf("    click to status texts                       %8.1f\n", toStatusBc7.Median());
  std::printf("    first paint                                 %8.1f\n", paintBc7.Median());
  std::printf("    click to picture                            %8.1f   (%s)\n", clickBc7.Median(),
              statusBc7.c_str());
  std::printf("value: start %.2f\nvalue: run %.2f\nvalue: load %.2f\nvalue: paint %.2f\n", start.Median(),
              run.Median(), load.Median(), paint.Median());
  std::printf("value: old_start %.2f\n", oldStart.Median());
  std::printf("value: run_bc7 %.2f\n", runBc7.Median());
  std::printf("value: click %.2f\nvalue: click_bc7 %.2f\n", clickBc3.Median(), clickBc7.Median());
  form.reset();
  for (const std::string& f : {dir + "readdxt.exe", dir + "texlook.ini", oldDir + "readdxt.exe"})
    DeleteFileA(f.c_str());
  RemoveDirectoryA(dir.c_str());
  RemoveDirectoryA(oldDir.c_str());
  return 0;
}
