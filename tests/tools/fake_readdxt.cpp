// A stand-in converter for tests whose behaviour is chosen by the content of the input
// file (the only thing a converter is given):
//   "write-here"        writes a 4 x 2 test.tga into the working folder, exit 0
//   "write-beside"      writes test.tga into the input file's folder, exit 0
//   "write-nothing"     writes nothing, exit 1
//   "fail-with-output"  writes test.tga into the working folder, exit 3
//   "write-own-folder"  writes test.tga into the folder of the converter itself, exit 0
//   "hold"              like "write-here" once the file "<input>.hold" is gone (10 s at most)
// Any other content: like "write-here". The first line may be followed by a colour
// "rrggbb" used for every pixel.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string ReadAll(const char* path) {
  std::string s;
  if (FILE* f = std::fopen(path, "rb")) {
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    std::fclose(f);
  }
  return s;
}

bool WriteTga(const std::string& path, unsigned rgb) {
  unsigned char header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 2, 0, 24, 0x20};
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fwrite(header, 1, sizeof header, f);
  for (int i = 0; i < 8; ++i) {
    unsigned char px[3] = {static_cast<unsigned char>(rgb), static_cast<unsigned char>(rgb >> 8),
                           static_cast<unsigned char>(rgb >> 16)};
    std::fwrite(px, 1, 3, f);
  }
  std::fclose(f);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::string content = ReadAll(argv[1]);
  std::string mode = content.substr(0, content.find('\n'));
  unsigned rgb = 0x336699;
  size_t nl = content.find('\n');
  if (nl != std::string::npos) rgb = static_cast<unsigned>(std::strtoul(content.c_str() + nl + 1, nullptr, 16));
  std::string input = argv[1];
  std::string folder = input.substr(0, input.find_last_of("\\/:") + 1);
  if (mode == "write-nothing") return 1;
  for (int i = 0; i < 500 && mode == "hold" && GetFileAttributesA((input + ".hold").c_str()) != ~0u; ++i) Sleep(20);
  if (mode == "write-beside") return WriteTga(folder + "test.tga", rgb) ? 0 : 1;
  if (mode == "write-own-folder") {
    const std::string self = argv[0];
    return WriteTga(self.substr(0, self.find_last_of("\\/:") + 1) + "test.tga", rgb) ? 0 : 1;
  }
  if (mode == "fail-with-output") {
    WriteTga("test.tga", rgb);
    return 3;
  }
  return WriteTga("test.tga", rgb) ? 0 : 1;
}
