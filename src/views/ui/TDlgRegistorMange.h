#pragma once

#include "RegisterManagerList.h"

#include <QDialog>

class QListWidget;
class QPushButton;
class TDlgInputRegistor;

// The register manager: which registers the register window shows, and user registers with
// a name and one or two byte addresses. It edits a private copy of the list; the caller takes
// the copy over on OK.
class TDlgRegistorMange : public QDialog {
public:
  explicit TDlgRegistorMange(QWidget* parent = nullptr);

  RegisterManagerList List;
  // Lists the records in CLBRegistor with their check marks.
  void ListRecords();
  // Check marks into the records' Visible flags.
  void StoreChecks();

  QListWidget* CLBRegistor;
  QPushButton* BtnAdd;
  QPushButton* BtnDelete;
  QPushButton* BtnEdit;
  QPushButton* BtnOK;
  QPushButton* BtnCancel;
  TDlgInputRegistor* InputRegistor;

protected:
  void showEvent(QShowEvent* event) override;

private:
  void BtnAddClick();
  void BtnDeleteClick();
  void BtnEditClick();
  TRegisterDesc EnteredRecord() const;
};
