// Our own reading of a BMP or TGA picture before the library loads it. The
// library's loader trusts its file: it sizes the bitmap as width x height x
// bytes a pixel in an int, writes each run-length code where the code says and
// reads a TGA's palette into fixed tables. So the size is judged from the
// header alone, before any pixel is read or allocated; then the palette must
// fit, every run must stay inside its row and the picture, and the pixel data
// the header promises must be there (the library would fill what is missing
// with stray bytes). Top-down BMPs, which the library cannot load, are named.
#include "assets/assets.h"

#include <strings.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace zephyrun {

namespace {

const char *const cut_short = "it is cut short";
const char *const runs_outside = "its run-length codes reach outside the picture";
const char *const not_bmp = "it is not a BMP picture";
const char *const odd_tga = "it is a kind of TGA picture that cannot be read";
// The library reads a TGA's palette into tables of this many entries.
constexpr int64_t palette_entries = 256;
// Both headers and a whole palette fit in this; the size is judged from it.
constexpr size_t header_block = 2048;

int64_t little_endian(const unsigned char *bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; i--) value = value << 8 | bytes[at + i];
  return count == 4 ? static_cast<int32_t>(value) : static_cast<int64_t>(value);
}

// What a picture's header says; `fault` is set when the header alone is enough
// to refuse it.
struct Header {
  bool tga = false;
  int64_t width = 0, height = 0, bits = 0, compression = 0;
  bool top_down = false;
  int64_t data_start = 0, header_size = 0;
  std::string fault;
};

Header refuse(Header header, const char *why) {
  header.fault = why;
  return header;
}

Header read_bmp_header(const unsigned char *bytes, size_t length) {
  Header header;
  if (length < 26 || bytes[0] != 'B' || bytes[1] != 'M') return refuse(header, not_bmp);
  header.data_start = little_endian(bytes, 10, 4);
  const int64_t header_size = header.header_size = little_endian(bytes, 14, 4);
  if (header_size == 12) {
    header.width = little_endian(bytes, 18, 2);
    header.height = little_endian(bytes, 20, 2);
    header.bits = little_endian(bytes, 24, 2);
  } else if (header_size >= 40) {
    if (length < 14 + 40) return refuse(header, cut_short);
    header.width = little_endian(bytes, 18, 4);
    header.height = little_endian(bytes, 22, 4);
    header.bits = little_endian(bytes, 28, 2);
    header.compression = little_endian(bytes, 30, 4);
  } else {
    return refuse(header, not_bmp);
  }
  header.top_down = header.height < 0;
  if (header.top_down) header.height = -header.height;
  if (header.width <= 0 || header.height == 0) return refuse(header, "it holds no pixels");
  return header;
}

Header read_tga_header(const unsigned char *bytes, size_t length) {
  Header header;
  header.tga = true;
  if (length < 18) return refuse(header, "it is not a TGA picture");
  const int id_length = bytes[0], palette_type = bytes[1], image_type = bytes[2];
  const int64_t first_colour = little_endian(bytes, 3, 2);
  const int64_t palette_colours = little_endian(bytes, 5, 2);
  const int palette_entry_bits = bytes[7];
  header.bits = bytes[16];
  header.width = little_endian(bytes, 12, 2);
  header.height = little_endian(bytes, 14, 2);
  header.top_down = bytes[17] & 0x20;
  const int kind = image_type & 7;  // 1 palette, 2 true colour, 3 grey; +8 run-length coded
  header.compression = image_type & 8;
  if (palette_type > 1 || kind < 1 || kind > 3 || (image_type & ~0xB) != 0)
    return refuse(header, "it is not a TGA picture");
  const bool true_colour =
      header.bits == 15 || header.bits == 16 || header.bits == 24 || header.bits == 32;
  if ((kind == 2 && !true_colour) || (kind != 2 && header.bits != 8))
    return refuse(header, odd_tga);
  // The library reads every palette entry into a table of 256, at sizes it knows.
  const bool known_entry =
      palette_entry_bits == 16 || palette_entry_bits == 24 || palette_entry_bits == 32;
  if (palette_type == 1 && (!known_entry || first_colour != 0 || palette_colours > palette_entries))
    return refuse(header, odd_tga);
  if (header.width == 0 || header.height == 0) return refuse(header, "it holds no pixels");
  const int64_t palette_bytes = palette_type == 1 ? palette_colours * (palette_entry_bits / 8) : 0;
  header.data_start = 18 + id_length + palette_bytes;
  return header;
}

Header read_header(const unsigned char *bytes, size_t length, bool tga, const PictureSize &needed) {
  Header header = tga ? read_tga_header(bytes, length) : read_bmp_header(bytes, length);
  if (header.fault.empty()) header.fault = picture_size_fault(header.width, header.height, needed);
  return header;
}

