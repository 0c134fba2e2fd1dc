// Export of generated 512 x 512 BC3 textures under Wine: each row split into the
// converter run (readdxt as a process, hidden, waited for) and the copy of its output
// through a temporary file; then the export worker itself on the real (hidden) main
// window; beside the floor measured in the same run: a plain copy (CopyFileA) of the same
// output files.
// Usage: bench_export WORK_FOLDER READDXT_EXE [ROWS]   (WORK_FOLDER must be empty or new)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/main_form_win.h"
#include "converter/converter_runner.h"
#include "export/export_commands.h"
#include "readdxt/dds_header.h"
#include "toolkit/portable/file_copy.h"
#include "toolkit/portable/file_system.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr uint32_t kSize = 512;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// A BC3 (DXT5) texture without mipmaps: every 16-byte block pattern is a valid BC3 block,
// so random blocks give a picture that exercises both the alpha and the colour decoder.
std::string Bc3Dds(std::mt19937& random) {
  readdxt::DdsHeader h{};
  h.size = readdxt::kDdsHeaderSize;
  h.flags = readdxt::DDSD_CAPS | readdxt::DDSD_HEIGHT | readdxt::DDSD_WIDTH | readdxt::DDSD_PIXELFORMAT |
            readdxt::DDSD_LINEARSIZE;
  h.width = h.height = kSize;
  h.pitchOrLinearSize = kSize * kSize;  // one byte per pixel
  h.mipMapCount = 1;
  h.ddspf.size = readdxt::kDdsPixelFormatSize;
  h.ddspf.flags = readdxt::DDPF_FOURCC;
  h.ddspf.fourCC = readdxt::MakeFourCC('D', 'X', 'T', '5');
  h.caps = 0x1000;
  std::string bytes = "DDS ";
  bytes.append(reinterpret_cast<const char*>(&h), sizeof h);
  const size_t dataStart = bytes.size();
  bytes.resize(dataStart + kSize * kSize);
  for (size_t i = dataStart; i < bytes.size(); i += 4) {
    const uint32_t r = random();
    std::memcpy(&bytes[i], &r, 4);
  }
  return bytes;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// One read, one write straight into the target, cut at the end of the data.
bool CopyInPlace(const std::string& source, const std::string& target) {
  HANDLE in = CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
  if (in == INVALID_HANDLE_VALUE) return false;
  HANDLE out =
      CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = out != INVALID_HANDLE_VALUE;
  if (ok) {
    const DWORD size = GetFileSize(in, nullptr);
    std::unique_ptr<char[]> buffer(new char[size ? size : 1]);
    DWORD read = 0, written = 0;
    ok = ReadFile(in, buffer.get(), size, &read, nullptr) &&
         WriteFile(out, buffer.get(), read, &written, nullptr) && written == read && SetEndOfFile(out);
    CloseHandle(out);
  }
  CloseHandle(in);
  return ok;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

double Sum(const std::vector<double>& v) {
  double s = 0;
  for (double x : v) s += x;
  return s;
}

}  // namespace

// The steps run without a window: a failure is counted, not shown.
void Silent(const std::string&) {}

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_export WORK_FOLDER READDXT_EXE [ROWS]\n");
    return 2;
  }
  std::string work = argv[1];
  if (work.back() != '\\') work += '\\';
  const int rows = argc > 3 ? std::atoi(argv[3]) : 200;
  const std::string program = work + "program\\", dds = work + "dds\\", outSteps = work + "out-steps\\",
                    outWorker = work + "out-worker\\", outFloor = work + "out-floor\\";
  for (const std::string& folder : {work, program, dds, outSteps, outWorker, outFloor}) {
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  if (!CopyFileA(argv[2], (program + "readdxt.exe").c_str(), FALSE)) {
    std::fprintf(stderr, "cannot copy %s\n", argv[2]);
    return 1;
  }
  toolkit::OverrideProgramFolder(program);

  std::mt19937 random(20240607);
  std::vector<std::string> paths;
  for (int i = 0; i < rows; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "texture_%03d.dds", i);
    paths.push_back(dds + name);
    if (!WriteWhole(paths.back(), Bc3Dds(random))) return 1;
  }
  // The first process start of a Wine session is slower than the others.
  {
    converter::ProgramConverter runner(Silent);
    converter::ConverterOutput warm = runner.Run(paths[0]);
    if (!warm.produced) {
      std::fprintf(stderr, "the converter wrote nothing\n");
      return 1;
    }
    runner.Discard(warm);
  }

  // The worker's steps one by one, each timed.
  std::vector<double> convert, copy, remove;
  converter::ProgramConverter steps(Silent);
  int failed = 0;
  for (const std::string& path : paths) {
    const auto t0 = Clock::now();
    const converter::ConverterOutput output = steps.Run(path);
    const auto t1 = Clock::now();
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    const std::string target = outSteps + name.substr(0, name.size() - 4) + ".tga";
    if (!output.produced || !toolkit::CopyThroughTemporary(output.path, target)) ++failed;
    const auto t2 = Clock::now();
    steps.Discard(output);
    const auto t3 = Clock::now();
    convert.push_back(Ms(t1 - t0));
    copy.push_back(Ms(t2 - t1));
    remove.push_back(Ms(t3 - t2));
  }
  const uint64_t tgaBytes = toolkit::StampOf(outSteps + "texture_000.tga").size;

  // The floor: the same output files copied plainly. Beside it, the copy written straight
  // into the target (one read, one write, no temporary file): what the temporary file and
  // the rename cost.
  std::vector<double> plain, direct;
  for (const auto& entry : toolkit::ListDirectory(outSteps, "*.tga", toolkit::kAttrNormal)) {
    const std::string source = outSteps + entry.name;
    auto t0 = Clock::now();
    if (!CopyFileA(source.c_str(), (outFloor + entry.name).c_str(), FALSE)) ++failed;
    plain.push_back(Ms(Clock::now() - t0));
    t0 = Clock::now();
    if (!CopyInPlace(source, outFloor + entry.name + ".direct")) ++failed;
    direct.push_back(Ms(Clock::now() - t0));
  }

  // The worker itself, on the real main window (hidden): progress bar and messages
  // between rows included.
  double workerMs = 0;
  int workerFailed = -1;
  if (std::unique_ptr<app::MainForm> form = app::CreateMainForm()) {
    std::vector<texlist::TextureEntry> entries;
    std::vector<int> all;
    for (const std::string& path : paths) {
      all.push_back(static_cast<int>(entries.size()));
      entries.push_back({path, 0});
    }
    form->Textures().Add(entries);
    const auto t0 = Clock::now();
    const exporter::ExportOutcome outcome = exporter::ExportTextures(form->Exports(), all, outWorker);
    workerMs = Ms(Clock::now() - t0);
    workerFailed = outcome.failed;
  }

  const double convertMs = Sum(convert), copyMs = Sum(copy), removeMs = Sum(remove), plainMs = Sum(plain),
               directMs = Sum(direct), rowMs = convertMs + copyMs + removeMs;
  const double files = static_cast<double>(plain.size());
  std::printf("export of %d rows, %u x %u BC3 (%u bytes each) to %llu-byte TGA files, under Wine\n", rows,
              kSize, kSize, kSize * kSize + 128, static_cast<unsigned long long>(tgaBytes));
  std::printf("failed rows: steps %d, worker %d\n", failed, workerFailed);
  std::printf("%-34s %10s %12s %12s\n", "", "total ms", "per row ms", "median ms");
  std::printf("%-34s %10.0f %12.2f %12.2f\n", "converter (process, decode, write)", convertMs,
              convertMs / rows, Median(convert));
  std::printf("%-34s %10.0f %12.2f %12.2f\n", "copy (temporary file + rename)", copyMs, copyMs / rows,
              Median(copy));
  std::printf("%-34s %10.0f %12.2f %12.2f\n", "delete of the converter output", removeMs, removeMs / rows,
              Median(remove));
  std::printf("%-34s %10.0f %12.2f\n", "export steps, all", rowMs, rowMs / rows);
  std::printf("%-34s %10.0f %12.2f\n", "export worker (real window)", workerMs, workerMs / rows);
  std::printf("%-34s %10.0f %12.2f %12.2f\n", "floor: plain copy (CopyFileA)", plainMs, plainMs / files,
              Median(plain));
  std::printf("%-34s %10.0f %12.2f %12.2f\n", "copy straight into the target", directMs, directMs / files,
              Median(direct));
  if (plainMs > 0) {
    std::printf("ratio copy step / plain copy:            %.2f\n", copyMs / plainMs);
    std::printf("ratio copy step / copy into the target:  %.2f\n", copyMs / directMs);
    std::printf("ratio whole export / plain copy:         %.1f\n", workerMs / plainMs);
  }
  std::printf("converter share of a row:                %.1f %%\n", 100.0 * convertMs / rowMs);
  return 0;
}
