#include "TDlgProject.h"

#include "DialogControls.h"
#include "FileListControls.h"
#include "TProject.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

TDlgProject::TDlgProject(QWidget* parent) : QDialog(parent) {
  setObjectName("DlgProject");
  // Its caption is the project's file name, set when it is shown.
  setAccessibleName("DlgProject");
  LBFile = new QListWidget(this);
  LBFile->setObjectName("LBFile");
  LBFile->setMinimumSize(320, 200);
  BtnAdd = Button("BtnAdd", "增加", this);
  BtnDelete = Button("BtnDelete", "删除", this);
  BtnDeleteAll = Button("BtnDeleteAll", "删除所有", this);
  ChooseFiles = [this] {
    return QFileDialog::getOpenFileNames(this, QString(), QString(), FileDialogFilter(FileFilter));
  };
  Files = new FileListControls(
      LBFile, BtnAdd, BtnDelete, BtnDeleteAll, [this] { return ChooseFiles(); }, this);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label("项目中文件列表：", LBFile, this), 0, 0);
  grid->addWidget(LBFile, 1, 0, 4, 1);
  grid->addWidget(BtnAdd, 1, 1);
  grid->addWidget(BtnDelete, 2, 1);
  grid->addWidget(BtnDeleteAll, 3, 1);
  grid->addLayout(OkCancelButtons("确认", "取消", this), 5, 0, 1, 2);
  BtnOK = findChild<QPushButton*>("BtnOK");
  // A project keeps at least one file.
  Files->Changed = [this] { BtnOK->setEnabled(Files->Editor.CanDeleteAll()); };
}

bool TDlgProject::Execute(TProject& project) {
  setWindowTitle(QString::fromStdString(project.FileName));
  setAccessibleName(windowTitle());
  Files->Assign(project.Files);
  if (exec() != QDialog::Accepted) return false;
  project.Files = Files->Editor.Entries;
  return true;
}
