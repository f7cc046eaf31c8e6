#pragma once

#include <QDialog>

#include <functional>

class FileListControls;
class QButtonGroup;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TOption;

// The options dialog: the assembler's and compiler's options, the libraries, the tool folders
// and how a build runs.
class TDlgOption : public QDialog {
  Q_OBJECT

public:
  static constexpr const char* LibraryFilter = "编译器(*.OBJ;*.LIB)|*.OBJ;*.LIB|所有文件(*.*)|*.*";

  explicit TDlgOption(QWidget* parent = nullptr);

  // Shows the settings; on OK every control goes back into them. True for OK.
  bool Execute(TOption& option);

  QTabWidget* Pages;
  QButtonGroup* RGASM_RegisterBank;
  QLineEdit* EASM_Other;
  QButtonGroup* RGC_RegisterBank;
  QButtonGroup* RGC_Compile;
  QButtonGroup* RGC_Optimize;
  QLineEdit* EC_Other;
  QListWidget* LBLibName;
  QPushButton* BtnAdd;
  QPushButton* BtnDelete;
  QPushButton* BtnDeleteAll;
  QLineEdit* ELinkOther;
  QLineEdit* EBINPath;
  QLineEdit* EINCPath;
  QLineEdit* ELIBPath;
  QSpinBox* UDDelayTime;
  QButtonGroup* RGC_CmdShow;
  // The libraries to add, and the folder picker; empty when cancelled.
  std::function<QStringList()> ChooseLibraries;
  std::function<QString()> ChooseFolder;

private:
  QWidget* AssemblerPage();
  QWidget* CPage();
  QWidget* LinkPage();
  QWidget* BuildPage();
  // An edit with its browse button, which fills it from the folder picker.
  QLineEdit* FolderEdit(const char* name, const char* button, const QString& caption, QWidget* page,
                        class QGridLayout* grid, int row);

  FileListControls* Libraries;
};
