#include "bench/support/BenchData.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/os/os.h"
#include "source/Resources/cResourceManager.h"
#include "source/stream/cMemoryStream.h"
#include "source/texture/Image.h"
#include "source/texture/TgaImageLoader.h"

BenchData::BenchData() {
  std::string pattern = (std::filesystem::temp_directory_path() / "velmaris-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) m_root = pattern;
}

BenchData::~BenchData() {
  std::error_code ignored;
  if (!m_root.empty()) std::filesystem::remove_all(m_root, ignored);
}

bool BenchData::AddFile(const std::string& relative, const std::string& bytes) {
  if (m_root.empty()) return false;
  const std::filesystem::path path = std::filesystem::path(m_root) / "data" / relative;
  std::error_code failed;
  std::filesystem::create_directories(path.parent_path(), failed);
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

bool BenchData::AddTga(const std::string& relative, const Image& image) {
  cMemoryStream bytes;
  return TgaImageLoader().Save(image, bytes) &&
         AddFile(relative, std::string(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize()));
}

bool BenchData::Mount() {
  if (m_root.empty()) return false;
  // Groups are mounted from the current directory; the group keeps the absolute path.
  const std::string previous = os::GetCurrentDirectory();
  if (!os::SetCurrentDirectory(m_root)) return false;
  const bool mounted = cResourceManager::GetInstance()->AddDirectory("data") != nullptr;
  os::SetCurrentDirectory(previous);
  return mounted;
}
