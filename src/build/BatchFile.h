#pragma once

#include "PathConventions.h"

#include <functional>
#include <string>
#include <vector>

class TOption;
class UserInterface;

// The batch file of a build: the SET lines, the tools' command lines, and
// "echo off" and "cls" as the last two lines in every case, also when the build
// was abandoned half-way. Lines end with CR LF.
class BatchFile {
public:
  BatchFile(const TOption& option, const PathConventions& paths, UserInterface& ui);

  // Deletes an output of the last build before this one writes it; deletes the
  // file from disk unless replaced.
  std::function<void(const std::string& fileName)> DeleteFile;
  // Asks the open editors holding exactly this source to save it; false when
  // the user cancelled.
  std::function<bool(const std::string& source)> CheckModified;

  // The build of one source file; false when it was abandoned.
  bool MakeFileBatch(const std::string& source);
  // The build of a project's files; false when it was abandoned.
  bool MakeProjectBatch(const std::string& projectFile, const std::vector<std::string>& files);

  // ChangeExt(M, ".BAT"), M being the source or the project file.
  const std::string& FileName() const { return Name; }
  // The whole file.
  std::string Text() const;

private:
  void Begin(const std::string& mainName);
  void Add(const std::string& line);

  const TOption& Option;
  PathConventions Paths;
  UserInterface& UI;
  std::string Name;
  std::string Body;
};

// Deletes a file if it exists, matching its name ignoring case the way the
// tools' outputs are named.
void DeleteOutputFile(const std::string& fileName);
