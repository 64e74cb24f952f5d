#pragma once
// libjpeg's data source over one of the program's streams, with a 4096-byte buffer from the
// decompressor's own pool. When the stream runs dry it supplies an end-of-image marker, so a file
// that ends early still decodes.

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

class cStream;

void InstallJpegStreamSource(j_decompress_ptr decompressor, cStream& stream);
