#include "TDlgBrowseModule.h"

#include "DialogControls.h"
#include "ModuleBrowserText.h"
#include "TOmf.h"
#include "TargetView.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TDlgBrowseModule::TDlgBrowseModule(QWidget* parent) : QDialog(parent) {
  setObjectName("DlgBrowseModule");
  setWindowTitle("Corvel 浏览模块");
  setAccessibleName("Corvel 浏览模块");
  LBModule = new QListWidget(this);
  LBModule->setObjectName("LBModule");
  MemoModuleAttrib = new QPlainTextEdit(this);
  MemoModuleAttrib->setObjectName("MemoModuleAttrib");
  MemoModuleAttrib->setReadOnly(true);
  MemoModuleAttrib->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemoModuleAttrib->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MemoModuleAttrib->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MemoModuleAttrib->setFixedHeight(100);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label("模块：", LBModule, this));
  layout->addWidget(LBModule, 1);
  layout->addWidget(Label("模块属性：", MemoModuleAttrib, this));
  layout->addWidget(MemoModuleAttrib);
  layout->addLayout(OkCancelButtons("确认", "取消", this));
  resize(360, 340);

  connect(LBModule, &QListWidget::currentRowChanged, this, &TDlgBrowseModule::ShowAttributes);
  connect(LBModule, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

void TDlgBrowseModule::ShowAttributes(int row) {
  MemoModuleAttrib->clear();
  if (!Omf || row < 0 || size_t(row) >= Omf->Modules.size()) return;
  QStringList lines;
  for (const std::string& line : BrowserModuleAttributes(*Omf->Modules[size_t(row)]))
    lines << QString::fromStdString(line);
  MemoModuleAttrib->setPlainText(lines.join('\n'));
}

bool TDlgBrowseModule::Execute(const TOmf& omf, DisassemblyView* view) {
  Omf = &omf;
  LBModule->clear();
  MemoModuleAttrib->clear();
  const TDefModuleInfo* shown = view ? view->CurModule() : nullptr;
  for (size_t i = 0; i < omf.Modules.size(); ++i) {
    LBModule->addItem(QString::fromStdString(BrowserModuleName(*omf.Modules[i])));
    if (omf.Modules[i].get() == shown) LBModule->setCurrentRow(int(i));
  }
  const bool ok = exec() == QDialog::Accepted;
  if (ok && view) {
    const int row = LBModule->currentRow();
    view->SetCurModule(row >= 0 ? omf.Modules[size_t(row)].get() : nullptr);
    view->RepaintCodePane();
  }
  Omf = nullptr;
  return ok;
}
