#include "source/texture/TgaImageLoader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "source/log/cLog.h"
#include "source/stream/cMemoryStream.h"
#include "source/stream/cStream.h"
#include "source/texture/Image.h"
#include "source/texture/ImageDamage.h"
#include "source/texture/TgaPalette.h"

namespace {

constexpr const char* kSource = "source\\texture\\TgaImageLoader";
constexpr uint32_t kHeaderSize = 18;
constexpr uint8_t kRunLengthBit = 8;
constexpr uint8_t kTopOrigin = 0x20;
constexpr uint8_t kAlphaBits = 0x0F;  // the descriptor's count of alpha bits a pixel
// One repeat packet of a single byte encodes 128 pixels: no file holds more pixels than that per
// byte of pixel data.
constexpr uint64_t kMostPixelsPerByte = 128;

struct TgaHeader {
  uint8_t id_length = 0;
  uint8_t map_type = 0;
  uint8_t image_type = 0;
  uint16_t map_first = 0;
  uint16_t map_length = 0;
  uint8_t map_entry_bits = 0;
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t depth = 0;
  uint8_t descriptor = 0;
};

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

TgaHeader ParseHeader(const uint8_t* b) {
  TgaHeader h;
  h.id_length = b[0];
  h.map_type = b[1];
  h.image_type = b[2];
  h.map_first = U16(b + 3);
  h.map_length = U16(b + 5);
  h.map_entry_bits = b[7];
  h.width = U16(b + 12);
  h.height = U16(b + 14);
  h.depth = b[16];
  h.descriptor = b[17];
  return h;
}

bool Refuse(int line, const char* why) {
  LogReport(kLogWarning, kSource, line, "TGA image refused: %s", why);
  return false;
}

// Copies `bytes` bytes of pixels of B bytes each; pixels of three or four bytes (blue, green, red,
// alpha in the file) come out red, green, blue, alpha. A last pixel cut short is completed with
// zeros first.
template <uint32_t B>
void CopyPixels(const uint8_t* in, std::size_t bytes, uint8_t* out) {
  if constexpr (B < 3) {
    std::memcpy(out, in, bytes);
  } else {
    const std::size_t whole = bytes - bytes % B;
    for (std::size_t i = 0; i < whole; i += B) {
      out[i] = in[i + 2];
      out[i + 1] = in[i + 1];
      out[i + 2] = in[i];
      if constexpr (B == 4) out[i + 3] = in[i + 3];
    }
    if (whole < bytes) {
      uint8_t last[B] = {};
      std::memcpy(last, in + whole, bytes - whole);
      CopyPixels<B>(last, B, out + whole);
    }
  }
}

// Fills `bytes` bytes with copies of one pixel of B bytes: the run doubles what it has written
// until it is whole, a few copies rather than one a pixel.
template <uint32_t B>
void FillRun(const uint8_t* pixel, std::size_t bytes, uint8_t* out) {
  if constexpr (B == 1) {
    std::memset(out, pixel[0], bytes);
  } else {
    std::size_t filled = std::min<std::size_t>(B, bytes);
    std::memcpy(out, pixel, filled);
    while (filled < bytes) {
      const std::size_t more = std::min(filled, bytes - filled);
      std::memcpy(out + filled, out, more);
      filled += more;
    }
  }
}

// Bytes a copy of `bytes` bytes of B-byte pixels writes: a pixel cut short is written whole.
template <uint32_t B>
std::size_t WholePixels(std::size_t bytes) {
  return (bytes + B - 1) / B * B;
}

// Unpacks run-length packets into `out` (`total` bytes): a packet that runs past the end is cut
// there. Answers how many bytes from the start were written; the data may not reach the end.
template <uint32_t B>
std::size_t DecodeRunLength(const uint8_t* data, std::size_t size, uint8_t* out, std::size_t total) {
  std::size_t in = 0;
  std::size_t done = 0;
  while (done < total && in < size) {
    const uint8_t packet = data[in++];
    const std::size_t bytes = std::min<std::size_t>(((packet & 0x7Fu) + 1u) * B, total - done);
    if (packet & 0x80) {
      if (size - in < B) break;
      uint8_t pixel[B];
      CopyPixels<B>(data + in, B, pixel);
      in += B;
      FillRun<B>(pixel, bytes, out + done);
    } else {
      const std::size_t available = std::min(bytes, size - in);
      CopyPixels<B>(data + in, available, out + done);
      in += available;
      if (available < bytes) return done + WholePixels<B>(available);
    }
    done += bytes;
  }
  return done;
}

template <uint32_t B>
std::size_t UnpackPixels(const uint8_t* data, std::size_t size, bool run_length, uint8_t* out, std::size_t total) {
  if (run_length) return DecodeRunLength<B>(data, size, out, total);
  const std::size_t bytes = std::min(size, total);
  CopyPixels<B>(data, bytes, out);
  return B < 3 ? bytes : WholePixels<B>(bytes);
}

// Fills `out` (`total` bytes, unfilled before) with the pixel data, each pixel in the image's
// byte order; what a damaged or short file does not reach becomes zero, so no byte is left
// undefined.
// Answers how many bytes the data filled.
std::size_t Unpack(const uint8_t* data, std::size_t size, uint32_t pixel_bytes, bool run_length, uint8_t* out,
                   std::size_t total) {
  std::size_t written = 0;
  switch (pixel_bytes) {
    case 1: written = UnpackPixels<1>(data, size, run_length, out, total); break;
    case 2: written = UnpackPixels<2>(data, size, run_length, out, total); break;
    case 3: written = UnpackPixels<3>(data, size, run_length, out, total); break;
    default: written = UnpackPixels<4>(data, size, run_length, out, total); break;
  }
  if (written < total) std::memset(out + written, 0, total - written);
  return written;
}

// A file cut short still draws the rows it holds; the note says how far it goes.
void NoteShortData(std::size_t written, std::size_t total, uint32_t row_bytes, uint32_t rows) {
  if (written >= total) return;
  NoteImageDamage("TGA pixel data ends early: " + std::to_string(written / row_bytes) + " of " + std::to_string(rows) +
                  " rows are whole, the rest is drawn black");
}

// Source row r of the file goes to image row `r` (origin at the bottom) or height - 1 - r (origin
// at the top), so that the image always starts with the picture's bottom row.
uint8_t* TargetRow(Image& image, uint32_t r, bool top_origin) {
  return image.Row(top_origin ? image.GetHeight() - 1 - r : r);
}

// 16-bit pixels (5 bits a channel and the top bit) become 32-bit ones. The top bit is alpha only
// when the descriptor counts an alpha bit; otherwise it means nothing and the pixel is opaque.
void ConvertSixteenBits(const uint8_t* pixels, bool top_origin, bool has_alpha, Image& image) {
  const uint32_t w = image.GetWidth();
  for (uint32_t r = 0; r < image.GetHeight(); ++r) {
    const uint8_t* in = pixels + static_cast<std::size_t>(r) * w * 2;
    uint8_t* out = TargetRow(image, r, top_origin);
    for (uint32_t x = 0; x < w; ++x, in += 2, out += 4) {
      const uint32_t v = U16(in);
      out[0] = static_cast<uint8_t>(((v >> 10) & 31) << 3);
      out[1] = static_cast<uint8_t>(((v >> 5) & 31) << 3);
      out[2] = static_cast<uint8_t>((v & 31) << 3);
      out[3] = !has_alpha || (v & 0x8000) ? 255 : 0;
    }
  }
}

uint32_t ImageBits(uint32_t depth) { return depth == 16 ? 32 : depth; }

bool KnownType(uint8_t type) {
  return type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
}

}  // namespace

