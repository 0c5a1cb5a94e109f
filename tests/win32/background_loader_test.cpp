#include "imaging/background_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "app/window/clock_face.h"
#include "base/little_endian.h"
#include "resources/resource_ids.h"
#include "tests/win32/test_support.h"
#include "tools/exif_segment.h"
#include "tools/orb_writer.h"

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kTeal = RGB(0x40, 0x80, 0xC0);
const COLORREF kOlive = RGB(0x80, 0x80, 0x00);
const COLORREF kPlum = RGB(0x88, 0x20, 0x60);

// The dial's ring runs about 73 to 82 pixels from the centre: (104, 23) lies on it, between two
// minute marks.
constexpr int kRingX = 104;
constexpr int kRingY = 23;

std::vector<unsigned char> Orb24(int width, int height, COLORREF color) {
  OrbPicture picture;
  EXPECT_TRUE(
      OrbPictureFromBmp(MakeBmp24(width, height, [=](int, int) { return color; }), &picture));
  picture.title = "\x96\xe9\x96\xbe\x82\xaf";  // 夜明け
  picture.author = "";
  return BuildOrbFile(picture);
}

// An 8-bit picture whose every pixel is palette entry 7 of colour `color`, with `colorsUsed` in
// its header and a table of `entries` colours.
OrbPicture Orb8Picture(int width, int height, COLORREF color, uint32_t colorsUsed = 0,
                       size_t entries = 256) {
  OrbPicture picture;
  picture.infoHeader.assign(40, 0);
  picture.infoHeader[0] = 40;
  picture.infoHeader[4] = static_cast<unsigned char>(width);
  picture.infoHeader[8] = static_cast<unsigned char>(height);
  picture.infoHeader[12] = 1;
  picture.infoHeader[14] = 8;
  WriteUint32(picture.infoHeader.data() + 32, colorsUsed);
  picture.colorTable.assign(4 * entries, 0);
  picture.colorTable[4 * 7] = GetBValue(color);
  picture.colorTable[4 * 7 + 1] = GetGValue(color);
  picture.colorTable[4 * 7 + 2] = GetRValue(color);
  picture.pixels.assign(static_cast<size_t>((width + 3) / 4 * 4) * height, 7);
  return picture;
}

std::vector<unsigned char> Orb8(int width, int height, COLORREF color) {
  return BuildOrbFile(Orb8Picture(width, height, color));
}

class LoadBackgroundTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(face_.Attach(window_.get()), 1); }

  COLORREF Background(int x, int y) const {
    GdiFlush();
    const DrawSurface& s = face_.BackgroundSurface();
    return Pixel555(s.bits(), s.stride(), x, y);
  }

  void ExpectBlackWithDial() const {
    EXPECT_EQ(Background(10, 10), kBlack);
    EXPECT_EQ(Background(100, 100), kBlack);
    EXPECT_EQ(Background(kRingX, kRingY), To555(kWhite));
  }

  TestWindow window_{0, 0, 10, 10, kBlack};
  ClockFace face_;
  TempDir dir_;
};

TEST_F(LoadBackgroundTest, AnEmptyOrMissingPathGivesBlackWithTheDial) {
  EXPECT_EQ(face_.LoadBackground(""), 1);
  ExpectBlackWithDial();
  EXPECT_EQ(face_.LoadBackground(dir_.File("missing.orb").c_str()), 1);
  ExpectBlackWithDial();
}

TEST_F(LoadBackgroundTest, ABmpShowsItsTopLeftCornerUnderTheDial) {
  const std::string path = dir_.File("picture.bmp");
  WriteBytes(path,
             MakeBmp24(260, 230, [](int x, int y) { return x < 200 && y < 200 ? kTeal : kOlive; }));
  face_.LoadBackground(path.c_str());
  EXPECT_EQ(Background(10, 10), To555(kTeal));
  EXPECT_EQ(Background(199, 199), To555(kTeal));
  EXPECT_EQ(Background(100, 100), To555(kTeal));
  EXPECT_EQ(Background(kRingX, kRingY), To555(kWhite));
}

