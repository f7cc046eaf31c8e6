#pragma once

#include <QDialog>

class QTextBrowser;

// The short guide of the Help menu: the steps of a first session and the keys.
class TDlgGuide : public QDialog {
  Q_OBJECT

public:
  explicit TDlgGuide(QWidget* parent = nullptr);

  QTextBrowser* Text;
};
