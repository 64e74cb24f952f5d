#pragma once
// An image file format: reads a stream into an Image and writes one back. The texture manager
// tries its loaders in turn and puts the stream back where it was after each refusal.

class Image;
class cStream;

class ImageLoader {
 public:
  virtual ~ImageLoader() = default;
  // True when the stream held a picture of this format; the image then holds it.
  virtual bool Load(Image& image, cStream& stream) = 0;
  // True when the whole picture was written.
  virtual bool Save(const Image& image, cStream& stream) = 0;
};
