#include "TWinVariable.h"

#include "TViewStyle.h"
#include "TViewTarget.h"

#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

TWinVariable::TWinVariable(TViewContext& context, QWidget* parent)
    : QWidget(parent), LBVariabl(new QListWidget(this)),
      List(TargetOf(context.WB), context.WB.DebugInfo),
      EditMenu(new QMenu(QStringLiteral("编辑(&E)"), this)), PopupMenu(new QMenu(this)),
      Slot(context.WB.Views.Variable, this) {
  setWindowTitle(QStringLiteral("变量"));
  LBVariabl->setFont(ViewFont());
  LBVariabl->setUniformItemSizes(true);
  LBVariabl->setAccessibleName(QStringLiteral("变量"));
  LBVariabl->setContextMenuPolicy(Qt::CustomContextMenu);
  EditMenu->setAccessibleName(AccessibleText(EditMenu->title()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(LBVariabl);

  AskName = [this]() -> std::optional<QString> {
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, QStringLiteral("输入对话框"), QStringLiteral("输入变量:"),
                              QLineEdit::Normal, QString(), &ok);
    if (!ok) return std::nullopt;
    return name;
  };
  const struct {
    QAction*& Action;
    const char* Name;
    const char* Caption;
  } actions[] = {{ActionAdd, "ActionAdd", "增加(&A)"},
                 {ActionDelete, "ActionDelete", "删除(&D)"},
                 {ActionClear, "ActionClear", "清除(&C)"},
                 {ActionReload, "ActionReload", "刷新(&R)"}};
  for (const auto& a : actions)
    a.Action = NewViewAction(this, a.Name, a.Caption);
  connect(ActionAdd, &QAction::triggered, this, &TWinVariable::AddWatch);
  connect(ActionDelete, &QAction::triggered, this, [this] {
    List.Delete(LBVariabl->currentRow());
    BuildList();
  });
  connect(ActionClear, &QAction::triggered, this, [this] {
    List.Clear();
    BuildList();
  });
  connect(ActionReload, &QAction::triggered, this, [this] { LoadFromTarget(); });
  for (QMenu* menu : {EditMenu, PopupMenu}) {
    menu->addActions({ActionAdd, ActionDelete, ActionClear});
    menu->addSeparator();
    menu->addAction(ActionReload);
    connect(menu, &QMenu::aboutToShow, this, &TWinVariable::UpdateActions);
  }
  connect(LBVariabl, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu->exec(LBVariabl->mapToGlobal(at)); });
  connect(LBVariabl, &QListWidget::currentRowChanged, this, &TWinVariable::UpdateActions);
  UpdateActions();
}

void TWinVariable::UpdateActions() {
  ActionDelete->setEnabled(LBVariabl->currentRow() >= 0);
  ActionClear->setEnabled(LBVariabl->count() > 0);
  ActionReload->setEnabled(LBVariabl->count() > 0);
}

void TWinVariable::BuildList() {
  LBVariabl->clear();
  for (const std::string& line : List.BuildList())
    LBVariabl->addItem(QString::fromStdString(line));
  UpdateActions();
}

void TWinVariable::RepaintView() {
  LBVariabl->viewport()->update();
}

void TWinVariable::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  LoadFromTarget();
}

void TWinVariable::AddWatch() {
  const std::optional<QString> name = AskName();
  if (!name) return;
  List.Add(name->toStdString());
  BuildList();
}
