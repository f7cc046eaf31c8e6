#pragma once

#include "TViewContext.h"

#include <QObject>

class TActionHost;
class TDlgRegistorMange;
class QWidget;

// Hooks the register, memory, stack and variable windows into the main window: the view
// factories for kinds 0, 1, 2, 4 and 5 and the register manager, one dialog for the program's
// life. A register window that must be rebuilt posts RecreateRegistWindow to mainWindow. The
// windows it makes share its copy of the context.
class TViewWindows : public QObject {
public:
  TViewWindows(TActionHost& host, const TViewContext& context, QWidget* mainWindow);

  TDlgRegistorMange* RegistorMange() const { return Manager; }

private:
  TViewContext Context;
  QWidget* MainWindow;
  TDlgRegistorMange* Manager;
};