TEST_F(LoadBackgroundTest, AnOrbPictureShowsAloneWithoutTheDial) {
  const std::string path = dir_.File("face.orb");
  WriteBytes(path, Orb24(200, 200, kTeal));
  face_.LoadBackground(path.c_str());
  EXPECT_EQ(Background(10, 10), To555(kTeal));
  EXPECT_EQ(Background(kRingX, kRingY), To555(kTeal));
  EXPECT_EQ(Background(199, 199), To555(kTeal));
}

TEST_F(LoadBackgroundTest, ASmallOrbPictureCoversOnlyItsOwnArea) {
  const std::string large = dir_.File("large.orb");
  const std::string small = dir_.File("small.orb");
  WriteBytes(large, Orb24(200, 200, kTeal));
  WriteBytes(small, Orb8(50, 40, kPlum));
  face_.LoadBackground(large.c_str());
  face_.LoadBackground(small.c_str());
  EXPECT_EQ(Background(0, 0), To555(kPlum));
  EXPECT_EQ(Background(49, 39), To555(kPlum));
  EXPECT_EQ(Background(50, 39), To555(kTeal));
  EXPECT_EQ(Background(49, 40), To555(kTeal));
}

TEST_F(LoadBackgroundTest, ADamagedOrbPictureFallsBackToBlackWithTheDial) {
  std::vector<unsigned char> file = Orb24(200, 200, kTeal);
  file.resize(file.size() / 2);  // the pixel block is cut short
  file[4] = static_cast<unsigned char>(file.size());
  file[5] = static_cast<unsigned char>(file.size() >> 8);
  file[6] = static_cast<unsigned char>(file.size() >> 16);
  const std::string path = dir_.File("damaged.orb");
  WriteBytes(path, file);
  EXPECT_EQ(DrawBackgroundPicture(path.c_str(), face_.BackgroundSurface().memoryDc(), 0, 0, 0, 0),
            0);
  face_.LoadBackground(path.c_str());
  ExpectBlackWithDial();
}

TEST_F(LoadBackgroundTest, ABmpIsNoOrbPicture) {
  const std::string path = dir_.File("named.orb");
  WriteBytes(path, MakeBmp24(200, 200, [](int, int) { return kOlive; }));
  EXPECT_EQ(DrawBackgroundPicture(path.c_str(), face_.BackgroundSurface().memoryDc(), 0, 0, 0, 0),
            0);
  face_.LoadBackground(path.c_str());
  EXPECT_EQ(Background(10, 10), To555(kOlive));
  EXPECT_EQ(Background(kRingX, kRingY), To555(kWhite));
}

TEST_F(LoadBackgroundTest, APictureIsStretchedToAGivenSizeAtAGivenPlace) {
  const std::string path = dir_.File("face.orb");
  WriteBytes(path, Orb8(20, 10, kPlum));
  HDC dc = face_.BackgroundSurface().memoryDc();
  const RECT all{0, 0, 200, 200};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ASSERT_EQ(DrawBackgroundPicture(path.c_str(), dc, 30, 40, 80, 60), 1);
  EXPECT_EQ(Background(30, 40), To555(kPlum));
  EXPECT_EQ(Background(109, 99), To555(kPlum));
  EXPECT_EQ(Background(110, 100), kBlack);
  EXPECT_EQ(Background(29, 39), kBlack);
}

TEST_F(LoadBackgroundTest, AColourCountBeyondTheTableFallsBackToBlackWithTheDial) {
  OrbPicture past24;
  ASSERT_TRUE(OrbPictureFromBmp(MakeBmp24(200, 200, [](int, int) { return kTeal; }), &past24));
  WriteUint32(past24.infoHeader.data() + 32, 0x01000000);
  for (const OrbPicture& picture : {Orb8Picture(200, 200, kPlum, 300), past24}) {
    const std::string path = dir_.File("lying.orb");
    WriteBytes(path, BuildOrbFile(picture));
    EXPECT_EQ(DrawBackgroundPicture(path.c_str(), face_.BackgroundSurface().memoryDc(), 0, 0, 0, 0),
              0);
    face_.LoadBackground(path.c_str());
    ExpectBlackWithDial();
  }
}

