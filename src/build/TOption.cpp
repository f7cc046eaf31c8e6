#include "TOption.h"

#include "AtomicFile.h"
#include "TCPU.h"
#include "TaggedRecords.h"

#include <cstring>

namespace fs = std::filesystem;

namespace {

enum RecordTag : uint8_t {
  TagASM_Other = 0,
  TagC_Other = 1,
  TagLinkOther = 2,
  TagLibName = 3,
  TagBINPath = 4,
  TagINCPath = 5,
  TagLIBPath = 6,
  TagCurrentDir = 7,
  TagRegister = 8,
};

void AppendStringRecord(std::string& out, uint8_t tag, const std::string& value) {
  if (!value.empty()) AppendTaggedRecord(out, tag, value);
}

} // namespace

TOption::TOption(TCPU& cpu, TCPU& prevCpu, const fs::path& startDir)
    : DskFileName((startDir / FileBaseName).string()), CPU(cpu), PrevCPU(prevCpu) {
  if (LoadFromFile(DskFileName) != 0) SetDefault();
}

TOption::~TOption() {
  if (SaveAtExit) SaveToFile(DskFileName);
}

void TOption::SetDefault() {
  static_cast<TOptionBlock&>(*this) = TOptionBlock{};
  ASM_Other.clear();
  C_Other.clear();
  LinkOther = DefaultLinkOther;
  LibName.clear();
  BINPath = DefaultBINPath;
  INCPath = DefaultINCPath;
  LIBPath = DefaultLIBPath;
  CPU.LoadDefaultRegisters();
  PrevCPU.LoadDefaultRegisters();
}

int TOption::LoadFromFile(const std::string& fileName) {
  std::string bytes;
  if (fileName.empty() || !ReadRecordFile(fileName, bytes)) return -1;
  if (bytes.size() < Size) {
    SetDefault();
    return -1;
  }
  Decode(bytes);
  ReadTaggedRecords(std::string_view(bytes).substr(Size),
                    [this](const TaggedRecord& record) { ApplyRecord(record); });
  if (Signature != ValidSignature) SetDefault();
  return 0;
}

void TOption::ApplyRecord(const TaggedRecord& record) {
  const std::string text(RecordText(record.Data));
  switch (record.Tag) {
  case TagASM_Other: ASM_Other = text; break;
  case TagC_Other: C_Other = text; break;
  case TagLinkOther: LinkOther = text; break;
  case TagLibName: LibName.push_back(text); break;
  case TagBINPath: BINPath = text; break;
  case TagINCPath: INCPath = text; break;
  case TagLIBPath: LIBPath = text; break;
  case TagCurrentDir: {
    // A folder that is gone leaves the current directory as it is.
    std::error_code ec;
    fs::current_path(text, ec);
    break;
  }
  case TagRegister: {
    // A record too short for a descriptor is damaged; a name length past the
    // name field would make the name run into the next fields.
    if (record.Data.size() < sizeof(TRegisterDesc)) break;
    TRegisterDesc desc;
    std::memcpy(&desc, record.Data.data(), sizeof desc);
    desc.NameLength = std::min<uint8_t>(desc.NameLength, TRegisterDesc::MaxNameLength);
    CPU.Registers.push_back(desc);
    PrevCPU.Registers.push_back(desc);
    break;
  }
  default: break;
  }
}

int TOption::SaveToFile(const std::string& fileName) {
  LibName.clear();
  if (fileName.empty()) return -1;
  std::string out = Encode();
  for (const TRegisterDesc& desc : CPU.Registers)
    AppendTaggedRecord(out, TagRegister,
                       std::string_view(reinterpret_cast<const char*>(&desc), sizeof desc));
  AppendStringRecord(out, TagASM_Other, ASM_Other);
  AppendStringRecord(out, TagC_Other, C_Other);
  AppendStringRecord(out, TagLinkOther, LinkOther);
  AppendStringRecord(out, TagBINPath, BINPath);
  AppendStringRecord(out, TagINCPath, INCPath);
  AppendStringRecord(out, TagLIBPath, LIBPath);
  std::error_code ec;
  const fs::path current = fs::current_path(ec);
  if (!ec) AppendStringRecord(out, TagCurrentDir, current.string());
  return WriteFileAtomically(fileName, out) ? 0 : -1;
}
