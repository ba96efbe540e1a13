// Our own reading of a datafile's structure, before the library's loader sees
// it: that loader trusts every count and size it reads, and a file cut short
// or a size that lies sends it through null pointers and double frees. So
// every property, object header and size is held against the bytes that are
// really there, nested datafiles included, and so is the part of each object's
// contents the loader sizes its reads and allocations by.
#include "assets/assets.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zephyrun {

namespace {

// Deeper nesting than any grabber file has; it keeps the loader's recursion short.
constexpr int deepest_nesting = 16;
// Every object takes at least its type and two sizes.
constexpr int64_t smallest_object = 12;
// What we read of a datafile file at most, unpacked: room for a bitmap at the
// largest size the game takes (4096x4096, 4 bytes a pixel: 64 MB) and the other
// objects beside it, far short of what a packed file could unpack to.
constexpr size_t most_datafile_megabytes = 80;

// The bytes still to read, and what is wrong once something is.
struct Reader {
  const unsigned char *at;
  int64_t left;
  std::string fault;

  bool skip(int64_t count) {
    if (count < 0 || count > left) return false;
    at += count;
    left -= count;
    return true;
  }
  bool big_endian(int bytes, int64_t &value) {
    if (left < bytes) return false;
    uint32_t raw = 0;
    for (int i = 0; i < bytes; i++) raw = raw << 8 | at[i];
    skip(bytes);
    value = bytes == 4 ? static_cast<int32_t>(raw) : static_cast<int64_t>(raw);
    return true;
  }
  bool fail(const std::string &what) {
    if (fault.empty()) fault = what;
    return false;
  }
};

bool check_objects(Reader &in, int64_t count, int depth, const std::string &path);

// Bytes a pixel of a datafile bitmap of `bits` takes, 0 for no such depth.
int stored_pixel_bytes(int64_t bits) {
  if (bits == 8) return 1;
  if (bits == 15 || bits == 16) return 2;
  if (bits == 24 || bits == 32) return 3;
  if (bits == 0xFFE0) return 4;  // -32: RGBA
  return 0;
}

bool check_bitmap(Reader &in, const std::string &path) {
  int64_t bits, width, height;
  if (!in.big_endian(2, bits) || !in.big_endian(2, width) || !in.big_endian(2, height))
    return false;
  // The loader sizes the bitmap in an int: it gets the bound of a picture file's actor.
  if (width > actor_size.most_width || height > actor_size.most_height)
    return in.fail(path + " is " + std::to_string(width) + "x" + std::to_string(height) +
                   ", larger than " + std::to_string(actor_size.most_width) + "x" +
                   std::to_string(actor_size.most_height));
  const int pixel = stored_pixel_bytes(bits);
  return pixel != 0 && in.left >= width * height * pixel;
}

bool check_sample(Reader &in) {
  int64_t bits, frequency, length;
  if (!in.big_endian(2, bits) || !in.big_endian(2, frequency) || !in.big_endian(4, length))
    return false;
  const bool stereo = bits >= 0x8000;
  if (stereo) bits = 0x10000 - bits;
  return (bits == 8 || bits == 16) && length >= 0 &&
         in.left >= length * (stereo ? 2 : 1) * (bits / 8);
}

bool check_midi(Reader &in) {
  int64_t divisions, length;
  if (!in.big_endian(2, divisions)) return false;
  for (int track = 0; track < 32; track++)
    if (!in.big_endian(4, length) || !in.skip(length)) return false;
  return true;
}

bool check_glyph(Reader &in, bool mono) {
  int64_t width, height;
  if (!in.big_endian(2, width) || !in.big_endian(2, height)) return false;
  return in.skip(mono ? (width + 7) / 8 * height : width * height);
}

bool check_font(Reader &in) {
  int64_t size, ranges;
  if (!in.big_endian(2, size)) return false;
  if (size == 8 || size == 16) return in.skip(95 * size);
  if (size == 0xFFFF) {  // -1: proportional, 8-bit glyphs
    for (int glyph = 0; glyph < 95; glyph++)
      if (!check_glyph(in, false)) return false;
    return true;
  }
  // The library cannot even free a font without a range.
  if (size != 0 || !in.big_endian(2, ranges) || ranges == 0) return false;
  for (int64_t range = 0; range < ranges; range++) {
    int64_t mono, first, last;
    if (!in.big_endian(1, mono) || !in.big_endian(4, first) || !in.big_endian(4, last))
      return false;
    // Every glyph takes at least its two sizes.
    if ((mono != 1 && mono != 8) || first < 0 || last < first || (last - first + 1) * 4 > in.left)
      return false;
    for (int64_t glyph = first; glyph <= last; glyph++)
      if (!check_glyph(in, mono == 1)) return false;
  }
  return true;
}

// The contents of one object, `in` holding exactly its stored bytes.
bool check_contents(Reader &in, int64_t type, int depth, const std::string &path) {
  if (type == DAT_FILE) {
    int64_t count;
    if (depth >= deepest_nesting) return in.fail(path + " nests datafiles too deep");
    if (!in.big_endian(4, count)) return in.fail(path + " is a datafile without an object count");
    return check_objects(in, count, depth + 1, path + "/");
  }
  // The loader converts an RLE sprite's runs into a buffer it sizes by the
  // stored size alone, so runs that lie write past it; the game has no use
  // for one, so none is taken.
  if (type == DAT_RLE_SPRITE) return in.fail(path + " is an RLE sprite, which is not read");
  bool sound = true;
  if (type == DAT_BITMAP || type == DAT_C_SPRITE || type == DAT_XC_SPRITE)
    sound = check_bitmap(in, path);
  else if (type == DAT_SAMPLE)
    sound = check_sample(in);
  else if (type == DAT_MIDI)
    sound = check_midi(in);
  else if (type == DAT_FONT)
    sound = check_font(in);
  else if (type == DAT_PALETTE)
    sound = in.left >= 256 * 4;
  // Any other type is plain bytes to the loader.
  return sound || in.fail(path + " has contents larger than its stored size");
}

bool check_objects(Reader &in, int64_t count, int depth, const std::string &path) {
  if (count < 0) return in.fail("a negative object count");
  if (count > in.left / smallest_object)
    return in.fail("it is cut short: " + std::to_string(count) + " objects do not fit");
  for (int64_t n = 0; n < count; n++) {
    const std::string object = "object " + path + std::to_string(n);
    const std::string cut_short = "it is cut short inside " + object;
    int64_t type, stored, unpacked;
    for (;;) {
      if (!in.big_endian(4, type)) return in.fail(cut_short);
      if (type != DAT_PROPERTY) break;
      int64_t property, length;
      if (!in.big_endian(4, property) || !in.big_endian(4, length) || !in.skip(length))
        return in.fail(cut_short);
      // The library loses track of a property of the end type.
      if (property == DAT_END) return in.fail(object + " has a property of the end type");
    }
    if (!in.big_endian(4, stored) || !in.big_endian(4, unpacked)) return in.fail(cut_short);
    // The loader ends its object list at the first object of the end type.
    if (type == DAT_END) return in.fail(object + " has the type that marks the end");
    if (stored < 0) return in.fail(object + " has a negative size");
    // Compressed on its own, its contents cannot be held against their sizes here.
    if (unpacked < 0) return in.fail(object + " is compressed on its own, which is not read");
    if (unpacked != stored) return in.fail(object + " has two different sizes");
    Reader contents{in.at, stored, ""};
    if (!in.skip(stored)) return in.fail(cut_short);
    if (!check_contents(contents, type, depth, object)) return in.fail(contents.fault);
  }
  return true;
}

}  // namespace