bool TgaImageLoader::Load(Image& image, cStream& stream) {
  uint8_t bytes[kHeaderSize];
  if (stream.Read(bytes, kHeaderSize) != kHeaderSize) return Refuse(__LINE__, "shorter than its header");
  const TgaHeader h = ParseHeader(bytes);
  if (!KnownType(h.image_type)) return Refuse(__LINE__, "no image data of a known type");
  if (h.depth != 8 && h.depth != 16 && h.depth != 24 && h.depth != 32) return Refuse(__LINE__, "unknown pixel depth");
  if (h.width == 0 || h.height == 0) return Refuse(__LINE__, "no pixels");

  // The rest of the file: the ID field, the colour map and the pixel data. A file already in
  // memory is read where it lies; another is read in one go into a buffer left unfilled before.
  const uint32_t size = stream.GetSize();
  const uint32_t position = stream.Tell();
  const std::size_t rest_size = size > position ? size - position : 0;
  std::unique_ptr<uint8_t[]> copy;
  std::span<const uint8_t> rest;
  if (const auto* memory = dynamic_cast<const cMemoryStream*>(&stream); memory != nullptr && memory->GetData() != nullptr) {
    rest = std::span<const uint8_t>(memory->GetData() + position, rest_size);
    stream.Seek(static_cast<int32_t>(rest_size), 1);
  } else if (rest_size > 0) {
    copy.reset(new uint8_t[rest_size]);
    rest = std::span<const uint8_t>(copy.get(), stream.Read(copy.get(), static_cast<uint32_t>(rest_size)));
  }
  const uint32_t entry_bytes = (h.map_entry_bits + 7u) / 8u;
  const std::size_t skip = std::min<std::size_t>(h.id_length + std::size_t{h.map_length} * entry_bytes, rest.size());
  const uint8_t* data = rest.data() + skip;
  const std::size_t data_size = rest.size() - skip;

  const uint64_t pixel_count = uint64_t{h.width} * h.height;
  if (pixel_count > kMaxImagePixels) return Refuse(__LINE__, "larger than the largest picture the game reads");
  if (pixel_count > kMostPixelsPerByte * data_size) return Refuse(__LINE__, "claims more pixels than its data holds");

  const uint32_t pixel_bytes = h.depth / 8u;
  const std::size_t needed = static_cast<std::size_t>(pixel_count) * pixel_bytes;
  const bool run_length = (h.image_type & kRunLengthBit) != 0;
  const bool top_origin = (h.descriptor & kTopOrigin) != 0;
  TgaPalette palette;
  const std::size_t map_offset = std::min<std::size_t>(h.id_length, rest.size());
  const bool mapped = h.map_type == 1 && (h.image_type & 7) == 1 && h.depth == 8 &&
                      palette.Read(rest.data() + map_offset, rest.size() - map_offset, h.map_first, h.map_length,
                                   h.map_entry_bits) &&
                      !palette.IsGreyRamp();
  // Every pixel is written below: unpacked (zero where the data ends), expanded or converted.
  if (!image.AllocateUnfilled(h.width, h.height, mapped ? palette.ImageBits() : ImageBits(h.depth))) {
    return Refuse(__LINE__, "no memory for its pixels");
  }
  if (!mapped && h.depth != 16) {
    // The pixels keep their size: unpacked straight into the image, then its rows put in order.
    NoteShortData(Unpack(data, data_size, pixel_bytes, run_length, image.GetPixels(), needed), needed,
                  h.width * pixel_bytes, h.height);
    if (top_origin) image.FlipVertical();
    return true;
  }
  const auto pixels = std::make_unique_for_overwrite<uint8_t[]>(needed);
  NoteShortData(Unpack(data, data_size, pixel_bytes, run_length, pixels.get(), needed), needed, h.width * pixel_bytes,
                h.height);
  if (mapped) {
    for (uint32_t r = 0; r < h.height; ++r) {
      palette.Expand(pixels.get() + static_cast<std::size_t>(r) * h.width, h.width, TargetRow(image, r, top_origin));
    }
  } else {
    ConvertSixteenBits(pixels.get(), top_origin, (h.descriptor & kAlphaBits) != 0, image);
  }
  return true;
}

