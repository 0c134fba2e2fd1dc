// Streaming conversion: one row of blocks (or four rows of pixels) of every picture in the
// current output band is decoded and packed into a buffer that is written while the next
// rows are decoded; memory stays a few megabytes whatever the height.
#include "readdxt/converter.h"

#include <cstring>
#include <memory>
#include <vector>

#include "readdxt/async_writer.h"
#include "readdxt/block_decoders.h"
#include "readdxt/dds_parse.h"
#include "readdxt/helper_thread.h"
#include "readdxt/pixel_decoders.h"
#include "readdxt/tga_writer.h"

namespace readdxt {
namespace {

using BlockFn = void (*)(const uint8_t* block, uint8_t* dst, size_t pitch);

#ifdef _WIN32
// Run under Wine, where a thread's start and every hand-over between threads are round trips
// to Wine's server: fewer, larger buffers, and one thread unless the decoding is long (output
// bytes, counted four times for the slow codecs, above kThreadedWork).
constexpr size_t kThreadedBufferBytes = size_t{4} << 20;
constexpr uint64_t kThreadedWork = uint64_t{32} << 20;
#else
constexpr size_t kThreadedBufferBytes = size_t{1} << 20;
constexpr uint64_t kThreadedWork = 0;
#endif
constexpr size_t kBufferBytes = size_t{1} << 20;  // one thread: a buffer that stays in the cache

// BC6H decodes to half floats; each of the block's rows becomes 8-bit B, G, R, A.
template <bool kSigned>
void DecodeBC6HToBgra(const uint8_t* block, uint8_t* dst, size_t pitch) {
  uint16_t half[16 * 3];
  DecodeBC6H(block, half, 4 * 3 * sizeof(uint16_t), kSigned);
  for (int row = 0; row < 4; ++row) HalfRgbToBgra8(half + 12 * row, dst + row * pitch, 4);
}

BlockFn BlockDecoderFor(const PixelFormat& f) {
  switch (f.codec) {
    case Codec::kBC1:
      return DecodeBC1;
    case Codec::kBC2:
      return DecodeBC2;
    case Codec::kBC3:
      return DecodeBC3;
    case Codec::kBC4:
      if (f.isSigned) return [](const uint8_t* b, uint8_t* d, size_t p) { DecodeBC4(b, d, p, true); };
      return [](const uint8_t* b, uint8_t* d, size_t p) { DecodeBC4(b, d, p, false); };
    case Codec::kBC5:
      if (f.isSigned) return [](const uint8_t* b, uint8_t* d, size_t p) { DecodeBC5(b, d, p, true); };
      return [](const uint8_t* b, uint8_t* d, size_t p) { DecodeBC5(b, d, p, false); };
    case Codec::kBC6H:
      if (f.isSigned) return &DecodeBC6HToBgra<true>;
      return &DecodeBC6HToBgra<false>;
    case Codec::kBC7:
      return DecodeBC7;
    default:
      return nullptr;
  }
}

// DXT2 and DXT4 store colour multiplied by alpha.
void Unpremultiply(uint8_t* bgra, size_t pixels) {
  for (size_t i = 0; i < pixels; ++i, bgra += 4) {
    const uint32_t a = bgra[3];
    if (a == 0 || a == 255) continue;
    for (int c = 0; c < 3; ++c) {
      const uint32_t v = (bgra[c] * 255u + a / 2) / a;
      bgra[c] = static_cast<uint8_t>(v > 255 ? 255 : v);
    }
  }
}

// RXGB keeps red in the alpha channel; the picture itself is opaque.
void RedFromAlpha(uint8_t* bgra, size_t pixels) {
  for (size_t i = 0; i < pixels; ++i, bgra += 4) {
    bgra[2] = bgra[3];
    bgra[3] = 255;
  }
}

class Converter {
 public:
  Converter(ByteSource& in, ByteSink& out, bool threaded) : in_(in), out_(out), threaded_(threaded) {}
  bool Run(ConvertedImage& image, Failure& failure);

