#include "QtUserInterface.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Message boxes carry the frame's caption, as the program's own title.
QString Title(const QWidget* parent) {
  return parent ? parent->window()->windowTitle() : QApplication::applicationDisplayName();
}

} // namespace

void QtUserInterface::Message(std::string_view text) {
  QMessageBox::information(Parent, Title(Parent), Text(text));
}

bool QtUserInterface::AskYesNo(std::string_view text) {
  return QMessageBox::question(Parent, Title(Parent), Text(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QtUserInterface::Answer QtUserInterface::AskYesNoCancel(const QString& text) {
  switch (QMessageBox::question(Parent, Title(Parent), text,
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
  case QMessageBox::Yes: return Answer::Yes;
  case QMessageBox::No: return Answer::No;
  default: return Answer::Cancel;
  }
}

std::optional<QString> QtUserInterface::InputBox(const QString& caption, const QString& prompt,
                                                 const QString& text) {
  bool ok = false;
  QString answer = QInputDialog::getText(Parent, caption, prompt, QLineEdit::Normal, text, &ok);
  if (!ok) return std::nullopt;
  return answer;
}

std::optional<uint16_t> QtUserInterface::AskAddress(uint16_t preset, bool withLabels) {
  if (!AddressDialog) return std::nullopt;
  return AddressDialog(preset, withLabels);
}

void QtUserInterface::Progress(int maximum, int position) {
  if (!Gauge) return;
  Gauge->setMaximum(maximum);
  Gauge->setValue(position);
  Gauge->repaint();
}

void QtUserInterface::RunningChanged(bool running) {
  if (RunState) {
    RunState->setText(running ? RunningText : WaitingText);
    RunState->repaint();
  }
  if (FlagsChanged) FlagsChanged();
}

void QtUserInterface::PumpEvents() {
  QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void QtUserInterface::AutoSteppingChanged(bool) {
  if (FlagsChanged) FlagsChanged();
}
