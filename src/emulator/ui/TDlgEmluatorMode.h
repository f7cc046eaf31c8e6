#pragma once

#include "EmulatorModeForm.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QListWidget;
struct TOptionBlock;

// The emulator-mode dialog: which CPU the emulator stands in for, whose RAM and ROM it uses,
// and whether P3.6 and P3.7 are plain I/O. Its rules are EmulatorModeForm's.
class TDlgEmluatorMode : public QDialog {
  Q_OBJECT

public:
  explicit TDlgEmluatorMode(QWidget* parent = nullptr);

  // Shows the settings' choices; on OK they go back into the settings. True for OK.
  bool Execute(TOptionBlock& option);

  QListWidget* LBEmlutorCPU;
  QGroupBox* RGEmlutorRAM;
  QGroupBox* RGEmlutorROM;
  QButtonGroup* RAMItems;
  QButtonGroup* ROMItems;
  QCheckBox* CBP36;
  QCheckBox* CBP37;

private:
  // The controls from the form's state.
  void ShowForm();

  EmulatorModeForm Form;
};