TEST_F(LoadBackgroundTest, ATableAsShortAsTheHeaderAnnouncesIsDrawn) {
  const std::string path = dir_.File("short.orb");
  WriteBytes(path, BuildOrbFile(Orb8Picture(20, 10, kPlum, 8, 8)));  // too small for 256 colours
  ASSERT_EQ(DrawBackgroundPicture(path.c_str(), face_.BackgroundSurface().memoryDc(), 0, 0, 0, 0),
            1);
  EXPECT_EQ(Background(19, 9), To555(kPlum));
}

TEST_F(LoadBackgroundTest, ATopDownPictureShowsItsFirstRowsAtTheTop) {
  OrbPicture picture = Orb8Picture(200, 200, kPlum);
  std::fill_n(picture.colorTable.begin() + 4 * 8, 3, 0xF8);  // entry 8 white
  std::fill_n(picture.pixels.begin(), 200 * 100, 8);
  WriteUint32(picture.infoHeader.data() + 8, static_cast<uint32_t>(-200));
  const std::string path = dir_.File("top-down.orb");
  WriteBytes(path, BuildOrbFile(picture));
  face_.LoadBackground(path.c_str());
  EXPECT_EQ(Background(10, 10), To555(kWhite));
  EXPECT_EQ(Background(10, 190), To555(kPlum));
}

TEST_F(LoadBackgroundTest, RleOrbPicturesThatDrawDibRefusesShowTheirPixels) {
  for (const uint16_t bits : {4, 8}) {
    // Every row one run of 200 pixels of entry 7 and an end of line; then the end of the picture.
    OrbPicture picture = Orb8Picture(200, 200, kPlum, 0, 1u << bits);
    picture.infoHeader[14] = static_cast<unsigned char>(bits);
    picture.infoHeader[16] = bits == 8 ? BI_RLE8 : BI_RLE4;
    picture.pixels.clear();
    const unsigned char index = bits == 8 ? 7 : 0x77;
    for (int row = 0; row < 200; ++row) {
      picture.pixels.insert(picture.pixels.end(), {200, index, 0, 0});
    }
    picture.pixels.insert(picture.pixels.end(), {0, 1});
    WriteUint32(picture.infoHeader.data() + 20, static_cast<uint32_t>(picture.pixels.size()));
    const std::string path = dir_.File("rle.orb");
    WriteBytes(path, BuildOrbFile(picture));
    face_.LoadBackground(path.c_str());
    EXPECT_EQ(Background(10, 10), To555(kPlum)) << bits;
    EXPECT_EQ(Background(kRingX, kRingY), To555(kPlum)) << bits;
  }
}

// The dial leaves the corner pixels to the picture.
TEST_F(LoadBackgroundTest, EveryValidBmpShowsItsColoursUnderTheDial) {
  for (const NamedFile& file : BmpKinds()) {
    const std::string path = dir_.File("picture.bmp");
    WriteBytes(path, file.bytes);
    face_.LoadBackground(path.c_str());
    EXPECT_EQ(Background(0, 0), To555(RGB(255, 0, 0))) << file.name;
    EXPECT_EQ(Background(1, 0), To555(RGB(0, 255, 0))) << file.name;
    EXPECT_EQ(Background(0, 1), To555(RGB(0, 0, 255))) << file.name;
    EXPECT_EQ(Background(2, 2), kBlack) << file.name;
    EXPECT_EQ(Background(kRingX, kRingY), To555(kWhite)) << file.name;
  }
}

// True when each channel of the 16-bit surface's colour `a` lies within 16 of `b`'s.
bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 16 &&
         std::abs(GetGValue(a) - GetGValue(b)) <= 16 && std::abs(GetBValue(a) - GetBValue(b)) <= 16;
}

