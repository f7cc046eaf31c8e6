#pragma once

#include "../oscilla/WindowTestSupport.h"
#include "../platform/TempDir.h"
#include "QtUserInterface.h"
#include "TMainForm.h"
#include "TSourceEditor.h"
#include "Workbench.h"

#include <QFile>
#include <QMenu>
#include <QWidget>

#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* out) {
  *out << text.toStdString();
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
  *out << texts.join(" | ").toStdString();
}

// A source editor as the frame sees one: a name, a modified flag, an answer to the close
// question, and menus to merge.
class StandInEditor : public QWidget, public TSourceEditor {
public:
  explicit StandInEditor(TActionHost& host) : Host(host) {
    FileMenuOfEditor = new QMenu("文件(&F)", this);
    FileMenuOfEditor->setObjectName("EditorFile");
    FileMenuOfEditor->addSeparator()->setData(TMainForm::MarkerTag);
    EditMenu = new QMenu("编辑(&E)", this);
    EditMenu->setObjectName("EditorEdit");
  }
  QString FileName() const override { return Name; }
  void SetFileName(const QString& path) override {
    Name = path;
    setWindowTitle(path);
    Host.AddHistoryFile(path);
  }
  bool LoadFile(const QString& path) override {
    if (!QFile::exists(path)) return false;
    SetFileName(path);
    return true;
  }
  void SetModified(bool modified) override { Modified = modified; }
  bool CheckModified() override { return AgreesToClose; }
  void GoToLine(int) override {}
  QList<QMenu*> MergedMenus() const override { return {EditMenu}; }
  QMenu* FileMenu() const override { return FileMenuOfEditor; }

  TActionHost& Host;
  QString Name;
  bool Modified = true;
  bool AgreesToClose = true;
  QMenu* FileMenuOfEditor;
  QMenu* EditMenu;
};

// A start folder and a profile folder of its own for each test; the frame over a workbench
// that outlives it, as in the program.
class MainFormTest : public ::testing::Test {
protected:
  MainFormTest() {
    setenv("XDG_CONFIG_HOME", (Dir.Path / "config").c_str(), 1);
    std::filesystem::create_directories(Dir.Path / "start");
  }
  ~MainFormTest() override { Finish(); }

  void Start() {
    WB = std::make_unique<Workbench>(UI, Dir.Path / "start");
    Form = std::make_unique<TMainForm>(*WB, UI);
    Form->AttachParts();
    // After the parts: the stand-in replaces the real editor.
    Form->SetEditorFactory([this] { return new StandInEditor(*Form); });
    Form->show();
    QApplication::processEvents();
  }
  // Closes the window as the user does, then ends the program's objects in their order.
  void Finish() {
    if (Form) Form->close();
    Form.reset();
    WB.reset();
  }
  QStringList MenuBarCaptions() const;

  TempDir Dir;
  QtUserInterface UI;
  std::unique_ptr<Workbench> WB;
  std::unique_ptr<TMainForm> Form;
};
