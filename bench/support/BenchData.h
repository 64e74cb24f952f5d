#pragma once
// A "data" group for a benchmark, written file by file into a temporary folder of its own and
// mounted as the game mounts its data (the render manager must exist first, so that "texture",
// "shader" and the rest are known when the folder is read). The folder goes with the object.

#include <string>

class Image;

class BenchData {
 public:
  BenchData();
  ~BenchData();
  BenchData(const BenchData&) = delete;
  BenchData& operator=(const BenchData&) = delete;

  // `relative` below the group's folder, with '/' between folders; false when not written.
  bool AddFile(const std::string& relative, const std::string& bytes);
  bool AddTga(const std::string& relative, const Image& image);
  // Mounts the group (again after the singletons were destroyed); false when it cannot be.
  bool Mount();

 private:
  std::string m_root;
};
