#pragma once

#include <functional>
#include <string>
#include <vector>

// The open project: its sources in build order and the libraries it links. A
// project is open exactly when FileName is not empty.
class TProject {
public:
  TProject() = default;
  // An open project is saved.
  ~TProject();
  TProject(const TProject&) = delete;
  TProject& operator=(const TProject&) = delete;

  std::string FileName;
  std::vector<std::string> Files;    // full paths; a file may appear twice
  std::vector<std::string> LibFiles; // given to the linker after the sources

  // Told the name of every project opened, for the file history.
  std::function<void(const std::string&)> AddHistoryFile;

  void Clear();
  // Opens the project Name: 0 when its file was read, -1 otherwise. A name
  // whose file cannot be read opens an empty project under that name; an
  // empty name changes nothing.
  int Open(const std::string& name);
  // 0 on success, -1 when nothing could be written (the old file stays).
  int SaveToFile(const std::string& name) const;
};
