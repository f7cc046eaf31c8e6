#include "TWinRegist.h"

#include "TBevelBtn.h"
#include "TDlgRegistorMange.h"
#include "TViewStyle.h"
#include "TViewTarget.h"
#include "TWorkbenchEvents.h"
#include "Workbench.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QMenu>

TWinRegist::TWinRegist(TViewContext& context, TDlgRegistorMange& manager, QObject* eventTarget,
                       QWidget* parent)
    : QWidget(parent), Context(context), Manager(manager), EventTarget(eventTarget),
      Cells(TargetOf(context.WB)), EditMenu(new QMenu(QStringLiteral("编辑(&E)"), this)),
      PopupMenu(new QMenu(this)), Slot(context.WB.Views.Register, this) {
  setWindowTitle(QStringLiteral("寄存器 (Corvel)"));
  setMinimumWidth(120);
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  setFont(ViewFont());
  EditMenu->setAccessibleName(AccessibleText(EditMenu->title()));

  for (size_t i = 0; i < Cells.Cells().size(); ++i) {
    const RegisterCell& cell = Cells.Cells()[i];
    auto* btn = new TBevelBtn(this);
    btn->setObjectName(QString::fromStdString(cell.ComponentName));
    btn->Tag = cell.Tag;
    btn->setText(QString::fromStdString(cell.Caption));
    btn->setAccessibleName(btn->text());
    btn->SetStyle(cell.IsNameCell() ? bsRaised : bsLowered);
    btn->resize(RegisterCells::CellWidth, RegisterCells::CellHeight);
    if (cell.IsNameCell()) btn->OnClick = [this, i] { EditCell(i); };
    Btns.push_back(btn);
  }

  ActionRegistorMange = NewViewAction(this, "ActionRegistorMange", "寄存器设置(&R)");
  connect(ActionRegistorMange, &QAction::triggered, this, &TWinRegist::RegistorMangeExecute);
  ActionReLoadRegistor = NewViewAction(this, "ActionReLoadRegistor", "重新装入寄存器(&L)");
  connect(ActionReLoadRegistor, &QAction::triggered, this, &TWinRegist::ReLoadRegistorExecute);
  ActionRegRefresh = NewViewAction(this, "ActionRegRefresh", "刷新(&F)");
  connect(ActionRegRefresh, &QAction::triggered, this, [this] { LoadFromTarget(); });
  for (QMenu* menu : {EditMenu, PopupMenu}) {
    menu->addAction(ActionRegistorMange);
    menu->addAction(ActionReLoadRegistor);
    menu->addSeparator();
    menu->addAction(ActionRegRefresh);
  }
  Cells.Layout(width());
  UpdateCells();
}

TWinRegist::~TWinRegist() {
  // Posted only now, so that the new window is made after this one is gone.
  if (RebuildPending && EventTarget)
    QCoreApplication::postEvent(EventTarget, new QEvent(WorkbenchEvents::RecreateRegistWindow));
}

TBevelBtn* TWinRegist::Cell(const QString& componentName) const {
  for (TBevelBtn* btn : Btns)
    if (btn->objectName() == componentName) return btn;
  return nullptr;
}

void TWinRegist::UpdateCells() {
  Cells.UpdateCells();
  ShowCells();
}

void TWinRegist::ShowCells() {
  for (size_t i = 0; i < Btns.size(); ++i) {
    RegisterCell& cell = Cells.Cells()[i];
    if (cell.IsNameCell()) continue;
    Btns[i]->setText(QString::fromStdString(cell.Caption));
    Btns[i]->SetCaptionChanged(cell.CaptionChanged);
    Btns[i]->setToolTip(QString::fromStdString(Cells.ValueToolTip(cell)));
  }
}

void TWinRegist::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Cells.Layout(width());
  for (size_t i = 0; i < Btns.size(); ++i)
    Btns[i]->move(Cells.Cells()[i].Left, Cells.Cells()[i].Top);
}

void TWinRegist::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  LoadFromTarget();
  UpdateCells();
}

void TWinRegist::contextMenuEvent(QContextMenuEvent* event) {
  PopupMenu->exec(event->globalPos());
}

void TWinRegist::EditCell(size_t index) {
  TBevelBtn* btn = Btns[index];
  const RegisterCell& cell = Cells.Cells()[index];
  btn->SetStyle(bsLowered);
  const std::optional<uint16_t> value = Context.WB.UI.AskAddress(Cells.CurrentValue(cell), false);
  if (value) Cells.EditValue(cell, *value);
  btn->SetStyle(bsRaised);
  UpdateCells();
}

void TWinRegist::RegistorMangeExecute() {
  Manager.List.Records = Context.WB.CPU.Registers;
  if (Manager.exec() != QDialog::Accepted) return;
  Workbench& wb = Context.WB;
  wb.CPU.ClearRegisters();
  wb.PrevCPU.ClearRegisters();
  wb.CPU.Registers = Manager.List.Records;
  wb.PrevCPU.Registers = Manager.List.Records;
  CloseForRebuild();
}

void TWinRegist::ReLoadRegistorExecute() {
  Context.WB.CPU.LoadDefaultRegisters();
  Context.WB.PrevCPU.LoadDefaultRegisters();
  CloseForRebuild();
}

void TWinRegist::CloseForRebuild() {
  RebuildPending = true;
  QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (!frame) frame = this;
  frame->setAttribute(Qt::WA_DeleteOnClose);
  frame->close();
}
