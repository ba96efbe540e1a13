// BMP and TGA files written byte by byte from a bitmap's colours, and copies
// of the built assets with some of them replaced.
#include "picture_files.h"

#include <stdlib.h>

#include <fstream>

#include "game_process.h"
#include "test_support.h"

namespace testing_support {

static void put_little(Bytes &bytes, size_t at, int64_t value, int count) {
  for (int i = 0; i < count; i++) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

static void append_little(Bytes &bytes, int64_t value, int count) {
  bytes.resize(bytes.size() + count);
  put_little(bytes, bytes.size() - count, value, count);
}

// Colours are kept as 0xRRGGBB, whatever the picture's depth; the run-length
// BMP's palette takes 3 bits of red, 3 of green, 2 of blue.
static int palette_index(int rgb) {
  return (rgb >> 21 & 7) << 5 | (rgb >> 13 & 7) << 2 | (rgb >> 6 & 3);
}

static void append_bgr(Bytes &bytes, int rgb) {
  bytes.insert(bytes.end(), {static_cast<unsigned char>(rgb), static_cast<unsigned char>(rgb >> 8),
                             static_cast<unsigned char>(rgb >> 16)});
}

static Bytes bmp_header(int width, int height, int bits, int compression, int palette_colours) {
  Bytes bytes{'B', 'M'};
  const int data_start = 54 + 4 * palette_colours;
  append_little(bytes, 0, 4);  // file size: the library does not read it
  append_little(bytes, 0, 4);
  append_little(bytes, data_start, 4);
  append_little(bytes, 40, 4);
  append_little(bytes, width, 4);
  append_little(bytes, height, 4);
  append_little(bytes, 1, 2);
  append_little(bytes, bits, 2);
  append_little(bytes, compression, 4);
  for (int i = 0; i < 5; i++) append_little(bytes, 0, 4);
  for (int index = 0; index < palette_colours; index++) {
    bytes.insert(bytes.end(), {static_cast<unsigned char>((index & 3) * 85),
                               static_cast<unsigned char>((index >> 2 & 7) * 36),
                               static_cast<unsigned char>((index >> 5) * 36), 0});
  }
  return bytes;
}

// Runs of one colour only, each as long as the coding allows: literal stretches
// and raw packets are spelled out byte by byte by the tests that need them.
static void append_runs(Bytes &bytes, const std::vector<int> &row, bool tga) {
  for (size_t at = 0; at < row.size();) {
    size_t same = 1;
    while (at + same < row.size() && same < (tga ? 128u : 255u) && row[at + same] == row[at])
      same++;
    if (tga) {
      bytes.push_back(static_cast<unsigned char>(0x80 | (same - 1)));
      append_bgr(bytes, row[at]);
    } else {
      bytes.insert(bytes.end(), {static_cast<unsigned char>(same),
                                 static_cast<unsigned char>(palette_index(row[at]))});
    }
    at += same;
  }
}

Bytes encode_picture(BITMAP *picture, PictureCoding coding, bool top_down) {
  const int w = picture->w, h = picture->h;
  Bytes bytes;
  if (is_tga(coding)) {
    const bool coded = coding == PictureCoding::tga_run_length;
    bytes = {0, 0, static_cast<unsigned char>(coded ? 10 : 2), 0, 0, 0, 0, 0, 0, 0, 0, 0};
    append_little(bytes, w, 2);
    append_little(bytes, h, 2);
    bytes.push_back(24);
    bytes.push_back(top_down ? 0x20 : 0);
  } else if (coding == PictureCoding::bmp) {
    bytes = bmp_header(w, top_down ? -h : h, 24, 0, 0);
  } else {
    bytes = bmp_header(w, top_down ? -h : h, 8, 1, 256);
  }
  const int depth = bitmap_color_depth(picture);
  for (int stored = 0; stored < h; stored++) {
    const int y = top_down ? stored : h - 1 - stored;
    std::vector<int> row;
    for (int x = 0; x < w; x++) {
      const int colour = getpixel(picture, x, y);
      row.push_back(getr_depth(depth, colour) << 16 | getg_depth(depth, colour) << 8 |
                    getb_depth(depth, colour));
    }
    if (coding == PictureCoding::bmp || coding == PictureCoding::tga) {
      for (int rgb : row) append_bgr(bytes, rgb);
      while (coding == PictureCoding::bmp && (bytes.size() - 54) % 4) bytes.push_back(0);
      continue;
    }
    append_runs(bytes, row, is_tga(coding));
    if (!is_tga(coding)) bytes.insert(bytes.end(), {0, 0});  // end of row
  }
  if (coding == PictureCoding::bmp_run_length) bytes.insert(bytes.end(), {0, 1});
  return bytes;
}

void set_header_size(Bytes &bytes, PictureCoding coding, int64_t width, int64_t height) {
  if (is_tga(coding)) {
    put_little(bytes, 12, width, 2);
    put_little(bytes, 14, height, 2);
  } else {
    put_little(bytes, 18, width, 4);
    put_little(bytes, 22, height, 4);
  }
}

Bytes run_length_bmp(int width, int height, const Bytes &codes) {
  Bytes bytes = bmp_header(width, height, 8, 1, 256);
  bytes.insert(bytes.end(), codes.begin(), codes.end());
  return bytes;
}

bool write_bytes(const std::string &path, const Bytes &bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char *>(bytes.data()), bytes.size());
  return static_cast<bool>(file);
}

std::string asset_copy_with(const std::vector<std::pair<std::string, Bytes>> &replaced) {
  char dir_template[] = "/tmp/zephyrun-assets-XXXXXX";
  const std::string dir = mkdtemp(dir_template);
  run_command("cp " + built_asset_directory() + "/* " + dir);
  for (const auto &[name, bytes] : replaced) write_bytes(dir + "/" + name, bytes);
  return dir;
}

}  // namespace testing_support
