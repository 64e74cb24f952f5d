#pragma once
// A temporary folder that is removed with everything in it when the object goes.

#include <string>

class TempDir {
 public:
  explicit TempDir(const std::string& prefix = "velmaris");
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return m_path; }
  // Path of `relative` inside the folder (with `/`).
  std::string operator/(const std::string& relative) const { return m_path + "/" + relative; }

  // Writes a file (creating its folders) and reads one back; for fixtures.
  void WriteFile(const std::string& relative, const std::string& bytes) const;
  std::string ReadFile(const std::string& relative) const;

 private:
  std::string m_path;
};
