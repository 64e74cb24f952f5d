#include "source/Archiver/cArchiver.h"

#include <utility>

#include "source/Archiver/cZlibArchiver.h"
#include "source/log/cLog.h"
#include "source/stream/cMemoryStream.h"
#include "source/stream/cSubStream.h"

namespace {

constexpr const char* kSource = "source\\Archiver\\cArchiver";
constexpr int kMethodNotFoundLine = 70;

// Appends all of `source` to `destination`; true when every byte was taken.
bool CopyWhole(cStream& source, cStream& destination) {
  const uint32_t size = source.GetSize();
  return destination.CopyFrom(source, cStream::kWholeStream) == size;
}

}  // namespace

cArchiver::cArchiver() { AddMethod(new cZlibArchiver()); }

cArchiver::~cArchiver() = default;

void cArchiver::AddMethod(cArchiverMethod* method) {
  if (method == nullptr) return;
  const std::string name = method->GetName();
  if (m_methods.empty()) m_default_method = name;
  m_methods[name].Reset(method);
}

bool cArchiver::HasMethod(const std::string& name) const { return m_methods.count(name) != 0; }

void cArchiver::GetMethodNames(std::vector<std::string>& names) const {
  names.clear();
  names.emplace_back();
  for (const auto& entry : m_methods) names.push_back(entry.first);
}

bool cArchiver::Pack(int mode, cStream& source, cStream& destination, std::string& method_name) {
  method_name.clear();
  if (mode == kPackDefault) {
    auto found = m_methods.find(m_default_method);
    cMemoryStream packed;
    if (found != m_methods.end() && found->second->Compress(source, packed)) {
      method_name = m_default_method;
      return CopyWhole(packed, destination);
    }
    return CopyWhole(source, destination);
  }
  if (mode == kPackSmallest) {
    cMemoryStream best(source);
    for (const auto& entry : m_methods) {
      cMemoryStream candidate;
      if (entry.second->Compress(source, candidate) && candidate.GetSize() < best.GetSize()) {
        best = std::move(candidate);
        method_name = entry.first;
      }
    }
    return CopyWhole(best, destination);
  }
  return CopyWhole(source, destination);
}

bool cArchiver::Unpack(const std::string& method_name, cStream& source,
                       cMemoryStream& destination) {
  if (method_name.empty()) {
    // Read through a view of its own so the source's position (another reader's) stays put.
    cSubStream view(source, 0, source.GetSize());
    cMemoryStream copy(view);
    if (copy.GetSize() != view.GetSize()) return false;
    destination = std::move(copy);
    return true;
  }
  auto found = m_methods.find(method_name);
  if (found == m_methods.end()) {
    LogReport(kLogError, kSource, kMethodNotFoundLine, "archiver method not found ");
    return false;
  }
  cMemoryStream unpacked;
  if (!found->second->Uncompress(source, unpacked)) return false;
  destination = std::move(unpacked);
  return true;
}
