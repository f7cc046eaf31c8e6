#pragma once

#include "MemoryRows.h"
#include "TMdiChild.h"
#include "TViewContext.h"
#include "ViewSet.h"

#include <QWidget>

class QAction;
class QActionGroup;
class QMenu;
class QScrollBar;

// One memory window: a hexadecimal dump of one space of the target, 16 bytes a row, with the
// bytes the last run or step changed in red. It paints MemoryRows and forwards keys, clicks
// and scrolling to it. Tag 1 and 2 tell the two instances apart.
class TWinMemory : public QWidget, public MemoryView, public TMdiChild, public MemoryGridSurface {
public:
  TWinMemory(TViewContext& context, int tag, QWidget* parent = nullptr);

  int Tag() const { return WinTag; }
  MemoryRows& Rows() { return Grid; }

  // MemoryView
  int Space() const override { return Grid.Space(); }
  void LoadFromTarget() override { Grid.LoadFromTarget(); }
  void ShowChanges() override { Grid.ShowChanges(); }

  QList<QMenu*> MergedMenus() const override { return {EditMenu}; }
  QMenu* ContextMenu() const { return PopupMenu; }

  QAction* ActionROM;
  QAction* ActionRAM;
  QAction* ActionInCPU;
  QAction* ActionReg;
  QAction* ActionSetStartAddr;
  QAction* ActionReload;
  QAction* ActionShowAscii;

  // Where a cell is painted; empty when its column is scrolled out of view.
  QRect CellRect(int col, int row) const;

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  // MemoryGridSurface
  void RepaintCell(int col, int row) override;
  void RepaintGrid() override { update(); }
  void ScrollPositionsChanged() override;

  void FillMenu(QMenu* menu);
  void SelectSpace(QAction* action);
  void SetStartAddrExecute();
  void ReloadExecute();
  void VerticalScroll(int position);
  void CaretMoved();
  void PaintCell(QPainter& painter, int col, int row);
  void PaintAscii(QPainter& painter, const QRect& cell, int row);

  TViewContext& Context;
  const int WinTag;
  QScrollBar* VScroll;
  QScrollBar* HScroll;
  QActionGroup* SpaceGroup;
  QMenu* EditMenu;
  QMenu* PopupMenu;
  QRect CaretRect;
  MemoryRows Grid;
  ViewSlot<MemoryView> Slot; // last: the slot is cleared before anything else goes
};
