#include "../shell/TwoModuleProgram.h"
#include "CliFixture.h"

#include "TCPU.h"
#include "Workbench.h"

#include <memory>

namespace {

// The state line after the example ran to HERE: R0 = 40H, internal RAM
// 30H-3FH = 00H..0FH, SP 5FH, DPTR 0110H, ACC 0FH.
std::string ExampleFinalState() {
  std::string iram = "40" + std::string(0x2F * 2, '0');
  for (int i = 0; i < 16; ++i)
    iram += "0" + std::string(1, "0123456789ABCDEF"[i]);
  iram += std::string(0xC0 * 2, '0');
  std::string sfr(0x80 * 2, '0');
  sfr.replace(2, 6, "5F1001");
  sfr.replace(0x60 * 2, 2, "0F");
  return "{\"pc\":74,\"sp\":95,\"psw\":0,\"acc\":15,\"b\":0,\"dptr\":272,\"iram\":\"" + iram +
         "\",\"sfr\":\"" + sfr + "\"}\n";
}

} // namespace

TEST_F(CliTest, LoadsAHexFileRunsItToABreakpointAndShowsMemoryAndState) {
  const CliResult r = Cli.Commands(
      {"load copyblock.hex", "run --break 4AH --max 100000", "dump xdata 00FC 14", "state"});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");
  EXPECT_EQ(r.Out, "HEX StartAddr=0000H EndAddr=004BH modules=0\n"
                   "breakpoint PC 004A\n"
                   "00FC: 00 00 00 00 00 01 02 03 04 05 06 07 08 09 0A 0B\n"
                   "010C: 0C 0D 0E 0F\n" +
                       ExampleFinalState());
  EXPECT_FALSE(std::filesystem::exists(Cli.Path / "mcidem.dsk"));
}

TEST_F(CliTest, StepsRegistersAndTheInstructionLimit) {
  // INC A; SJMP 0000H
  const CliResult r =
      Cli.Commands({"write code 0 04 80 FD", "run --max 5", "regs", "step 2", "reg PSW 10",
                    "reg r0 5", "dump iram 10 1", "reg pc 1234", "reset", "dis 0 2"});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out.substr(0, r.Out.find("R0 ")), "0000: 04 80 FD\n"
                                                "max PC 0001\n"
                                                "PC 0001\n"
                                                "ACC 03\n"
                                                "PSW 00\n"
                                                "DPTR 0000\n"
                                                "SP 07\n"
                                                "B 00\n");
  EXPECT_NE(r.Out.find("TIME0 0000\n"), std::string::npos);
  // The register bank follows PSW; a reset clears the SFRs.
  EXPECT_NE(r.Out.find("PC 0001\nPSW 10\nR0 05\n0010: 05\nPC 1234\nPC 0000\n"
                       "0000   04          INC   A\n0001   80FD        SJMP  0000H\n"),
            std::string::npos)
      << r.Out;
}

TEST_F(CliTest, ScriptsFromFilesAndStandardInputRunInArgumentOrder) {
  Cli.Write("grade.cmd", "# the example\n\nload copyblock.hex\n  run --break 4A\r\n");
  const CliResult r =
      Cli.Run({"-e", "pc 30", "--script", "grade.cmd", "--script", "-", "-e", "dump \"iram\" 3E 2"},
              "pc\n");
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "PC 0030\nHEX StartAddr=0000H EndAddr=004BH modules=0\nbreakpoint PC 004A\n"
                   "PC 004A\n003E: 0E 0F\n");
}

TEST_F(CliTest, SavesRawMemoryAndListingFilesAsTheWorkbenchDoes) {
  const CliResult r = Cli.Commands({"load copyblock.hex", "write xdata 8000 11 22 33",
                                    "save xdata ram.bin 8000 8002", "save code rom.bin 0030 0031",
                                    "list prog.lst 0040 0044 --no-address", "list all.lst 4A 4A"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "HEX StartAddr=0000H EndAddr=004BH modules=0\n8000: 11 22 33\n"
                   "ram.bin: 3 bytes\nrom.bin: 2 bytes\nprog.lst: 3 lines\nall.lst: 1 lines\n");
  EXPECT_EQ(r.Err, "文件：ram.bin已经保存完毕\n文件：rom.bin已经保存完毕\n列表文件已经生成\n"
                   "列表文件已经生成\n");
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(Cli.Path / "ram.bin", bytes));
  EXPECT_EQ(bytes, "\x11\x22\x33");
  ASSERT_TRUE(ReadWholeFile(Cli.Path / "rom.bin", bytes));
  EXPECT_EQ(bytes, "\x75\x81");
  ASSERT_TRUE(ReadWholeFile(Cli.Path / "prog.lst", bytes));
  EXPECT_EQ(
      bytes,
      "0100        AJMP  0000H\r\n7A10        MOV   R2, #10H\r\nE6          MOV   A, @R0\r\n");
  ASSERT_TRUE(ReadWholeFile(Cli.Path / "all.lst", bytes));
  EXPECT_EQ(bytes, "004A   80FE        SJMP  004AH\r\n");
}

