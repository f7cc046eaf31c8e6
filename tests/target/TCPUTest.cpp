#include "TCPU.h"
#include "TargetLink.h"
#include "UserInterface.h"

#include <cstring>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct RecordingLink : TargetLink {
  std::vector<std::string> Calls;
  void WriteSfr(uint8_t a) override { Calls.push_back("sfr " + std::to_string(a)); }
  void WriteIRam(uint8_t a, int n) override {
    Calls.push_back("iram " + std::to_string(a) + " " + std::to_string(n));
  }
  void WriteCode(uint16_t a, int n) override {
    Calls.push_back("code " + std::to_string(a) + " " + std::to_string(n));
  }
};

struct RunningRecorder : SilentUserInterface {
  std::vector<bool> Changes;
  void RunningChanged(bool running) override { Changes.push_back(running); }
};

std::unique_ptr<TCPU> CpuWithDefaults() {
  auto cpu = std::make_unique<TCPU>();
  cpu->LoadDefaultRegisters();
  return cpu;
}

} // namespace

TEST(TRegisterDesc, RecordIsFourteenBytesInStoredOrder) {
  TRegisterDesc d;
  d.SetName("DPTR");
  d.IsPair = 1;
  d.AddrHigh = 0x83;
  d.Addr = 0x82;
  d.Visible = 1;
  const uint8_t expected[14] = {4, 'D', 'P', 'T', 'R', 0, 0, 0, 0, 0, 1, 0x83, 0x82, 1};
  EXPECT_EQ(std::memcmp(&d, expected, 14), 0);
}

TEST(TCPU, DefaultRegisterListHas29EntriesInOrder) {
  auto cpu = CpuWithDefaults();
  ASSERT_EQ(cpu->Registers.size(), 29u);
  std::string names;
  for (const TRegisterDesc& r : cpu->Registers)
    names += std::string(r.GetName()) + (r.Visible ? "+" : "-") + " ";
  EXPECT_EQ(names, "ACC+ PSW+ DPTR+ SP+ B+ R0+ R1+ R2+ R3+ R4+ R5+ R6+ R7+ P0- P1- P2- P3- "
                   "PCON- TCON+ TMOD- TIME0- TIME1- IE+ IP- SCON- SBUF- T2CON- RCAP2- TIME2- ");
  const TRegisterDesc& time2 = cpu->Registers[28];
  EXPECT_EQ(time2.IsPair, 1);
  EXPECT_EQ(time2.AddrHigh, 0xCD);
  EXPECT_EQ(time2.Addr, 0xCC);
}

TEST(TCPU, AddRegisterCutsNamesToNineCharacters) {
  TCPU cpu;
  cpu.AddRegister("VERYLONGNAME", false, true, 0, 0x30);
  EXPECT_EQ(cpu.Registers[0].GetName(), "VERYLONGN");
  EXPECT_EQ(cpu.FindRegisterIndex("VERYLONGN"), 0);
  EXPECT_EQ(cpu.FindRegisterIndex("verylongn"), -1); // names compare with case
}

TEST(TCPU, RegisterEntriesFollowTheRegisterBank) {
  auto cpu = CpuWithDefaults();
  const int r0 = cpu->FindRegisterIndex("R0");
  const int r7 = cpu->FindRegisterIndex("R7");
  cpu->SfrAt(SFR_PSW) = 0x08;
  cpu->IRam[0x08] = 0x11;
  EXPECT_EQ(cpu->GetRegisterValue(r0), 0x11);
  cpu->SetRegisterValue(r0, 0x22);
  EXPECT_EQ(cpu->IRam[0x08], 0x22);
  cpu->SfrAt(SFR_PSW) = 0x10;
  cpu->IRam[0x10] = 0x33;
  EXPECT_EQ(cpu->GetRegisterValue(r0), 0x33);
  cpu->SfrAt(SFR_PSW) = 0x18;
  cpu->SetRegisterValue(r7, 0x44);
  EXPECT_EQ(cpu->IRam[0x1F], 0x44);
  EXPECT_EQ(cpu->Registers[static_cast<size_t>(r0)].Addr,
            0x10); // rewritten in place, still below 20H
}

TEST(TCPU, PairsReadAndWriteBothBytesOnlyWithinOneSpace) {
  auto cpu = CpuWithDefaults();
  const int dptr = cpu->FindRegisterIndex("DPTR");
  cpu->SetRegisterValue(dptr, 0x1234);
  EXPECT_EQ(cpu->SfrAt(SFR_DPH), 0x12);
  EXPECT_EQ(cpu->SfrAt(SFR_DPL), 0x34);
  EXPECT_EQ(cpu->GetRegisterValue(dptr), 0x1234);
  EXPECT_EQ(cpu->GetDPTR(), 0x1234);

  cpu->AddRegister("MIXED", true, true, 0x90, 0x30);
  const int mixed = cpu->FindRegisterIndex("MIXED");
  cpu->IRam[0x30] = 0x55;
  cpu->SfrAt(SFR_P1) = 0x66;
  EXPECT_EQ(cpu->GetRegisterValue(mixed), 0x55);
  cpu->SetRegisterValue(mixed, 0xABCD);
  EXPECT_EQ(cpu->IRam[0x30], 0xCD);
  EXPECT_EQ(cpu->SfrAt(SFR_P1), 0x66);

  cpu->AddRegister("IPAIR", true, true, 0x41, 0x40);
  const int ipair = cpu->FindRegisterIndex("IPAIR");
  cpu->SetRegisterValue(ipair, 0xBEEF);
  EXPECT_EQ(cpu->IRam[0x41], 0xBE);
  EXPECT_EQ(cpu->IRam[0x40], 0xEF);
  EXPECT_EQ(cpu->GetRegisterValue(ipair), 0xBEEF);
}

