#pragma once

#include <string>
#include <vector>

// The workbench's two readings of an assembler listing: the source rebuilt
// with one address per accepted line, and error lines with the line number
// counted from the listed source lines.

struct RebuiltSource {
  std::vector<std::string> Text;
  std::vector<int> Address; // -1: the line has no code
};

inline bool IsUpperHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

inline bool IsLineNumberField(const std::string& field) {
  for (size_t i = 0; i + 1 < field.size(); ++i)
    if (field[i] != ' ' && (field[i] < '0' || field[i] > '9')) return false;
  return !field.empty() && field.back() >= '0' && field.back() <= '9';
}

inline RebuiltSource RebuildSource(const std::vector<std::string>& listing) {
  RebuiltSource out;
  for (const std::string& l : listing) {
    if (l.size() < 28 || !IsLineNumberField(l.substr(19, 5)) || l[16] == '=' ||
        l.rfind("*** ", 0) == 0)
      continue;
    out.Text.push_back(l.size() > 29 ? l.substr(29) : "");
    bool hex = IsUpperHex(l[5]) && IsUpperHex(l[6]);
    for (int i = 0; i < 4; ++i)
      hex = hex && IsUpperHex(l[i]);
    out.Address.push_back(hex ? std::stoi(l.substr(0, 4), nullptr, 16) : -1);
  }
  return out;
}

// "(LINE n), MESSAGE" for every error or warning line, n counted as the build
// messages window counts it.
inline std::vector<std::string> BuildMessages(const std::vector<std::string>& listing) {
  std::vector<std::string> messages;
  int n = 0;
  for (const std::string& t : listing) {
    if (t.size() < 25) continue;
    const bool message = t.rfind("*** ERROR", 0) == 0 || t.rfind("*** WARNING", 0) == 0;
    if (IsLineNumberField(t.substr(19, 5)) && t[16] != '=' && !message) ++n;
    if (message)
      messages.push_back("(LINE " + std::to_string(n) + "), " + t.substr(t.find(": ") + 2));
  }
  return messages;
}
