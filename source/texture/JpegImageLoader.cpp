#include "source/texture/JpegImageLoader.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>
#include <jerror.h>

#include "source/log/cLog.h"
#include "source/stream/cStream.h"
#include "source/texture/Image.h"
#include "source/texture/ImageDamage.h"
#include "source/texture/JpegStreamSource.h"

namespace {

constexpr const char* kSource = "source\\texture\\JpegImageLoader";
// A progressive file may hold any number of scans; real ones have about ten. More than this is a
// damaged or hostile file that would only cost time.
constexpr int kMaxScans = 500;

// libjpeg's error exit must not return into the decoder: it jumps back to the load, which then
// destroys the decompressor and fails.
struct JumpingErrors {
  jpeg_error_mgr pub;  // first: libjpeg sees only this part
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];  // the fatal error, or the first warning
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<JumpingErrors*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

// Warnings (a file that ends early, a bad restart marker) are recovered from by the decoder: the
// first is kept for the log; trace messages are not wanted.
void KeepFirstWarning(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  auto* errors = reinterpret_cast<JumpingErrors*>(cinfo->err);
  if (errors->pub.num_warnings++ == 0) (*cinfo->err->format_message)(cinfo, errors->message);
}

void LimitScans(j_common_ptr cinfo) {
  auto* decompressor = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompressor->input_scan_number > kMaxScans) ERREXIT(cinfo, JERR_NOT_COMPILED);
}

bool HasJpegSignature(cStream& stream) {
  const uint32_t start = stream.Tell();
  uint8_t signature[3] = {};
  const uint32_t read = stream.Read(signature, 3);
  stream.Seek(static_cast<int32_t>(start), 0);
  return read == 3 && signature[0] == 0xFF && signature[1] == 0xD8 && signature[2] == 0xFF;
}

// Why the header cannot become an image, or null.
const char* Unsupported(const jpeg_decompress_struct& cinfo) {
  if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) return "CMYK pictures are not supported";
  if (cinfo.num_components != 1 && cinfo.num_components != 3) return "unsupported number of colour components";
  const uint64_t pixels = uint64_t{cinfo.image_width} * cinfo.image_height;
  if (pixels == 0) return "no pixels";
  if (pixels > kMaxImagePixels) return "larger than the largest picture the game reads";
  return nullptr;
}

// Kept apart from Load: nothing here has a destructor that the jump back could skip.
bool Decode(Image& image, cStream& stream) {
  jpeg_decompress_struct cinfo{};  // no memory manager yet: destroying it before creation is safe
  JumpingErrors errors;
  jpeg_progress_mgr progress{};
  cinfo.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = ErrorExit;
  errors.pub.emit_message = KeepFirstWarning;
  errors.message[0] = '\0';
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_decompress(&cinfo);
    image.Clear();
    LogReport(kLogWarning, kSource, __LINE__, "JPEG image refused: %s", errors.message);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  progress.progress_monitor = LimitScans;
  cinfo.progress = &progress;
  InstallJpegStreamSource(&cinfo, stream);
  jpeg_read_header(&cinfo, TRUE);
  if (const char* why = Unsupported(cinfo)) {
    LogReport(kLogWarning, kSource, __LINE__, "JPEG image refused: %s", why);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  cinfo.out_color_space = cinfo.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  // Every row is written by the decoder (a file cut short is filled out by it) or the image is
  // cleared: nothing is zeroed first.
  if (!image.AllocateUnfilled(cinfo.output_width, cinfo.output_height, cinfo.output_components * 8u)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  // The file's first row is the picture's top: it goes to the image's last row.
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = image.Row(cinfo.output_height - 1 - cinfo.output_scanline);
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) {
      jpeg_destroy_decompress(&cinfo);
      image.Clear();
      return false;
    }
  }
  jpeg_finish_decompress(&cinfo);
  if (cinfo.err->num_warnings > 0) {
    // Damaged data the decoder got past (a file cut short, a bad marker): what was there is shown,
    // and the caller names the file.
    NoteImageDamage(std::string("JPEG image damaged, drawn as far as it goes: ") + errors.message);
  }
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

bool JpegImageLoader::Load(Image& image, cStream& stream) {
  if (!HasJpegSignature(stream)) return false;
  return Decode(image, stream);
}
