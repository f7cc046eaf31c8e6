#include "TViewWindows.h"

#include "TActionHost.h"
#include "TDlgRegistorMange.h"
#include "TWinMemory.h"
#include "TWinRegist.h"
#include "TWinStack.h"
#include "TWinVariable.h"

TViewWindows::TViewWindows(TActionHost& host, const TViewContext& context, QWidget* mainWindow)
    : QObject(mainWindow), Context(context), MainWindow(mainWindow),
      Manager(new TDlgRegistorMange(mainWindow)) {
  host.SetViewFactory(0, [this] { return new TWinRegist(Context, *Manager, MainWindow); });
  host.SetViewFactory(1, [this] { return new TWinMemory(Context, 1); });
  host.SetViewFactory(2, [this] { return new TWinMemory(Context, 2); });
  host.SetViewFactory(4, [this] { return new TWinStack(Context); });
  host.SetViewFactory(5, [this] { return new TWinVariable(Context); });
}
