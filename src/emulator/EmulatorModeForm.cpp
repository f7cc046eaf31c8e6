#include "EmulatorModeForm.h"

#include "TOptionBlock.h"

void EmulatorModeForm::Show(const TOptionBlock& option) {
  Cpu = option.EmlutorCPU;
  Ram = option.EmlutorRAM;
  Rom = option.EmlutorROM;
  P36 = option.P36IO;
  P37 = option.P37IO;
  ApplyCpuRule();
}

void EmulatorModeForm::SelectCpu(int index) {
  Cpu = index;
  ApplyCpuRule();
}

void EmulatorModeForm::CheckBoxClicked() {
  ApplyCheckBoxRule();
}

void EmulatorModeForm::Accept(TOptionBlock& option) const {
  option.EmlutorCPU = static_cast<uint8_t>(Cpu);
  option.EmlutorRAM = static_cast<uint8_t>(Ram);
  option.EmlutorROM = static_cast<uint8_t>(Rom);
  option.P36IO = P36;
  option.P37IO = P37;
}

void EmulatorModeForm::ApplyCpuRule() {
  // Only the 8751/89C51, 8752/89C52 and 80C320 can free P3.6 and P3.7 for I/O.
  const bool pinsChoosable = Cpu >= 3 && Cpu <= 5;
  P36Enabled = P37Enabled = pinsChoosable;
  if (!pinsChoosable) P36 = P37 = false;
  RamEnabled = !P36 && !P37;
  // Chips with program memory on board run with the user's RAM.
  if (Cpu >= 2 && Cpu <= 4) {
    Ram = UserRam;
    RamEnabled = false;
  }
}

void EmulatorModeForm::ApplyCheckBoxRule() {
  if (P36 || P37) Ram = UserRam;
  RamEnabled = !P36 && !P37;
}
