#include "PortFixture.h"

#include <chrono>
#include <thread>

namespace {

using Commands = PortFixture;

std::vector<Bytes> Frames(std::initializer_list<const char*> texts) {
  std::vector<Bytes> frames;
  for (const char* t : texts)
    frames.push_back(Hex(t));
  return frames;
}

TEST_F(Commands, InternalRamTravelsByteByByteFrom30HOnly) {
  Connect();
  for (int a = 0x30; a < 0x40; ++a)
    CPU.IRam[a] = static_cast<uint8_t>(a + 1);
  Port.WriteIRam(0x20, 0x20);
  std::vector<Bytes> writes = NewFrames();
  ASSERT_EQ(writes.size(), 16u);
  EXPECT_EQ(writes.front(), Hex("0A 0A 30 31"));
  EXPECT_EQ(writes.back(), Hex("0A 0A 3F 40"));

  CPU.IRam.fill(0);
  EXPECT_TRUE(Port.ReadIRam(0x20, 0x20));
  const std::vector<Bytes> reads = NewFrames();
  ASSERT_EQ(reads.size(), 16u);
  EXPECT_EQ(reads.front(), Hex("09 09 30"));
  EXPECT_EQ(CPU.IRam[0x3F], 0x40);
  EXPECT_EQ(CPU.IRam[0x2F], 0x00);

  EXPECT_TRUE(Port.ReadIRam(0x10, 0x10));
  EXPECT_TRUE(Port.ReadIRam(0xFE, 3)); // addresses wrap at 256
  EXPECT_EQ(NewFrames(), Frames({"09 09 FE", "09 09 FF", "09 09 00"}));
}

TEST_F(Commands, ProgramMemoryMovesIn128ByteBlocksWithTheGauge) {
  Connect();
  for (int i = 0; i < 300; ++i)
    CPU.Code[0x0100 + i] = static_cast<uint8_t>(i * 7);
  const auto written = CPU.Code;
  Port.WriteCode(0x0100, 300);
  const std::vector<Bytes> writes = NewFrames();
  ASSERT_EQ(writes.size(), 3u);
  EXPECT_EQ(Bytes(writes[2].begin(), writes[2].begin() + 5), Hex("08 02 00 00 2C"));
  EXPECT_EQ(writes[2].size(), 5u + 44);

  CPU.Code.fill(0);
  UI.Gauge.clear();
  EXPECT_TRUE(Port.ReadCode(0x0100, 300));
  EXPECT_EQ(NewFrames(), Frames({"07 01 00 00 80", "07 01 80 00 80", "07 02 00 00 2C"}));
  EXPECT_EQ(CPU.Code, written);
  // A new maximum keeps the position the write left.
  const std::vector<std::pair<int, int>> gauge{{3, 3}, {3, 0}, {3, 1}, {3, 2}, {3, 3}, {3, 3}};
  EXPECT_EQ(UI.Gauge, gauge);

  EXPECT_TRUE(Port.ReadCode(0xFF80, 0x100));
  EXPECT_EQ(NewFrames(), Frames({"07 FF 80 00 80"}));

  UI.Gauge.clear();
  CPU.XData[0x1234] = 0x5A;
  EXPECT_TRUE(Port.WriteXData(0x1234, 1));
  CPU.XData[0x1234] = 0;
  EXPECT_TRUE(Port.ReadXData(0x1234, 1));
  EXPECT_EQ(CPU.XData[0x1234], 0x5A);
  EXPECT_EQ(NewFrames(), Frames({"06 12 34 00 01 5A", "05 12 34 00 01"}));
  EXPECT_EQ(UI.Gauge.size(), 4u) << "only the write moves the gauge";
}

TEST_F(Commands, SingleSfrCommandsSkipContextCarriedRegisters) {
  Connect();
  CPU.SfrAt(SFR_P1) = 0x3C;
  Port.WriteSfr(SFR_ACC);
  Port.WriteSfr(0x10); // P1 by its low seven bits
  std::bitset<128> set;
  set.set(0x00).set(0x01).set(0x10);
  CPU.SfrAt(SFR_P1) = 0;
  EXPECT_TRUE(Port.ReadSfrs(set));
  EXPECT_EQ(NewFrames(), Frames({"04 90 3C", "03 80", "03 90"}));
  EXPECT_EQ(CPU.SfrAt(SFR_P1), 0x3C);
  EXPECT_EQ(CPU.SfrAt(SFR_P0), 0xFF);
}

TEST_F(Commands, BreakpointsAreClearedThenSetAndAnUnchangedListSendsNothing) {
  Connect();
  TLongIntList first, second;
  first.Add(0x0100);
  first.Add(0x0200);
  second.Add(0x0300);
  Port.SetBreakpoints(&first);
  Port.SetBreakpoints(&first);
  EXPECT_EQ(NewFrames(), Frames({"1E 01 00 02", "1E 02 00 02"}));
  UI.Gauge.clear();
  Port.SetBreakpoints(&second);
  EXPECT_EQ(NewFrames(), Frames({"1E 01 00 00", "1E 02 00 00", "1E 03 00 02"}));
  const std::vector<std::pair<int, int>> gauge{{2, 0}, {2, 0}, {2, 1}, {2, 2},
                                               {1, 0}, {1, 0}, {1, 1}};
  EXPECT_EQ(UI.Gauge, gauge);
  Port.SetBreakpoints(nullptr);
  EXPECT_EQ(NewFrames(), Frames({"1E 03 00 00"}));
  EXPECT_TRUE(CPU.ActiveBreakpoints.Empty());
}

// The routine after internal RAM, as the monitor expects it; the registers
// are filled in by the test.
Bytes ExpectedContext(bool withP2) {
  Bytes block;
  for (int i = 0; i < 0x30; ++i)
    block.push_back(static_cast<uint8_t>(0xC0 + i));
  const Bytes routine =
      withP2 ? Hex("79 02 78 2E 90 08 02 E0 F7 09 A3 D8 FA 90 08 00 E0 F8 A3 E0 F9 90 C0 20 E0"
                   " 75 A0 7E 75 81 21 75 D0 08 75 F0 0B 75 88 50 75 82 80 E0 74 A5 90 12 34"
                   " 75 A8 81 02 04 56")
             : Hex("90 7F 0C 79 02 78 0E 83 E4 93 F7 09 A3 D8 F9 90 7F 0A E4 93 F8 A3 E4 93 F9"
                   " 83 90 80 40 E4 93 75 81 21 75 D0 08 75 F0 0B 75 88 50 75 82 00 E4 93 74 A5"
                   " 90 12 34 75 A8 81 02 04 56");
  block.insert(block.end(), routine.begin(), routine.end());
  return block;
}

TEST_F(Commands, StepAndRunSendTheContextOfTheCpuFamily) {
  struct Case {
    uint8_t Cpu;
    bool WithP2;
    const char* Header;
  };
  Connect();
  for (const Case& c :
       {Case{1, true, "01 01 00 67 00 00 00"}, Case{3, false, "01 01 00 6B 02 00 00"}}) {
    Option.EmlutorCPU = c.Cpu;
    for (int i = 0; i < 0x30; ++i)
      CPU.IRam[i] = static_cast<uint8_t>(0xC0 + i);
    CPU.SfrAt(SFR_SP) = 0x21;
    CPU.SfrAt(SFR_PSW) = 0x08;
    CPU.SfrAt(SFR_B) = 0x0B;
    CPU.SfrAt(SFR_TCON) = 0x50;
    CPU.SfrAt(SFR_ACC) = 0xA5;
    CPU.SetDPTR(0x1234);
    CPU.SfrAt(SFR_IE) = 0x81;
    CPU.SfrAt(SFR_P2) = 0x7E;
    CPU.PC = 0x0456;
    Bytes context = Hex(c.Header);
    const Bytes block = ExpectedContext(c.WithP2);
    context.insert(context.end(), block.begin(), block.end());
    if (c.WithP2) {
      Port.Step();
      EXPECT_EQ(NewFrames(), (std::vector<Bytes>{context, Hex("02"), Hex("0D")}));
    } else {
      // A run on program memory full of NOPs goes on until Stop; the run's
      // own wait then breaks the target once more. Stop comes once the first
      // poll's answer is in, as it does when a person presses it.
      bool stopped = false;
      UI.OnPump = [&] {
        if (stopped) return;
        stopped = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        Port.Stop();
      };
      Port.Run();
      UI.OnPump = nullptr;
      EXPECT_EQ(NewFrames(), (std::vector<Bytes>{context, Hex("02"), Hex("0D"), Hex("0C 01"),
                                                 Hex("0D"), Hex("0C 01")}));
    }
    EXPECT_TRUE(Port.StateStale);
    EXPECT_FALSE(CPU.Running);
  }
}

TEST_F(Commands, StopDuringAutoSteppingSendsNothing) {
  Connect();
  bool autoStepping = true;
  Port.Hooks.AutoStepping = [&] { return autoStepping; };
  Port.Hooks.SetAutoStepping = [&](bool value) { autoStepping = value; };
  CPU.SetRunning(true);
  Port.Stop();
  EXPECT_FALSE(CPU.Running);
  EXPECT_FALSE(autoStepping);
  EXPECT_TRUE(NewFrames().empty());
}

TEST_F(Commands, StateReadCompletesAPendingInterrupt) {
  Connect({"--pending-interrupt", "0B"});
  CPU.SfrAt(SFR_SP) = 0x07;
  CPU.SfrAt(SFR_P2) = 0x5A;
  CPU.PC = 0x0122; // a NOP
  Port.Step();
  CPU.SfrAt(SFR_P2) = 0;
  NewFrames();
  Port.ReadState();
  EXPECT_EQ(CPU.IRam[0x08], 0x23);
  EXPECT_EQ(CPU.IRam[0x09], 0x01);
  EXPECT_EQ(CPU.SfrAt(SFR_SP), 0x09);
  EXPECT_EQ(CPU.PC, 0x000B);
  EXPECT_EQ(CPU.SfrAt(SFR_P2), 0x5A);
  // The pushed bytes lie below 30H: they go with the next context, not alone.
  EXPECT_EQ(NewFrames(), std::vector<Bytes>{Hex("00 00 00 3C")});
  Port.ReadState();
  EXPECT_TRUE(NewFrames().empty()) << "read once per run";
}

TEST_F(Commands, ALostStateBlockIsReadOnceMoreThenTheStateStaysAsItWas) {
  struct Case {
    std::vector<std::string> Faults;
    uint16_t PC;
    std::vector<std::string> Lost;
  };
  const Bytes read = Hex("00 00 00 3C"), handshake = Hex("0E 8B");
  for (const Case& c :
       {Case{{"--no-reply", "1"}, 0x0000, {}},
        Case{{"--no-reply", "1", "--no-reply", "3"}, 0x0123, {"the read of the CPU state"}}}) {
    Seen = 0;
    Connect(c.Faults);
    Port.LostTransfers.clear();
    CPU.PC = 0x0123;
    Port.StateStale = true;
    Port.ReadState();
    std::vector<Bytes> frames{read, handshake, read};
    if (!c.Lost.empty()) frames.push_back(handshake);
    EXPECT_EQ(NewFrames(), frames);
    EXPECT_EQ(CPU.PC, c.PC);
    EXPECT_EQ(Port.LostTransfers, c.Lost);
    EXPECT_FALSE(Port.StateStale);
  }
}

TEST_F(Commands, StateReadWithoutRegisterEntriesWritesNoneOfTheirSfrs) {
  Connect();
  CPU.ClearRegisters();
  CPU.SfrAt(SFR_IE) = 0x11;
  Port.StateStale = true;
  Port.ReadState();
  EXPECT_EQ(CPU.SfrAt(SFR_IE), 0x11);
  EXPECT_EQ(CPU.SfrAt(SFR_SP), 0x07);
}

} // namespace
