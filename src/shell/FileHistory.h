#pragma once

#include <string>
#include <vector>

class ProfileFile;

// The recently used source and project files, oldest first: at most five, no two equal when
// letter case is ignored. The File menu lists them newest first.
class FileHistory {
public:
  static constexpr size_t MaxFiles = 5;

  std::vector<std::string> Files;

  // Appends a path that is not in the list yet; the oldest entry goes when there are then more
  // than five.
  void Add(const std::string& path);

  // [HistoryFile] HFCount and HF0 ...; keys beyond the count stay as they were.
  void Save(ProfileFile& profile) const;
  // Adds HF0 ... HF(HFCount-1) that name existing files; a missing count reads as 0.
  void Load(const ProfileFile& profile);
};

// [CurrentFile] CFCount and CF0 ...: the source files open at exit, in child-window order.
void SaveCurrentFiles(ProfileFile& profile, const std::vector<std::string>& files);
// The files of [CurrentFile] that still exist, in order; others are skipped silently.
std::vector<std::string> LoadCurrentFiles(const ProfileFile& profile);
