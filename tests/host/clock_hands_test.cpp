#include "raster/clock_hands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "raster/painted_layer.h"

namespace {

constexpr Rgb kWhite = {255, 255, 255};
constexpr HandColours kWhiteHands = {kWhite, kWhite, 255, kWhite, kWhite};
constexpr Point kCentre = {100, 100};

// The varied bytes a buffer may start with, so that any write shows.
uint8_t Pattern(size_t i) { return static_cast<uint8_t>(i * 7 / 5); }

// A buffer of `bitsPerPixel` with rows padded and a guard area after the last
// row, all filled with `fill`.
struct TestBuffer {
  TestBuffer(int width, int height, int bitsPerPixel, uint8_t fill = 0)
      : bytes(static_cast<size_t>((width * bitsPerPixel / 8 + 8) * (height + 2)), fill),
        pixels{bytes.data(), width, height, width * bitsPerPixel / 8 + 8, bitsPerPixel} {}

  void FillWithPattern() {
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = Pattern(i);
  }

  // True when every byte outside the pixels (each row's padding, the guard rows)
  // still holds the pattern it was filled with.
  bool OnlyPixelsWritten() const {
    const auto stride = static_cast<size_t>(pixels.stride);
    const auto rowBytes = static_cast<size_t>(pixels.width * pixels.bitsPerPixel / 8);
    for (size_t i = 0; i < bytes.size(); ++i) {
      const bool pixel = i / stride < static_cast<size_t>(pixels.height) && i % stride < rowBytes;
      if (!pixel && bytes[i] != Pattern(i)) return false;
    }
    return true;
  }

  // The first channel byte of pixel (x, y); for 5-5-5 the blue channel, widened.
  int Blue(int x, int y) const {
    const uint8_t* p = pixels.bits + y * pixels.stride + x * pixels.bitsPerPixel / 8;
    return pixels.bitsPerPixel == 16 ? (p[0] & 31) << 3 : p[0];
  }

  // The three channels of pixel (x, y), each widened to eight bits.
  std::array<int, 3> Channels(int x, int y) const {
    const uint8_t* p = pixels.bits + y * pixels.stride + x * pixels.bitsPerPixel / 8;
    if (pixels.bitsPerPixel != 16) return {p[0], p[1], p[2]};
    const int v = p[0] | p[1] << 8;
    return {(v & 31) << 3, (v >> 5 & 31) << 3, (v >> 10 & 31) << 3};
  }