// Walks BMP run-length codes from `at` as the library's loader does: bottom
// row first, each run written where the codes have moved to. Sound when the
// codes end the picture before the file ends and never write outside it.
std::string bmp_runs_fault(const unsigned char *bytes, size_t length, size_t at,
                           const Header &header) {
  const bool four_bit = header.bits == 4;
  int64_t column = 0, row = header.height - 1;
  while (at + 2 <= length) {
    const int count = bytes[at], code = bytes[at + 1];
    at += 2;
    if (count > 0 || code > 2) {  // a repeated pixel, or `code` pixels given one by one
      const int pixels = count > 0 ? count : code;
      if (column + pixels > header.width) return runs_outside;
      column += pixels;
      if (count == 0) {
        const size_t literal = four_bit ? (code + 1) / 2 : code;
        at += (literal + 1) / 2 * 2;  // padded to whole words
      }
    } else if (code == 0) {  // end of row
      column = 0;
      if (--row < 0) return "";
    } else if (code == 1) {  // end of picture
      return "";
    } else {  // a move right and up
      if (at + 2 > length) break;
      column += bytes[at];
      row -= bytes[at + 1];
      at += 2;
      if (column > header.width || row < 0) return runs_outside;
    }
  }
  return cut_short;
}

std::string bmp_data_fault(const unsigned char *bytes, size_t length, const Header &header) {
  // The library sizes its bitmap by the signed row count, and so fails.
  if (header.top_down) return "it is stored top row first, which the library cannot read";
  if (header.data_start < 14 + header.header_size ||
      header.data_start > static_cast<int64_t>(length))
    return cut_short;
  const int64_t bits = header.bits, compression = header.compression;
  const bool plain = compression == 0 || (compression == 3 && (bits == 16 || bits == 32));
  if (plain && (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32)) {
    const int64_t row_bytes = (header.width * bits + 31) / 32 * 4;
    return header.data_start + row_bytes * header.height <= static_cast<int64_t>(length)
               ? ""
               : cut_short;
  }
  const bool coded = (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
  if (!coded) return "it is a kind of BMP picture that cannot be read";
  return bmp_runs_fault(bytes, length, header.data_start, header);
}

// Walks TGA run-length packets from `at`. The library decodes row by row and
// lets a packet run on past the row's end, so each packet must end within its row.
std::string tga_runs_fault(const unsigned char *bytes, size_t length, size_t at,
                           const Header &header) {
  const int pixel_bytes = static_cast<int>(header.bits + 7) / 8;
  for (int64_t row = 0; row < header.height; row++)
    for (int64_t left = header.width; left > 0;) {
      if (at >= length) return cut_short;
      const int packet = bytes[at++];
      const int count = (packet & 0x7F) + 1;
      if (count > left) return runs_outside;
      at += (packet & 0x80 ? 1 : count) * static_cast<size_t>(pixel_bytes);
      left -= count;
    }
  return at <= length ? "" : cut_short;
}

std::string tga_data_fault(const unsigned char *bytes, size_t length, const Header &header) {
  if (header.data_start > static_cast<int64_t>(length)) return cut_short;
  if (header.compression) return tga_runs_fault(bytes, length, header.data_start, header);
  const int64_t pixel_bytes = (header.bits + 7) / 8;
  return header.data_start + header.width * header.height * pixel_bytes <=
                 static_cast<int64_t>(length)
             ? ""
             : cut_short;
}

std::string size_text(int64_t width, int64_t height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

std::string picture_size_fault(int64_t width, int64_t height, const PictureSize &needed) {
  if (width >= needed.least_width && width <= needed.most_width && height >= needed.least_height &&
      height <= needed.most_height)
    return "";
  const std::string least = size_text(needed.least_width, needed.least_height);
  const std::string most = size_text(needed.most_width, needed.most_height);
  return size_text(width, height) + " where " + (least == most ? least : least + " to " + most) +
         " is needed";
}

std::string picture_fault(const unsigned char *bytes, size_t length, bool tga,
                          const PictureSize &needed) {
  const Header header = read_header(bytes, length, tga, needed);
  if (!header.fault.empty()) return header.fault;
  return tga ? tga_data_fault(bytes, length, header) : bmp_data_fault(bytes, length, header);
}

std::string picture_file_fault(const char *name, const PictureSize &needed) {
  const char *extension = std::strrchr(name, '.');
  const bool bmp = extension && strcasecmp(extension, ".bmp") == 0;
  const bool tga = extension && strcasecmp(extension, ".tga") == 0;
  if (!bmp && !tga) return "it is neither a BMP nor a TGA picture";
  const std::string unreadable = plain_file_fault(name);
  if (!unreadable.empty()) return unreadable;
  FILE *file = std::fopen(name, "rb");
  if (!file) return "it cannot be read";  // gone since it was asked
  std::vector<unsigned char> bytes(header_block);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  const Header header = read_header(bytes.data(), bytes.size(), tga, needed);
  // Past a sound header, no picture of a needed size takes more than six
  // bytes a pixel however it is coded; a longer file is read only that far.
  const size_t most = header.fault.empty()
                          ? header_block + 6 * header.width * header.height + 4 * header.height
                          : 0;
  unsigned char block[65536];
  size_t got;
  while (bytes.size() < most && (got = std::fread(block, 1, sizeof block, file)) > 0)
    bytes.insert(bytes.end(), block, block + got);
  std::fclose(file);
  if (bytes.empty()) return "it is empty";
  if (!header.fault.empty()) return header.fault;
  return picture_fault(bytes.data(), bytes.size(), tga, needed);
}

}  // namespace zephyrun
