#pragma once
// Packs and unpacks byte streams with named methods. Pack files name the method of each entry;
// the empty name always means "stored as it is". The archiver starts with the "Zlib" method,
// which is also the default.

#include <map>
#include <string>
#include <vector>

#include "source/Archiver/cArchiverMethod.h"
#include "source/core/CountedPtr.h"
#include "source/core/Singleton.h"

class cStream;
class cMemoryStream;

class cArchiver : public Singleton<cArchiver> {
 public:
  enum PackMode : int {
    kPackDefault = 0,   // the default method when it succeeds, else stored
    kPackSmallest = 1,  // whichever of stored and every method is strictly smallest
    kPackStored = 2,    // stored as it is (any other mode too)
  };

  cArchiver();
  ~cArchiver() override;

  // The first method added becomes the default; a method of the same name is replaced.
  void AddMethod(cArchiverMethod* method);
  bool HasMethod(const std::string& name) const;
  const std::string& GetDefaultMethod() const { return m_default_method; }
  // The empty name first, then every method name in name order (index 0 means stored).
  void GetMethodNames(std::vector<std::string>& names) const;

  // Appends the packed form of the whole source to `destination` and names the method used in
  // `method_name` (empty for a plain copy). False only when the destination took fewer bytes.
  bool Pack(int mode, cStream& source, cStream& destination, std::string& method_name);
  // Replaces the content of `destination` with the unpacked source, positioned at 0. On failure
  // (an unknown method, damaged data) the destination is left as it was.
  bool Unpack(const std::string& method_name, cStream& source, cMemoryStream& destination);

 private:
  std::map<std::string, CountedPtr<cArchiverMethod>> m_methods;
  std::string m_default_method;
};
