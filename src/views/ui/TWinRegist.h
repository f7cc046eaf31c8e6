#pragma once

#include "RegisterCells.h"
#include "TMdiChild.h"
#include "TViewContext.h"
#include "ViewSet.h"

#include <QWidget>

#include <vector>

class QAction;
class QMenu;
class TBevelBtn;
class TDlgRegistorMange;

// The register window: the PC and the visible registers of the list as name and value cells,
// changed values in red. A click on a name cell edits the value. A changed register list
// needs a new window: this one closes and, once gone, asks eventTarget (the main window) for
// a new one with RecreateRegistWindow.
class TWinRegist : public QWidget, public RegisterView, public TMdiChild {
public:
  TWinRegist(TViewContext& context, TDlgRegistorMange& manager, QObject* eventTarget,
             QWidget* parent = nullptr);
  ~TWinRegist() override;

  // RegisterView
  void LoadFromTarget() override {
    Cells.LoadFromTarget();
    ShowCells();
  }
  void UpdateCells() override;

  QList<QMenu*> MergedMenus() const override { return {EditMenu}; }
  QMenu* ContextMenu() const { return PopupMenu; }
  const std::vector<TBevelBtn*>& Buttons() const { return Btns; }
  // The cell of that component name; null when the window has none.
  TBevelBtn* Cell(const QString& componentName) const;

  QAction* ActionRegistorMange;
  QAction* ActionReLoadRegistor;
  QAction* ActionRegRefresh;

protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  void ShowCells();
  void EditCell(size_t index);
  void RegistorMangeExecute();
  void ReLoadRegistorExecute();
  void CloseForRebuild();

  TViewContext& Context;
  TDlgRegistorMange& Manager;
  QObject* EventTarget;
  RegisterCells Cells;
  std::vector<TBevelBtn*> Btns;
  QMenu* EditMenu;
  QMenu* PopupMenu;
  bool RebuildPending = false;
  ViewSlot<RegisterView> Slot; // last: the slot is cleared before anything else goes
};
