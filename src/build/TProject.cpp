#include "TProject.h"

#include "AtomicFile.h"
#include "TaggedRecords.h"

namespace {

enum RecordTag : uint8_t { TagLibFile = 0, TagFile = 1 };

void AppendRecords(std::string& out, uint8_t tag, const std::vector<std::string>& texts) {
  for (const std::string& text : texts)
    if (!text.empty()) AppendTaggedRecord(out, tag, text);
}

} // namespace

TProject::~TProject() {
  if (!FileName.empty()) SaveToFile(FileName);
}

void TProject::Clear() {
  FileName.clear();
  Files.clear();
  LibFiles.clear();
}

int TProject::Open(const std::string& name) {
  if (name.empty()) return -1;
  if (AddHistoryFile) AddHistoryFile(name);
  Clear();
  FileName = name;
  std::string bytes;
  if (!ReadRecordFile(name, bytes)) return -1;
  ReadTaggedRecords(bytes, [this](const TaggedRecord& record) {
    if (record.Tag == TagFile)
      Files.emplace_back(RecordText(record.Data));
    else if (record.Tag == TagLibFile)
      LibFiles.emplace_back(RecordText(record.Data));
  });
  return 0;
}

int TProject::SaveToFile(const std::string& name) const {
  if (name.empty()) return -1;
  std::string out;
  AppendRecords(out, TagFile, Files);
  AppendRecords(out, TagLibFile, LibFiles);
  return WriteFileAtomically(name, out) ? 0 : -1;
}
