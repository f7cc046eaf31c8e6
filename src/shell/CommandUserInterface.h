#pragma once

#include "UserInterface.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>

// The user interface of the command-line workbench: message-box texts go to
// a stream (stderr), every Yes/No question is answered No, the address
// question takes the address the current command supplies, and a long run
// lets OnPump decide whether to stop.
class CommandUserInterface : public UserInterface {
public:
  explicit CommandUserInterface(std::ostream& messages) : Messages(messages) {}

  void Message(std::string_view text) override;
  bool AskYesNo(std::string_view text) override;
  std::optional<uint16_t> AskAddress(uint16_t, bool) override { return AddressAnswer; }
  void Progress(int, int) override {}
  void RunningChanged(bool) override {}
  void PumpEvents() override {
    if (OnPump) OnPump();
  }

  std::optional<uint16_t> AddressAnswer; // empty: the question is cancelled
  size_t MessageCount = 0;               // messages shown so far
  std::function<void()> OnPump;

private:
  std::ostream& Messages;
};