TEST_F(LoadBackgroundTest, PhotographsCoverTheFaceUprightUnderTheDial) {
  // Olive is what the cover cuts off; turned by orientation 6, the stored left half is the top.
  const auto banded = [](int x, int y) {
    return x < 100 || x >= 300 ? kOlive : y < 100 ? kTeal : kPlum;
  };
  const auto tall = [](int, int y) {
    return y < 100 || y >= 300 ? kOlive : y < 200 ? kTeal : kPlum;
  };
  const auto stored = [](int x, int) { return x < 200 ? kTeal : kPlum; };
  const std::vector<unsigned char> turned =
      WithExifOrientation(EncodePicture(MakePicture(400, 200, stored), PictureFileType::kJpeg), 6);
  const struct {
    const char* name;
    std::vector<unsigned char> file;
    COLORREF top, bottom;
  } table[] = {
      {"wide.png", EncodePicture(MakePicture(400, 200, banded), PictureFileType::kPng), kTeal,
       kPlum},
      {"tall.JPG", EncodePicture(MakePicture(200, 400, tall), PictureFileType::kJpeg), kTeal,
       kPlum},
      {"turned.jpeg", turned, kTeal, kPlum},
      {"quadrants.gif", QuadrantsGif(), RGB(255, 0, 0), RGB(0, 0, 255)},
      {"clear.png",
       EncodePicture(BgraPicture{8, 8, std::vector<uint32_t>(64, 0)}, PictureFileType::kPng),
       kBlack, kBlack},
  };
  for (const auto& row : table) {
    const std::string path = dir_.File(row.name);
    WriteBytes(path, row.file);
    face_.LoadBackground(path.c_str());
    EXPECT_TRUE(Near(Background(10, 10), row.top))
        << row.name << std::hex << " " << Background(10, 10);
    EXPECT_TRUE(Near(Background(10, 190), row.bottom))
        << row.name << std::hex << " " << Background(10, 190);
    EXPECT_EQ(Background(kRingX, kRingY), To555(kWhite)) << row.name;
  }
}

// At a face of 300 the dial is the one drawn at that size, so the middle row holds
// only its own inks, and a photograph is decoded at 300: its one-pixel stripes stay
// black and white instead of being averaged at 200 and enlarged.
TEST_F(LoadBackgroundTest, ALargerFaceGetsItsOwnDialOverAPhotographDecodedAtItsSize) {
  const std::string stripes = dir_.File("stripes.png");
  WriteBytes(
      stripes,
      EncodePicture(MakePicture(300, 300, [](int x, int) { return x % 2 != 0 ? kWhite : kBlack; }),
                    PictureFileType::kPng));
  ASSERT_EQ(face_.Resize(300), 1);
  const COLORREF inks[] = {kBlack, To555(kWhite), To555(RGB(28, 28, 36)),
                           To555(RGB(120, 120, 132))};
  for (const std::string& path : {std::string(), stripes}) {
    face_.LoadBackground(path.c_str());
    SYSTEMTIME now{};
    face_.Draw(&now);
    GdiFlush();
    const DrawSurface& shown = face_.ScaledComposeSurface();
    for (int x = 0; x < 300; ++x) {
      const COLORREF seen = Pixel555(shown.bits(), shown.stride(), x, 150);
      if (x > 140 && x < 160) {  // the middle, where no dial lies
        EXPECT_EQ(seen, path.empty() || x % 2 == 0 ? kBlack : To555(kWhite)) << path << " " << x;
      } else {
        EXPECT_NE(std::find(std::begin(inks), std::end(inks), seen), std::end(inks))
            << path << " " << x;
      }
    }
  }
}

TEST_F(LoadBackgroundTest, HostilePicturesGiveBlackWithTheDial) {
  for (const NamedFile& file : HostilePictures()) {
    WriteBytes(dir_.File(file.name), file.bytes);
    EXPECT_EQ(face_.LoadBackground(dir_.File(file.name).c_str()), 1);
    SCOPED_TRACE(file.name);
    ExpectBlackWithDial();
  }
}

TEST(DrawBitmapWithDial, KeepsTheCallersColoursAndBitmap) {
  TestWindow window(0, 0, 10, 10, kBlack);
  DrawSurface surface;
  ASSERT_EQ(surface.Create(window.get(), 200, 200, 24), 1);
  SetBkColor(surface.memoryDc(), kTeal);
  SetTextColor(surface.memoryDc(), kOlive);
  EXPECT_EQ(DrawBitmapWithDial("", surface.memoryDc(), {200, 200}, IDB_DIAL), 1);
  EXPECT_EQ(GetBkColor(surface.memoryDc()), kTeal);
  EXPECT_EQ(GetTextColor(surface.memoryDc()), kOlive);
  DIBSECTION section{};
  GetObjectA(GetCurrentObject(surface.memoryDc(), OBJ_BITMAP), sizeof section, &section);
  EXPECT_EQ(section.dsBm.bmBits, surface.bits());  // the surface keeps its own bitmap selected
}

}  // namespace
