// Header validation in a fixed order: magic, header sizes, extended header, pixel format,
// dimensions, mip count, data size against the bytes left. Nothing of the data is touched
// here, and every field that writers are known to get wrong is read with a tolerance.
#include "readdxt/dds_parse.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "readdxt/dds_header.h"

namespace readdxt {
namespace {

std::string FourCCText(uint32_t code) {
  char text[5];
  bool printable = true;
  for (int i = 0; i < 4; ++i) {
    const char c = static_cast<char>((code >> (8 * i)) & 0xFF);
    printable = printable && c >= 0x20 && c < 0x7F;
    text[i] = c;
  }
  text[4] = 0;
  if (printable) return std::string("'") + text + "'";
  return std::to_string(code);
}

int PopCount(uint32_t v) {
  int n = 0;
  for (; v; v &= v - 1) ++n;
  return n;
}

bool ResolvePixelFormat(const DdsPixelFormat& pf, PixelFormat& format, uint32_t& repairs, Failure& failure) {
  const uint32_t flags = pf.flags & ~(DDPF_NVTT_SRGB | DDPF_NVTT_NORMAL);
  if (flags & DDPF_FOURCC) {
    // DDPF_ALPHAPIXELS and others beside DDPF_FOURCC are noise: the FourCC decides.
    const ResolveResult r = ResolveFourCC(pf.fourCC, format);
    if (r == ResolveResult::kOk) return true;
    if (r == ResolveResult::kUnsupported) {
      return Fail(failure, FailureKind::kUnsupported, "unsupported format: FourCC " + FourCCText(pf.fourCC));
    }
    // DDPF_FOURCC with an empty FourCC: fall back to the masks.
    repairs |= kRepairFourCCFlag;
  }
  const ResolveResult masks = ResolveMasks(pf, flags, format);
  if (masks == ResolveResult::kOk) return true;
  // A valid FourCC without DDPF_FOURCC.
  if (pf.fourCC != 0 && ResolveFourCC(pf.fourCC, format) == ResolveResult::kOk) {
    repairs |= kRepairFourCCFlag;
    return true;
  }
  if (masks == ResolveResult::kUnsupported) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "unsupported pixel format: flags 0x%X, %u bits, masks R 0x%X G 0x%X B 0x%X A 0x%X",
                  static_cast<unsigned>(pf.flags), static_cast<unsigned>(pf.rgbBitCount),
                  static_cast<unsigned>(pf.rBitMask), static_cast<unsigned>(pf.gBitMask),
                  static_cast<unsigned>(pf.bBitMask), static_cast<unsigned>(pf.aBitMask));
    return Fail(failure, FailureKind::kUnsupported, text);
  }
  if (pf.fourCC != 0) {
    return Fail(failure, FailureKind::kUnsupported, "unsupported format: FourCC " + FourCCText(pf.fourCC));
  }
  return Fail(failure, FailureKind::kCorrupt,
              "corrupt header: pixel format has neither FourCC nor bit masks");
}

// Pixel rows padded to 4 bytes were written by old tools; choose them when the file's
// size says so (or, failing an exact match, when the pitch field does).
bool ChooseDwordRows(const DdsInfo& info, const DdsHeader& h, uint64_t available, uint64_t images,
                     uint32_t depth) {
  if (info.layout.kind != DataLayout::kPixels) return false;
  DataLayout tight = info.layout, padded = info.layout;
  tight.dwordRows = false;
  padded.dwordRows = true;
  LevelSize t, p;
  if (!ComputeLevelSize(tight, info.width, info.height, t) ||
      !ComputeLevelSize(padded, info.width, info.height, p) || t.rowPitch == p.rowPitch) {
    return false;
  }
  uint64_t tightChain = 0, paddedChain = 0, tightTotal = 0, paddedTotal = 0;
  const bool tightOk = ComputeChainBytes(tight, info.width, info.height, depth, info.mipCount, tightChain) &&
                       MulU64(tightChain, images, tightTotal);
  const bool paddedOk =
      ComputeChainBytes(padded, info.width, info.height, depth, info.mipCount, paddedChain) &&
      MulU64(paddedChain, images, paddedTotal);
  if (paddedOk && paddedTotal == available) return true;
  if (tightOk && tightTotal == available) return false;
  return h.pitchOrLinearSize == p.rowPitch && p.bytes <= available;
}

