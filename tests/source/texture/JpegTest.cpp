// JPEG files: baseline, progressive and grey pictures decode to what was encoded, Exif files are
// read, CMYK and oversized ones refused with a log line, and damaged ones (every truncation, bytes
// flipped) fail cleanly or decode what is there.

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "source/texture/ImageDamage.h"
#include "source/texture/JpegImageLoader.h"
#include "source/texture/JpegWriter.h"
#include "source/texture/TextureManager.h"
#include "source/core/Singleton.h"
#include "source/log/cLog.h"
#include "source/properties/cProperties.h"
#include "tests/support/TempDir.h"
#include "tests/source/texture/ImageTestUtil.h"
#include "tests/support/DamagedCopies.h"

namespace {

// A smooth picture that JPEG keeps closely: a gradient per channel.
Image Gradient(uint32_t width, uint32_t height, uint32_t bits) {
  Image image;
  image.Allocate(width, height, bits);
  const uint32_t b = bits / 8;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t* p = image.Row(y) + x * b;
      for (uint32_t k = 0; k < b; ++k) p[k] = static_cast<uint8_t>((k == 0 ? x * 255 / width : k == 1 ? y * 255 / height : 128));
    }
  }
  return image;
}

Bytes Encode(const Image& image, bool progressive = false) {
  cMemoryStream out;
  JpegSettings settings;
  settings.quality = 95;
  settings.progressive = progressive;
  EXPECT_TRUE(WriteJpeg(image, out, settings));
  return BytesOf(out);
}

bool Decode(const Bytes& file, Image& image) {
  cMemoryStream stream = StreamOf(file);
  return JpegImageLoader().Load(image, stream);
}

int LargestDifference(const Image& a, const Image& b) {
  int largest = 0;
  for (std::size_t i = 0; i < a.GetPixelBytes() && i < b.GetPixelBytes(); ++i) {
    largest = std::max(largest, std::abs(int(a.GetPixels()[i]) - int(b.GetPixels()[i])));
  }
  return largest;
}

// The file with its JFIF segment (APP0) replaced by an Exif one (APP1), as cameras write.
Bytes AsExif(const Bytes& jfif) {
  const std::size_t app0_length = (jfif[4] << 8) | jfif[5];
  Bytes exif = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x10, 'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8};
  exif.insert(exif.end(), jfif.begin() + 4 + static_cast<std::ptrdiff_t>(app0_length), jfif.end());
  return exif;
}

// A CMYK file, straight from libjpeg.
Bytes CmykFile() {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = 8;
  cinfo.image_height = 8;
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  uint8_t row[32] = {};
  JSAMPROW rows[1] = {row};
  while (cinfo.next_scanline < 8) jpeg_write_scanlines(&cinfo, rows, 1);
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes file(out, out + size);
  std::free(out);
  return file;
}

// The size fields of the first frame header.
Bytes WithSize(Bytes file, uint16_t width, uint16_t height) {
  for (std::size_t i = 2; i + 9 < file.size(); ++i) {
    if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) {
      file[i + 5] = uint8_t(height >> 8), file[i + 6] = uint8_t(height);
      file[i + 7] = uint8_t(width >> 8), file[i + 8] = uint8_t(width);
      break;
    }
  }
  return file;
}

TEST(JpegFile, EachKindDecodesToWhatWasEncoded) {
  struct Case {
    const char* name;
    Image picture;
    bool progressive;
    bool exif;
  };
  const Case cases[] = {
      {"baseline colour", Gradient(40, 24, 24), false, false},
      {"progressive colour", Gradient(40, 24, 24), true, false},
      {"grey", Gradient(17, 9, 8), false, false},
      {"Exif", Gradient(16, 16, 24), false, true},
  };
  for (const Case& c : cases) {
    Bytes file = Encode(c.picture, c.progressive);
    if (c.exif) file = AsExif(file);
    Image decoded;
    ASSERT_TRUE(Decode(file, decoded)) << c.name;
    EXPECT_EQ(decoded.GetWidth(), c.picture.GetWidth()) << c.name;
    EXPECT_EQ(decoded.GetHeight(), c.picture.GetHeight()) << c.name;
    EXPECT_EQ(decoded.GetBitsPerPixel(), c.picture.GetBitsPerPixel()) << c.name;
    EXPECT_LE(LargestDifference(decoded, c.picture), 12) << c.name << ": rows upside down or colours off";
  }
}

