// Click to picture under Wine: a 2048 x 2048 BC3 texture selected in the real window,
// split into converter run, TGA load and paint, beside the bare converter process start
// (a run on a 4 x 4 file) as the reference. Run: scripts/bench-preview.sh
#include <windows.h>
// (needs windows.h first)
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/main_form_win.h"
#include "converter/converter_runner.h"
#include "preview/tga_image.h"
#include "toolkit/application_win.h"
#include "toolkit/file_system.h"

namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
}

std::string Bc3Dds(int w, int h) {
  std::string s = "DDS ";
  uint32_t fields[] = {
      124, 0x81007, static_cast<uint32_t>(h), static_cast<uint32_t>(w), static_cast<uint32_t>(w * h), 0, 1};
  for (uint32_t f : fields) Put32(s, f);
  for (int i = 0; i < 11; ++i) Put32(s, 0);
  uint32_t pf[] = {32, 4, 0x35545844 /* DXT5 */, 0, 0, 0, 0, 0};
  for (uint32_t f : pf) Put32(s, f);
  Put32(s, 0x1000);
  for (int i = 0; i < 4; ++i) Put32(s, 0);
  std::mt19937 rng(7);
  for (long i = 0; i < static_cast<long>(w) * h; ++i) s.push_back(static_cast<char>(rng()));
  return s;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: bench_preview_click <folder with readdxt.exe>\n");
    return 2;
  }
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "texlook-bench-preview\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  CopyFileA((std::string(argv[1]) + "\\readdxt.exe").c_str(), (dir + "readdxt.exe").c_str(), FALSE);
  toolkit::OverrideProgramFolder(dir);
  const std::string big = dir + "big.dds", small = dir + "small.dds";
  std::ofstream(big, std::ios::binary) << Bc3Dds(2048, 2048);
  std::ofstream(small, std::ios::binary) << Bc3Dds(4, 4);

  auto form = CreateMainForm();
  if (!form) return 1;
  toolkit::SetMainWindow(form->MainWindow);
  form->MainWindow->Show();
  toolkit::ProcessMessages();
  form->Textures.Add({{big, 0}, {big, 0}});
  HWND box = static_cast<HWND>(form->PreviewScrollBox->Handle());

  std::vector<double> start, convert, load, paint, click;
  for (int i = 0; i < 5; ++i) {
    auto t0 = Clock::now();
    converter::ConverterOutput s = form->Converter.Run(small);
    auto t1 = Clock::now();
    form->Converter.Discard(s);
    start.push_back(Ms(t0, t1));

    t0 = Clock::now();
    converter::ConverterOutput r = form->Converter.Run(big);
    t1 = Clock::now();
    preview::TgaImage image;
    image.LoadFile(r.path);
    auto t2 = Clock::now();
    form->Converter.Discard(r);
    convert.push_back(Ms(t0, t1));
    load.push_back(Ms(t1, t2));

    // The whole click: the list's notification runs converter, load and status texts.
    const int row = i % 2;
    form->FileList->SetRowState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    t0 = Clock::now();
    form->FileList->SetRowState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    t1 = Clock::now();
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    t2 = Clock::now();
    click.push_back(Ms(t0, t1));
    paint.push_back(Ms(t1, t2));
  }
  std::printf("2048 x 2048 BC3 preview under Wine, median of 5 (ms):\n");
  std::printf("  converter process start (4 x 4 file)  %8.1f   reference\n", Median(start));
  std::printf("  converter run (2048 x 2048)           %8.1f   %.2fx the start\n", Median(convert),
              Median(convert) / Median(start));
  std::printf("  TGA load (16 MiB)                     %8.1f\n", Median(load));
  std::printf("  first paint (area-average shrink)     %8.1f\n", Median(paint));
  std::printf("  click to status (converter+load)      %8.1f\n", Median(click));
  std::printf("  click to picture                      %8.1f   goal < 250\n", Median(click) + Median(paint));
  std::printf("  status: %s\n", form->MainWindow->StatusText(0).c_str());
  std::printf("result: click_to_picture_ms %.0f\n", Median(click) + Median(paint));
  form.reset();
  DeleteFileA(big.c_str());
  DeleteFileA(small.c_str());
  DeleteFileA((dir + "readdxt.exe").c_str());
  DeleteFileA((dir + "texlook.ini").c_str());
  RemoveDirectoryA(dir.c_str());
  return 0;
}
