#include "MonitorImages.h"

#include "AtomicFile.h"
#include "FileLookup.h"

namespace {

// Deterministic filler that differs between images, so an upload in the
// wrong order shows on the wire.
std::vector<uint8_t> Placeholder(int image, size_t size) {
  std::vector<uint8_t> bytes(size);
  uint32_t state = 0x9E3779B9u * static_cast<uint32_t>(image + 1);
  for (uint8_t& b : bytes) {
    state = state * 1664525u + 1013904223u;
    b = static_cast<uint8_t>(state >> 24);
  }
  return bytes;
}

} // namespace

TMonitorImages::TMonitorImages() {
  for (int i = 0; i < Count; ++i)
    Bytes[i] = Placeholder(i, Sizes[i]);
}

std::vector<std::string> TMonitorImages::LoadFolder(const std::filesystem::path& folder) {
  std::vector<std::string> messages;
  for (int i = 0; i < Count; ++i) {
    const char name[] = {'M', static_cast<char>('1' + i), '.', 'B', 'I', 'N', '\0'};
    const auto file = FindFileIgnoringCase(folder / name);
    std::string bytes;
    if (!file || !ReadWholeFile(*file, bytes)) continue;
    if (bytes.size() != Sizes[i]) {
      std::string message = "监控程序文件长度不对：";
      message += file->string();
      message += "（";
      message += std::to_string(bytes.size());
      message += " 字节，应为 ";
      message += std::to_string(Sizes[i]);
      message += " 字节）";
      messages.push_back(std::move(message));
      continue;
    }
    Bytes[i].assign(bytes.begin(), bytes.end());
  }
  return messages;
}

std::span<const uint8_t> TMonitorImages::M3Variant(int variant) const {
  return Get(M3).subspan(static_cast<size_t>(variant) * VariantSize, VariantSize);
}
