#pragma once

#include <array>
#include <cstdint>

class Workbench;

// A laboratory experiment's entry: where its program starts in the lab's monitor image, and the
// menu caption (some captions end with a tab, as the lab's menus always had).
struct Experiment {
  uint16_t Address;
  const char* Caption;
};

extern const std::array<Experiment, 10> SoftTests;
// The hardware list has no experiment fourteen.
extern const std::array<Experiment, 16> HardTests;

// Choosing an experiment: the PC goes to its entry, the disassembly window shows it and the
// views repaint; nothing runs.
void EnterExperiment(Workbench& wb, const Experiment& experiment);
