#pragma once

#include "PathConventions.h"

#include <string>

class BuildHost;
class Workbench;

// The Compile menu's commands: build the open project or the active editor's
// file with the tool chain, read the result, and load programs into the target.
class BuildDriver {
public:
  BuildDriver(Workbench& wb, BuildHost& host, PathConventions paths = PathConventions::Native());

  std::string CompileFileName; // the source of the last single-file build
  bool CompileOK = false;      // the last build produced an object without link errors

  // Rule B: a build can start on the open project or the active editor's file;
  // the captions say which.
  struct Availability {
    bool Enabled = false;
    std::string Link;     // ACompileLink
    std::string LinkLoad; // ACompileLinkLoad
  };
  Availability RuleB() const;

  // False when the build was abandoned (Cancel in a save question, a source of
  // another type); then nothing after that step ran.
  bool ACompileLink();
  void ACompileLinkLoad();
  // False, after saying why, when nothing was loaded.
  bool LoadModule(const std::string& fileName);

  // The build's main name: the project file, or the single build's source.
  std::string MainName() const;

private:
  bool MakeFileBatch();
  bool MakeProjectBatch();
  bool RunBatch(const class BatchFile& batch, const std::string& mainName);
  void ShowCompileResult();

  Workbench& WB;
  BuildHost& Host;
  PathConventions Paths;
};
