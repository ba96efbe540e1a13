// Our own reading of a BMP or TGA picture's header, before the library loads
// it: the library fills whatever its file does not hold with stray bytes, so a
// picture cut short would load and play with a white hole in it. Here the
// pixel data the header promises, plain or run-length coded, must be there.
#include "zephyrun.h"

#include <strings.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace zephyrun {

namespace {

const char *const cut_short = "it is cut short";

int64_t little_endian(const std::vector<unsigned char> &bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; i--) value = value << 8 | bytes[at + i];
  return count == 4 ? static_cast<int32_t>(value) : static_cast<int64_t>(value);
}

// Walks BMP run-length codes from `at`: held when the codes end the picture
// (end of picture, or `rows` ends of line) before the file does.
bool bmp_runs_held(const std::vector<unsigned char> &bytes, size_t at, int64_t rows,
                   bool four_bit) {
  const size_t end = bytes.size();
  int64_t lines = 0;
  while (at + 2 <= end) {
    const int count = bytes[at], code = bytes[at + 1];
    at += 2;
    if (count > 0 || code == 0) {
      if (count == 0 && ++lines >= rows) return true;
      continue;
    }
    if (code == 1) return true;
    if (code == 2) {
      at += 2;
      continue;
    }
    const size_t literal = four_bit ? (code + 1) / 2 : code;
    at += (literal + 1) / 2 * 2;  // literals are padded to whole words
  }
  return false;
}

std::string bmp_fault(const std::vector<unsigned char> &bytes) {
  if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') return "it is not a BMP picture";
  const int64_t data_start = little_endian(bytes, 10, 4);
  const int64_t header_size = little_endian(bytes, 14, 4);
  int64_t width, height, bits, compression = 0;
  if (header_size == 12) {
    width = little_endian(bytes, 18, 2);
    height = little_endian(bytes, 20, 2);
    bits = little_endian(bytes, 24, 2);
  } else if (header_size >= 40) {
    if (bytes.size() < 14 + 40) return cut_short;
    width = little_endian(bytes, 18, 4);
    height = little_endian(bytes, 22, 4);
    bits = little_endian(bytes, 28, 2);
    compression = little_endian(bytes, 30, 4);
  } else {
    return "it is not a BMP picture";
  }
  if (height < 0) height = -height;  // stored top row first
  if (width <= 0 || height == 0) return "it holds no pixels";
  if (data_start < 14 + header_size || static_cast<size_t>(data_start) > bytes.size())
    return cut_short;
  const bool plain = compression == 0 || (compression == 3 && (bits == 16 || bits == 32));
  if (plain && (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32)) {
    const int64_t row_bytes = (width * bits + 31) / 32 * 4;
    return data_start + row_bytes * height <= static_cast<int64_t>(bytes.size()) ? "" : cut_short;
  }
  if ((compression == 1 && bits == 8) || (compression == 2 && bits == 4))
    return bmp_runs_held(bytes, data_start, height, bits == 4) ? "" : cut_short;
  return "it is a kind of BMP picture that cannot be read";
}

// Walks TGA run-length packets from `at` over `pixels` pixels of `pixel_bytes`.
bool tga_runs_held(const std::vector<unsigned char> &bytes, size_t at, int64_t pixels,
                   int pixel_bytes) {
  while (pixels > 0) {
    if (at >= bytes.size()) return false;
    const int packet = bytes[at++];
    const int count = (packet & 0x7F) + 1;
    at += (packet & 0x80 ? 1 : count) * static_cast<size_t>(pixel_bytes);
    pixels -= count;
  }
  return at <= bytes.size();
}

std::string tga_fault(const std::vector<unsigned char> &bytes) {
  if (bytes.size() < 18) return "it is not a TGA picture";
  const int id_length = bytes[0], palette_type = bytes[1], image_type = bytes[2];
  const int64_t palette_colours = little_endian(bytes, 5, 2);
  const int palette_entry_bits = bytes[7], bits = bytes[16];
  const int64_t width = little_endian(bytes, 12, 2), height = little_endian(bytes, 14, 2);
  const int kind = image_type & 7;  // 1 palette, 2 true colour, 3 grey; +8 run-length coded
  const bool coded = image_type & 8;
  if (palette_type > 1 || kind < 1 || kind > 3 || (image_type & ~0xB) != 0)
    return "it is not a TGA picture";
  const bool true_colour = bits == 15 || bits == 16 || bits == 24 || bits == 32;
  if ((kind == 2 && !true_colour) || (kind != 2 && bits != 8))
    return "it is a kind of TGA picture that cannot be read";
  if (width == 0 || height == 0) return "it holds no pixels";
  const int64_t palette_bytes =
      palette_type == 1 ? palette_colours * ((palette_entry_bits + 7) / 8) : 0;
  const int64_t data_start = 18 + id_length + palette_bytes;
  const int pixel_bytes = (bits + 7) / 8;
  if (coded)
    return data_start <= static_cast<int64_t>(bytes.size()) &&
                   tga_runs_held(bytes, data_start, width * height, pixel_bytes)
               ? ""
               : cut_short;
  return data_start + width * height * pixel_bytes <= static_cast<int64_t>(bytes.size())
             ? ""
             : cut_short;
}

}  // namespace

std::string picture_file_fault(const char *name) {
  std::vector<unsigned char> bytes;
  if (FILE *file = std::fopen(name, "rb")) {
    unsigned char block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
      bytes.insert(bytes.end(), block, block + got);
    std::fclose(file);
  }
  if (bytes.empty()) return "it is empty";
  const char *extension = std::strrchr(name, '.');
  if (extension && strcasecmp(extension, ".bmp") == 0) return bmp_fault(bytes);
  if (extension && strcasecmp(extension, ".tga") == 0) return tga_fault(bytes);
  return "it is neither a BMP nor a TGA picture";
}

}  // namespace zephyrun
