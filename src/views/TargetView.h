#pragma once

#include <cstdint>

class TDefModuleInfo;

// What the workbench asks of its open views. A window implements the interface of its kind,
// fills its slot in the workbench's ViewSet when it is created and clears it when it is
// destroyed (ViewSlot does both), so the refresh cycle never reaches a closed window.
class WorkbenchView {
public:
  virtual ~WorkbenchView() = default;
};

// The stack and variable windows, and the base of the memory and register windows.
class TargetView : public WorkbenchView {
public:
  // Reloads what the view shows from the target (from the emulator when one is connected).
  virtual void LoadFromTarget() = 0;
  // Repaints, marking what differs from the snapshot taken before the last run or step.
  virtual void RepaintView() = 0;
};

class MemoryView : public TargetView {
public:
  // 0 program memory, 1 external data, 2 internal RAM, 3 special-function registers.
  virtual int Space() const = 0;
  // Repaints the cells whose changed mark is or was set.
  virtual void ShowChanges() = 0;
  void RepaintView() override { ShowChanges(); }
};

class RegisterView : public TargetView {
public:
  // Values and changed marks of every cell.
  virtual void UpdateCells() = 0;
  void RepaintView() override { UpdateCells(); }
};

class DisassemblyView : public WorkbenchView {
public:
  // 0 source, 1 mixed, 2 disassembly.
  virtual int Mode() const = 0;
  virtual void SetMode(int mode) = 0;
  // The module shown in source and mixed mode; null for none.
  virtual const TDefModuleInfo* CurModule() const = 0;
  virtual void SetCurModule(const TDefModuleInfo* module) = 0;
  // The code address of the cursor row; -1 when that row has no code.
  virtual int32_t CursorAddress() const = 0;
  // Brings the code address into view in the current mode; may switch to disassembly.
  virtual void ShowAddress(uint16_t address) = 0;
  // Toggles the breakpoint of the cursor row.
  virtual void ToggleBreakpointAtCursor() = 0;
  virtual void RepaintGutter() = 0;
  virtual void RepaintCodePane() = 0;
  // Back to the state of a new window, before a new program is loaded.
  virtual void ResetView() = 0;
  virtual void LoadFromTarget() = 0;
};
