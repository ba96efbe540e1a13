// Writes Allegro datafiles of bitmap objects: Debian ships no grabber or dat
// tool, and the game's animation frames live in one.
#pragma once

#include <allegro.h>

#include <string>
#include <vector>

struct DatafileBitmap {
  std::string name;  // stored as the object's NAME property; empty for none
  BITMAP *bitmap;
};

// Writes the bitmaps, in order, as the objects of an uncompressed datafile
// that load_datafile reads back. Bitmaps of 15 or 16 bits are stored as 16-bit
// objects, 24 and 32 bits as 24-bit and 32-bit objects; 8-bit (paletted)
// bitmaps are not supported. False, with no file left behind, when a bitmap is
// missing or of an unsupported depth, or when the file cannot be written.
bool write_datafile(const char *path, const std::vector<DatafileBitmap> &objects);
