#include "Sources/shell/userdata/RecordsTable.h"

#include "Sources/shell/userdata/BinaryReader.h"
#include "Sources/shell/userdata/FileHeader.h"
#include "Sources/shell/userdata/UserFile.h"
#include "Sources/shell/userdata/cUserDataFactory.h"
#include "source/stream/Encoding.h"
#include "source/stream/cMemoryStream.h"

bool cRecordEntry::Write(cStream& stream) const {
  return stream.Write(m_extra.data(), m_extra.size()) == m_extra.size() && WriteWideString(stream, m_name) &&
         WriteFloat(stream, m_score);
}

bool cRecordEntry::Read(BinaryReader& reader) {
  reader.Bytes(m_extra.data(), static_cast<uint32_t>(m_extra.size()));
  reader.Wide(m_name);
  reader.Float(m_score);
  return reader.Ok();
}

RecordsTable::RecordsTable(cUserDataFactory& factory) : m_factory(factory) {
  if (factory.HasUserFolder()) m_file = std::make_unique<UserFile>(GetFilePath(), factory.GetDataFolder());
  if (!Load()) Save();
  if (m_entries.empty()) m_entries.push_back(m_factory.CreateRecordEntry());
}

RecordsTable::~RecordsTable() = default;

std::string RecordsTable::GetFilePath() const { return m_factory.GetDataFolder() + "\\topscores.hsf"; }

bool RecordsTable::Parse(cStream& content) {
  BinaryReader reader(content);
  uint32_t count = 0;
  if (!ReadFileHeader(reader, m_factory.m_header, m_factory.m_version) ||
      !reader.Count(count, cRecordEntry::kSmallestBytes)) {
    return false;
  }
  std::vector<std::unique_ptr<cRecordEntry>> entries;
  entries.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    entries.push_back(m_factory.CreateRecordEntry());
    if (!entries.back()->Read(reader)) return false;
  }
  if (!reader.AtEnd()) return false;
  m_entries = std::move(entries);
  return true;
}

bool RecordsTable::Load() {
  if (!m_file) return false;
  const UserFile::LoadResult result = m_file->Load([this](cStream& content) { return Parse(content); });
  return result == UserFile::LoadResult::kLoaded || result == UserFile::LoadResult::kLoadedFromBackup;
}

bool RecordsTable::Save() {
  if (m_entries.empty()) m_entries.push_back(m_factory.CreateRecordEntry());
  cMemoryStream bytes;
  bool ok = WriteFileHeader(bytes, m_factory.m_header, m_factory.m_version) &&
            WriteUInt32(bytes, static_cast<uint32_t>(m_entries.size()));
  for (const auto& entry : m_entries) ok = ok && entry->Write(bytes);
  return ok && m_file && m_file->Save(bytes.GetData(), bytes.GetSize());
}
