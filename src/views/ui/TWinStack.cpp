#include "TWinStack.h"

#include "Workbench.h"

TWinStack::TWinStack(TViewContext& context, QWidget* parent)
    : QWidget(parent), Slot(context.WB.Views.Stack, this) {
  setWindowTitle(QStringLiteral("堆栈"));
}
