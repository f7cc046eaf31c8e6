#include "DebugCommands.h"

#include "Workbench.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

namespace {

bool IsCall(uint8_t opcode) {
  return (opcode & 0x1F) == 0x11 || opcode == 0x12; // ACALL (any page) or LCALL
}

std::string UpperExtension(const std::string& fileName) {
  std::string ext = std::filesystem::path(fileName).extension().string();
  for (char& c : ext)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ext;
}

} // namespace

DebugCommands::DebugCommands(Workbench& workbench) : WB(workbench) {}

bool DebugCommands::CursorKnown() const {
  const DisassemblyView* view = WB.Views.Disassembly;
  return view && view->CursorAddress() != -1;
}

bool DebugCommands::StepOverOffered() const {
  const DisassemblyView* view = WB.Views.Disassembly;
  if (!view || view->Mode() != 0 || !view->CurModule()) return true;
  return UpperExtension(view->CurModule()->SourceName) != ".ASM";
}

bool DebugCommands::StopEnabled() const {
  return WB.CPU.Running || WB.AutoStepping;
}

bool DebugCommands::ClearAllBreakPointsEnabled() const {
  return !WB.BreakPoints.Empty();
}

std::string DebugCommands::SetCurPCCaption() const {
  if (!CursorKnown()) return "PC = 当前地址";
  char text[16];
  std::snprintf(text, sizeof text, "PC = %.4XH",
                static_cast<unsigned>(WB.Views.Disassembly->CursorAddress()));
  return text;
}

bool DebugCommands::SourceLevel() const {
  const DisassemblyView* view = WB.Views.Disassembly;
  return view && view->Mode() == 0 && WB.UseInterrupt;
}

void DebugCommands::RunBreaks(const TLongIntList& breaks) {
  WB.Port.SetBreakpoints(&breaks);
  WB.Port.Run();
}

uint64_t DebugCommands::RunWith(const TLongIntList& breaks, uint64_t maxInstructions) {
  WB.TakeSnapshot();
  WB.Port.SetBreakpoints(&breaks);
  const uint64_t executed = WB.Port.Run(maxInstructions);
  WB.Refresh();
  return executed;
}

void DebugCommands::Run() {
  RunWith(WB.BreakPoints);
}

void DebugCommands::RunToAddress() {
  const std::optional<uint16_t> address = WB.UI.AskAddress(RunToAddressValue, true);
  if (!address) return;
  RunToAddressValue = *address;
  TLongIntList target;
  target.Add(*address);
  RunWith(target);
}

void DebugCommands::RunToCursor() {
  // A cursor row without code never becomes a breakpoint.
  if (!CursorKnown()) return;
  TLongIntList target;
  target.Add(WB.Views.Disassembly->CursorAddress());
  RunWith(target);
}

void DebugCommands::Step() {
  StepAt(SourceLevel());
}

void DebugCommands::StepLine() {
  StepAt(true);
}

void DebugCommands::StepAt(bool lineLevel) {
  WB.TakeSnapshot();
  // Every line start is a breakpoint: the target stops at the next line, also inside a call.
  if (lineLevel && !WB.DebugInfo.LineAddrs.Empty())
    RunBreaks(WB.DebugInfo.LineAddrs);
  else
    WB.Port.Step();
  WB.Refresh();
}

void DebugCommands::StepOver() {
  StepOverAt(SourceLevel());
}

void DebugCommands::StepLineOver() {
  StepOverAt(true);
}

bool DebugCommands::LineHasCall(const TDefModuleInfo& module, uint16_t pc,
                                uint16_t rangeLast) const {
  const std::vector<int32_t>& lines = module.Lines.Values();
  size_t i = 0;
  while (i < lines.size() && (lines[i] == -1 || lines[i] < pc))
    ++i;
  if (i == lines.size()) return false;
  if (lines[i] == pc) ++i;
  while (i < lines.size() && lines[i] == -1)
    ++i;
  // A table entry past 64 KB ends the scan at the end of program memory.
  const uint32_t end =
      i < lines.size() ? static_cast<uint32_t>(std::min(lines[i], 0x10000)) : uint32_t{rangeLast};
  const TCPU& cpu = WB.CPU;
  for (uint32_t a = pc; a < end; a += cpu.InstructionLength(static_cast<uint16_t>(a)))
    if (IsCall(cpu.Code[a])) return true;
  return false;
}

