#include "source/texture/JpegWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "source/stream/cStream.h"
#include "source/texture/Image.h"

namespace {

struct JumpingErrors {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JumpingErrors*>(cinfo->err)->jump, 1);
}

// Compresses into a buffer that libjpeg allocates (freed by the caller); nothing here has a
// destructor that the jump back could skip.
bool Compress(const Image& image, const std::vector<uint8_t>& rgb, const JpegSettings& settings, unsigned char** out,
              unsigned long* size) {
  jpeg_compress_struct cinfo{};
  JumpingErrors errors;
  cinfo.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = ErrorExit;
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, out, size);
  const bool grey = image.GetBitsPerPixel() == 8;
  cinfo.image_width = image.GetWidth();
  cinfo.image_height = image.GetHeight();
  cinfo.input_components = grey ? 1 : 3;
  cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, settings.quality, TRUE);
  cinfo.optimize_coding = settings.optimize ? TRUE : FALSE;
  if (settings.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  const std::size_t row_bytes = std::size_t{image.GetWidth()} * cinfo.input_components;
  // The picture's top row (the image's last) comes first in the file.
  while (cinfo.next_scanline < cinfo.image_height) {
    const uint8_t* row = rgb.data() + (cinfo.image_height - 1 - cinfo.next_scanline) * row_bytes;
    JSAMPROW rows[1] = {const_cast<JSAMPROW>(row)};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

bool WriteJpeg(const Image& image, cStream& stream, const JpegSettings& settings) {
  const uint32_t bytes = image.GetBytesPerPixel();
  if (image.IsEmpty() || (bytes != 1 && bytes != 3 && bytes != 4)) return false;
  std::vector<uint8_t> pixels;
  if (bytes == 4) {
    pixels.reserve(static_cast<std::size_t>(image.GetWidth()) * image.GetHeight() * 3);
    for (std::size_t i = 0; i < image.GetPixelBytes(); i += 4) {
      pixels.insert(pixels.end(), image.GetPixels() + i, image.GetPixels() + i + 3);
    }
  } else {
    pixels.assign(image.GetPixels(), image.GetPixels() + image.GetPixelBytes());
  }
  unsigned char* out = nullptr;
  unsigned long size = 0;
  const bool compressed = Compress(image, pixels, settings, &out, &size);
  const bool written = compressed && size <= UINT32_MAX && stream.Write(out, static_cast<uint32_t>(size)) == size;
  std::free(out);
  return written;
}
