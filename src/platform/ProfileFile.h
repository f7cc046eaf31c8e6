#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A private profile file read and written by section and key ("[Section]", "Key=Value"),
// names compared ignoring letter case, blanks around names and values dropped. Lines it does
// not change (comments, other sections, keys beyond a count) are written back as they were.
class ProfileFile {
public:
  // Reads the file; a missing or unreadable file reads as empty.
  explicit ProfileFile(std::filesystem::path path);

  const std::filesystem::path& Path() const { return FilePath; }

  // The value, or fallback when the key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback = "") const;
  // The leading decimal digits of the value (0 when there are none), or fallback when the key
  // is missing.
  int ReadInteger(std::string_view section, std::string_view key, int fallback = 0) const;
  // How many keys the section holds.
  int KeyCount(std::string_view section) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);

  // Writes the whole file (creating its folder) atomically; false when that failed, and the
  // old file stays as it was.
  bool Save() const;

private:
  // Index of the section's header line, or -1.
  int FindSection(std::string_view section) const;
  // Index of the key's line in the section starting after header, or -1.
  int FindKey(int header, std::string_view key) const;
  // One past the section's last line that is not blank.
  int SectionEnd(int header) const;

  std::filesystem::path FilePath;
  std::vector<std::string> Lines;
};

// The workbench's profile file: $XDG_CONFIG_HOME/corvel/mciden.ini, by default
// ~/.config/corvel/mciden.ini.
std::filesystem::path ProfileFilePath();
