#pragma once

#include <string>
#include <vector>

// The list a dialog edits with Add, Delete and Delete-all buttons (the
// project's files, the libraries of the options dialog), with the rules for
// which buttons are enabled.
class FileListEditor {
public:
  std::vector<std::string> Entries;
  int Selected = -1; // -1: nothing selected

  // Shows a copy of entries with nothing selected.
  void Assign(const std::vector<std::string>& entries);
  void SelectFirst();
  void Select(int index);
  // Appends in the order given; duplicates stay.
  void Add(const std::vector<std::string>& paths);
  void DeleteSelected();
  void DeleteAll();

  bool CanDelete() const { return Selected >= 0; }
  // Delete-all, and the project dialog's OK: a project keeps at least one file.
  bool CanDeleteAll() const { return !Entries.empty(); }
};