  std::vector<uint8_t> bytes;
  PixelBuffer pixels;
};

HandTime At(int hour, int minute, int second, int millisecond = 0) {
  return {hour, minute, second, millisecond};
}

TEST(AnglesAt, TheSlowerHandsMoveOnWithTheFasterOnes) {
  const struct {
    HandTime time;
    bool sweeping;
    HandAngles expected;
  } rows[] = {
      {At(3, 0, 0), false, {90, 0, 0}},
      {At(15, 30, 30, 500), false, {105, 183, 180}},  // hour mod 12; no milliseconds
      {At(15, 30, 30, 500), true, {105, 183, 183}},
      {At(0, 59, 59, 999), true, {29.5f, 359.9f, 359.994f}},
  };
  for (const auto& row : rows) {
    const HandAngles angles = AnglesAt(row.time, row.sweeping);
    EXPECT_NEAR(angles.hour, row.expected.hour, 1e-3) << row.time.hour;
    EXPECT_NEAR(angles.minute, row.expected.minute, 1e-3) << row.time.hour;
    EXPECT_NEAR(angles.second, row.expected.second, 1e-3) << row.time.hour;
  }
}

TEST(ClockHands, AtThreeTheMinuteHandPointsUpAndTheHourHandRight) {
  ClockHands hands;
  for (bool shadow : {false, true}) {
    TestBuffer buffer(200, 200, 24);
    hands.Draw(buffer.pixels, kCentre, 1, At(3, 0, 0), {kWhiteHands, SecondHand::kOff, shadow});
    // The opposite directions stay untouched beyond the short tails.
    for (int r = 20; r <= 60; r += 10) {
      EXPECT_EQ(buffer.Blue(100, 100 - r), 255) << "minute hand " << r;
      EXPECT_EQ(buffer.Blue(100 - r, 100), 0) << "left of the centre " << r;
      EXPECT_EQ(buffer.Blue(100, 100 + r), 0) << "below the centre " << r;
      if (r <= 40) {
        EXPECT_EQ(buffer.Blue(100 + r, 100), 255) << "hour hand " << r;
      }
    }
    EXPECT_EQ(buffer.Blue(145, 100), 0) << "beyond the hour hand";
    EXPECT_EQ(buffer.Blue(100, 34), 0) << "beyond the minute hand";
  }
}

TEST(Stencil, AVerticalShapeCoversBothSidesAlike) {
  const Disc discs[] = {{-10, 2.3f}, {11, 3.1f}, {62.9f, 1.1f}};
  for (Fade fade : {Fade{0, 1}, Fade{0.2f, 2.6f}}) {
    TestBuffer buffer(200, 200, 24);
    Stencil(discs, 3, fade).Fill(buffer.pixels, kCentre, 0, {kWhite, 255});
    int partial = 0;
    for (int y = 30; y < 120; ++y) {
      for (int k = 1; k < 10; ++k) {
        ASSERT_EQ(buffer.Blue(100 - k, y), buffer.Blue(100 + k, y)) << k << ", " << y;
        partial += buffer.Blue(100 + k, y) > 0 && buffer.Blue(100 + k, y) < 255;
      }
    }
    EXPECT_GT(partial, 40);  // the edges are anti-aliased, not cut
  }
}

// A crisp edge covers a pixel by half a pixel plus how far inside the outline its
// centre lies: round discs stay round, and a tapered hand ends in its discs.
TEST(Stencil, CoverageFollowsTheExactDistanceToTheOutline) {
  const Disc disc[] = {{0, 4.8f}};
  const Disc tapered[] = {{0, 3}, {20, 1}};
  const Point anchor = {100, 100.25f};
  const auto expected = [](float distance) {
    return static_cast<int>(std::lround(255 * std::clamp(0.5f - distance, 0.0f, 1.0f)));
  };
  TestBuffer round(200, 200, 24), hand(200, 200, 24);
  Stencil(disc, 1, Fade{0, 1}).Fill(round.pixels, anchor, 37, {kWhite, 255});
  Stencil(tapered, 2, Fade{0, 1}).Fill(hand.pixels, anchor, 0, {kWhite, 255});
  for (int dy = -7; dy <= 7; ++dy) {
    for (int dx = -7; dx <= 7; ++dx) {
      const float toCentre = std::hypot(static_cast<float>(dx), dy - anchor.y + 100);
      EXPECT_NEAR(round.Blue(100 + dx, 100 + dy), expected(toCentre - 4.8f), 2) << dx << ", " << dy;
    }
  }
  // Along the axis, beyond the far disc (centre 20 above the anchor) and the near one.
  for (int y = 74; y <= 80; ++y) {
    EXPECT_NEAR(hand.Blue(100, y), expected(anchor.y - 20 - y - 1), 2) << y;
  }
  for (int y = 101; y <= 106; ++y)
    EXPECT_NEAR(hand.Blue(100, y), expected(y - anchor.y - 3), 2) << y;
}

TEST(Stencil, WritesOnlyInsideItsBoundsAndTheBuffer) {
  const Disc discs[] = {{-17, 1.6f}, {40, 1.2f}};
  const Stencil stencil(discs, 2, Fade{0.9f, 1}, Fade{0, 1});
  const Point anchors[] = {{30, 30}, {2, 45}, {48, 3.5f}, {-80, 20}};
  for (const Point anchor : anchors) {
    for (float degrees = 0; degrees < 360; degrees += 23) {
      TestBuffer buffer(50, 50, 32, 0x5A);
      const TestBuffer untouched(50, 50, 32, 0x5A);
      stencil.Fill(buffer.pixels, anchor, degrees, {{0, 0, 0}, 255}, {kWhite, 255});
      const PixelRect box = stencil.Bounds(anchor, degrees, 50, 50);
      for (size_t i = 0; i < buffer.bytes.size(); ++i) {
        if (buffer.bytes[i] == untouched.bytes[i]) continue;
        const int x = static_cast<int>(i % buffer.pixels.stride) / 4;
        const int y = static_cast<int>(i / buffer.pixels.stride);
        ASSERT_TRUE(x >= box.left && x <= box.right && y >= box.top && y <= box.bottom)
            << "(" << x << ", " << y << ") at " << degrees << " from " << anchor.x;
      }
    }
  }
}

TEST(Stencil, SixteenTwentyFourAndThirtyTwoBitsGetTheSameCoverage) {
  const Disc discs[] = {{-9, 2.8f}, {9, 4.1f}, {41.3f, 1.7f}};
  for (Fade fade : {Fade{0, 1}, Fade{0.2f, 2.6f}}) {
    TestBuffer b16(200, 200, 16), b24(200, 200, 24), b32(200, 200, 32);
    for (TestBuffer* buffer : {&b16, &b24, &b32}) {
      Stencil(discs, 3, fade).Fill(buffer->pixels, kCentre, 131, {kWhite, 255});
    }
    int covered = 0;
    for (int y = 0; y < 200; ++y) {
      for (int x = 0; x < 200; ++x) {
        ASSERT_EQ(b24.Blue(x, y), b32.Blue(x, y)) << x << ", " << y;
        // Five bits take the weight in 32 steps: one step apart at most.
        ASSERT_LE(std::abs(b16.Blue(x, y) - (b24.Blue(x, y) & ~7)), 8) << x << ", " << y;
        covered += b24.Blue(x, y) > 0;
      }
    }
    EXPECT_GT(covered, 200);
  }
}

// A sweeping face at a whole second has the once-a-second face's angles: the
// kept layer of the slow hands must look like drawing them, over any picture,
// also after the time, the scheme, the place or the scale changed, and cut at
// the edges.
TEST(ClockHands, SweepingFacesLookLikeFacesDrawnAfresh) {
  const HandColours gold = {{236, 196, 110}, {48, 30, 10}, 190, {232, 84, 48}, {236, 196, 110}};
  const HandColours dark = {{26, 28, 36}, {255, 255, 255}, 120, {214, 32, 32}, {26, 28, 36}};
  const struct {
    HandTime time;
    const HandColours* colours;
    Point centre;
    float scale;
  } rows[] = {
      {At(10, 9, 30), &gold, kCentre, 1},      {At(10, 9, 31), &gold, kCentre, 1},
      {At(10, 9, 31), &dark, kCentre, 1},      {At(4, 50, 5), &dark, {100.4f, 99.7f}, 1},
      {At(4, 50, 5), &dark, {12, 190}, 1},     {At(7, 20, 0), &gold, {190, 8}, 1},
      {At(7, 20, 0), &gold, kCentre, 1.5f},    {At(7, 20, 0), &gold, kCentre, 1.497f},
      {At(7, 20, 0), &gold, {150, 150}, 2.3f}, {At(7, 20, 0), &gold, kCentre, 1},
  };
  for (int depth : {16, 24, 32}) {
    ClockHands sweeping;
    for (const auto& row : rows) {
      TestBuffer swept(200, 200, depth), fresh(200, 200, depth);
      swept.FillWithPattern();
      fresh.FillWithPattern();
      sweeping.Draw(swept.pixels, row.centre, row.scale, row.time,
                    {*row.colours, SecondHand::kSweep, true});
      ClockHands().Draw(fresh.pixels, row.centre, row.scale, row.time,
                        {*row.colours, SecondHand::kStep, true});
      ASSERT_TRUE(swept.OnlyPixelsWritten() && fresh.OnlyPixelsWritten())
          << "written outside the pixels";
      int differing = 0;
      for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
          const auto a = swept.Channels(x, y), b = fresh.Channels(x, y);
          for (int c = 0; c < 3; ++c) {
            // With five bits a channel, each ink drawn afresh takes its weight
            // in 32 steps, where the layer takes only their sum.
            ASSERT_LE(std::abs(a[c] - b[c]), depth == 16 ? 16 : 3)
                << x << ", " << y << " at " << row.time.second << ", " << depth << " bits";
          }
          differing += a != b;
        }
      }
      // Rounding differs on a share of the hands' pixels, whose number grows with the
      // scale's square.
      EXPECT_LT(differing, 400 * row.scale * row.scale)
          << row.time.second << ", " << depth << " bits, scale " << row.scale;
    }
  }
}

