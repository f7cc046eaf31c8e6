#pragma once

#include <string>
#include <vector>

class TDefModuleInfo;

// What the build driver needs of the windows: the editors, the console the
// batch file runs in, the messages window and the disassembly window. The
// main window implements it; the tests script it.
class BuildHost {
public:
  virtual ~BuildHost() = default;

  // The file of the active child window when it is a source editor; empty otherwise.
  virtual std::string ActiveEditorFile() const = 0;
  // Asks every open editor whose file is exactly fileName to save modified
  // text; false when the user cancelled.
  virtual bool CheckModified(const std::string& fileName) = 0;
  // Runs the batch file with the show mode and waits until it ends, showing
  // "正在编译，请稍等" as the caption meanwhile; false when it could not start.
  virtual bool ExecuteAndWait(const std::string& batchFile, int showMode) = 0;
  // Opens or brings forward the messages window, empties it and sets its caption.
  virtual void BeginCompileResult(const std::string& caption) = 0;
  virtual void ShowCompileResult(const std::vector<std::string>& lines) = 0;
  virtual void CloseDisassembly() = 0;
  // Opens the disassembly window anew; a module given is shown in source mode
  // with black text, else the window chooses its mode itself.
  virtual void OpenDisassembly(const TDefModuleInfo* module) = 0;
  // Checks ADebugUseInterrupt (a C program was loaded).
  virtual void UseInterrupt() = 0;
};