bool IsSrgbDxgi(uint32_t dxgi) {
  switch (dxgi) {
    case DXGI_FORMAT_R8G8B8A8_UNORM_SRGB:
    case DXGI_FORMAT_BC1_UNORM_SRGB:
    case DXGI_FORMAT_BC2_UNORM_SRGB:
    case DXGI_FORMAT_BC3_UNORM_SRGB:
    case DXGI_FORMAT_B8G8R8A8_UNORM_SRGB:
    case DXGI_FORMAT_B8G8R8X8_UNORM_SRGB:
    case DXGI_FORMAT_BC7_UNORM_SRGB:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string RepairNames(uint32_t bits) {
  static const char* const kNames[] = {"header-size", "format-size", "fourcc-flag",   "dimension",
                                       "array-size",  "cube-faces",  "mip-count",     "dword-rows",
                                       "face-stride", "missing-faces"};
  std::string out;
  for (size_t i = 0; i < sizeof kNames / sizeof kNames[0]; ++i)
    if (bits & (1u << i)) out += (out.empty() ? "" : ",") + std::string(kNames[i]);
  return out.empty() ? "none" : out;
}

bool ParseDds(const uint8_t* head, size_t headSize, uint64_t fileSize, DdsInfo& info, Failure& failure) {
  info = DdsInfo();
  if (fileSize == 0) return Fail(failure, FailureKind::kNotDds, "not a DDS file: the file is empty");
  uint32_t magic = 0;
  if (headSize < 4 || fileSize < 4) return Fail(failure, FailureKind::kNotDds, "not a DDS file: too short");
  std::memcpy(&magic, head, 4);
  if (magic != kDdsMagic) return Fail(failure, FailureKind::kNotDds, "not a DDS file: no DDS signature");
  if (headSize < 4 + sizeof(DdsHeader) || fileSize < 4 + sizeof(DdsHeader)) {
    return Fail(failure, FailureKind::kCorrupt, "corrupt DDS file: header truncated");
  }
  DdsHeader h;
  std::memcpy(&h, head + 4, sizeof h);
  if (h.size != kDdsHeaderSize && h.size != kDdsHeaderSizeOld) {
    return Fail(failure, FailureKind::kCorrupt, "corrupt DDS file: header size " + std::to_string(h.size));
  }
  if (h.size != kDdsHeaderSize) info.repairs |= kRepairHeaderSize;
  if (h.ddspf.size != kDdsPixelFormatSize && h.ddspf.size != 24 && h.ddspf.size != 0) {
    return Fail(failure, FailureKind::kCorrupt,
                "corrupt DDS file: pixel format size " + std::to_string(h.ddspf.size));
  }
  if (h.ddspf.size != kDdsPixelFormatSize) info.repairs |= kRepairFormatSize;

  uint64_t offset = 4 + sizeof(DdsHeader);
  uint64_t arraySize = 1;
  bool volume = (h.caps2 & DDSCAPS2_VOLUME) != 0;
  uint32_t height = h.height;
  const bool dx10 = h.ddspf.fourCC == kFourCC_DX10 &&
                    ((h.ddspf.flags & DDPF_FOURCC) ||
                     (h.ddspf.rBitMask | h.ddspf.gBitMask | h.ddspf.bBitMask | h.ddspf.aBitMask) == 0);
  if (dx10) {
    if (headSize < offset + sizeof(DdsHeaderDx10) || fileSize < offset + sizeof(DdsHeaderDx10)) {
      return Fail(failure, FailureKind::kCorrupt, "corrupt DDS file: DX10 header truncated");
    }
    DdsHeaderDx10 x;
    std::memcpy(&x, head + offset, sizeof x);
    offset += sizeof x;
    if (!(h.ddspf.flags & DDPF_FOURCC)) info.repairs |= kRepairFourCCFlag;
    info.srgb = IsSrgbDxgi(x.dxgiFormat);
    if (ResolveDxgi(x.dxgiFormat, info.format) != ResolveResult::kOk) {
      return Fail(failure, FailureKind::kUnsupported,
                  "unsupported format: DXGI format " + std::to_string(x.dxgiFormat));
    }
    if (x.resourceDimension == D3D10_RESOURCE_DIMENSION_BUFFER) {
      return Fail(failure, FailureKind::kUnsupported, "unsupported DDS file: a buffer, not a texture");
    }
    // Dimension 0 (NVTT) or any other value: read as 2D, or 3D when the header says so.
    volume = x.resourceDimension == D3D10_RESOURCE_DIMENSION_TEXTURE3D ||
             (x.resourceDimension != D3D10_RESOURCE_DIMENSION_TEXTURE2D && volume);
    if (x.resourceDimension < D3D10_RESOURCE_DIMENSION_TEXTURE1D ||
        x.resourceDimension > D3D10_RESOURCE_DIMENSION_TEXTURE3D)
      info.repairs |= kRepairDimension;
    if (x.resourceDimension == D3D10_RESOURCE_DIMENSION_TEXTURE1D && height == 0) {
      height = 1;
      info.repairs |= kRepairDimension;
    }
    info.isCube = (x.miscFlag & DDS_RESOURCE_MISC_TEXTURECUBE) && !volume;
    if (info.isCube) info.facesStored = 0x3F;
    arraySize = x.arraySize ? x.arraySize : 1;  // 0 seen in the wild
    if (x.arraySize == 0) info.repairs |= kRepairArraySize;
    info.arraySize = static_cast<uint32_t>(arraySize);
    info.dx10 = true;
  } else {
    if (!ResolvePixelFormat(h.ddspf, info.format, info.repairs, failure)) return false;
    info.srgb = (h.ddspf.flags & DDPF_NVTT_SRGB) != 0;
    if ((h.caps2 & DDSCAPS2_CUBEMAP) && !volume) {
      info.isCube = true;
      info.facesStored = static_cast<uint8_t>((h.caps2 & DDSCAPS2_CUBEMAP_ALLFACES) >> 10);
      // No face bits at all: a writer that set only DDSCAPS2_CUBEMAP meant all six.
      if (info.facesStored == 0) {
        info.facesStored = 0x3F;
        info.repairs |= kRepairCubeFaces;
      }
    }
    if (info.format.codec == Codec::kPalette8) {
      if (headSize < offset + kDdsPaletteBytes || fileSize < offset + kDdsPaletteBytes) {
        return Fail(failure, FailureKind::kCorrupt, "corrupt DDS file: palette truncated");
      }
      std::memcpy(info.palette, head + offset, kDdsPaletteBytes);
      offset += kDdsPaletteBytes;
      info.hasPalette = true;
      if (info.format.bytesPerPixel == 1) {
        // P8 takes its alpha from the palette, unless the palette leaves it all 0 or all 255.
        bool any0 = false, any255 = false, other = false;
        for (int i = 0; i < 256; ++i) {
          const uint8_t a = info.palette[i * 4 + 3];
          any0 = any0 || a == 0;
          any255 = any255 || a == 255;
          other = other || (a != 0 && a != 255);
        }
        info.format.hasAlpha = other || (any0 && any255);
      }
    }
  }

  if (h.width == 0 || height == 0) {
    return Fail(failure, FailureKind::kCorrupt,
                "corrupt DDS file: size " + std::to_string(h.width) + " x " + std::to_string(height));
  }
  if (h.width > kMaxOutputDimension || height > kMaxOutputDimension) {
    return Fail(failure, FailureKind::kUnsupported,
                "unsupported DDS file: " + std::to_string(h.width) + " x " + std::to_string(height) +
                    " is larger than a TGA image can hold (65535 x 65535)");
  }
  info.width = h.width;
  info.height = height;
  const uint32_t fullChain = FullMipCount(h.width, height);
  info.mipCount = h.mipMapCount == 0 ? 1 : (h.mipMapCount > fullChain ? fullChain : h.mipMapCount);
  if (h.mipMapCount > fullChain) info.repairs |= kRepairMipCount;
  info.dataOffset = offset;
  info.layout = LayoutOf(info.format);
  const uint64_t available = fileSize - offset;  // offset <= fileSize was checked above

  const int faces = info.isCube ? PopCount(info.facesStored) : 1;
  const uint32_t depth = volume && h.depth > 1 ? h.depth : 1;
  uint64_t images = 0;
  if (!MulU64(arraySize, static_cast<uint64_t>(faces), images)) images = UINT64_MAX;
  info.depth = depth;
  info.layout.dwordRows = ChooseDwordRows(info, h, available, images, depth);
  if (info.layout.dwordRows) info.repairs |= kRepairDwordRows;
  if (!ComputeLevelSize(info.layout, info.width, info.height, info.top)) {
    return Fail(failure, FailureKind::kCorrupt, "corrupt DDS file: size overflow");
  }
  if (info.top.bytes > available) {
    return Fail(failure, FailureKind::kCorrupt,
                "corrupt DDS file: data truncated (the top level needs " + std::to_string(info.top.bytes) +
                    " bytes, the file holds " + std::to_string(available) + ")");
  }

  if (info.isCube) {
    // Face-major: each face carries its whole chain. When the chain does not fit, try the
    // size the file suggests (badly sized tails), then no chain at all.
    uint64_t chain = 0, all = 0;
    const bool chainOk =
        ComputeChainBytes(info.layout, info.width, info.height, 1, info.mipCount, chain);
    uint64_t stride = chainOk ? chain : info.top.bytes;
    const uint64_t n = static_cast<uint64_t>(faces);
    if (!chainOk || !MulU64(chain, n, all) || all > available) {
      uint64_t topAll = 0;
      if (available % n == 0 && available / n >= info.top.bytes) {
        stride = available / n;
      } else if (MulU64(info.top.bytes, n, topAll) && topAll <= available) {
        stride = info.top.bytes;
      }
    }
    info.faceStride = stride;
    if (stride != chain) info.repairs |= kRepairFaceStride;
    uint64_t at = 0;
    for (int face = 0; face < kCubeFaces; ++face) {
      if (!(info.facesStored & (1u << face))) continue;
      uint64_t end = 0;
      if (AddU64(at, info.top.bytes, end) && end <= available) {
        info.facesReadable = static_cast<uint8_t>(info.facesReadable | (1u << face));
      }
      if (!AddU64(at, stride, at)) break;
    }
    if (info.facesReadable != info.facesStored) info.repairs |= kRepairMissingFaces;
  }
  return true;
}

}  // namespace readdxt