TEST(TCPU, IndexOutsideTheListReadsZeroAndIgnoresWrites) {
  auto cpu = CpuWithDefaults();
  const auto before = cpu->IRam;
  EXPECT_EQ(cpu->GetRegisterValue(-1), 0);
  EXPECT_EQ(cpu->GetRegisterValue(29), 0);
  cpu->SetRegisterValue(29, 0xFFFF);
  cpu->SetRegisterValue(-5, 0xFFFF);
  EXPECT_EQ(cpu->IRam, before);
}

TEST(TCPU, RegisterWritesGoThroughToTheLink) {
  auto cpu = CpuWithDefaults();
  RecordingLink link;
  cpu->Link = &link;
  cpu->SetRegisterValue(cpu->FindRegisterIndex("DPTR"), 0x1234);
  cpu->SetRegisterValue(cpu->FindRegisterIndex("R3"), 7);
  cpu->AddRegister("W", true, true, 0x31, 0x30);
  cpu->SetRegisterValue(cpu->FindRegisterIndex("W"), 0x0102);
  EXPECT_EQ(link.Calls,
            (std::vector<std::string>{"sfr 130", "sfr 131", "iram 3 1", "iram 48 1", "iram 49 1"}));
}

TEST(TCPU, DirectAddressesBelow80HAreInternalRamAbove80HAreSfrs) {
  TCPU cpu;
  cpu.WriteDirect(0x7F, 1);
  cpu.WriteDirect(0x80, 2);
  cpu.WriteDirect(0xFF, 3);
  EXPECT_EQ(cpu.IRam[0x7F], 1);
  EXPECT_EQ(cpu.Sfr[0], 2);
  EXPECT_EQ(cpu.Sfr[0x7F], 3);
  EXPECT_EQ(cpu.IRam[0xFF], 0);
  EXPECT_EQ(cpu.ReadDirect(0xFF), 3);
}

TEST(TCPU, FlagHelpersChangeOneBitEach) {
  TCPU cpu;
  cpu.SfrAt(SFR_PSW) = 0x18;
  cpu.SetCY(true);
  cpu.SetAC(true);
  cpu.SetOV(true);
  cpu.SetP(true);
  EXPECT_EQ(cpu.SfrAt(SFR_PSW), 0xDD);
  EXPECT_TRUE(cpu.GetCY() && cpu.GetAC() && cpu.GetOV());
  cpu.SetAC(false);
  cpu.SetP(false);
  EXPECT_EQ(cpu.SfrAt(SFR_PSW), 0x9C);
}

TEST(TCPU, SetRunningNotifiesOnlyOnChange) {
  RunningRecorder ui;
  TCPU cpu;
  cpu.UI = &ui;
  cpu.SetRunning(true);
  cpu.SetRunning(true);
  cpu.SetRunning(false);
  cpu.SetRunning(false);
  EXPECT_EQ(ui.Changes, (std::vector<bool>{true, false}));
}

TEST(TCPU, ClearStateKeepsTheImages) {
  auto cpu = CpuWithDefaults();
  cpu->PC = 0x1234;
  cpu->Code[5] = 9;
  cpu->ActiveBreakpoints.Add(0x10);
  cpu->ClearState();
  EXPECT_EQ(cpu->PC, 0);
  EXPECT_TRUE(cpu->Registers.empty());
  EXPECT_TRUE(cpu->ActiveBreakpoints.Empty());
  EXPECT_EQ(cpu->Code[5], 9);
}

TEST(TCPU, TakeSnapshotCopiesStateButNotFlagsOrLists) {
  auto cpu = CpuWithDefaults();
  auto prev = CpuWithDefaults();
  cpu->AddRegister("EXTRA", false, true, 0, 0x30);
  cpu->PC = 0x4321;
  cpu->XData[0xFFFF] = 1;
  cpu->Code[0] = 2;
  cpu->IRam[0xFF] = 3;
  cpu->SfrAt(SFR_SP) = 0x50;
  cpu->SfrAt(SFR_PSW) = 0x80;
  cpu->Running = true;
  cpu->ActiveBreakpoints.Add(0x100);
  TakeSnapshot(*cpu, *prev);
  EXPECT_EQ(prev->PC, 0x4321);
  EXPECT_EQ(prev->XData, cpu->XData);
  EXPECT_EQ(prev->Code, cpu->Code);
  EXPECT_EQ(prev->IRam, cpu->IRam);
  EXPECT_EQ(prev->Sfr, cpu->Sfr);
  EXPECT_FALSE(prev->Running);
  EXPECT_TRUE(prev->ActiveBreakpoints.Empty());
  EXPECT_EQ(prev->Registers.size(), 29u);
  EXPECT_EQ(cpu->Registers.size(), 30u);
}
