#pragma once

#include "BuildMessages.h"
#include "TMdiChild.h"
#include "TargetView.h"
#include "ViewSet.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QListWidget;
class QMenu;

// The build messages window: one line per message of the last build. A double
// click (AEditToSource) opens the file a message names at its line.
class TWinCompileLinkMsg : public QWidget, public TMdiChild, public WorkbenchView {
  Q_OBJECT
public:
  explicit TWinCompileLinkMsg(ViewSet& views, QWidget* parent = nullptr);

  void SetMessages(const std::vector<std::string>& lines);
  QList<QMenu*> MergedMenus() const override { return {EditMenu}; }

  // The build's map file, which a double click on the linker's summary opens.
  std::function<std::string()> MapName;
  // Opens what a message names; set by the build's actions.
  std::function<void(const MessageTarget&)> GoToSource;

  QListWidget* ListBox;
  QAction* AEditToSource;
  QAction* AEditClear;

  static constexpr const char* InitialCaption = "编译连接结果信息";

private:
  void EditToSource();

  QMenu* EditMenu;
  ViewSlot<WorkbenchView> Slot;
};
