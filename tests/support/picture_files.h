// Picture files made byte by byte, in every coding the game's pictures may
// come in, so tests and fuzz seeds can hold each field against its check.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// Each plain coding is followed by its run-length one.
enum class PictureCoding { bmp, bmp_run_length, tga, tga_run_length };
using Bytes = std::vector<unsigned char>;

inline bool is_tga(PictureCoding coding) {
  return coding == PictureCoding::tga || coding == PictureCoding::tga_run_length;
}

// The picture's colours as a file: BMP at 24 bits (rows padded to whole
// words), BMP run-length coded at 8 bits over a 256-colour palette (runs of
// one colour, an end of every row and of the picture), TGA at 24 bits plain or
// in run packets that each stay within a row. Bottom row first unless `top_down`.
Bytes encode_picture(BITMAP *picture, PictureCoding coding, bool top_down = false);

// The header made to say width x height, the pixels left as they are.
void set_header_size(Bytes &bytes, PictureCoding coding, int64_t width, int64_t height);

// An 8-bit run-length BMP header of width x height and its palette, then
// `codes` as given.
Bytes run_length_bmp(int width, int height, const Bytes &codes);

bool write_bytes(const std::string &path, const Bytes &bytes);

// A new directory under /tmp holding the built assets, with each of `replaced`
// (file name, bytes) written over its namesake; the caller removes it.
std::string asset_copy_with(const std::vector<std::pair<std::string, Bytes>> &replaced);

}  // namespace testing_support
