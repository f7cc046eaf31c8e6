#include "PortFixture.h"
#include "TSimulator.h"

#include <chrono>

namespace {

// Fills 30H-3FH in a loop through a subroutine, then touches external data,
// a port and a PSW bit, and ends in SJMP $ at 001AH.
const Bytes Program = Hex("75 81 40"     // 0000 MOV SP,#40H
                          " 78 30"       // 0003 MOV R0,#30H
                          " 7A 10"       // 0005 MOV R2,#10H
                          " E8"          // 0007 loop: MOV A,R0
                          " 24 05"       // 0008 ADD A,#05H
                          " F6"          // 000A MOV @R0,A
                          " 08"          // 000B INC R0
                          " 12 00 20"    // 000C LCALL 0020H
                          " DA F6"       // 000F DJNZ R2,loop
                          " 90 12 34"    // 0011 MOV DPTR,#1234H
                          " F0"          // 0014 MOVX @DPTR,A
                          " 85 35 90"    // 0015 MOV P1,35H
                          " D2 D5"       // 0018 SETB F0
                          " 80 FE"       // 001A SJMP $
                          " 00 00 00 00" // 001C
                          " C0 E0"       // 0020 PUSH ACC
                          " 05 7F"       // 0022 INC 7FH
                          " D0 E0"       // 0024 POP ACC
                          " 22");        // 0026 RET
constexpr uint16_t End = 0x001A;

class RunOnIceSim : public PortFixture {
protected:
  // Connects, loads the program into both targets and gives the simulator
  // the emulator's SFRs after its reset.
  void SetUp() override {
    Connect();
    Port.ResetTarget();
    std::copy(Program.begin(), Program.end(), CPU.Code.begin());
    Port.WriteCode(0, static_cast<int>(Program.size()));
    std::bitset<128> all;
    Port.ReadSfrs(all.set());
    Reference = CPU;
    Reference.UI = nullptr;
    Reference.Link = nullptr;
  }

  // Everything the emulator holds, read back into CPU.
  void ReadBack() {
    Port.ReadState();
    Port.ReadIRam(0x30, 0xD0);
    std::bitset<128> all;
    Port.ReadSfrs(all.set());
    Port.ReadXData(0x1234, 1);
  }

  void ExpectSameTarget() {
    EXPECT_EQ(CPU.PC, Reference.PC);
    EXPECT_EQ(CPU.IRam, Reference.IRam);
    EXPECT_EQ(CPU.Sfr, Reference.Sfr);
    EXPECT_EQ(CPU.XData[0x1234], Reference.XData[0x1234]);
  }

  TCPU Reference;
  SilentUserInterface Quiet;
};

TEST_F(RunOnIceSim, StepsEndInTheSimulatorsState) {
  for (int i = 0; i < 40; ++i) {
    Port.Step();
    Port.ReadState(); // as the refresh after every step does
    Reference.ExecuteInstruction();
  }
  ReadBack();
  ExpectSameTarget();
  EXPECT_EQ(CPU.PC, 0x0024); // three rounds of the loop, then into the fourth call
}

TEST_F(RunOnIceSim, RunToABreakpointEndsInTheSimulatorsState) {
  TLongIntList breaks;
  breaks.Add(End);
  Port.SetBreakpoints(&breaks);
  // A run that misses its breakpoint must not hang the test.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  UI.OnPump = [&] {
    if (std::chrono::steady_clock::now() > deadline) Port.Stop();
  };
  Port.Run();
  UI.OnPump = nullptr;
  Reference.ActiveBreakpoints = breaks;
  TSimulator(Reference, Quiet).Run();
  ReadBack();
  ExpectSameTarget();
  EXPECT_EQ(CPU.PC, End);
  EXPECT_EQ(CPU.IRam[0x3F], 0x3F + 5);
  EXPECT_EQ(CPU.IRam[0x7F], 0x10);
  EXPECT_EQ(CPU.SfrAt(SFR_P1), 0x35 + 5);
}

} // namespace