void DebugCommands::StepOverAt(bool lineLevel) {
  WB.TakeSnapshot();
  TCPU& cpu = WB.CPU;
  TLongIntList breaks;
  bool ran = false;
  if (lineLevel) {
    const TOmf::Scope scope = WB.DebugInfo.FindByAddress(cpu.PC);
    if (scope.Module) {
      uint16_t first = scope.Module->CodeBegin, last = scope.Module->CodeEnd;
      if (scope.Block) first = scope.Block->CodeBegin, last = scope.Block->CodeEnd;
      // The lines of the function are the breakpoints; the called code has none of them.
      if (LineHasCall(*scope.Module, cpu.PC, last))
        for (int32_t address : scope.Module->Lines.Values())
          if (address != -1 && first <= address && address <= last) breaks.Add(address);
      if (!breaks.Empty()) {
        RunBreaks(breaks);
        ran = true;
      }
    }
    if (!ran && !WB.DebugInfo.LineAddrs.Empty()) {
      RunBreaks(WB.DebugInfo.LineAddrs);
      ran = true;
    }
  }
  if (!ran) {
    const uint8_t opcode = cpu.Code[cpu.PC];
    if (IsCall(opcode)) {
      // The return address wraps like the PC does.
      breaks.Add(static_cast<uint16_t>(cpu.PC + (opcode == 0x12 ? 3 : 2)));
      RunBreaks(breaks);
    } else {
      WB.Port.Step();
    }
  }
  WB.Refresh();
}

void DebugCommands::AutoStep() {
  AutoStepLoop(&DebugCommands::Step);
}

void DebugCommands::AutoStepOver() {
  AutoStepLoop(&DebugCommands::StepOver);
}

void DebugCommands::AutoStepLoop(void (DebugCommands::*step)()) {
  WB.SetAutoStepping(true);
  while (WB.AutoStepping) {
    WB.UI.PumpEvents();
    // A Stop that arrived with the events ends the loop before another step.
    if (WB.AutoStepping) (this->*step)();
  }
}

void DebugCommands::Stop() {
  WB.Port.Stop();
  const DisassemblyView* view = WB.Views.Disassembly;
  if (!view || view->Mode() != 0) return;
  WB.Port.ReadState();
  MovePCToLineStart();
}

void DebugCommands::MovePCToLineStart() {
  const std::vector<int32_t>& lines = WB.DebugInfo.LineAddrs.Values();
  if (lines.empty()) return;
  const int32_t pc = WB.CPU.PC;
  int32_t best = -1, bestDifference = 0;
  for (int32_t address : lines) {
    const int32_t difference = pc - address;
    if (address < 0 || difference < 0 || difference == 0xFFFF) continue;
    if (best == -1 || difference < bestDifference) best = address, bestDifference = difference;
  }
  WB.CPU.PC = static_cast<uint16_t>(best == -1 ? lines.front() : best);
}

void DebugCommands::Halt() {
  WB.Port.Halt();
}

void DebugCommands::Reset() {
  const int mode = WB.Views.Disassembly ? WB.Views.Disassembly->Mode() : -1;
  WB.Port.Stop();
  WB.Port.ResetTarget();
  WB.ReloadViews();
  WB.ShowPC();
  if (DisassemblyView* view = WB.Views.Disassembly; view && mode != -1) view->SetMode(mode);
  WB.RepaintViews();
}

void DebugCommands::ResetRun() {
  // The reset emptied the target's breakpoints: this run goes on until stopped.
  WB.Port.ResetTarget();
  WB.Port.Run();
  WB.Refresh();
}

void DebugCommands::SetPC() {
  if (const std::optional<uint16_t> address = WB.UI.AskAddress(WB.CPU.PC, true)) SetPCTo(*address);
}

void DebugCommands::SetCurPC() {
  if (!CursorKnown()) return;
  SetPCTo(static_cast<uint16_t>(WB.Views.Disassembly->CursorAddress()));
}

void DebugCommands::SetPCTo(uint16_t address) {
  // The emulator gets the PC with the register state sent before the next run or step.
  WB.CPU.PC = address;
  WB.ShowPC();
  WB.RepaintViews();
}

void DebugCommands::ClearAllBreakPoints() {
  WB.BreakPoints.Clear();
  if (DisassemblyView* view = WB.Views.Disassembly) view->RepaintGutter();
}

void DebugCommands::EmulatorModeChanged() {
  WB.Port.FirstConnect = true;
  WB.Port.ResetTarget();
  WB.Refresh();
}

void DebugCommands::CommPortSelected(int previousPort) {
  if (WB.Option.SelectPort != previousPort) WB.Port.Open();
}

void DebugCommands::ReConnect() {
  WB.Port.Open();
  WB.Port.ResetTarget();
  WB.Refresh();
}
