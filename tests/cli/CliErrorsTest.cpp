#include "CliFixture.h"

TEST_F(CliTest, UsageErrorsExitWithTwoBeforeAnyCommandRuns) {
  struct Case {
    std::vector<std::string> Args;
    const char* Message;
  };
  const Case cases[] = {
      {{}, "no commands"},
      {{"--cpu", "6", "-e", "pc"}, "--cpu takes 0 to 5, not \"6\""},
      {{"--rom", "2", "-e", "pc"}, "--rom takes 0 to 1"},
      {{"--ram", "x", "-e", "pc"}, "--ram takes 0 to 1"},
      {{"-e", "pc", "-e"}, "-e needs a value"},
      {{"-e", "pc", "--verbose"}, "unknown argument \"--verbose\""},
      {{"-e", "pc", "--script", "missing.cmd"}, "cannot read script missing.cmd"},
  };
  for (const Case& c : cases) {
    const CliResult r = Cli.Run(c.Args);
    EXPECT_EQ(r.Status, 2) << c.Message;
    EXPECT_EQ(r.Out, "") << c.Message;
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("--help"), std::string::npos) << r.Err;
  }
}

TEST_F(CliTest, TheFirstFailingCommandEndsTheProgramWithOne) {
  Cli.Write("prog.bin", "\x01");
  Cli.Write("empty.hex", ":00000001FF\n");
  Cli.Write("prog.h86", ":0100000000FF\n");
  struct Case {
    const char* Command;
    const char* Message;
  };
  const Case cases[] = {
      {"go", "unknown command \"go\""},
      {"dump code", "dump: usage: dump SPACE ADDR LEN"},
      {"dump rom 0 1", "dump: unknown space \"rom\""},
      {"dump code 10000 1", "dump: address 10000 lies outside code (0000-FFFF)"},
      {"dump xdata FFF8 10", "dump: 0010 bytes from FFF8 run past the end of xdata (FFFF)"},
      {"dump iram 0 101", "run past the end of iram (00FF)"},
      {"dump sfr 7F 1", "address 007F lies outside sfr (0080-00FF)"},
      {"dump code 0 1G", "dump: length \"1G\" is not a hexadecimal number"},
      {"write iram FF 1 2", "write: 0002 bytes from 00FF run past the end of iram"},
      {"write xdata 0 100", "write: byte 0100 is above 00FF"},
      {"pc 10000", "pc: address 10000 is above FFFF"},
      {"step 0", "step: count 0 is outside 1..4294967295"},
      {"step 2x", "step: count \"2x\" is not a decimal number"},
      {"run --max 0", "run: instruction count 0 is outside"},
      {"run --break", "run: usage: run"},
      {"dis 0 0", "dis: count 0 is outside 1..65536"},
      {"reg XYZ", "reg: no register \"XYZ\" in the register list"},
      {"reg ACC 100", "reg: value 0100 is above 00FF"},
      {"lines MAIN", "lines: no module \"MAIN\" is loaded"},
      {"load missing.hex", "load: cannot open missing.hex"},
      {"load prog.bin", "load: a BIN file needs its load address: load FILE ADDR"},
      {"load copyblock.hex 100", "load: only a BIN file takes a load address"},
      {"load prog.h86",
       "文件类型没有定义\nworkbench-cli: -e 2: load: prog.h86: nothing was loaded"},
      {"load empty.hex", "load: empty.hex: nothing was loaded"},
      {"save iram x.bin 0 1", "save: only code and xdata are saved"},
      {"save code no/x.bin 0 1", "不能保存文件：no/x.bin (No such file or "
                                 "directory)\nworkbench-cli: -e 2: save: cannot write"},
      {"list no/x.lst 0 1", "不能保存文件：no/x.lst (No such file or directory)\nworkbench-cli: -e "
                            "2: list: cannot write"},
      {"list x.lst 0 1 --no-bytes", "list: unknown option --no-bytes"},
      {"load \"copy block.hex", "a quote is not closed"},
  };
  for (const Case& c : cases) {
    const CliResult r = Cli.Commands({"pc 30", c.Command, "pc 40"});
    EXPECT_EQ(r.Status, 1) << c.Command;
    EXPECT_EQ(r.Out, "PC 0030\n") << c.Command;
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << c.Command << "\n" << r.Err;
    EXPECT_NE(r.Err.find("workbench-cli: -e 2: "), std::string::npos) << r.Err;
  }
}