 private:
  struct Picture {
    uint64_t offset;  // top level in the file
    uint32_t column;  // place in the output, in picture widths
    uint32_t row;
  };
  bool Plan(Failure& failure);
  bool AnyBC1Transparency(bool& found, Failure& failure);
  // One strip: rows y0 .. y0+rows-1 of one picture, its stored bytes and where it goes.
  struct Job {
    uint64_t sourceOffset;
    size_t sourceBytes;
    size_t arenaOffset;
    uint32_t rows;
    uint8_t* dst;
  };
  size_t SourceBytes(uint32_t rows) const;
  void DecodeStrip(const uint8_t* src, uint32_t rows, uint8_t* dst, std::vector<uint8_t>* scratch) const;
  void DecodeJobs(const Job* jobs, size_t count, std::vector<uint8_t>* scratch) const;
  bool ReadFailure(Failure& failure) { return Fail(failure, FailureKind::kIo, "read error"); }

  ByteSource& in_;
  ByteSink& out_;
  bool threaded_;
  DdsInfo info_;
  std::vector<Picture> pictures_;
  uint32_t outWidth_ = 0, outHeight_ = 0;
  uint32_t bandRows_ = 1;  // rows of pictures in the output
  bool alpha_ = false;
  size_t outPixelBytes_ = 3;
  size_t outStride_ = 0;
  BlockFn blockFn_ = nullptr;
  std::unique_ptr<PixelRowDecoder> rowDecoder_;
  std::vector<uint8_t> arena_;  // stored bytes of the strips of one output buffer
  std::vector<uint8_t> scratch_[2];
};

bool Converter::Plan(Failure& failure) {
  const uint64_t size = in_.Size();
  std::vector<uint8_t> head(size < kDdsMaxHeadBytes ? static_cast<size_t>(size) : kDdsMaxHeadBytes);
  if (!in_.Read(0, head.data(), head.size())) return ReadFailure(failure);
  if (!ParseDds(head.data(), head.size(), size, info_, failure)) return false;

  const uint32_t w = info_.width, h = info_.height;
  alpha_ = info_.format.hasAlpha;
  if (info_.isCube && uint64_t{w} * 4 <= kMaxOutputDimension && uint64_t{h} * 3 <= kMaxOutputDimension) {
    outWidth_ = w * 4;
    outHeight_ = h * 3;
    bandRows_ = 3;
    alpha_ = true;  // the empty cells of the cross
    uint64_t at = info_.dataOffset;
    for (int face = 0; face < kCubeFaces; ++face) {
      if (!(info_.facesStored & (1u << face))) continue;
      if (info_.facesReadable & (1u << face)) {
        pictures_.push_back({at, kCrossCells[face].column, kCrossCells[face].row});
      }
      at += info_.faceStride;  // bounded: facesReadable says the later faces lie inside the file
    }
  } else {
    // A plain texture, the first slice of a volume or array, or the first cube face alone.
    outWidth_ = w;
    outHeight_ = h;
    pictures_.push_back({info_.dataOffset, 0, 0});
  }
  blockFn_ = BlockDecoderFor(info_.format);
  if (info_.format.codec == Codec::kBC1 && bandRows_ == 1) {  // a cross has alpha anyway
    bool found = false;
    if (!AnyBC1Transparency(found, failure)) return false;
    alpha_ = found;
  }
  if (!blockFn_) rowDecoder_.reset(new PixelRowDecoder(info_.format, info_.palette));
  outPixelBytes_ = alpha_ ? 4 : 3;
  outStride_ = size_t{outWidth_} * outPixelBytes_;
  return true;
}

bool Converter::AnyBC1Transparency(bool& found, Failure& failure) {
  const size_t chunkBlocks = 8192;
  std::vector<uint8_t> chunk(chunkBlocks * 8);
  for (const Picture& p : pictures_) {
    uint64_t left = info_.top.bytes / 8;
    uint64_t at = p.offset;
    while (left) {
      const size_t n = left < chunkBlocks ? static_cast<size_t>(left) : chunkBlocks;
      if (!in_.Read(at, chunk.data(), n * 8)) return ReadFailure(failure);
      for (size_t i = 0; i < n; ++i) {
        if (BC1BlockUsesTransparency(chunk.data() + i * 8)) {
          found = true;
          return true;
        }
      }
      at += n * 8;
      left -= n;
    }
  }
  found = false;
  return true;
}

size_t Converter::SourceBytes(uint32_t rows) const {
  const uint64_t pitch = info_.top.rowPitch;  // bounded by the file size
  return static_cast<size_t>(blockFn_ ? pitch : pitch * rows);
}

// Decodes one strip from its stored bytes into `dst` (the output strip at the picture's
// column), packed to the output's pixel size. Pure: runs on either thread.
void Converter::DecodeStrip(const uint8_t* src, uint32_t rows, uint8_t* dst,
                            std::vector<uint8_t>* scratch) const {
  const PixelFormat& f = info_.format;
  const uint32_t w = info_.width;
  const size_t pitch = static_cast<size_t>(info_.top.rowPitch);
  if (blockFn_) {
    const size_t blocks = pitch / f.blockBytes;
    const bool post = f.premultiplied || f.swapRedAlpha;
    // Straight into the strip when nothing is left to do to the texels and all four rows
    // are the picture's: padding rows would land in the strip below (a cross's next band).
    if (alpha_ && !post && w % 4 == 0 && rows == 4) {
      for (size_t b = 0; b < blocks; ++b) blockFn_(src + b * f.blockBytes, dst + b * 16, outStride_);
      return;
    }
    const size_t scratchPitch = blocks * 16;
    scratch->resize(scratchPitch * 4);
    for (size_t b = 0; b < blocks; ++b)
      blockFn_(src + b * f.blockBytes, scratch->data() + b * 16, scratchPitch);
    for (uint32_t r = 0; r < rows; ++r) {
      uint8_t* row = scratch->data() + r * scratchPitch;
      if (f.premultiplied) Unpremultiply(row, w);
      if (f.swapRedAlpha) RedFromAlpha(row, w);
      PackRow(row, w, alpha_, dst + r * outStride_);
    }
    return;
  }
  if (!alpha_) scratch->resize(size_t{w} * 4);
  for (uint32_t r = 0; r < rows; ++r) {
    const uint8_t* row = src + r * pitch;
    if (alpha_) {
      rowDecoder_->DecodeRow(row, w, dst + r * outStride_);
    } else {
      rowDecoder_->DecodeRow(row, w, scratch->data());
      PackRow(scratch->data(), w, false, dst + r * outStride_);
    }
  }
}

void Converter::DecodeJobs(const Job* jobs, size_t count, std::vector<uint8_t>* scratch) const {
  for (size_t i = 0; i < count; ++i)
    DecodeStrip(arena_.data() + jobs[i].arenaOffset, jobs[i].rows, jobs[i].dst, scratch);
}

bool Converter::Run(ConvertedImage& image, Failure& failure) {
  if (!Plan(failure)) return false;
  uint8_t header[kTgaHeaderBytes];
  MakeTgaHeader(static_cast<uint16_t>(outWidth_), static_cast<uint16_t>(outHeight_), alpha_, header);
  if (!out_.Write(header, sizeof header)) return Fail(failure, FailureKind::kIo, "write error");

  const uint32_t pictureHeight = info_.height;
  const size_t pictureBytes = size_t{info_.width} * outPixelBytes_;
  // Strips of four rows are gathered into buffers. When the decoding is long enough to pay
  // for them, a second thread decodes half of each buffer and a third writes it while the
  // next is decoded.
  const size_t stripBytes = outStride_ * 4;
  const size_t strips = size_t{bandRows_} * ((pictureHeight + 3) / 4);
  const auto capacityOf = [&](size_t bufferBytes) {
    const size_t stripsPerBuffer = stripBytes >= bufferBytes ? 1 : bufferBytes / stripBytes;
    return stripBytes * (stripsPerBuffer < strips ? stripsPerBuffer : strips);
  };
  const uint64_t total = uint64_t{outStride_} * outHeight_;
  const bool slowCodec = info_.format.codec == Codec::kBC6H || info_.format.codec == Codec::kBC7;
  const bool threaded = threaded_ && total * (slowCodec ? 4 : 1) > kThreadedWork &&
                        total > capacityOf(kThreadedBufferBytes) * 2;
  const size_t capacity = capacityOf(threaded ? kThreadedBufferBytes : kBufferBytes);
  AsyncWriter writer(out_, capacity, threaded);
  HelperThread helper(threaded);
  const bool emptyCells = bandRows_ > 1;
  // The stored bytes of every strip of one buffer are read first (in file order, on this
  // thread); then both threads decode half of the strips each.
  std::vector<Job> jobs;
  size_t arenaBytes = 0;
  uint8_t* buffer = nullptr;
  size_t filled = 0;
  auto flush = [&]() -> bool {
    arena_.resize(arenaBytes);
    // Strips that follow each other in the file are read in one call.
    for (size_t i = 0, n; i < jobs.size(); i += n) {
      size_t bytes = jobs[i].sourceBytes;
      for (n = 1; i + n < jobs.size() && jobs[i + n].sourceOffset == jobs[i].sourceOffset + bytes &&
                  jobs[i + n].arenaOffset == jobs[i].arenaOffset + bytes;
           ++n)
        bytes += jobs[i + n].sourceBytes;
      if (!in_.Read(jobs[i].sourceOffset, arena_.data() + jobs[i].arenaOffset, bytes)) return false;
    }
    const size_t half = jobs.size() / 2;
    helper.RunBoth([&] { DecodeJobs(jobs.data() + half, jobs.size() - half, &scratch_[1]); },
                   [&] { DecodeJobs(jobs.data(), half, &scratch_[0]); });
    writer.Submit(filled);
    jobs.clear();
    arenaBytes = 0;
    buffer = nullptr;
    return true;
  };
  const uint64_t pitch = info_.top.rowPitch;
  for (uint32_t band = 0; band < bandRows_; ++band) {
    for (uint32_t y0 = 0; y0 < pictureHeight; y0 += 4) {
      const uint32_t rows = pictureHeight - y0 < 4 ? pictureHeight - y0 : 4;
      if (!buffer) {
        if (writer.failed()) return Fail(failure, FailureKind::kIo, "write error");
        buffer = writer.Acquire();
        filled = 0;
      }
      uint8_t* strip = buffer + filled;
      if (emptyCells) std::memset(strip, 0, stripBytes);  // empty cells stay transparent black
      for (const Picture& p : pictures_) {
        if (p.row != band) continue;
        const uint64_t offset = p.offset + (blockFn_ ? (y0 / 4) * pitch : y0 * pitch);
        const size_t bytes = SourceBytes(rows);
        jobs.push_back({offset, bytes, arenaBytes, rows, strip + p.column * pictureBytes});
        arenaBytes += bytes;
      }
      filled += outStride_ * rows;
      if (filled + stripBytes > capacity && !flush()) return ReadFailure(failure);
    }
  }
  if (buffer && filled && !flush()) return ReadFailure(failure);
  if (!writer.Finish()) return Fail(failure, FailureKind::kIo, "write error");
  uint8_t footer[kTgaFooterBytes];
  MakeTgaFooter(footer);
  if (!out_.Write(footer, sizeof footer)) return Fail(failure, FailureKind::kIo, "write error");
  image.width = outWidth_;
  image.height = outHeight_;
  image.alpha = alpha_;
  return true;
}

}  // namespace

bool ConvertDdsToTga(ByteSource& in, ByteSink& out, ConvertedImage& image, Failure& failure, bool threaded) {
  Converter converter(in, out, threaded);
  return converter.Run(image, failure);
}

}  // namespace readdxt
