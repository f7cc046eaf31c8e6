#pragma once

#include "TMdiChild.h"
#include "TViewContext.h"
#include "ViewSet.h"
#include "WatchList.h"

#include <QWidget>

#include <functional>
#include <optional>

class QAction;
class QListWidget;
class QMenu;

// The watch window: one line per watched name with the variable's space, type and value.
class TWinVariable : public QWidget, public TargetView, public TMdiChild {
public:
  explicit TWinVariable(TViewContext& context, QWidget* parent = nullptr);

  WatchList& Watches() { return List; }
  void BuildList();

  // TargetView
  void LoadFromTarget() override { BuildList(); }
  void RepaintView() override;

  QList<QMenu*> MergedMenus() const override { return {EditMenu}; }
  QMenu* ContextMenu() const { return PopupMenu; }

  // Asks for a name to watch; empty when cancelled. An input box unless a test replaces it.
  std::function<std::optional<QString>()> AskName;

  QListWidget* LBVariabl;
  QAction* ActionAdd;
  QAction* ActionDelete;
  QAction* ActionClear;
  QAction* ActionReload;

  // The enabled states of the actions, as the frame's idle update sets them.
  void UpdateActions();
  // Asks for a name, watches it and lists again.
  void AddWatch();

protected:
  void showEvent(QShowEvent* event) override;

private:
  WatchList List;
  QMenu* EditMenu;
  QMenu* PopupMenu;
  ViewSlot<TargetView> Slot; // last: the slot is cleared before anything else goes
};
