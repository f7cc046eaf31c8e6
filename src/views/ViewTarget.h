#pragma once

class DisassemblyView;
class TCPU;
class TPort;

// What the views' state reads and writes: the target model, the snapshot taken before the
// last run or step, the emulator link, and the disassembly window while one is open (edits
// of program memory and of the PC repaint it).
struct ViewTarget {
  TCPU& CPU;
  TCPU& PrevCPU;
  TPort& Port;
  DisassemblyView* const& Disassembly;
};
