#pragma once

#include <span>

// One row of the main window's action table: every command of the shell's menus and tool bar.
// The window builds one QAction per row; the parts that implement a command find it by name.
struct TActionRow {
  const char* Name;     // the action's object name, ADebugRun ...
  const char* Category; // File, Compile, Debug, Project, Option, View, Window, Help
  const char* Caption;
  const char* Hint;     // tool tip and status-bar text; empty: none
  const char* Shortcut; // portable key sequence text; empty: none
  const char* Glyph;    // tool-bar image in the resources; empty: not on the tool bar
  bool Checkable = false;
  int Tag = 0;
};

std::span<const TActionRow> MainFormActions();

// The menus of the frame, in menu-bar order: each a caption and the names of its entries, "-"
// for a separator. The File, Debug and Window menus have markers and submenus of their own,
// which the window adds.
struct TMenuRow {
  const char* Name;
  const char* Caption;
  std::span<const char* const> Entries;
};

std::span<const TMenuRow> MainFormMenus();

// The tool bar from left to right, "-" for a separator; the progress gauge follows.
std::span<const char* const> MainFormToolBar();
