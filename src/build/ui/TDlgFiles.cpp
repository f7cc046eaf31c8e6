#include "TDlgFiles.h"

#include "DialogControls.h"
#include "TProject.h"

#include <QListWidget>
#include <QVBoxLayout>

TDlgFiles::TDlgFiles(QWidget* parent) : QDialog(parent) {
  setObjectName("DlgFiles");
  setWindowTitle("DlgFiles");
  setAccessibleName("DlgFiles");
  LBFile = new QListWidget(this);
  LBFile->setObjectName("LBFile");
  LBFile->setMinimumSize(320, 200);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label("文件列表：", LBFile, this));
  layout->addWidget(LBFile, 1);
  layout->addLayout(OkCancelButtons("确认(&O)", "取消(&C)", this));
  connect(LBFile, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

std::optional<QString> TDlgFiles::Execute(const TProject& project) {
  LBFile->clear();
  for (const std::string& file : project.Files)
    LBFile->addItem(QString::fromStdString(file));
  if (exec() != QDialog::Accepted || LBFile->selectedItems().isEmpty()) return std::nullopt;
  return LBFile->selectedItems().front()->text();
}
