#include "../emulator/IceSimProcess.h"
#include "CliFixture.h"

#include <cstdlib>
#include <sys/stat.h>

namespace {

// workbench-cli against ice-sim with its faults, the commands after --port.
CliResult OnIceSim(const CliRunner& cli, const std::vector<std::string>& faults,
                   const std::vector<std::string>& commands) {
  IceSimProcess iceSim(faults, cli.Path / "frames.log");
  std::vector<std::string> args{"--port", iceSim.DevicePath};
  for (const std::string& c : commands) {
    args.push_back("-e");
    args.push_back(c);
  }
  return cli.Run(args);
}

} // namespace

TEST_F(CliTest, AStepEndsWhenTheEmulatorLosesOrGarblesItsReplies) {
  const std::vector<std::string> step{"load copyblock.hex", "step"};
  const CliResult simulated = Cli.Commands(step);
  ASSERT_EQ(simulated.Status, 0) << simulated.Err;
  struct Case {
    std::vector<std::string> Faults;
    int Status;
    const char* Message;
  };
  // Connecting takes 14 commands, the load 9 and the step's context and
  // start 2: the 26th is the poll after the step, the 27th the state read.
  const Case cases[] = {
      {{"--no-reply", "26"}, 0, ""},
      {{"--no-reply", "27"}, 0, ""},
      {{"--silent-after", "25"}, 1, "-e 2: step: the connection to the emulator was lost"},
      {{"--trailing", "3"}, 1, "-e 2: step: no reply from the emulator to the poll"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Faults[0] + " " + c.Faults[1]);
    const CliResult r = OnIceSim(Cli, c.Faults, step);
    EXPECT_EQ(r.Status, c.Status) << r.Err;
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    if (c.Status == 0) {
      EXPECT_EQ(r.Out, simulated.Out);
    }
  }
}

TEST_F(CliTest, ALostReadIsAskedForOnceMoreAndOnlyThenFails) {
  struct Case {
    std::vector<std::string> Faults;
    std::vector<std::string> Commands;
    int Status;
    std::string Out;
    const char* Message;
  };
  // The write is the 15th command, the dump's read the 16th; a handshake
  // follows each lost reply.
  const std::vector<std::string> dump{"write xdata 10 5A", "dump xdata 10 1"};
  const Case cases[] = {
      {{"--no-reply", "16"}, dump, 0, "0010: 5A\n0010: 5A\n", ""},
      {{"--no-reply", "16", "--no-reply", "18"},
       dump,
       1,
       "0010: 5A\n",
       "-e 2: dump: no reply from the emulator to the read of xdata 0010H-0010H"},
      // A dead emulator in the middle of 64 KB: nothing of it is printed.
      {{"--silent-after", "40"},
       {"dump xdata 0 10000"},
       1,
       "",
       "-e 1: dump: the connection to the emulator was lost"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Faults[0] + " " + c.Faults[1]);
    const CliResult r = OnIceSim(Cli, c.Faults, c.Commands);
    EXPECT_EQ(r.Status, c.Status) << r.Err;
    EXPECT_EQ(r.Out, c.Out);
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
  }
}

TEST_F(CliTest, FileNamesAreTakenAsTheyStandOrRefused) {
  Cli.Write("bob.hex", ":0100100011DE\n");
  Cli.Write("\"\"bob.hex", ":0100100022CD\n");
  Cli.Write("-x.hex", ":0100100033BC\n");
  struct Case {
    std::vector<std::string> Args;
    int Status;
    std::string Out;
    const char* Message;
  };
  const Case cases[] = {
      {{"-e", "load \"\"bob.hex"}, 1, "", "-e 1: a quote in the middle of a word"},
      {{"-e", "load bob\".hex\""}, 1, "", "-e 1: a quote in the middle of a word"},
      // A FILE argument is loaded first, whatever its name holds.
      {{"-e", "dump code 10 1", "\"\"bob.hex"},
       0,
       "HEX StartAddr=0010H EndAddr=0010H modules=0\n0010: 22\n",
       ""},
      {{"-e", "dump code 10 1", "--", "-x.hex"},
       0,
       "HEX StartAddr=0010H EndAddr=0010H modules=0\n0010: 33\n",
       ""},
      {{"bob.hex", "copyblock.hex"}, 2, "", "only one FILE may be given"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Args.back());
    const CliResult r = Cli.Run(c.Args);
    EXPECT_EQ(r.Status, c.Status) << r.Err;
    EXPECT_EQ(r.Out, c.Out);
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
  }
}

TEST_F(CliTest, ABadHexRecordOrAHexFileWithoutDataFailsTheLoad) {
  struct Case {
    std::string Text;
    std::string Out;
    const char* Message;
  };
  const Case cases[] = {
      {":0100100011DE\n:0100200033AD\n", "HEX StartAddr=0010H EndAddr=0010H modules=0\n",
       "HEX 文件第 2 行不是有效的记录"},
      {"x", "", "HEX 文件里没有数据记录"},
  };
  for (const Case& c : cases) {
    Cli.Write("p.hex", c.Text);
    const CliResult r = Cli.Commands({"load p.hex", "pc"});
    EXPECT_EQ(r.Status, 1) << r.Err;
    EXPECT_EQ(r.Out, c.Out);
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("-e 1: load: p.hex: "), std::string::npos) << r.Err;
  }
}

TEST_F(CliTest, AnEndlessScriptLineOrAFifoInPlaceOfAFileEndsWithAMessage) {
  const CliResult line = Cli.Run({"--script", "-"}, std::string(70000, 'a'));
  EXPECT_EQ(line.Status, 2);
  EXPECT_NE(line.Err.find("stdin:1: a line is longer than 65536 bytes"), std::string::npos)
      << line.Err;

  // FIFOs as the settings file and the profile file, which names the ports.
  ASSERT_EQ(mkfifo((Cli.Path / "mcidem.dsk").c_str(), 0644), 0);
  const auto config = Cli.Path / "config";
  std::filesystem::create_directories(config / "corvel");
  ASSERT_EQ(mkfifo((config / "corvel" / "mciden.ini").c_str(), 0644), 0);
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  unsetenv("CORVEL_COM1");
  const CliResult fifo = Cli.Run({"--port", "COM1", "-e", "pc"});
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(fifo.Status, 1);
  EXPECT_NE(fifo.Err.find("--port: "), std::string::npos) << fifo.Err;
  EXPECT_NE(fifo.Err.find("COM1"), std::string::npos) << fifo.Err;
}
