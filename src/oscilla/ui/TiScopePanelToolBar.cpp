#include "TiScopePanelToolBar.h"

#include "ScopeStyle.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {

QToolButton* MakeButton(const char* glyph, const QString& hint, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setIcon(Glyph(glyph));
  b->setIconSize(QSize(22, 22));
  b->setFixedSize(30, 30);
  b->setToolTip(hint);
  return b;
}

} // namespace

TiScopePanelToolBar::TiScopePanelToolBar(QWidget* parent) : QFrame(parent) {
  StylePanel(this);
  CursorButton = MakeButton("CURSOR", tr("Cursor"), this);
  CursorButton->setCheckable(true);
  PropertiesButton = MakeButton("PROPERTIES", tr("Properties"), this);
  CopyButton = MakeButton("Copy", tr("Copy to clipboard"), this);
  SaveButton = MakeButton("Save", tr("Save picture"), this);
  PrinterButton = MakeButton("Printer", tr("Print"), this);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(2);
  for (QToolButton* b : {CursorButton, PropertiesButton, CopyButton, SaveButton, PrinterButton})
    row->addWidget(b);
  row->addStretch();
}