TEST_F(CliTest, BinFilesLoadAtTheAddressGiven) {
  Cli.Write("prog.bin", "\x74\x42\x80\xFE");
  Cli.Write("big.bin", std::string(0x100, '\0'));
  const CliResult r =
      Cli.Commands({"load prog.bin 1000H", "run --break 1002", "reg ACC", "load big.bin FF00"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Out, "BIN StartAddr=1000H EndAddr=1003H modules=0\nbreakpoint PC 1002\nACC 42\n");
  EXPECT_EQ(r.Err, "文件太大，不能装入\nworkbench-cli: -e 4: load: big.bin: nothing was loaded\n");
}

TEST_F(CliTest, ObjectFilesGiveModulesSourceLinesAndSymbols) {
  BuildExample();
  const CliResult r = Cli.Commands({"load COPYBLOCK.OMF", "modules", "lines copyblock",
                                    "symbol HERE", "symbol NOWHERE", "run --break 4A"});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");
  EXPECT_EQ(r.Out.substr(0, r.Out.find('\n', r.Out.find("LJMP"))),
            "OMF StartAddr=0000H EndAddr=004BH modules=1\n"
            "COPYBLOCK, Code Begin(0000),Code End(004B), COPYBLOCK.LST, ASM\n"
            "10 0000         LJMP    MAIN");
  EXPECT_NE(r.Out.find("\n31 004A HERE:   SJMP    HERE\n"
                       "HERE: code, Label:004AH\nNOWHERE: not definition\nbreakpoint PC 004A\n"),
            std::string::npos)
      << r.Out;

  // Without its listing the program still loads; the user hears why the
  // source is missing and the command fails. The loader looks for a listing
  // in the folder above too, so this one has a name no other folder holds.
  const std::string listing = Cli.Path.filename().string() + ".LST";
  BuildExample(listing);
  std::filesystem::remove(Cli.Path / listing);
  const CliResult noSource = Cli.Commands({"load COPYBLOCK.OMF", "run --break 4A"});
  EXPECT_EQ(noSource.Status, 1);
  EXPECT_EQ(noSource.Out, "OMF StartAddr=0000H EndAddr=004BH modules=1\n");
  EXPECT_NE(noSource.Err.find(listing), std::string::npos) << noSource.Err;
  EXPECT_NE(noSource.Err.find("load: COPYBLOCK.OMF: the loader reported a problem"),
            std::string::npos)
      << noSource.Err;
}

TEST_F(CliTest, SettingsGiveTheRegisterListAndAreNeverWritten) {
  {
    SilentUserInterface ui;
    auto workbench = std::make_unique<Workbench>(ui, Cli.Path);
    workbench->CPU.ClearRegisters();
    workbench->CPU.AddRegister("P1", false, true, 0, 0x90);
    workbench->CPU.AddRegister("TIME0", true, true, 0x8C, 0x8A);
  }
  std::string before;
  ASSERT_TRUE(ReadWholeFile(Cli.Path / "mcidem.dsk", before));
  // The file names this test's current folder; relative names still mean
  // the folder the program started in.
  const CliResult r = Cli.Commands({"write sfr 8A 34 00 12", "regs", "load copyblock.hex"});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "008A: 34 00 12\n"
                   "PC 0000\nP1 00\nTIME0 1234\nHEX StartAddr=0000H EndAddr=004BH modules=0\n");
  std::string after;
  ASSERT_TRUE(ReadWholeFile(Cli.Path / "mcidem.dsk", after));
  EXPECT_EQ(after, before);
}

TEST_F(CliTest, CtrlCStopsARunAndTheScriptGoesOn) {
  const CliResult r = Cli.Run({"-e", "write code 0 80 FE", "-e", "run", "-e", "step"}, {},
                              std::chrono::milliseconds(1500));
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "0000: 80 FE\ninterrupted PC 0000\nPC 0000\n");
}

TEST_F(CliTest, ARunEndsWhenItsTimeIsUp) {
  const CliResult r = Cli.Commands({"write code 0 80 FE", "run --time 1"});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "0000: 80 FE\ntimeout PC 0000\n");
}

TEST_F(CliTest, HelpListsTheCommands) {
  const CliResult r = Cli.Run({"--help"});
  EXPECT_EQ(r.Status, 0);
  for (const char* command : {"load FILE [ADDR]", "dump SPACE ADDR LEN", "state", "answered No"})
    EXPECT_NE(r.Out.find(command), std::string::npos) << command;
}

TEST_F(CliTest, NextStepsOverCallsAndLineRunsToTheNextSourceLine) {
  WriteTwoModuleProgram(Cli);
  const CliResult r =
      Cli.Commands({"load prog.omf", "line", "line", "line 2", "pc 0103", "line --over", "pc 0103",
                    "next", "step", "next 2", "write code 0 11 10 02 01 00", "write code 10 22",
                    "pc 0", "next", "line --over 2", "line 1 2"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Out, "OMF StartAddr=0100H EndAddr=0204H modules=2\n"
                   // line steps follow the call into DELAY; line --over and next step it
                   "PC 0103\nPC 0200\nPC 0106\nPC 0103\nPC 0106\nPC 0103\nPC 0106\n"
                   "PC 0109\nPC 0109\n0000: 11 10 02 01 00\n0010: 22\nPC 0000\n"
                   // ACALL 0010H returns to 0002H; outside every module a line step over
                   // runs to the next line start (LJMP 0100H)
                   "PC 0002\nPC 0103\n");
  EXPECT_NE(r.Err.find("line: usage: line [--over] [N]"), std::string::npos) << r.Err;
}
