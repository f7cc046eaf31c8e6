#include "PortNames.h"

#include "AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && blank(s.back()))
    s.remove_suffix(1);
  return s;
}

// n of "COMn", or 0 for any other name.
int ComNumber(std::string_view name) {
  if (name.size() < 4 || name.size() > 6 || !SameIgnoringCase(name.substr(0, 3), "COM")) return 0;
  int n = 0;
  for (char c : name.substr(3)) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

std::string EnvOrEmpty(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

} // namespace

std::filesystem::path ProfileFilePath() {
  std::filesystem::path base = EnvOrEmpty("XDG_CONFIG_HOME");
  if (base.empty()) base = std::filesystem::path(EnvOrEmpty("HOME")) / ".config";
  return base / "corvel" / "mciden.ini";
}

std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key) {
  // A folder, FIFO or device in the file's place reads as an empty file.
  std::string bytes;
  if (!ReadWholeFile(file, bytes)) return "";
  std::istringstream in(bytes);
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';') continue;
    if (text.front() == '[') {
      const size_t close = text.find(']');
      inSection = close != std::string_view::npos &&
                  SameIgnoringCase(Trim(text.substr(1, close - 1)), section);
      continue;
    }
    const size_t eq = text.find('=');
    if (inSection && eq != std::string_view::npos &&
        SameIgnoringCase(Trim(text.substr(0, eq)), key))
      return std::string(Trim(text.substr(eq + 1)));
  }
  return "";
}

std::string ResolvePortName(std::string_view name) {
  if (name.find('/') != std::string_view::npos) return std::string(name);
  const int n = ComNumber(name);
  if (n <= 0) return "/dev/" + std::string(name);
  const std::string com = "COM" + std::to_string(n);
  if (std::string env = EnvOrEmpty(("CORVEL_" + com).c_str()); !env.empty()) return env;
  if (std::string profile = ReadProfileString(ProfileFilePath(), "Ports", com); !profile.empty())
    return profile;
  return "/dev/ttyS" + std::to_string(n - 1);
}
