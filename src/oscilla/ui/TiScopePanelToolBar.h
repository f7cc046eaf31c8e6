#pragma once

#include <QFrame>

class QToolButton;

// The toolbar panel: cursor toggle, properties, copy, save and print.
class TiScopePanelToolBar : public QFrame {
public:
  explicit TiScopePanelToolBar(QWidget* parent = nullptr);

  QToolButton* CursorButton;
  QToolButton* PropertiesButton;
  QToolButton* CopyButton;
  QToolButton* SaveButton;
  QToolButton* PrinterButton;
};
