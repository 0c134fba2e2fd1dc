#include "support/dds_files.h"

namespace testing_support {

namespace {
void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
}  // namespace

std::string SolidDds(int width, int height, uint32_t argb) {
  std::string s = "DDS ";
  Put32(s, 124);
  Put32(s, 0x100F);  // caps, height, width, pitch, pixel format
  Put32(s, static_cast<uint32_t>(height));
  Put32(s, static_cast<uint32_t>(width));
  Put32(s, static_cast<uint32_t>(width) * 4);
  Put32(s, 0);  // depth
  Put32(s, 0);  // mip count
  for (int i = 0; i < 11; ++i) Put32(s, 0);
  Put32(s, 32);    // pixel format size
  Put32(s, 0x41);  // RGB with alpha
  Put32(s, 0);
  Put32(s, 32);
  Put32(s, 0x00FF0000);
  Put32(s, 0x0000FF00);
  Put32(s, 0x000000FF);
  Put32(s, 0xFF000000);
  Put32(s, 0x1000);  // texture
  for (int i = 0; i < 4; ++i) Put32(s, 0);
  for (long i = 0; i < static_cast<long>(width) * height; ++i) Put32(s, argb);
  return s;
}

}  // namespace testing_support
