#pragma once

#include "TLongIntList.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;
class TOmf;
class UserInterface;

// The breakpoint browser: the list with each address's module and line, and buttons to add,
// delete and clear entries. It edits a private copy; only OK hands it back.
class TDlgBrowseBreakPoint : public QDialog {
  Q_OBJECT
public:
  TDlgBrowseBreakPoint(const TOmf& debugInfo, UserInterface& ui, QWidget* parent = nullptr);

  // Shows the dialog on a copy of breakPoints; on OK rebuilds breakPoints from it, in order.
  // True for OK.
  bool Browse(TLongIntList& breakPoints);

  // The dialog's own list.
  const TLongIntList& List() const { return Entries; }

  QLabel* LBreakNum;
  QTableWidget* SGBreakPoint;
  QPushButton* BtnOK;
  QPushButton* BtnCancel;
  QPushButton* BtnAdd;
  QPushButton* BtnDelete;
  QPushButton* BtnClear;

private:
  void Display();
  void Add();
  void Delete();

  const TOmf& DebugInfo;
  UserInterface& UI;
  TLongIntList Entries;
};