bool TgaImageLoader::Save(const Image& image, cStream& stream) {
  const uint32_t bits = image.GetBitsPerPixel();
  if (image.IsEmpty() || (bits != 8 && bits != 24 && bits != 32)) return false;
  if (image.GetWidth() > 0xFFFF || image.GetHeight() > 0xFFFF) return false;
  const uint32_t w = image.GetWidth(), h = image.GetHeight();
  const bool grey = bits == 8;
  // A grey image is stored colour-mapped with a 256-entry grey palette of 24-bit entries.
  const uint16_t map_length = grey ? 256 : 0;
  const uint8_t header[kHeaderSize] = {0, uint8_t(grey ? 1 : 0), uint8_t(grey ? 1 : 2), 0, 0,
                                       uint8_t(map_length & 0xFF), uint8_t(map_length >> 8), uint8_t(grey ? 24 : 0),
                                       0, 0, 0, 0, uint8_t(w & 0xFF), uint8_t(w >> 8), uint8_t(h & 0xFF),
                                       uint8_t(h >> 8), uint8_t(bits), kTopOrigin};
  std::vector<uint8_t> out(header, header + kHeaderSize);
  const uint32_t b = bits / 8;
  if (grey) {
    for (uint32_t i = 0; i < 256; ++i) out.insert(out.end(), {uint8_t(i), uint8_t(i), uint8_t(i)});
  }
  // Top origin: the file starts with the picture's top row, the image's last.
  const std::size_t body = out.size();
  out.resize(body + static_cast<std::size_t>(w) * h * b);
  for (uint32_t y = 0; y < h; ++y) {
    const uint8_t* in = image.Row(y);
    uint8_t* o = out.data() + body + static_cast<std::size_t>(h - 1 - y) * w * b;
    if (grey) {
      std::memcpy(o, in, w);
      continue;
    }
    for (uint32_t x = 0; x < w; ++x, in += b, o += b) {
      o[0] = in[2];
      o[1] = in[1];
      o[2] = in[0];
      if (b == 4) o[3] = in[3];
    }
  }
  return out.size() <= UINT32_MAX && stream.Write(out.data(), static_cast<uint32_t>(out.size())) == out.size();
}
