#include "TComPortQtSync.h"

#include <QApplication>
#include <QMessageBox>

void TComPortQtSync::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(qApp, std::move(task), Qt::QueuedConnection);
}

void TComPortQtSync::ShowError(const std::string& text) {
  QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(),
                        QString::fromStdString(text));
}