std::string datafile_fault(const unsigned char *bytes, size_t length) {
  Reader in{bytes, static_cast<int64_t>(length), ""};
  int64_t magic, count;
  if (!in.big_endian(4, magic) || magic != DAT_MAGIC) return "it is not an Allegro datafile";
  if (!in.big_endian(4, count)) return "it is cut short before its object count";
  check_objects(in, count, 0, "");
  return in.fault;
}

std::string datafile_file_fault(const char *name) {
  const std::string unreadable = plain_file_fault(name);
  if (!unreadable.empty()) return unreadable;
  PACKFILE *file = pack_fopen(name, F_READ_PACKED);
  if (!file) return "it is not an Allegro datafile";
  const size_t most = most_datafile_megabytes << 20;
  std::vector<unsigned char> bytes;
  unsigned char block[65536];
  long got;
  while (bytes.size() <= most && (got = pack_fread(block, sizeof block, file)) > 0) {
    bytes.insert(bytes.end(), block, block + got);
    if (got < static_cast<long>(sizeof block)) break;
  }
  pack_fclose(file);
  if (bytes.size() > most)
    return "it holds more than " + std::to_string(most_datafile_megabytes) +
           " MB, more than the game can need";
  return datafile_fault(bytes.data(), bytes.size());
}

}  // namespace zephyrun
