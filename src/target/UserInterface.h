#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The only way the core reaches a person or a window. The Qt shell,
// workbench-cli and the tests each implement it.
class UserInterface {
public:
  virtual ~UserInterface() = default;

  // A message box with an OK button.
  virtual void Message(std::string_view text) = 0;
  // A Yes/No question; true for Yes.
  virtual bool AskYesNo(std::string_view text) = 0;
  // The address-input dialog; empty when cancelled.
  virtual std::optional<uint16_t> AskAddress(uint16_t preset, bool withLabels) = 0;
  // The tool-bar progress gauge.
  virtual void Progress(int maximum, int position) = 0;
  // The target's running flag changed (status bar text, Stop action).
  virtual void RunningChanged(bool running) = 0;
  // Lets pending events (the Stop command among them) reach a long wait.
  virtual void PumpEvents() = 0;
  // The shell's auto-stepping flag changed (the Stop action is re-evaluated at once).
  virtual void AutoSteppingChanged(bool /*autoStepping*/) {}
};

// Answers nothing and shows nothing; for objects created before the shell
// attaches its own interface.
class SilentUserInterface : public UserInterface {
public:
  void Message(std::string_view) override {}
  bool AskYesNo(std::string_view) override { return false; }
  std::optional<uint16_t> AskAddress(uint16_t, bool) override { return std::nullopt; }
  void Progress(int, int) override {}
  void RunningChanged(bool) override {}
  void PumpEvents() override {}
};
