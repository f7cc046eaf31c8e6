// Instructions per second of the simulator on a mixed program: raw
// ExecuteInstruction calls, and the run loop with its breakpoint test and
// event pump.
#include "TCPU.h"
#include "TSimulator.h"
#include "UserInterface.h"

#include <algorithm>
#include <memory>

#include <benchmark/benchmark.h>

namespace {

// Moves through Rn, direct, @Ri and DPTR, arithmetic with carries, bit
// operations, MOVX, a call and return, and conditional jumps, for ever.
constexpr uint8_t MixedProgram[] = {
    0x75, 0x81, 0x5F,                   // 0000 MOV SP, #5FH
    0x90, 0x01, 0x00,                   // 0003 MOV DPTR, #0100H
    0x78, 0x30,                         // 0006 MAIN: MOV R0, #30H
    0x79, 0x40,                         // 0008 MOV R1, #40H
    0x7F, 0x10,                         // 000A MOV R7, #10H
    0xE6,                               // 000C LOOP: MOV A, @R0
    0x3F,                               // 000D ADDC A, R7
    0xF7,                               // 000E MOV @R1, A
    0xF0,                               // 000F MOVX @DPTR, A
    0xA3,                               // 0010 INC DPTR
    0xE0,                               // 0011 MOVX A, @DPTR
    0x95, 0x35,                         // 0012 SUBB A, 35H
    0xF5, 0x36,                         // 0014 MOV 36H, A
    0xB2, 0x00,                         // 0016 CPL 00H
    0x30, 0x00, 0x02,                   // 0018 JNB 00H, SKIP
    0xA2, 0x01,                         // 001B MOV C, 01H
    0xB0, 0x02,                         // 001D SKIP: ANL C, /02H
    0x92, 0x03,                         // 001F MOV 03H, C
    0x11, 0x30,                         // 0021 ACALL SUB
    0x08,                               // 0023 INC R0
    0x09,                               // 0024 INC R1
    0xB4, 0x55, 0x00,                   // 0025 CJNE A, #55H, NEXT
    0xDF, 0xE2,                         // 0028 NEXT: DJNZ R7, LOOP
    0x80, 0xDA,                         // 002A SJMP MAIN
    0x00, 0x00, 0x00, 0x00, 0xC0, 0xE0, // 0030 SUB: PUSH ACC
    0xEF,                               // 0032 MOV A, R7
    0x64, 0x5A,                         // 0033 XRL A, #5AH
    0xF3,                               // 0035 MOVX @R1, A
    0x85, 0x36, 0x37,                   // 0036 MOV 37H, 36H
    0xD0, 0xE0,                         // 0039 POP ACC
    0x22,                               // 003B RET
};

std::unique_ptr<TCPU> LoadMixedProgram() {
  auto cpu = std::make_unique<TCPU>();
  cpu->ResetSimulated(0);
  std::copy(std::begin(MixedProgram), std::end(MixedProgram), cpu->Code.begin());
  return cpu;
}

// A program that ran off its end would make the figures meaningless.
void CheckStillInProgram(benchmark::State& state, const TCPU& cpu) {
  if (cpu.PC >= sizeof MixedProgram) state.SkipWithError("the program left its code");
}

void RawExecuteInstruction(benchmark::State& state) {
  auto cpu = LoadMixedProgram();
  constexpr int InstructionsPerIteration = 1 << 20;
  for (auto _ : state) {
    for (int i = 0; i < InstructionsPerIteration; ++i)
      cpu->ExecuteInstruction();
    benchmark::DoNotOptimize(cpu->PC);
  }
  CheckStillInProgram(state, *cpu);
  state.counters["instr/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * InstructionsPerIteration,
                         benchmark::Counter::kIsRate);
}
BENCHMARK(RawExecuteInstruction);

// Stands in for the window's event loop: Stop arrives at the fourth pump,
// about 20 ms into the run.
struct StopAtFourthPump : SilentUserInterface {
  explicit StopAtFourthPump(TCPU& cpu) : CPU(cpu) {}
  void PumpEvents() override {
    if (++Pumps == 4) CPU.SetRunning(false);
  }
  TCPU& CPU;
  int Pumps = 0;
};

void SimulatorRunLoop(benchmark::State& state) {
  auto cpu = LoadMixedProgram();
  // Breakpoints the program never reaches: the test runs after every
  // instruction all the same.
  for (const int32_t address : {0x0100, 0x4000, 0x8123, 0xFFFF})
    cpu->ActiveBreakpoints.Add(address);
  StopAtFourthPump ui(*cpu);
  TSimulator simulator(*cpu, ui);
  uint64_t executed = 0;
  for (auto _ : state) {
    ui.Pumps = 0;
    executed += simulator.Run();
  }
  CheckStillInProgram(state, *cpu);
  state.counters["instr/s"] =
      benchmark::Counter(static_cast<double>(executed), benchmark::Counter::kIsRate);
}
BENCHMARK(SimulatorRunLoop)->Unit(benchmark::kMillisecond);

} // namespace
