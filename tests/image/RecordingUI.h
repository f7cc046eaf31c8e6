#pragma once

#include "TargetLink.h"
#include "UserInterface.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// Remembers what the core showed and answers the address question from the
// test's script.
class RecordingUI : public SilentUserInterface {
public:
  void Message(std::string_view text) override { Messages.emplace_back(text); }
  std::optional<uint16_t> AskAddress(uint16_t preset, bool withLabels) override {
    Asked.push_back({preset, withLabels});
    return Answer;
  }

  std::vector<std::string> Messages;
  std::vector<std::pair<uint16_t, bool>> Asked;
  std::optional<uint16_t> Answer;
};

// Remembers the program-memory ranges sent on to the emulator.
class RecordingLink : public TargetLink {
public:
  void WriteSfr(uint8_t) override {}
  void WriteIRam(uint8_t, int) override {}
  void WriteCode(uint16_t address, int count) override { Code.push_back({address, count}); }

  std::vector<std::pair<uint16_t, int>> Code;
};
