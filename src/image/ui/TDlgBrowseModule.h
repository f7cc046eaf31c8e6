#pragma once

#include <QDialog>

class DisassemblyView;
class QListWidget;
class QPlainTextEdit;
class TOmf;

// The module browser: the loaded program's modules with their code range, source and kind.
// OK makes the chosen module the one the disassembly window shows.
class TDlgBrowseModule : public QDialog {
  Q_OBJECT

public:
  explicit TDlgBrowseModule(QWidget* parent = nullptr);

  // view: the disassembly window, null when it is closed. True for OK.
  bool Execute(const TOmf& omf, DisassemblyView* view);

  QListWidget* LBModule;
  QPlainTextEdit* MemoModuleAttrib;

private:
  void ShowAttributes(int row);

  const TOmf* Omf = nullptr;
};
