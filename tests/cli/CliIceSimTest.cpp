#include "../emulator/IceSimProcess.h"
#include "CliFixture.h"

namespace {

// Ports read FFH after a reset of real hardware and 00H after the
// simulator's; the script sets them after the load's reset so both targets
// go on alike.
const std::vector<std::string> Script = {
    "load copyblock.hex",
    "write sfr 80 5A",
    "write sfr 90 5A",
    "write sfr A0 5A",
    "write sfr B0 5A",
    "step 3",
    "reg R2",
    "run --break 003B --break 004A",
    "write iram 60 11 22",
    "write xdata 8000 33",
    "reg B 44",
    "run --break 4A",
    "dump xdata 00FC 14",
    "dump iram 2E 14",
    "regs",
    "symbol HERE",
    "save xdata ram.bin 0100 010F",
    "state",
};

std::vector<std::string> Args(const std::vector<std::string>& commands) {
  std::vector<std::string> args;
  for (const std::string& c : commands) {
    args.push_back("-e");
    args.push_back(c);
  }
  return args;
}

} // namespace

TEST_F(CliTest, TheSameScriptOnTheEmulatorAndOnTheSimulatorEndsInTheSameState) {
  const CliResult simulated = Cli.Run(Args(Script));
  ASSERT_EQ(simulated.Status, 0) << simulated.Err;
  std::string simulatedRam;
  ASSERT_TRUE(ReadWholeFile(Cli.Path / "ram.bin", simulatedRam));

  IceSimProcess iceSim({"--ips", "0"}, Cli.Path / "frames.log");
  ASSERT_FALSE(iceSim.DevicePath.empty());
  std::vector<std::string> args{"--port", iceSim.DevicePath};
  for (const std::string& a : Args(Script))
    args.push_back(a);
  const CliResult emulated = Cli.Run(args);
  EXPECT_EQ(emulated.Status, 0) << emulated.Err;
  EXPECT_EQ(emulated.Out, simulated.Out);
  EXPECT_NE(emulated.Out.find("breakpoint PC 003B\n"), std::string::npos) << emulated.Out;
  std::string emulatedRam;
  ASSERT_TRUE(ReadWholeFile(Cli.Path / "ram.bin", emulatedRam));
  EXPECT_EQ(emulatedRam, simulatedRam);
  EXPECT_EQ(emulatedRam.size(), 16u);
}

TEST_F(CliTest, EmulatorFailuresEndTheProgramWithOne) {
  {
    IceSimProcess iceSim({"--bad-handshake"}, Cli.Path / "frames.log");
    const CliResult r = Cli.Run({"--port", iceSim.DevicePath, "-e", "pc"});
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Out, "");
    EXPECT_NE(r.Err.find("--port: no emulator answers on " + iceSim.DevicePath), std::string::npos)
        << r.Err;
  }
  const CliResult missing = Cli.Run({"--port", (Cli.Path / "no-such-tty").string(), "-e", "pc"});
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Err.find("--port: cannot open port"), std::string::npos) << missing.Err;

  IceSimProcess iceSim({"--ips", "0"}, Cli.Path / "frames.log");
  const CliResult r = Cli.Run({"--port", iceSim.DevicePath, "-e", "write code 0 80 FE", "-e",
                               "run --time 1", "-e", "run --max 10"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Out, "0000: 80 FE\ntimeout PC 0000\n");
  EXPECT_NE(r.Err.find("-e 3: run: --max counts instructions in the simulator only"),
            std::string::npos)
      << r.Err;
}

TEST_F(CliTest, ALostEmulatorEndsTheScript) {
  // Connecting and the reset take 14 commands, the write one; the dump's
  // read gets no reply.
  IceSimProcess iceSim({"--silent-after", "15"}, Cli.Path / "frames.log");
  const CliResult r = Cli.Run({"--port", iceSim.DevicePath, "-e", "pc", "-e", "write xdata 0 1",
                               "-e", "dump xdata 0 1", "-e", "pc"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Out.substr(0, r.Out.find("0000: 01\n")), "PC 0000\n");
  EXPECT_NE(r.Err.find("仿真器没有连接，请确认；以后还要连接吗？ -> No"), std::string::npos)
      << r.Err;
  EXPECT_NE(r.Err.find("-e 3: dump: the connection to the emulator was lost"), std::string::npos)
      << r.Err;
}
