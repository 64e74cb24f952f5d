#pragma once
// A picture in memory, the form every image file is turned into before it becomes a texture:
// width, height and 8 (grey), 24 (red, green, blue) or 32 (red, green, blue, alpha) bits a pixel,
// rows packed without padding and stored bottom row first, whatever the file held.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "source/math/Vector.h"

// No loader makes an image with more pixels than this (4096 x 4096): a file claiming more is
// refused before anything is allocated.
inline constexpr uint64_t kMaxImagePixels = uint64_t{4096} * 4096;

// Scale filters.
enum ImageFilter : uint32_t { kFilterBilinear = 1, kFilterBox = 3 };

// Hands out pixel bytes left as they are on resize: a decoder writes every byte it is given, and
// zeroing megabytes first only to overwrite them costs start-up time.
template <typename T>
struct UnfilledAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = UnfilledAllocator<U>;
  };
  UnfilledAllocator() = default;
  template <typename U>
  UnfilledAllocator(const UnfilledAllocator<U>&) noexcept {}
  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

class Image {
 public:
  Image() = default;
  Image(const Image&) = default;
  Image& operator=(const Image&) = default;
  Image(Image&&) noexcept = default;
  Image& operator=(Image&&) noexcept = default;

  // Sets the size and sizes the pixels (zeroed) to width x height x bits / 8 bytes. A size of 0,
  // or more than kMaxImagePixels pixels, leaves the image empty (and answers false).
  bool Allocate(uint32_t width, uint32_t height, uint32_t bits);
  // Allocate without zeroing, for a caller that writes every byte next (a decoder that does not
  // stop part-way, a filter): the pixels are undefined until then.
  bool AllocateUnfilled(uint32_t width, uint32_t height, uint32_t bits);
  // Back to 0 x 0 x 0 with no pixels.
  void Clear();

  // Every pixel becomes the colour (red, green, blue, alpha in 0..1); an 8-bit image takes its
  // luminance. Nothing happens without pixels.
  void Fill(const Vector4& color);
  // Makes `target` a width x height copy of `source` through the filter: kFilterBox averages
  // 2 x 2 blocks (a mip level from the one above), kFilterBilinear interpolates. Reads stay
  // inside the source whatever the sizes; other filters give zeroed pixels. `target` may be
  // `source`.
  static void Scale(const Image& source, uint32_t width, uint32_t height, uint32_t filter, Image& target);
  // Scales the image itself (bilinear).
  void Resize(uint32_t width, uint32_t height);
  void FlipVertical();
  // A 24-bit image with alpha 255 (an 8-bit one is spread to grey), a 32-bit one as it is; into
  // `target`, or into this image when target is null.
  void ConvertTo32(Image* target = nullptr) const;
  void ConvertTo32() { ConvertTo32(this); }
  // Makes the image 32-bit and takes every pixel's alpha from the other image (its grey byte, its
  // third byte or its fourth byte), resized to this image's size first when it differs.
  void SetAlphaFrom(const Image& alpha);

  bool IsEmpty() const { return m_pixels.empty(); }
  uint32_t GetWidth() const { return m_width; }
  uint32_t GetHeight() const { return m_height; }
  uint32_t GetBitsPerPixel() const { return m_bits; }
  uint32_t GetBytesPerPixel() const { return m_bits / 8; }
  std::size_t GetRowBytes() const { return static_cast<std::size_t>(m_width) * GetBytesPerPixel(); }
  uint8_t* GetPixels() { return m_pixels.data(); }
  const uint8_t* GetPixels() const { return m_pixels.data(); }
  std::size_t GetPixelBytes() const { return m_pixels.size(); }
  // Row r (0 is the bottom row).
  uint8_t* Row(uint32_t r) { return m_pixels.data() + r * GetRowBytes(); }
  const uint8_t* Row(uint32_t r) const { return m_pixels.data() + r * GetRowBytes(); }

  bool operator==(const Image&) const = default;

 private:
  bool SetSize(uint32_t width, uint32_t height, uint32_t bits);

  uint32_t m_width = 0;
  uint32_t m_height = 0;
  uint32_t m_bits = 0;
  std::vector<uint8_t, UnfilledAllocator<uint8_t>> m_pixels;
};
