#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

// Answers the message boxes a step shows, in order, and remembers their texts.
class BoxAnswers {
public:
  explicit BoxAnswers(std::vector<QMessageBox::StandardButton> answers)
      : Answers(std::move(answers)) {
    Timer.setInterval(5);
    QObject::connect(&Timer, &QTimer::timeout, [this] { AnswerOpenBox(); });
    Timer.start();
  }
  std::vector<std::string> Texts;

private:
  void AnswerOpenBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || Next >= Answers.size()) return;
    Texts.push_back(box->text().toStdString());
    const auto answer = Answers[Next++];
    if (QAbstractButton* button = box->button(answer))
      button->click();
    else
      box->reject();
  }

  std::vector<QMessageBox::StandardButton> Answers;
  size_t Next = 0;
  QTimer Timer;
};

// Accepts or cancels the next modal dialog once it is open.
inline void CloseNextDialog(bool accept) {
  QTimer::singleShot(10, [accept] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      if (accept)
        dialog->accept();
      else
        dialog->reject();
    }
  });
}