TEST(JpegFile, RefusesWithALogLine) {
  TempDir dir("velmaris-jpeg");
  cProperties::GetInstance()->SetValue("log_directory", dir.Path());
  cProperties::GetInstance()->SetValue("short_name", "tarvel");
  cLog::GetInstance()->Open();
  struct Case {
    const char* name;
    Bytes file;
    const char* logged;
  };
  const Case cases[] = {
      {"CMYK", CmykFile(), "CMYK"},
      {"60000 x 60000", WithSize(Encode(Gradient(16, 16, 24)), 60000, 60000), "larger than"},
      {"65535 x 65535", WithSize(Encode(Gradient(16, 16, 24)), 0xFFFF, 0xFFFF), "JPEG image refused"},
  };
  for (const Case& c : cases) {
    Image image = Gradient(2, 2, 24);
    EXPECT_FALSE(Decode(c.file, image)) << c.name;
    EXPECT_NE(dir.ReadFile("tarvel.html").find(c.logged), std::string::npos) << c.name;
  }
  const Bytes whole = Encode(Gradient(64, 64, 24));
  Image image;
  TakeImageDamage();
  EXPECT_TRUE(Decode(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2)), image));
  EXPECT_NE(TakeImageDamage().find("JPEG image damaged, drawn as far as it goes"), std::string::npos)
      << "cut short: noted for the caller, who knows the file";
  EXPECT_TRUE(Decode(whole, image));
  EXPECT_EQ(TakeImageDamage(), "") << "whole";
  DestroySingletons();
}

TEST(JpegFile, NotAJpegLeavesTheStreamWhereItWas) {
  for (const Bytes& file : {Bytes{0xFF, 0xD8, 0x00, 0x01}, Bytes{0xFF, 0xD8}, Bytes{}}) {
    cMemoryStream stream = StreamOf(file);
    Image image;
    EXPECT_FALSE(JpegImageLoader().Load(image, stream));
    EXPECT_EQ(stream.GetPosition(), 0u);
  }
}

TEST(JpegFile, EveryTruncationAndCorruptionIsSafe) {
  for (const Bytes& file : {Encode(Gradient(24, 16, 24)), Encode(Gradient(24, 16, 24), true), Encode(Gradient(9, 9, 8))}) {
    ForEachDamagedCopy(file, 3, 0x5A, [](const Bytes& damaged) {
      Image image;
      const bool decoded = Decode(damaged, image);
      EXPECT_EQ(decoded, !image.IsEmpty());
    });
  }
}

TEST(JpegFile, TheManagerTriesJpegBeforeTga) {
  // JPEG bytes are read as JPEG whatever the file is called; anything else reaches the TGA loader.
  Image image;
  cMemoryStream jpeg = StreamOf(Encode(Gradient(8, 8, 24)));
  ASSERT_TRUE(TextureManager::GetInstance()->LoadImage(image, jpeg));
  EXPECT_EQ(image.GetWidth(), 8u);
  TgaFile tga;
  tga.body = {1, 2, 3};
  cMemoryStream targa = StreamOf(tga.Build());
  ASSERT_TRUE(TextureManager::GetInstance()->LoadImage(image, targa));
  EXPECT_EQ(PixelAt(image, 0, 0), (Bytes{3, 2, 1}));
  cMemoryStream neither = StreamOf(Bytes{1, 2, 3});
  EXPECT_FALSE(TextureManager::GetInstance()->LoadImage(image, neither));
  EXPECT_TRUE(image.IsEmpty());
  DestroySingletons();
}

}  // namespace
