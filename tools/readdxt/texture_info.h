// `readdxt --info`: what a DDS texture is, as one line of tab-separated fields.
#pragma once
#include <string>

#include "readdxt/byte_io.h"
#include "readdxt/failure.h"

namespace readdxt {

// Fields after the path: container (legacy or dx10), format, WIDTHxHEIGHT, mips=N, the
// images (array=N, cube=FACES or cube=FACESxN for N cubes, volume=DEPTH),
// alpha=none|1-bit|full, srgb=yes|no, repairs=none or a comma-separated list. A DXT1
// texture has 1-bit alpha only when its top level uses the transparent texel, as in the
// converted picture.
bool DescribeTexture(ByteSource& in, std::string& fields, Failure& failure);

}  // namespace readdxt
