// Image operations: fill, the box and bilinear filters (their values and that no size makes them
// read outside the source), alpha merging and conversions.

#include <gtest/gtest.h>

#include <cmath>

#include "source/texture/Image.h"
#include "tests/source/texture/ImageTestUtil.h"

namespace {

TEST(Image, FillGivesEachDepthItsBytes) {
  struct Case {
    uint32_t bits;
    Vector4 color;
    Bytes expected;
  };
  const Case cases[] = {
      {8, {1, 1, 1, 1}, {255}},
      {8, {1, 0, 0, 1}, {57}},  // luminance weights 0.222, 0.707, 0.071
      {24, {0.5f, 0, 1, 0.2f}, {128, 0, 255}},
      {32, {0.5f, 0, 1, 0.2f}, {128, 0, 255, 51}},
      {32, {2.0f, -1.0f, std::nanf(""), 1}, {255, 0, 0, 255}},  // out of range and NaN are held to 0..1
  };
  for (const Case& c : cases) {
    Image image;
    image.Allocate(3, 2, c.bits);
    image.Fill(c.color);
    EXPECT_EQ(PixelAt(image, 2, 1), c.expected) << c.bits;
    EXPECT_EQ(PixelAt(image, 0, 0), c.expected) << c.bits;
  }
  Image empty;
  empty.Fill({1, 1, 1, 1});
  EXPECT_TRUE(empty.IsEmpty());
}

TEST(Image, AllocateRefusesNothingAndTooMuch) {
  Image image;
  EXPECT_FALSE(image.Allocate(0, 5, 24));
  EXPECT_FALSE(image.Allocate(65535, 65535, 32));  // more than any loader may make
  EXPECT_TRUE(image.IsEmpty());
  EXPECT_TRUE(image.Allocate(5, 3, 24));
  EXPECT_EQ(image.GetPixelBytes(), 45u);
}

TEST(Image, BoxFilterAveragesTwoByTwoWithRounding) {
  Image source;
  source.Allocate(2, 2, 8);
  const uint8_t values[4] = {10, 20, 30, 42};
  std::copy(values, values + 4, source.GetPixels());
  Image target;
  Image::Scale(source, 1, 1, kFilterBox, target);
  EXPECT_EQ(PixelAt(target, 0, 0), Bytes{26});  // (102 + 2) >> 2: 25.5 rounds up
}

TEST(Image, FiltersStayInsideTheSourceForEverySize) {
  // Odd sides, sides of 1, targets larger than the source, sides that are not powers of two: the
  // sanitizers see any read outside the source.
  struct Size {
    uint32_t sw, sh, w, h;
  };
  const Size sizes[] = {{3, 3, 1, 1}, {5, 7, 2, 3}, {1, 1, 4, 4}, {4, 1, 2, 1}, {1, 4, 1, 2},
                        {3, 5, 8, 8}, {300, 17, 256, 16}, {7, 1, 3, 1}, {2, 2, 1, 5}};
  for (const Size& s : sizes) {
    for (uint32_t filter : {uint32_t{kFilterBox}, uint32_t{kFilterBilinear}}) {
      const Image source = Pattern(s.sw, s.sh, 32);
      Image target;
      Image::Scale(source, s.w, s.h, filter, target);
      EXPECT_EQ(target.GetWidth(), s.w);
      EXPECT_EQ(target.GetHeight(), s.h);
      EXPECT_EQ(target.GetBitsPerPixel(), 32u);
    }
  }
}

TEST(Image, BilinearMeetsBothEndsAndInterpolatesBetween) {
  Image source;
  source.Allocate(2, 1, 8);
  source.GetPixels()[1] = 255;
  struct Case {
    uint32_t w, h;
    Bytes row;
  };
  const Case cases[] = {
      {3, 1, {0, 127, 255}},
      {3, 2, {0, 127, 255}},  // a source height of 1 read for every target row
      {1, 1, {0}},            // a target side of 1 samples the first column
  };
  for (const Case& c : cases) {
    Image target;
    Image::Scale(source, c.w, c.h, kFilterBilinear, target);
    ASSERT_EQ(target.GetWidth(), c.w);
    for (uint32_t y = 0; y < c.h; ++y) EXPECT_EQ(Bytes(target.Row(y), target.Row(y) + c.w), c.row) << c.w << "x" << c.h;
  }
}

TEST(Image, AnImageScaledIntoItselfIsResized) {
  Image self = Pattern(4, 4, 24);
  self.Resize(2, 2);
  EXPECT_EQ(self.GetWidth(), 2u);
  EXPECT_EQ(self.GetPixelBytes(), 12u);
}

TEST(Image, AlphaComesFromEachKindOfAlphaImage) {
  struct Case {
    Image alpha;
    uint8_t expected;
  };
  const Case cases[] = {
      {Solid(2, 2, {77}), 77},                  // grey byte
      {Solid(2, 2, {1, 2, 88}), 88},            // third byte
      {Solid(2, 2, {1, 2, 3, 99}), 99},         // fourth byte
      {Solid(8, 1, {66}), 66},                  // another size: resized first
  };
  for (const Case& c : cases) {
    Image color = Solid(2, 2, {10, 20, 30});
    color.SetAlphaFrom(c.alpha);
    ASSERT_EQ(color.GetBitsPerPixel(), 32u);
    EXPECT_EQ(PixelAt(color, 1, 1), (Bytes{10, 20, 30, c.expected}));
  }
  Image color = Solid(2, 2, {10, 20, 30});
  color.SetAlphaFrom(Image());
  EXPECT_EQ(color.GetBitsPerPixel(), 24u);  // no alpha image: unchanged
}

TEST(Image, GreyConvertsToGreyColourAndFlippingTwiceRestores) {
  Image grey = Solid(1, 1, {40});
  grey.ConvertTo32();
  EXPECT_EQ(PixelAt(grey, 0, 0), (Bytes{40, 40, 40, 255}));
  Image picture = Pattern(3, 3, 24);
  const Image original = picture;
  picture.FlipVertical();
  EXPECT_EQ(PixelAt(picture, 1, 0), PixelAt(original, 1, 2));
  picture.FlipVertical();
  EXPECT_EQ(picture, original);
}

}  // namespace
