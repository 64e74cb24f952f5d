#include "source/stream/cFileStream.h"

cFileStream::cFileStream(const std::string& path, int disposition, unsigned access,
                         unsigned share) {
  auto* file = new cWin32File(path, disposition, access, share);
  if (file->IsOpen()) {
    m_file.Reset(file);
  } else {
    delete file;
  }
}

bool cFileStream::IsEof() {
  if (!m_file) return true;
  return m_file->SetPointer(0, 1) >= m_file->GetSize();
}

uint32_t cFileStream::GetSize() { return m_file ? m_file->GetSize() : 0; }

void cFileStream::Resize(uint32_t size) {
  if (m_file) m_file->Cut(size);
}

uint32_t cFileStream::Read(void* buffer, uint32_t count) {
  return m_file ? m_file->Read(buffer, count) : 0;
}

uint32_t cFileStream::Write(const void* buffer, uint32_t count) {
  return m_file ? m_file->Write(buffer, count) : 0;
}

uint32_t cFileStream::Seek(int32_t offset, int origin) {
  return m_file ? m_file->SetPointer(offset, origin) : 0;
}

uint32_t cFileStream::ReadAt(uint32_t offset, void* buffer, uint32_t count) {
  return m_file ? m_file->ReadAt(offset, buffer, count) : 0;
}
