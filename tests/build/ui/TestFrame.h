#pragma once

#include "TActionHost.h"
#include "TSourceEditor.h"

#include <QAction>
#include <QMainWindow>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <functional>
#include <map>

// A main window for the build's windows: the actions they look up by name, an
// MDI area, the status-bar panels and the file history, as the frame offers them.
class TestFrame : public QMainWindow, public TActionHost {
public:
  TestFrame() : Mdi(new QMdiArea) {
    setCentralWidget(Mdi);
    resize(900, 600);
    for (const char* name :
         {"ACompileLink", "ACompileLinkLoad", "ACompileLoadModule", "ACompileBrowseModule",
          "ADebugUseInterrupt", "AFileNew", "AFileOpen", "AFileClose", "AFileExit"}) {
      auto* action = new QAction(name, this);
      action->setObjectName(name);
      Actions[name] = action;
    }
    Actions["ADebugUseInterrupt"]->setCheckable(true);
  }

  // The children go while the lists they clear themselves from still exist.
  ~TestFrame() override { delete Mdi; }

  QAction* Action(const QString& name) const override { return Actions.value(name); }
  void AddUpdateHandler(std::function<void()> handler) override { Updates.push_back(handler); }
  void SetViewFactory(int kind, std::function<QWidget*()> factory) override {
    Factories[kind] = factory;
  }
  QWidget* ShowView(int kind) override {
    if (QMdiSubWindow* open = Views.value(kind)) {
      Mdi->setActiveSubWindow(open);
      return open->widget();
    }
    if (!Factories.count(kind)) return nullptr;
    QMdiSubWindow* child = Mdi->addSubWindow(Factories[kind]());
    Views[kind] = child;
    connect(child, &QObject::destroyed, this, [this, kind] { Views.remove(kind); });
    child->show();
    return child->widget();
  }
  void SetStatusText(int panel, const QString& text) override { Status[panel] = text; }
  void SetEditorFactory(std::function<TSourceEditor*()> factory) override {
    EditorFactory = factory;
  }
  void OpenSourceFile(const QString& path) override {
    for (QMdiSubWindow* child : Mdi->subWindowList())
      if (auto* editor = dynamic_cast<TSourceEditor*>(child->widget());
          editor && editor->FileName() == path) {
        Mdi->setActiveSubWindow(child);
        return;
      }
    TSourceEditor* editor = EditorFactory();
    auto* widget = dynamic_cast<QWidget*>(editor);
    if (!editor->LoadFile(path)) {
      delete widget;
      return;
    }
    Mdi->addSubWindow(widget)->show();
  }
  void AddHistoryFile(const QString& path) override { History.append(path); }
  void F1Click(QMenu*) override {}
  void SetModuleLoader(std::function<void(const QString&)> loader) override {
    ModuleLoader = loader;
  }

  void RunUpdates() {
    for (auto& update : Updates)
      update();
  }

  QMdiArea* Mdi;
  QMap<QString, QAction*> Actions;
  std::vector<std::function<void()>> Updates;
  std::map<int, std::function<QWidget*()>> Factories;
  QMap<int, QMdiSubWindow*> Views;
  QMap<int, QString> Status;
  QStringList History;
  std::function<TSourceEditor*()> EditorFactory;
  std::function<void(const QString&)> ModuleLoader;
};
