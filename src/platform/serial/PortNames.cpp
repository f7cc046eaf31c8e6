#include "PortNames.h"

#include "AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
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

std::string ResolvePortName(std::string_view name) {
  if (name.find('/') != std::string_view::npos) return std::string(name);
  const int n = ComNumber(name);
  if (n <= 0) return "/dev/" + std::string(name);
  const std::string com = "COM" + std::to_string(n);
  if (std::string env = EnvOrEmpty(("CORVEL_" + com).c_str()); !env.empty()) return env;
  if (std::string profile = ProfileFile(ProfileFilePath()).ReadString("Ports", com);
      !profile.empty())
    return profile;
  return "/dev/ttyS" + std::to_string(n - 1);
}
