#pragma once

#include <QDialog>

#include <functional>

class FileListControls;
class QListWidget;
class QPushButton;
class TProject;

// The project dialog: the project's source files in build order.
class TDlgProject : public QDialog {
  Q_OBJECT

public:
  static constexpr const char* FileFilter = "*.asm|*.asm|*.c|*.c|*.*|*.*";

  explicit TDlgProject(QWidget* parent = nullptr);

  // Shows the project's files; on OK they become its Files. True for OK.
  bool Execute(TProject& project);

  QListWidget* LBFile;
  QPushButton* BtnAdd;
  QPushButton* BtnDelete;
  QPushButton* BtnDeleteAll;
  QPushButton* BtnOK;
  // The files to add (the open dialog DlgOpenFile); empty when cancelled.
  std::function<QStringList()> ChooseFiles;

private:
  FileListControls* Files;
};
