#include "picture_files.h"

#include <stdlib.h>

#include <fstream>

#include "game_process.h"

namespace testing_support {

namespace {

void put_little(Bytes &bytes, size_t at, int64_t value, int count) {
  for (int i = 0; i < count; i++) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

void append_little(Bytes &bytes, int64_t value, int count) {
  bytes.resize(bytes.size() + count);
  put_little(bytes, bytes.size() - count, value, count);
}

// The file's rows in their stored order.
std::vector<int> stored_rows(int height, bool top_down) {
  std::vector<int> rows;
  for (int i = 0; i < height; i++) rows.push_back(top_down ? i : height - 1 - i);
  return rows;
}

// Colours are kept as 0xRRGGBB, whatever the picture's depth.
int red(int rgb) { return rgb >> 16 & 255; }
int green(int rgb) { return rgb >> 8 & 255; }
int blue(int rgb) { return rgb & 255; }

// 3 bits of red, 3 of green, 2 of blue.
int palette_index(int rgb) {
  return (red(rgb) >> 5) << 5 | (green(rgb) >> 5) << 2 | blue(rgb) >> 6;
}

Bytes bmp_header(int width, int height, int bits, int compression, int palette_colours) {
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

void append_bmp_runs(Bytes &bytes, const std::vector<int> &row) {
  for (size_t at = 0; at < row.size();) {
    size_t same = 1;
    while (at + same < row.size() && same < 255 && row[at + same] == row[at]) same++;
    if (same >= 2 || row.size() - at < 3) {
      bytes.insert(bytes.end(), {static_cast<unsigned char>(same),
                                 static_cast<unsigned char>(row[at])});
      at += same;
      continue;
    }
    size_t literal = 1;  // until two alike begin a run
    while (at + literal < row.size() && literal < 255 &&
           (at + literal + 1 >= row.size() || row[at + literal] != row[at + literal + 1]))
      literal++;
    if (literal < 3) literal = 3;
    bytes.insert(bytes.end(), {0, static_cast<unsigned char>(literal)});
    for (size_t i = 0; i < literal; i++) bytes.push_back(static_cast<unsigned char>(row[at + i]));
    if (literal % 2) bytes.push_back(0);
    at += literal;
  }
}

void append_tga_packets(Bytes &bytes, const std::vector<int> &row) {
  const auto append_pixel = [&bytes](int rgb) {
    bytes.insert(bytes.end(), {static_cast<unsigned char>(blue(rgb)),
                               static_cast<unsigned char>(green(rgb)),
                               static_cast<unsigned char>(red(rgb))});
  };
  for (size_t at = 0; at < row.size();) {
    size_t same = 1;
    while (at + same < row.size() && same < 128 && row[at + same] == row[at]) same++;
    if (same >= 2) {
      bytes.push_back(static_cast<unsigned char>(0x80 | (same - 1)));
      append_pixel(row[at]);
      at += same;
      continue;
    }
    size_t raw = 1;
    while (at + raw < row.size() && raw < 128 &&
           (at + raw + 1 >= row.size() || row[at + raw] != row[at + raw + 1]))
      raw++;
    bytes.push_back(static_cast<unsigned char>(raw - 1));
    for (size_t i = 0; i < raw; i++) append_pixel(row[at + i]);
    at += raw;
  }
}

}  // namespace

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
  for (int y : stored_rows(h, top_down)) {
    std::vector<int> row;
    for (int x = 0; x < w; x++) {
      const int colour = getpixel(picture, x, y);
      row.push_back(getr_depth(depth, colour) << 16 | getg_depth(depth, colour) << 8 |
                    getb_depth(depth, colour));
    }
    if (coding == PictureCoding::bmp_run_length) {
      for (int &colour : row) colour = palette_index(colour);
      append_bmp_runs(bytes, row);
      bytes.insert(bytes.end(), {0, 0});  // end of row
    } else if (coding == PictureCoding::tga_run_length) {
      append_tga_packets(bytes, row);
    } else {
      for (int rgb : row)
        bytes.insert(bytes.end(), {static_cast<unsigned char>(blue(rgb)),
                                   static_cast<unsigned char>(green(rgb)),
                                   static_cast<unsigned char>(red(rgb))});
      while (coding == PictureCoding::bmp && (bytes.size() - 54) % 4) bytes.push_back(0);
    }
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

std::string asset_copy_at_size_limits(bool largest) {
  const auto flat = [](int w, int h, PictureCoding coding) {
    BITMAP *picture = create_bitmap_ex(24, w, h);
    clear_to_color(picture, makecol_depth(24, 120, 90, 60));
    Bytes bytes = encode_picture(picture, coding);
    destroy_bitmap(picture);
    return bytes;
  };
  if (largest)
    return asset_copy_with({{"terreno.tga", flat(16384, 200, PictureCoding::tga_run_length)},
                            {"asteroide.tga", flat(4096, 4096, PictureCoding::tga_run_length)},
                            {"cielo.bmp", flat(640, 480, PictureCoding::bmp_run_length)}});
  return asset_copy_with({{"asteroide.tga", flat(1, 1, PictureCoding::tga)},
                          {"present.bmp", flat(640, 480, PictureCoding::bmp_run_length)}});
}

}  // namespace testing_support
