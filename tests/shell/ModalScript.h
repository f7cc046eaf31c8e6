#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

#include <gtest/gtest.h>

// Answers the modal dialogs the code under test opens, one step of the script per dialog, in
// order; a step closes its dialog (accept, reject, a click).
class ModalScript {
public:
  ModalScript() {
    QObject::connect(&Timer, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      // A dialog nobody scripted would block the test for ever: it fails instead.
      if (modal && Steps.empty() && ++Unscripted > 400) {
        ADD_FAILURE() << "unscripted dialog " << modal->objectName().toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
      }
      if (!modal || Steps.empty()) return;
      Unscripted = 0;
      auto step = std::move(Steps.front());
      Steps.pop_front();
      step(modal);
    });
    Timer.start(5);
  }
  void Then(std::function<void(QWidget*)> step) { Steps.push_back(std::move(step)); }
  bool Done() const { return Steps.empty(); }

private:
  QTimer Timer;
  int Unscripted = 0;
  std::deque<std::function<void(QWidget*)>> Steps;
};
