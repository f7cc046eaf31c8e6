#include "ViewSet.h"

#include "TPort.h"

void ViewSet::ReloadViews(TPort& port) {
  port.ReadState();
  for (MemoryView* memory : {Memory1, Memory2})
    if (memory && memory->Space() != 0) memory->LoadFromTarget();
  for (TargetView* view :
       {static_cast<TargetView*>(Stack), Variable, static_cast<TargetView*>(Register)})
    if (view) view->LoadFromTarget();
}

void ViewSet::ShowPC(uint16_t pc) {
  if (!Disassembly) return;
  Disassembly->RepaintGutter();
  const int mode = Disassembly->Mode();
  Disassembly->ShowAddress(pc);
  // Showing the PC may leave source mode (the PC in no source line): show it again there.
  if (Disassembly->Mode() != mode) {
    Disassembly->RepaintCodePane();
    Disassembly->ShowAddress(pc);
  }
  Disassembly->RepaintGutter();
}

void ViewSet::RepaintViews() {
  if (Register) Register->UpdateCells();
  for (MemoryView* memory : {Memory1, Memory2})
    if (memory) memory->ShowChanges();
  if (Disassembly) Disassembly->RepaintGutter();
  for (TargetView* view : {Stack, Variable})
    if (view) view->RepaintView();
}

void ViewSet::RepaintCodePane() {
  if (Disassembly) Disassembly->RepaintCodePane();
}

void ViewSet::ReloadProgramMemoryViews() {
  for (MemoryView* memory : {Memory1, Memory2})
    if (memory && memory->Space() == 0) memory->LoadFromTarget();
}

void ViewSet::ResetDisassembly() {
  if (Disassembly) Disassembly->ResetView();
}
