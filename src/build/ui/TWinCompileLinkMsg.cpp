#include "TWinCompileLinkMsg.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

TWinCompileLinkMsg::TWinCompileLinkMsg(ViewSet& views, QWidget* parent)
    : QWidget(parent), ListBox(new QListWidget(this)), Slot(views.Messages, this) {
  setObjectName("WinCompileLinkMsg");
  setWindowTitle(QString::fromUtf8(InitialCaption));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ListBox);
  ListBox->setObjectName("ListBox");
  ListBox->setAccessibleName(QStringLiteral("ListBox"));
  ListBox->setUniformItemSizes(true);

  AEditToSource = new QAction(QStringLiteral("切换到源文件(&G)"), this);
  AEditToSource->setObjectName("AEditToSource");
  AEditClear = new QAction(QStringLiteral("清除(&C)"), this);
  AEditClear->setObjectName("AEditClear");
  connect(AEditToSource, &QAction::triggered, this, &TWinCompileLinkMsg::EditToSource);
  connect(AEditClear, &QAction::triggered, ListBox, &QListWidget::clear);
  connect(ListBox, &QListWidget::itemDoubleClicked, this, &TWinCompileLinkMsg::EditToSource);
  EditMenu = new QMenu(QStringLiteral("编辑(&E)"), this);
  EditMenu->setObjectName("EditMenu");
  EditMenu->addActions({AEditToSource, AEditClear});
}

void TWinCompileLinkMsg::SetMessages(const std::vector<std::string>& lines) {
  ListBox->clear();
  for (const std::string& line : lines)
    ListBox->addItem(QString::fromStdString(line));
}

void TWinCompileLinkMsg::EditToSource() {
  const QListWidgetItem* item = ListBox->currentItem();
  if (!item || !GoToSource) return;
  GoToSource(TargetOfMessage(item->text().toStdString(), MapName ? MapName() : std::string()));
}
