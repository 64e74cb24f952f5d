#pragma once
// One named way of packing bytes (the pack files name the method of every entry). The archiver
// keeps the methods by name; each turns a whole source into a whole destination and back.

class cStream;
class cMemoryStream;

class cArchiverMethod {
 public:
  virtual ~cArchiverMethod() = default;
  virtual const char* GetName() const = 0;
  // Both read the whole source from its first byte and fill the destination from its start.
  virtual bool Compress(cStream& source, cMemoryStream& destination) = 0;
  virtual bool Uncompress(cStream& source, cMemoryStream& destination) = 0;
};
