#include "FileHistory.h"

#include "ProfileFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// Only plain files reopen: a key naming a folder or a vanished file is skipped.
bool IsFile(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

// The entries key0 ... of a list whose length is stored under countKey. A damaged count
// cannot name more entries than the section holds keys.
std::vector<std::string> ReadList(const ProfileFile& profile, const char* section,
                                  const char* countKey, const char* key) {
  const int count = std::min(profile.ReadInteger(section, countKey, 0), profile.KeyCount(section));
  std::vector<std::string> files;
  for (int k = 0; k < count; ++k) {
    std::string path = profile.ReadString(section, key + std::to_string(k));
    if (IsFile(path)) files.push_back(std::move(path));
  }
  return files;
}

void WriteList(ProfileFile& profile, const char* section, const char* countKey, const char* key,
               const std::vector<std::string>& files) {
  for (size_t k = 0; k < files.size(); ++k)
    profile.WriteString(section, key + std::to_string(k), files[k]);
  profile.WriteInteger(section, countKey, static_cast<int>(files.size()));
}

} // namespace

void FileHistory::Add(const std::string& path) {
  if (std::any_of(Files.begin(), Files.end(),
                  [&](const std::string& file) { return SameIgnoringCase(file, path); }))
    return;
  Files.push_back(path);
  if (Files.size() > MaxFiles) Files.erase(Files.begin());
}

void FileHistory::Save(ProfileFile& profile) const {
  WriteList(profile, "HistoryFile", "HFCount", "HF", Files);
}

void FileHistory::Load(const ProfileFile& profile) {
  for (const std::string& path : ReadList(profile, "HistoryFile", "HFCount", "HF"))
    Add(path);
}

void SaveCurrentFiles(ProfileFile& profile, const std::vector<std::string>& files) {
  WriteList(profile, "CurrentFile", "CFCount", "CF", files);
}

std::vector<std::string> LoadCurrentFiles(const ProfileFile& profile) {
  return ReadList(profile, "CurrentFile", "CFCount", "CF");
}
