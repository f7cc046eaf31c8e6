#include "FileListEditor.h"

void FileListEditor::Assign(const std::vector<std::string>& entries) {
  Entries = entries;
  Selected = -1;
}

void FileListEditor::SelectFirst() {
  Select(0);
}

void FileListEditor::Select(int index) {
  Selected = index >= 0 && static_cast<size_t>(index) < Entries.size() ? index : -1;
}

void FileListEditor::Add(const std::vector<std::string>& paths) {
  Entries.insert(Entries.end(), paths.begin(), paths.end());
}

void FileListEditor::DeleteSelected() {
  if (!CanDelete()) return;
  Entries.erase(Entries.begin() + Selected);
  Selected = -1;
}

void FileListEditor::DeleteAll() {
  Entries.clear();
  Selected = -1;
}
