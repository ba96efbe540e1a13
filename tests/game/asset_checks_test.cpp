// The asset checks at the edges of each decision, on small made-up files and
// without a window: every row sits on one side of one edge and says which.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "picture_files.h"
#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using zephyrun::PictureSize;
using Coding = PictureCoding;

namespace {

Bytes picture(Coding coding, int w, int h, bool top_down = false) {
  return encode_picture(make_pattern_bitmap(w, h).get(), coding, top_down);
}
Bytes flat_picture(Coding coding, int w, int h) {
  return encode_picture(make_filled_bitmap(w, h, makecol(200, 40, 40)).get(), coding);
}
Bytes cut(Bytes bytes, size_t count) {
  bytes.resize(bytes.size() - count);
  return bytes;
}
// A 2x2 picture whose header claims another size.
Bytes claiming(Coding coding, int64_t w, int64_t h) {
  Bytes bytes = picture(coding, 2, 2);
  set_header_size(bytes, coding, w, h);
  return bytes;
}
// An 8-bit TGA over a palette of `colours` 24-bit entries, w x h pixels of 0.
Bytes palette_tga(int colours, int w, int h) {
  Bytes bytes{0, 1, 1, 0, 0, static_cast<unsigned char>(colours),
              static_cast<unsigned char>(colours >> 8), 24, 0, 0, 0, 0,
              static_cast<unsigned char>(w), 0, static_cast<unsigned char>(h), 0, 8, 0};
  bytes.resize(bytes.size() + 3 * colours + w * h);
  return bytes;
}
Bytes tga_packets(int w, int h, const Bytes &packets) {
  Bytes bytes = picture(Coding::tga_run_length, w, h);
  bytes.resize(18);
  bytes.insert(bytes.end(), packets.begin(), packets.end());
  return bytes;
}

struct PictureCase {
  const char *proves;
  Coding coding;
  PictureSize needed;
  std::function<Bytes()> make;
  const char *fault;  // a part of the message; "" for a sound picture
};

void expect_cases(const std::vector<PictureCase> &cases) {
  start_headless_allegro(15);
  for (const PictureCase &row : cases) {
    const Bytes bytes = row.make();
    const std::string fault =
        zephyrun::picture_fault(bytes.data(), bytes.size(), is_tga(row.coding), row.needed);
    if (!*row.fault)
      EXPECT_EQ(fault, "") << row.proves;
    else
      EXPECT_NE(fault.find(row.fault), std::string::npos) << row.proves << ": said " << fault;
  }
}

constexpr PictureSize screen = zephyrun::full_screen_size, ground = zephyrun::ground_size,
                      actor = zephyrun::actor_size;
constexpr Coding bmp = Coding::bmp, bmp_rle = Coding::bmp_run_length, tga = Coding::tga,
                 tga_rle = Coding::tga_run_length;

TEST(PictureCheck, SizesAreJudgedFromTheHeaderAtBothSidesOfEachLimit) {
  const char *const sound_size = "cut short";  // the size passes; the 2x2 pixels do not
  expect_cases({
      {"640x480 is a full-screen size", bmp, screen, [] { return claiming(bmp, 640, 480); },
       sound_size},
      {"one column more", bmp, screen, [] { return claiming(bmp, 641, 480); },
       "641x480 where 640x480 is needed"},
      {"one column fewer", bmp_rle, screen, [] { return claiming(bmp_rle, 639, 480); },
       "639x480 where 640x480"},
      {"one row more", bmp_rle, screen, [] { return claiming(bmp_rle, 640, 481); }, "640x481"},
      {"one row fewer", bmp, screen, [] { return claiming(bmp, 640, 479); }, "640x479"},
      {"a top-down picture's rows are counted without their sign", bmp, screen,
       [] { return claiming(bmp, 640, -481); }, "640x481 where"},
      {"top-down 480 rows is full-screen too, but not loadable", bmp, screen,
       [] { return claiming(bmp, 640, -480); }, "top row first"},
      {"1280 columns is the narrowest ground", tga, ground,
       [] { return claiming(tga, 1280, 200); }, sound_size},
      {"16384 columns is the widest ground", tga_rle, ground,
       [] { return claiming(tga_rle, 16384, 200); }, sound_size},
      {"one column narrower", tga, ground, [] { return claiming(tga, 1279, 200); },
       "1279x200 where 1280x200 to 16384x200 is needed"},
      {"one column wider", tga_rle, ground, [] { return claiming(tga_rle, 16385, 200); },
       "16385x200 where"},
      {"one ground row more", tga, ground, [] { return claiming(tga, 1280, 201); }, "1280x201"},
      {"one ground row fewer", tga, ground, [] { return claiming(tga, 1280, 199); }, "1280x199"},
      {"4096x4096 is the largest actor", tga_rle, actor,
       [] { return claiming(tga_rle, 4096, 4096); }, sound_size},
      {"one actor column more", tga_rle, actor, [] { return claiming(tga_rle, 4097, 4096); },
       "4097x4096 where 1x1 to 4096x4096"},
      {"one actor row more", bmp, actor, [] { return claiming(bmp, 4096, 4097); }, "4096x4097"},
      {"1x1 is the smallest actor", tga, actor, [] { return picture(tga, 1, 1); }, ""},
      {"no columns", tga, actor, [] { return claiming(tga, 0, 1); }, "holds no pixels"},
      {"a BMP size whose pixel bytes overflow an int", bmp_rle, actor,
       [] { return claiming(bmp_rle, 65537, 65536); }, "65537x65536 where"},
      {"a TGA size whose pixel bytes overflow an int", tga_rle, screen,
       [] { return claiming(tga_rle, 65535, 65535); }, "65535x65535 where 640x480"},
  });
}

TEST(PictureCheck, PlainPixelsMustAllBeThereWithTheirRowPadding) {
  expect_cases({
      {"3 columns at 24 bits take 12 bytes a row, padding included", bmp, actor,
       [] { return picture(bmp, 3, 2); }, ""},
      {"rows without their padding are cut short", bmp, actor,
       [] { return cut(picture(bmp, 3, 2), 6); }, "cut short"},
      {"4 columns need no padding: whole", bmp, actor, [] { return picture(bmp, 4, 2); }, ""},
      {"4 columns, one byte short", bmp, actor, [] { return cut(picture(bmp, 4, 2), 1); },
       "cut short"},
      {"a top-down BMP, which the library cannot load", bmp, actor,
       [] { return picture(bmp, 3, 2, true); }, "top row first"},
      {"a top-down TGA whole", tga, actor, [] { return picture(tga, 3, 2, true); }, ""},
      {"a top-down TGA one byte short", tga, actor,
       [] { return cut(picture(tga, 3, 2, true), 1); }, "cut short"},
      {"TGA whole", tga, actor, [] { return picture(tga, 3, 2); }, ""},
      {"TGA one byte short", tga, actor, [] { return cut(picture(tga, 3, 2), 1); }, "cut short"},
      {"a palette of 256 colours", tga, actor, [] { return palette_tga(256, 2, 2); }, ""},
      {"a palette of 257 colours overflows the library's table", tga, actor,
       [] { return palette_tga(257, 2, 2); }, "cannot be read"},
      {"a palette but one pixel byte short", tga, actor,
       [] { return cut(palette_tga(256, 2, 2), 1); }, "cut short"},
  });
}

TEST(PictureCheck, RunLengthCodesMustEndInTheFileAndStayInsideThePicture) {
  expect_cases({
      {"BMP codes ending at the last row's end, without an end of picture", bmp_rle, actor,
       [] { return cut(picture(bmp_rle, 5, 3), 2); }, ""},
      {"BMP codes ending one byte before that", bmp_rle, actor,
       [] { return cut(picture(bmp_rle, 5, 3), 3); }, "cut short"},
      {"BMP runs of one colour, whole", bmp_rle, actor,
       [] { return flat_picture(bmp_rle, 300, 2); }, ""},
      {"a run to the row's end", bmp_rle, actor,
       [] { return run_length_bmp(4, 2, {4, 7, 0, 0, 4, 7, 0, 1}); }, ""},
      {"a run one pixel past it", bmp_rle, actor,
       [] { return run_length_bmp(4, 2, {5, 7, 0, 0, 4, 7, 0, 1}); }, "outside the picture"},
      {"literal pixels past the row's end", bmp_rle, actor,
       [] { return run_length_bmp(4, 1, {2, 7, 0, 3, 1, 2, 3, 0, 0, 1}); }, "outside"},
      {"literal pixels exactly filling the row", bmp_rle, actor,
       [] { return run_length_bmp(5, 1, {2, 7, 0, 3, 1, 2, 3, 0, 0, 1}); }, ""},
      {"a move up to the top row", bmp_rle, actor,
       [] { return run_length_bmp(4, 2, {0, 2, 0, 1, 4, 7, 0, 1}); }, ""},
      {"a move up past it", bmp_rle, actor,
       [] { return run_length_bmp(4, 2, {0, 2, 0, 2, 0, 1}); }, "outside"},
      {"a move right to the row's end", bmp_rle, actor,
       [] { return run_length_bmp(4, 2, {0, 2, 4, 0, 0, 1}); }, ""},
      {"a move right past it", bmp_rle, actor,
       [] { return run_length_bmp(4, 2, {0, 2, 5, 0, 0, 1}); }, "outside"},
      {"codes that never end the picture", bmp_rle, actor,
       [] { return run_length_bmp(4, 2, {4, 7, 0, 0}); }, "cut short"},
      {"top-down TGA packets", tga_rle, actor, [] { return picture(tga_rle, 5, 3, true); }, ""},
      {"TGA packets ending exactly at the file's end", tga_rle, actor,
       [] { return picture(tga_rle, 5, 3); }, ""},
      {"TGA packets ending one byte early", tga_rle, actor,
       [] { return cut(picture(tga_rle, 5, 3), 1); }, "cut short"},
      {"a TGA packet to its row's end", tga_rle, actor,
       [] { return tga_packets(4, 2, {0x83, 1, 2, 3, 0x83, 1, 2, 3}); }, ""},
      {"a TGA packet one pixel past its row's end", tga_rle, actor,
       [] { return tga_packets(4, 2, {0x84, 1, 2, 3, 0x82, 1, 2, 3}); }, "outside"},
  });
}

// ---- Datafiles, byte by byte ----

void append_big(Bytes &bytes, int64_t value, int count) {
  for (int i = count - 1; i >= 0; i--) bytes.push_back(static_cast<unsigned char>(value >> 8 * i));
}
constexpr int64_t kTrueLength = INT64_MIN;
struct Object {
  int type;
  Bytes contents;
  int64_t stored = kTrueLength, unpacked = kTrueLength;
};
Bytes objects_of(const std::vector<Object> &objects, int64_t count) {
  Bytes bytes;
  append_big(bytes, count, 4);
  for (const Object &object : objects) {
    append_big(bytes, object.type, 4);
    const int64_t length = static_cast<int64_t>(object.contents.size());
    append_big(bytes, object.stored == kTrueLength ? length : object.stored, 4);
    append_big(bytes, object.unpacked == kTrueLength ? length : object.unpacked, 4);
    bytes.insert(bytes.end(), object.contents.begin(), object.contents.end());
  }
  return bytes;
}
Bytes datafile(const std::vector<Object> &objects, int64_t count = -1) {
  Bytes bytes;
  append_big(bytes, DAT_MAGIC, 4);
  const Bytes rest = objects_of(objects, count < 0 ? objects.size() : count);
  bytes.insert(bytes.end(), rest.begin(), rest.end());
  return bytes;
}
// A 16-bit bitmap object's contents holding `pixel_bytes` bytes of pixels.
Bytes bitmap(int w, int h, int64_t pixel_bytes) {
  Bytes bytes;
  append_big(bytes, 16, 2);
  append_big(bytes, w, 2);
  append_big(bytes, h, 2);
  bytes.resize(bytes.size() + pixel_bytes);
  return bytes;
}
Object nested(int levels) {
  Object inner{DAT_DATA, {1}};
  for (int level = 0; level < levels; level++) inner = {DAT_FILE, objects_of({inner}, 1)};
  return inner;
}

TEST(DatafileCheck, EachSizeIsHeldAgainstTheBytesAtBothSidesOfItsEdge) {
  const struct {
    const char *proves;
    Bytes bytes;
    const char *fault;
  } cases[] = {
      {"a bitmap's pixels exactly there", datafile({{DAT_BITMAP, bitmap(2, 2, 8)}}), ""},
      {"one pixel byte missing", datafile({{DAT_BITMAP, bitmap(2, 2, 7)}}),
       "object 0 has contents larger than its stored size"},
      {"4096 columns is the widest bitmap", datafile({{DAT_BITMAP, bitmap(4096, 1, 8192)}}), ""},
      {"4097 columns is refused before its pixels are counted",
       datafile({{DAT_BITMAP, bitmap(4097, 1, 8194)}}), "object 0 is 4097x1, larger than"},
      {"4097 rows too", datafile({{DAT_BITMAP, bitmap(1, 4097, 8194)}}), "is 1x4097"},
      {"a stored size that claims one byte more than is left",
       datafile({{DAT_DATA, {1, 2, 3}, 4, 4}}), "cut short inside object 0"},
      {"a stored size that claims one byte less than the contents hold",
       datafile({{DAT_BITMAP, bitmap(1, 1, 2), 7, 7}}), "contents larger than its stored size"},
      {"a negative stored size", datafile({{DAT_DATA, {1}, -2, -2}}), "negative size"},
      {"two different sizes", datafile({{DAT_DATA, {1, 2}, 2, 3}}), "two different sizes"},
      {"an object count one more than the smallest objects that fit",
       datafile({{DAT_DATA, {}}, {DAT_DATA, {}}}, 3), "3 objects do not fit"},
      {"an object count exactly the smallest objects there",
       datafile({{DAT_DATA, {}}, {DAT_DATA, {}}}), ""},
      {"a negative object count", datafile({}, 0xFFFFFFFF), "negative object count"},
      {"datafiles nested 16 deep", datafile({nested(16)}), ""},
      {"datafiles nested 17 deep", datafile({nested(17)}), "nests datafiles too deep"},
  };
  for (const auto &row : cases) {
    const std::string fault = zephyrun::datafile_fault(row.bytes.data(), row.bytes.size());
    if (!*row.fault)
      EXPECT_EQ(fault, "") << row.proves;
    else
      EXPECT_NE(fault.find(row.fault), std::string::npos) << row.proves << ": said " << fault;
  }
}

// ---- Start-up's reading of the loaded datafile ----

// What load_assets says with only `objects` as cor.dat in the working directory.
std::string start_up_says(const std::vector<Object> &objects) {
  start_headless_allegro(15);
  char dir_template[] = "/tmp/zephyrun-checks-XXXXXX";
  const std::string dir = mkdtemp(dir_template);
  Bytes bytes{'s', 'l', 'h', '.'};  // the packfile layer's "not packed" magic
  const Bytes rest = datafile(objects);
  bytes.insert(bytes.end(), rest.begin(), rest.end());
  write_bytes(dir + "/cor.dat", bytes);
  const std::string back = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  testing::internal::CaptureStderr();
  zephyrun::load_assets("checks");
  const std::string said = testing::internal::GetCapturedStderr();
  if (zephyrun::cors) unload_datafile(zephyrun::cors);
  zephyrun::cors = nullptr;
  std::filesystem::current_path(back);
  std::filesystem::remove_all(dir);
  return said;
}
std::vector<Object> frames(int count, int not_a_bitmap = -1) {
  std::vector<Object> objects;
  for (int i = 0; i < count; i++)
    objects.push_back(i == not_a_bitmap ? Object{DAT_DATA, {1}}
                                        : Object{DAT_BITMAP, bitmap(1, 1, 2)});
  return objects;
}

TEST(StartUp, TheDatafileNeedsSixteenObjectsWithBitmapsFromTheFirstToTheLastFrame) {
  const std::string passed = "cannot load \"terreno.tga\"";  // the datafile passed
  const struct {
    const char *proves;
    std::vector<Object> objects;
    std::string said;
  } cases[] = {
      {"16 bitmaps", frames(16), passed},
      {"15 objects", frames(15), "\"cor.dat\": 15 objects where 16 are needed"},
      {"the first frame, object 0, not a bitmap", frames(16, 0), "object 0 is not a bitmap"},
      {"the shot, object 15, not a bitmap", frames(16, 15), "object 15 is not a bitmap"},
      {"object 14, which nothing draws, not a bitmap", frames(16, 14), passed},
      {"object 16, past the needed ones, not a bitmap", frames(17, 16), passed},
  };
  for (const auto &row : cases) {
    const std::string said = start_up_says(row.objects);
    EXPECT_NE(said.find(row.said), std::string::npos) << row.proves << ": said " << said;
  }
}

}  // namespace
