#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QListWidget;
class TProject;

// The project's file list, to open one of its files in an editor.
class TDlgFiles : public QDialog {
  Q_OBJECT

public:
  explicit TDlgFiles(QWidget* parent = nullptr);

  // The file chosen on OK or by a double click; nothing when cancelled or none was selected.
  std::optional<QString> Execute(const TProject& project);

  QListWidget* LBFile;
};
