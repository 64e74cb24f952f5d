#include "source/texture/JpegStreamSource.h"

#include <jerror.h>

#include "source/stream/cStream.h"

namespace {

constexpr std::size_t kBufferSize = 4096;

struct StreamSource {
  jpeg_source_mgr pub;  // first: libjpeg sees only this part
  cStream* stream;
  JOCTET* buffer;
  boolean start_of_file;
};

void InitSource(j_decompress_ptr cinfo) {
  reinterpret_cast<StreamSource*>(cinfo->src)->start_of_file = TRUE;
}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
  auto* source = reinterpret_cast<StreamSource*>(cinfo->src);
  std::size_t count = source->stream->Read(source->buffer, kBufferSize);
  if (count == 0) {
    // An empty file is not a picture; a file that ends early ends with a made-up end of image.
    if (source->start_of_file) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    source->buffer[0] = 0xFF;
    source->buffer[1] = JPEG_EOI;
    count = 2;
  }
  source->pub.next_input_byte = source->buffer;
  source->pub.bytes_in_buffer = count;
  source->start_of_file = FALSE;
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count < 1) return;
  jpeg_source_mgr* source = cinfo->src;
  while (count > static_cast<long>(source->bytes_in_buffer)) {
    count -= static_cast<long>(source->bytes_in_buffer);
    FillInputBuffer(cinfo);
  }
  source->next_input_byte += count;
  source->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void TermSource(j_decompress_ptr) {}

}  // namespace

void InstallJpegStreamSource(j_decompress_ptr cinfo, cStream& stream) {
  auto* source = static_cast<StreamSource*>(
      (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(StreamSource)));
  source->buffer = static_cast<JOCTET*>(
      (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, kBufferSize));
  source->stream = &stream;
  source->start_of_file = TRUE;
  source->pub.init_source = InitSource;
  source->pub.fill_input_buffer = FillInputBuffer;
  source->pub.skip_input_data = SkipInputData;
  source->pub.resync_to_restart = jpeg_resync_to_restart;
  source->pub.term_source = TermSource;
  source->pub.bytes_in_buffer = 0;
  source->pub.next_input_byte = nullptr;
  cinfo->src = &source->pub;
}
