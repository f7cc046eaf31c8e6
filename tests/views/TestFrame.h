#pragma once

#include "TActionHost.h"
#include "TWorkbenchEvents.h"

#include <QAction>
#include <QMainWindow>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

// A bare main window for the view tests: an MDI area, the actions a test adds, ShowView as the
// workbench's frame does it (bring an open window forward, else create it) and its answer to
// RecreateRegistWindow.
class TestFrame : public QMainWindow, public TActionHost {
public:
  TestFrame() : Area(new QMdiArea(this)) {
    setCentralWidget(Area);
    resize(900, 600);
  }

  QAction* Action(const QString& name) const override { return Actions.value(name); }
  void AddUpdateHandler(std::function<void()> handler) override {
    UpdateHandlers.push_back(std::move(handler));
  }
  void SetViewFactory(int kind, std::function<QWidget*()> factory) override {
    Factories[kind] = std::move(factory);
  }
  QWidget* ShowView(int kind) override {
    if (Open.value(kind)) {
      Open[kind]->show();
      return Open[kind]->widget();
    }
    if (!Factories.contains(kind)) return nullptr;
    QMdiSubWindow* frame = Area->addSubWindow(Factories[kind]());
    frame->setAttribute(Qt::WA_DeleteOnClose);
    Open[kind] = frame;
    frame->show();
    return frame->widget();
  }
  void SetStatusText(int, const QString&) override {}
  void SetEditorFactory(std::function<TSourceEditor*()>) override {}
  void OpenSourceFile(const QString&) override {}
  void AddHistoryFile(const QString&) override {}
  void F1Click(QMenu*) override {}
  void SetModuleLoader(std::function<void(const QString&)>) override {}

  bool event(QEvent* event) override {
    if (event->type() == WorkbenchEvents::RecreateRegistWindow) {
      ShowView(0);
      return true;
    }
    return QMainWindow::event(event);
  }

  QAction* AddAction(const QString& name) {
    auto* action = new QAction(name, this);
    Actions[name] = action;
    return action;
  }
  // The view of an open window of that kind; null when none is open.
  template <class View> View* OpenView(int kind) const {
    return Open.value(kind) ? dynamic_cast<View*>(Open.value(kind)->widget()) : nullptr;
  }
  QMdiSubWindow* OpenFrame(int kind) const { return Open.value(kind); }

  QMdiArea* Area;
  QMap<QString, QAction*> Actions;
  QMap<int, std::function<QWidget*()>> Factories;
  QMap<int, QPointer<QMdiSubWindow>> Open;
  std::vector<std::function<void()>> UpdateHandlers;
};
