#pragma once
// Writes an Image as a JPEG file through libjpeg's compressor: the content tool's background
// pictures, and the tests' and benchmarks' fixtures. The same image and settings always give the
// same bytes. Grey (8-bit) images give grey files; 24-bit and 32-bit ones colour files (alpha is
// dropped).

#include <cstdint>

class Image;
class cStream;

struct JpegSettings {
  int quality = 90;          // 1..100
  bool progressive = false;  // several scans instead of one
  bool optimize = true;      // Huffman tables made for the picture
};

// False when the image is empty or the stream does not take every byte.
bool WriteJpeg(const Image& image, cStream& stream, const JpegSettings& settings = JpegSettings());
