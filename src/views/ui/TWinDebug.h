#pragma once

#include "DisassemblyRows.h"
#include "TMdiChild.h"
#include "TViewContext.h"
#include "TargetView.h"
#include "ViewSet.h"

#include <QPixmap>
#include <QStaticText>
#include <QWidget>

#include <array>
#include <functional>
#include <span>
#include <string>

class QAction;
class QMenu;
class QScrollBar;
struct Experiment;

// The disassembly window: source, mixed and disassembly rows in the code pane, breakpoint,
// PC and line marks with line numbers in the gutter, and the cursor row the shell's run to
// cursor, PC = cursor and breakpoint toggle act on. It paints what DisassemblyRows prepared;
// program memory missing from a connected emulator is read before a paint, never during one.
class TWinDebug : public QWidget, public DisassemblyView, public TMdiChild {
  Q_OBJECT
public:
  static constexpr int GutterWidth = 80;

  explicit TWinDebug(TViewContext context, QWidget* parent = nullptr);
  ~TWinDebug() override;

  // DisassemblyView
  int Mode() const override { return Model.Mode; }
  void SetMode(int mode) override;
  const TDefModuleInfo* CurModule() const override { return Model.CurModule; }
  void SetCurModule(const TDefModuleInfo* module) override;
  int32_t CursorAddress() const override { return Model.CursorAddress(); }
  void ShowAddress(uint16_t address) override;
  void ToggleBreakpointAtCursor() override;
  void RepaintGutter() override;
  void RepaintCodePane() override;
  void ResetView() override;
  void LoadFromTarget() override;

  // TMdiChild: the Edit menu.
  QList<QMenu*> MergedMenus() const override;

  const DisassemblyRows& Rows() const { return Model; }

  QWidget* PBInfo;
  QWidget* PBDebug;
  QScrollBar* SBHScroll;
  QScrollBar* SBVScroll;
  QAction* ACDebugSource;
  QAction* ACDebugMix;
  QAction* ACDebugASM;
  QAction* SetShowAddr;
  QAction* ShowFromPC;
  QAction* ActionReload;
  QMenu* EditMenu;
  QMenu* PopupMenu;
  QMenu* SetPCSoftTest;
  QMenu* SetPCHardTest;

protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QAction* MakeAction(const char* name, const QString& caption, const QString& hint);
  void BuildMenus();
  void FillExperiments(QMenu* menu, std::span<const Experiment> entries,
                       const std::function<void(int)>& click);
  // Fills the rows, the scroll bars, the caption and the actions' states, and repaints.
  void Refill();
  void UpdateActions();
  void PaintCode(QPainter& painter);
  void PaintGutter(QPainter& painter);
  void MousePress(QWidget* pane, QMouseEvent* event);
  void VerticalAction(int action);

  // A row's text laid out once and drawn again until it or the offset changes.
  struct PaintedText {
    std::string Source;
    int HOffset = -1;
    bool Visible = false;
    QStaticText Text;
  };
  const PaintedText& TextOfRow(int row);

  TViewContext Context;
  DisassemblyRows Model;
  ViewSlot<DisassemblyView> Slot;
  QPixmap BreakPointGlyph, CurrentPCGlyph, RunLineGlyph;
  bool Shown = false;
  bool CaretVisible = false;
  std::array<PaintedText, DisassemblyRows::RowCount> Painted;
};
