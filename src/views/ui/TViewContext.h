#pragma once

#include <QString>

#include <functional>

class QAction;
class Workbench;

// What a view window gets from the main window: the workbench it shows, and the shell's
// actions and experiment entries for its context menus. The views never include the shell's
// windows; the main window fills this in.
struct TViewContext {
  Workbench& WB;
  // The main window's action of that name (ADebugRun, ...); null when there is none.
  std::function<QAction*(const QString& name)> ShellAction;
  // The experiment entries' click handlers (entry number of the table).
  std::function<void(int)> SoftTestClick;
  std::function<void(int)> HardTestClick;
};
