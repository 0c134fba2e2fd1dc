// The output: an uncompressed true-colour TGA (type 2), rows stored top first.
#pragma once
#include <cstddef>
#include <cstdint>

namespace readdxt {

constexpr size_t kTgaHeaderBytes = 18;
constexpr size_t kTgaFooterBytes = 26;

// 32 bits with 8 alpha bits when `alpha`, else 24 bits; descriptor 0x20 (top-left origin).
void MakeTgaHeader(uint16_t width, uint16_t height, bool alpha, uint8_t out[kTgaHeaderBytes]);
// TGA 2.0 footer without extension or developer areas.
void MakeTgaFooter(uint8_t out[kTgaFooterBytes]);
// `width` B, G, R, A pixels -> the stored pixel size (4 bytes, or 3 without alpha).
void PackRow(const uint8_t* bgra, uint32_t width, bool alpha, uint8_t* out);

}  // namespace readdxt
