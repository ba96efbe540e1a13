// The datafile layout: the datafile magic (the packfile layer puts its own
// "not packed" magic before it), the object count, then per object its
// properties, type, sizes and data; numbers are big-endian except the 16-bit
// pixels, which Allegro reads little-endian.
#include "asset_maker.h"

#include <cstdio>

namespace asset_maker {

namespace {

bool supported_depth(int depth) { return depth == 15 || depth == 16 || depth == 24 || depth == 32; }

// Depth field of the object: hicolour is always stored as 5.6.5.
int stored_depth(int depth) { return depth == 15 ? 16 : depth; }

long pixel_bytes(const BITMAP *bmp) {
  int per_pixel = bitmap_color_depth(const_cast<BITMAP *>(bmp)) <= 16 ? 2 : 3;
  return static_cast<long>(bmp->w) * bmp->h * per_pixel;
}

void write_property(PACKFILE *f, int type, const std::string &text) {
  pack_mputl(DAT_PROPERTY, f);
  pack_mputl(type, f);
  pack_mputl(static_cast<long>(text.size()), f);
  pack_fwrite(text.data(), static_cast<long>(text.size()), f);
}

void write_pixels(PACKFILE *f, BITMAP *bmp) {
  const int depth = bitmap_color_depth(bmp);
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++) {
      int c = getpixel(bmp, x, y);
      int r = getr_depth(depth, c), g = getg_depth(depth, c), b = getb_depth(depth, c);
      if (depth <= 16) {
        pack_iputw(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3), f);
      } else {
        pack_putc(r, f);
        pack_putc(g, f);
        pack_putc(b, f);
      }
    }
}

void write_bitmap_object(PACKFILE *f, const DatafileBitmap &object) {
  BITMAP *bmp = object.bitmap;
  if (!object.name.empty()) write_property(f, DAT_NAME, object.name);
  const long size = 6 + pixel_bytes(bmp);
  pack_mputl(DAT_BITMAP, f);
  pack_mputl(size, f);  // stored size
  pack_mputl(size, f);  // unpacked size: positive means not compressed
  pack_mputw(stored_depth(bitmap_color_depth(bmp)), f);
  pack_mputw(bmp->w, f);
  pack_mputw(bmp->h, f);
  write_pixels(f, bmp);
}

}  // namespace

bool write_datafile(const char *path, const std::vector<DatafileBitmap> &objects) {
  for (const DatafileBitmap &object : objects)
    if (!object.bitmap || !supported_depth(bitmap_color_depth(object.bitmap))) return false;

  PACKFILE *f = pack_fopen(path, F_WRITE_NOPACK);
  if (!f) return false;
  pack_mputl(DAT_MAGIC, f);
  pack_mputl(static_cast<long>(objects.size()), f);
  for (const DatafileBitmap &object : objects) write_bitmap_object(f, object);

  bool ok = pack_ferror(f) == 0;
  ok = pack_fclose(f) == 0 && ok;
  if (!ok) std::remove(path);
  return ok;
}

}  // namespace asset_maker
