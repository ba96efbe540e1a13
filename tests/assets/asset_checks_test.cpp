// The asset checks at the edges of each decision, on small made-up files and
// without a window: every row sits on one side of one edge and says which.
// Files are read in a child process that root leaves for nobody first.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "picture_files.h"
#include "test_support.h"

using namespace testing_support;
using zephyrun::PictureSize;
using Coding = PictureCoding;

namespace {

// A picture file's bytes and whether the game reads it as a TGA.
struct File {
  Bytes bytes;
  bool tga;
};
File picture(Coding coding, int w, int h, bool top_down = false) {
  return {encode_picture(make_pattern_bitmap(w, h).get(), coding, top_down), is_tga(coding)};
}
File cut(File file, size_t count) {
  file.bytes.resize(file.bytes.size() - count);
  return file;
}
// A 2x2 picture whose header claims another size.
File claiming(Coding coding, int64_t w, int64_t h) {
  File file = picture(coding, 2, 2);
  set_header_size(file.bytes, coding, w, h);
  return file;
}
File bmp_codes(int w, int h, const Bytes &codes) { return {run_length_bmp(w, h, codes), false}; }
// An 8-bit TGA over a palette of `colours` 24-bit entries, w x h pixels of 0.
File palette_tga(int colours, int w, int h) {
  const auto byte = [](int value) { return static_cast<unsigned char>(value); };
  // clang-format off
  Bytes bytes{0, 1, 1,                                      // no id, a palette, palette-coded
              0, 0, byte(colours), byte(colours >> 8), 24,  // palette from 0, its length, bits
              0, 0, 0, 0, byte(w), 0, byte(h), 0, 8, 0};    // origin, size, 8 bits a pixel
  // clang-format on
  bytes.resize(bytes.size() + 3 * colours + w * h);
  return {bytes, true};
}
File tga_packets(int w, int h, const Bytes &packets) {
  File file = picture(Coding::tga_run_length, w, h);
  file.bytes.resize(18);
  file.bytes.insert(file.bytes.end(), packets.begin(), packets.end());
  return file;
}

struct PictureCase {
  const char *proves;
  PictureSize needed;
  File file;
  const char *fault;  // a part of the message; "" for a sound picture
};

// Nothing said of a sound row (`fault` ""), else `fault` within what was said.
void expect_said(const std::string &said, const std::string &fault, const char *proves) {
  if (fault.empty())
    EXPECT_EQ(said, "") << proves;
  else
    EXPECT_NE(said.find(fault), std::string::npos) << proves << ": said " << said;
}

void expect_cases(const std::vector<PictureCase> &cases) {
  for (const PictureCase &row : cases) {
    const Bytes &bytes = row.file.bytes;
    expect_said(zephyrun::picture_fault(bytes.data(), bytes.size(), row.file.tga, row.needed),
                row.fault, row.proves);
  }
}

constexpr PictureSize screen = zephyrun::full_screen_size, ground = zephyrun::ground_size,
                      actor = zephyrun::actor_size;
constexpr Coding bmp = Coding::bmp, bmp_rle = Coding::bmp_run_length, tga = Coding::tga,
                 tga_rle = Coding::tga_run_length;

using PictureCheck = HeadlessTest;

TEST_F(PictureCheck, SizesAreJudgedFromTheHeaderAtBothSidesOfEachLimit) {
  const char *const sound_size = "cut short";  // the size passes; the 2x2 pixels do not
  expect_cases({
      {"640x480 is a full-screen size", screen, claiming(bmp, 640, 480), sound_size},
      {"one column more", screen, claiming(bmp, 641, 480), "641x480 where 640x480 is needed"},
      {"one column fewer", screen, claiming(bmp_rle, 639, 480), "639x480 where 640x480"},
      {"one row more", screen, claiming(bmp_rle, 640, 481), "640x481"},
      {"one row fewer", screen, claiming(bmp, 640, 479), "640x479"},
      {"a top-down picture's rows are counted without their sign", screen, claiming(bmp, 640, -481),
       "640x481 where"},
      {"top-down 480 rows is full-screen too, but the library cannot load it", screen,
       claiming(bmp, 640, -480), "top row first"},
      {"1280 columns is the narrowest ground", ground, claiming(tga, 1280, 200), sound_size},
      {"16384 columns is the widest ground", ground, claiming(tga_rle, 16384, 200), sound_size},
      {"one column narrower", ground, claiming(tga, 1279, 200),
       "1279x200 where 1280x200 to 16384x200 is needed"},
      {"one column wider", ground, claiming(tga_rle, 16385, 200), "16385x200 where"},
      {"one ground row more", ground, claiming(tga, 1280, 201), "1280x201"},
      {"one ground row fewer", ground, claiming(tga, 1280, 199), "1280x199"},
      {"4096x4096 is the largest actor", actor, claiming(tga_rle, 4096, 4096), sound_size},
      {"one actor column more", actor, claiming(tga_rle, 4097, 4096),
       "4097x4096 where 1x1 to 4096x4096"},
      {"one actor row more", actor, claiming(bmp, 4096, 4097), "4096x4097"},
      {"1x1 is the smallest actor", actor, picture(tga, 1, 1), ""},
      {"no columns", actor, claiming(tga, 0, 1), "holds no pixels"},
      {"a BMP size whose pixel bytes overflow an int", actor, claiming(bmp_rle, 65537, 65536),
       "65537x65536 where"},
      {"a TGA size whose pixel bytes overflow an int", screen, claiming(tga_rle, 65535, 65535),
       "65535x65535 where 640x480"},
  });
}

TEST_F(PictureCheck, PlainPixelsMustAllBeThereWithTheirRowPadding) {
  expect_cases({
      {"3 columns at 24 bits take 12 bytes a row, padding included", actor, picture(bmp, 3, 2), ""},
      {"rows without their padding are cut short", actor, cut(picture(bmp, 3, 2), 6), "cut short"},
      {"4 columns need no padding: whole", actor, picture(bmp, 4, 2), ""},
      {"4 columns, one byte short", actor, cut(picture(bmp, 4, 2), 1), "cut short"},
      {"a TGA whole, here top-down, which the library reads", actor, picture(tga, 3, 2, true), ""},
      {"TGA one byte short", actor, cut(picture(tga, 3, 2), 1), "cut short"},
      {"a palette of 256 colours", actor, palette_tga(256, 2, 2), ""},
      {"a palette of 257 colours overflows the library's table", actor, palette_tga(257, 2, 2),
       "cannot be read"},
      {"a palette but one pixel byte short", actor, cut(palette_tga(256, 2, 2), 1), "cut short"},
  });
}

TEST_F(PictureCheck, RunLengthCodesMustEndInTheFileAndStayInsideThePicture) {
  expect_cases({
      {"BMP codes ending at the last row's end, without an end of picture", actor,
       cut(picture(bmp_rle, 5, 3), 2), ""},
      {"BMP codes ending one byte before that", actor, cut(picture(bmp_rle, 5, 3), 3), "cut short"},
      {"a run to the row's end", actor, bmp_codes(4, 2, {4, 7, 0, 0, 4, 7, 0, 1}), ""},
      {"a run one pixel past it", actor, bmp_codes(4, 2, {5, 7, 0, 0, 4, 7, 0, 1}),
       "outside the picture"},
      {"literal pixels past the row's end", actor, bmp_codes(4, 1, {2, 7, 0, 3, 1, 2, 3, 0, 0, 1}),
       "outside"},
      {"literal pixels, padded to a word, then a run exactly filling the row", actor,
       bmp_codes(5, 1, {0, 3, 1, 2, 3, 0, 2, 7, 0, 1}), ""},
      {"a move up to the top row", actor, bmp_codes(4, 2, {0, 2, 0, 1, 4, 7, 0, 1}), ""},
      {"a move up past it", actor, bmp_codes(4, 2, {0, 2, 0, 2, 0, 1}), "outside"},
      {"a move right to the row's end", actor, bmp_codes(4, 2, {0, 2, 4, 0, 0, 1}), ""},
      {"a move right past it", actor, bmp_codes(4, 2, {0, 2, 5, 0, 0, 1}), "outside"},
      {"codes that never end the picture", actor, bmp_codes(4, 2, {4, 7, 0, 0}), "cut short"},
      {"top-down TGA packets ending exactly at the file's end", actor, picture(tga_rle, 5, 3, true),
       ""},
      {"TGA packets ending one byte early", actor, cut(picture(tga_rle, 5, 3), 1), "cut short"},
      {"a raw TGA packet of a row's pixels", actor, tga_packets(2, 1, {1, 1, 2, 3, 4, 5, 6}), ""},
      {"a raw TGA packet one byte short", actor, tga_packets(2, 1, {1, 1, 2, 3, 4, 5}),
       "cut short"},
      {"a TGA packet to its row's end", actor, tga_packets(4, 2, {0x83, 1, 2, 3, 0x83, 1, 2, 3}),
       ""},
      {"a TGA packet one pixel past its row's end", actor,
       tga_packets(4, 2, {0x84, 1, 2, 3, 0x82, 1, 2, 3}), "outside"},
  });
}

// ---- Datafiles, byte by byte ----

void append_big(Bytes &bytes, int64_t value, int count) {
  for (int i = count - 1; i >= 0; i--) bytes.push_back(static_cast<unsigned char>(value >> 8 * i));
}
constexpr int64_t true_length = INT64_MIN;
struct Object {
  int type;
  Bytes contents;
  int64_t stored = true_length, unpacked = true_length;
};
// `bytes`, then the count and the objects.
Bytes objects_of(const std::vector<Object> &objects, int64_t count, Bytes bytes = {}) {
  append_big(bytes, count, 4);
  for (const Object &object : objects) {
    append_big(bytes, object.type, 4);
    const int64_t length = static_cast<int64_t>(object.contents.size());
    append_big(bytes, object.stored == true_length ? length : object.stored, 4);
    append_big(bytes, object.unpacked == true_length ? length : object.unpacked, 4);
    bytes.insert(bytes.end(), object.contents.begin(), object.contents.end());
  }
  return bytes;
}
// A datafile claiming `count` objects (-1: as many as given) after `bytes`.
Bytes datafile(const std::vector<Object> &objects, int64_t count = -1, Bytes bytes = {}) {
  append_big(bytes, DAT_MAGIC, 4);
  return objects_of(objects, count < 0 ? objects.size() : count, bytes);
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

using DatafileCheck = HeadlessTest;

TEST_F(DatafileCheck, EachSizeIsHeldAgainstTheBytesAtBothSidesOfItsEdge) {
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
  for (const auto &row : cases)
    expect_said(zephyrun::datafile_fault(row.bytes.data(), row.bytes.size()), row.fault,
                row.proves);
}

// ---- Files read as a user whom file permissions bind ----

// What `check` says, run in a child process (its peak resident size in
// `peak_kilobytes`). The suite may run as root, whom no permission stops: the
// child then becomes nobody (65534) first.
std::string in_child(const std::function<std::string()> &check, long *peak_kilobytes = nullptr) {
  int ends[2];
  if (pipe(ends) != 0) return "no pipe";
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
      _exit(1);
    const std::string text = check();  // a line: one write, read whole
    _exit(write(ends[1], text.data(), text.size()) < 0);
  }
  close(ends[1]);
  char text[4096];
  const ssize_t got = read(ends[0], text, sizeof text);
  close(ends[0]);
  struct rusage usage {};
  wait4(child, nullptr, 0, &usage);
  if (peak_kilobytes) *peak_kilobytes = usage.ru_maxrss;
  return std::string(text, std::max<ssize_t>(got, 0));
}

// A datafile that unpacks to more than 80 MB is refused having read only about
// that far: here 512 MB of nothing after a sound start, made as a sparse file.
TEST_F(DatafileCheck, OneHoldingMoreThan80MBIsRefusedWithoutReadingItAll) {
  const std::string path = "/tmp/zephyrun-checks-" + std::to_string(getpid()) + ".dat";
  write_bytes(path, {'s', 'l', 'h', '.', 'A', 'L', 'L', '.', 0, 0, 0, 0});
  std::filesystem::resize_file(path, 512 << 20);
  long peak_kilobytes = 0;
  EXPECT_EQ(in_child([&] { return zephyrun::datafile_file_fault(path.c_str()); }, &peak_kilobytes),
            "it holds more than 80 MB, more than the game can need");
  EXPECT_LT(peak_kilobytes, 256 << 10) << "it read on";
  std::filesystem::remove(path);
}

// ---- Start-up's reading of the asset files ----

using StartUp = HeadlessTest;
namespace fs = std::filesystem;

// What load_assets says in `dir`, a copy of the assets as asset_copy_with makes
// them, read in a child; the directory is removed.
std::string start_up_says(const std::string &dir) {
  fs::permissions(dir, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
  const std::string said = in_child([&] {
    fs::current_path(dir);
    testing::internal::CaptureStderr();
    zephyrun::load_assets("checks");
    return testing::internal::GetCapturedStderr();
  });
  fs::remove_all(dir);
  return said;
}
// With `objects` as cor.dat, after the packfile layer's "not packed" magic.
std::string start_up_says(const std::vector<Object> &objects) {
  return start_up_says(asset_copy_with({{"cor.dat", datafile(objects, -1, {'s', 'l', 'h', '.'})}}));
}
std::vector<Object> frames(int count, int not_a_bitmap = -1) {
  std::vector<Object> objects;
  for (int i = 0; i < count; i++)
    objects.push_back(i == not_a_bitmap ? Object{DAT_DATA, {1}}
                                        : Object{DAT_BITMAP, bitmap(1, 1, 2)});
  return objects;
}

TEST_F(StartUp, TheDatafileNeedsSixteenObjectsWithBitmapsFromTheFirstToTheLastFrame) {
  const struct {
    const char *proves;
    std::vector<Object> objects;
    const char *said;
  } cases[] = {
      {"16 bitmaps", frames(16), ""},
      {"15 objects", frames(15), "\"cor.dat\": 15 objects where 16 are needed"},
      {"the first frame, object 0, not a bitmap", frames(16, 0), "object 0 is not a bitmap"},
      {"a middle frame, object 6, not a bitmap", frames(16, 6), "object 6 is not a bitmap"},
      {"the shot, object 15, not a bitmap", frames(16, 15), "object 15 is not a bitmap"},
      {"object 14, which nothing draws, not a bitmap", frames(16, 14), ""},
      {"object 16, past the needed ones, not a bitmap", frames(17, 16), ""},
  };
  for (const auto &row : cases) expect_said(start_up_says(row.objects), row.said, row.proves);
}

// Pictures at the largest sizes the game takes load, a run-length coded sky
// beside them; the programs themselves are run only with sizes that must not
// reach the library.
TEST_F(StartUp, PicturesAtTheSizeLimitsLoad) {
  const auto flat = [](int w, int h, Coding coding) {
    return encode_picture(make_filled_bitmap(w, h, makecol(120, 90, 60)).get(), coding);
  };
  expect_said(start_up_says(asset_copy_with({{"terreno.tga", flat(16384, 200, tga_rle)},
                                             {"asteroide.tga", flat(4096, 4096, tga_rle)},
                                             {"cielo.bmp", flat(640, 480, bmp_rle)}})),
              "", "largest");
}

// A file its reader may not read, an empty one, text in the datafile's place or
// a folder in a file's place is named so, by start-up and by each check that
// opens a file; not as damaged.
TEST_F(StartUp, AFileThatCannotBeReadIsEmptyOrIsAFolderIsSaidToBeSo) {
  const auto unreadable = [](const std::string &path) { fs::permissions(path, fs::perms::none); };
  const auto folder = [](const std::string &path) {
    fs::remove(path);
    fs::create_directory(path);
  };
  const char *const denied = "it cannot be read: Permission denied";
  const struct {
    const char *file;
    std::function<void(const std::string &)> make;
    const char *said;
  } cases[] = {
      {"cor.dat", unreadable, denied},
      {"asteroide.tga", [](const std::string &path) { std::ofstream{path}; }, "it is empty"},
      {"cor.dat", [](const std::string &path) { std::ofstream(path) << std::string(500, 'x'); },
       "it is not an Allegro datafile"},
      {"cor.dat", folder, "it is not a plain file"},
  };
  for (const auto &row : cases) {
    const std::string dir = asset_copy_with({});
    row.make(dir + "/" + row.file);
    expect_said(start_up_says(dir), "\"" + std::string(row.file) + "\": " + row.said, row.file);
  }
  // The checks themselves, on a file they cannot open and on a folder.
  const std::string path = "/tmp/zephyrun-checks-" + std::to_string(getpid()) + ".bmp";
  write_bytes(path, {'B', 'M'});
  unreadable(path);
  fs::create_directory(path + ".bmp");
  for (const auto &[name, said] :
       {std::pair{path, denied}, {path + ".bmp", "it is not a plain file"}}) {
    const char *const file = name.c_str();
    EXPECT_EQ(in_child([&] { return zephyrun::datafile_file_fault(file); }), said);
    EXPECT_EQ(in_child([&] { return zephyrun::picture_file_fault(file, actor); }), said);
  }
  fs::remove(path);
  fs::remove(path + ".bmp");
}

}  // namespace