// Laid from a layer, one ink at every weight over varied pixels gives what the
// ink drawn directly gives: at 8 bits a channel within the rounding of one
// blend; at five bits the layer and the ink each round the weight to 32 steps
// their own way, which may put them two steps apart.
TEST(PaintedLayer, LayingAnInkGivesWhatDrawingItGives) {
  constexpr int kLayerSize = 160;
  struct InkPainter final : PaintedLayer::Painter {
    void Paint(const PixelBuffer& square) const override {
      BlendRun(square, 0, 0, kLayerSize, weights, colour);
    }
    const uint8_t* weights;
    Rgb colour;
  };
  uint8_t weights[kLayerSize];
  for (int x = 0; x < kLayerSize; ++x) weights[x] = static_cast<uint8_t>(x * 255 / 159);
  const std::unique_ptr<PaintedLayer> layer = PaintedLayer::Make(kLayerSize);
  ASSERT_NE(layer, nullptr);
  for (Rgb colour : {Rgb{0, 0, 0}, kWhite, Rgb{232, 84, 48}}) {
    InkPainter ink;
    ink.weights = weights;
    ink.colour = colour;
    layer->Record(ink, {0, 0, kLayerSize - 1, 0});
    for (int depth : {16, 24, 32}) {
      TestBuffer laid(kLayerSize, 1, depth), drawn(kLayerSize, 1, depth);
      for (size_t i = 0; i < laid.bytes.size(); ++i) {
        laid.bytes[i] = drawn.bytes[i] = static_cast<uint8_t>(i * 37 / 3);
      }
      layer->Apply(laid.pixels, 0, 0);
      ink.Paint(drawn.pixels);
      for (int x = 0; x < kLayerSize; ++x) {
        const auto a = laid.Channels(x, 0), b = drawn.Channels(x, 0);
        for (int c = 0; c < 3; ++c) {
          ASSERT_LE(std::abs(a[c] - b[c]), depth == 16 ? 16 : 2)
              << "weight " << int{weights[x]} << ", " << depth << " bits, channel " << c;
        }
      }
    }
  }
}

}  // namespace
