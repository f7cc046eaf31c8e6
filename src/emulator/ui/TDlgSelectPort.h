#pragma once

#include "SelectPortForm.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;
struct TOptionBlock;

// The port-selection dialog: which serial (or parallel) port the emulator is on.
class TDlgSelectPort : public QDialog {
  Q_OBJECT

public:
  explicit TDlgSelectPort(QWidget* parent = nullptr);

  enum class Result { Cancelled, Same, Changed };
  // Shows the settings' port; on OK the choice goes into the settings.
  Result Execute(TOptionBlock& option);

  QGroupBox* RGSelectPort;
  QButtonGroup* PortItems;

private:
  SelectPortForm Form;
};
