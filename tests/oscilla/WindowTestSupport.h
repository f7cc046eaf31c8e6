#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

// Answers the message boxes the application shows, keeping their texts.
struct MessageBoxCatcher {
  MessageBoxCatcher() {
    QObject::connect(&Timer, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        Texts.push_back(box->text());
        box->done(0);
      }
    });
    Timer.start(10);
  }
  QTimer Timer;
  QStringList Texts;
};

// Runs the event loop until done() holds or ms have passed.
template <typename Pred> bool WaitFor(Pred done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms)
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}
