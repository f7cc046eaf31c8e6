#pragma once

#include "TMdiChild.h"
#include "TViewContext.h"
#include "ViewSet.h"

#include <QWidget>

// The stack window: an empty child window the shell opens, closes and places like the other
// views. It shows nothing and its reload does nothing.
class TWinStack : public QWidget, public TargetView, public TMdiChild {
public:
  explicit TWinStack(TViewContext& context, QWidget* parent = nullptr);

  void LoadFromTarget() override {}
  void RepaintView() override { update(); }

private:
  ViewSlot<TargetView> Slot;
};
