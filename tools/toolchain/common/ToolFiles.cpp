#include "ToolFiles.h"

#include "AtomicFile.h"
#include "FileLookup.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace omf51 {

namespace {

size_t NameStart(std::string_view path) {
  const size_t sep = path.find_last_of("/\\:");
  return sep == std::string_view::npos ? 0 : sep + 1;
}

size_t ExtensionStart(std::string_view path) {
  const size_t dot = path.rfind('.');
  return dot == std::string_view::npos || dot < NameStart(path) ? path.size() : dot;
}

} // namespace

std::string BaseName(std::string_view path) {
  const size_t start = NameStart(path);
  return std::string(path.substr(start, ExtensionStart(path) - start));
}

std::string WithoutExtension(std::string_view path) {
  return std::string(path.substr(0, ExtensionStart(path)));
}

bool ReadInputFile(std::string_view name, std::string& bytes) {
  const auto found = FindFileIgnoringCase(std::filesystem::path(name));
  return found && ReadWholeFile(*found, bytes);
}

bool WriteOutputFile(std::string_view name, std::string_view bytes) {
  return WriteFileAtomically(std::filesystem::path(name), bytes);
}

ListingStamp CurrentStamp() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
    now = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
    gmtime_r(&now, &parts);
  } else {
    localtime_r(&now, &parts);
  }
  char date[40];
  char time[40];
  std::snprintf(date, sizeof date, "%02d/%02d/%04d", parts.tm_mon + 1, parts.tm_mday,
                parts.tm_year + 1900);
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", parts.tm_hour, parts.tm_min, parts.tm_sec);
  return {date, time};
}

std::string Pad(std::string text, size_t width) {
  text.resize(width, ' ');
  return text;
}

} // namespace omf51
