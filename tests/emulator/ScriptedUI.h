#pragma once

#include "UserInterface.h"

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Records what the core shows, answers questions from the test's script and
// runs the test's hook when events are pumped.
class ScriptedUI : public SilentUserInterface {
public:
  void Message(std::string_view text) override { Messages.emplace_back(text); }
  bool AskYesNo(std::string_view text) override {
    Questions.emplace_back(text);
    if (Answers.empty()) return true;
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  void Progress(int maximum, int position) override { Gauge.push_back({maximum, position}); }
  void PumpEvents() override {
    ++Pumps;
    if (OnPump) OnPump();
  }

  std::vector<std::string> Messages;
  std::vector<std::string> Questions;
  std::deque<bool> Answers;
  std::vector<std::pair<int, int>> Gauge;
  std::function<void()> OnPump;
  int Pumps = 0;
};
