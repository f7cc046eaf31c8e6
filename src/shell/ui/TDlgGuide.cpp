#include "TDlgGuide.h"

#include "DialogControls.h"

#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

TDlgGuide::TDlgGuide(QWidget* parent) : QDialog(parent) {
  setObjectName("DlgGuide");
  setWindowTitle("使用指南");
  setAccessibleName("使用指南");
  Text = new QTextBrowser(this);
  Text->setObjectName("Guide");
  Text->setAccessibleName("使用指南");
  QFile guide(":/workbench/guide.md");
  if (guide.open(QIODevice::ReadOnly)) Text->setMarkdown(QString::fromUtf8(guide.readAll()));
  QPushButton* ok = Button("BtnOK", "确认", this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Text, 1);
  layout->addWidget(ok, 0, Qt::AlignRight);
  resize(560, 520);
}
