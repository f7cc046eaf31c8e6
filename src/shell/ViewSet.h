#pragma once

#include "TargetView.h"

#include <cstdint>

class TPort;

// One slot per open view of the workbench. The refresh cycle that follows every debug
// command goes through here, so it reaches exactly the views that are open.
class ViewSet {
public:
  RegisterView* Register = nullptr;
  MemoryView* Memory1 = nullptr;
  MemoryView* Memory2 = nullptr;
  DisassemblyView* Disassembly = nullptr;
  TargetView* Stack = nullptr;
  TargetView* Variable = nullptr;
  WorkbenchView* Messages = nullptr; // the build messages window

  // Reads the CPU state back from the emulator (once after a run or step), then reloads the
  // memory windows not showing program memory, the stack, variable and register windows.
  void ReloadViews(TPort& port);
  // Brings the PC into view in the disassembly window.
  void ShowPC(uint16_t pc);
  // Repaints every open view with its changed marks.
  void RepaintViews();

  // Hooks of the emulator link and the loader.
  void RepaintCodePane();
  void ReloadProgramMemoryViews();
  void ResetDisassembly();
};

// Fills a slot for the lifetime of the view that holds it: a view keeps one as a member,
// so its slot is cleared however the window goes away.
template <class View> class ViewSlot {
public:
  ViewSlot(View*& slot, View* view) : Slot(slot), Self(view) { Slot = view; }
  ~ViewSlot() {
    if (Slot == Self) Slot = nullptr;
  }
  ViewSlot(const ViewSlot&) = delete;
  ViewSlot& operator=(const ViewSlot&) = delete;

private:
  View*& Slot;
  View* Self;
};
