#pragma once

#include "SourceFile.h"
#include "TSourceEditor.h"

#include <QAction>
#include <QFont>
#include <QWidget>

#include <functional>

class QMenu;
class TActionHost;
class TDlgFindText;
class TDlgInputLine;
class TOption;
class TSourceHighlighter;
class TSourceTextEdit;

// The editor of one assembler or C source file, a child window of the main frame.
// Its File menu replaces the frame's and its Edit menu merges in while it is active.
class TWinSourceFile : public QWidget, public TSourceEditor {
  Q_OBJECT
public:
  // The dialogs are shared by every editor, so they keep their last contents.
  TWinSourceFile(TActionHost& host, TOption& option, TDlgFindText& findDialog,
                 TDlgInputLine& lineDialog, QWidget* parent = nullptr);

  QString FileName() const override { return CurrentName; }
  void SetFileName(const QString& path) override;
  bool LoadFile(const QString& path) override;
  void SetModified(bool modified) override;
  bool CheckModified() override;
  // 1-based; a line past the end selects the last one.
  void GoToLine(int line) override;
  QList<QMenu*> MergedMenus() const override { return {EditMenu}; }
  QMenu* FileMenu() const override { return EditorFileMenu; }

  void ShowModified(bool flag);
  void ShowCursorPos();
  // The lines of the last build's messages about this file, marked in the margin.
  void SetMarkedLines(const QSet<int>& lines);
  // Asks to reload when another program changed the file since it was read or saved.
  void CheckChangedOnDisk();

  TSourceTextEdit* Editor;
  // Chooses the name for save-as; the save dialog unless a test replaces it.
  std::function<QString()> ChooseSaveName;

  QAction* AEditUndo;
  QAction* AEditCut;
  QAction* AEditCopy;
  QAction* AEditPast;
  QAction* ASearchFind;
  QAction* ASearchFindNext;
  QAction* ASearchGoToLine;
  QAction* AFileSave;
  QAction* AFileSaveAs;
  QAction* AEditRrfresh;
  QAction* AEditFont;

  static constexpr const char* UntitledName = "Untitled.asm";

protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  QAction* MakeAction(const char* name, const QString& caption, const QString& shortcut);
  void BuildMenus();
  void UpdateActions();
  bool Save();
  bool SaveAs();
  bool SaveTo(const QString& path);
  void Refresh();
  void ChooseFont();
  void Find();
  void FindNext();
  void AskGoToLine();
  void SelectLine(int index);
  void ApplySettingsFont();

  TActionHost& Host;
  TOption& Option;
  TDlgFindText& FindDialog;
  TDlgInputLine& LineDialog;
  TSourceHighlighter* Highlighter;
  SourceFile File;
  QString CurrentName;
  QMenu* EditorFileMenu;
  QMenu* EditMenu;
  QMenu* ContextMenu;
  bool AskingAboutDisk = false;
};
