#include "../emulator/IceSimProcess.h"
#include "CliRunner.h"

#include "AtomicFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>

namespace {

const std::string Object = std::string(EXPERIMENTS_BUILD_DIR) + "/experiments.omf";

// One run of an experiment: input changes written before the run, then the
// memory ranges dumped at its end label with what they must hold.
struct Trial {
  std::vector<std::string> Inputs;
  std::vector<std::pair<std::string, std::string>> Dumps; // dump command, expected line
};

struct Experiment {
  const char* Entry;
  const char* EndLabel;
  std::vector<Trial> Trials;
};

// "write code 1801 AA AA ..." with count bytes.
std::string Repeated(const std::string& command, const char* byte, int count) {
  std::string text = command;
  for (int i = 0; i < count; ++i)
    text += std::string(" ") + byte;
  return text;
}

const std::vector<Experiment> Experiments = {
    {"0640",
     "CLEAR_END",
     {{{"write xdata 1FFF 55 AA", "write xdata 20FF CC DD"},
       {{"dump xdata 1FFF 2", "1FFF: 55 00"}, {"dump xdata 20FF 2", "20FF: 00 DD"}}},
      {{"write code 1000 30 00 00 03", "write xdata 3000 11 22 33 44"},
       {{"dump xdata 3000 4", "3000: 00 00 00 44"}}},
      {{"write code 1002 00 00", "write xdata 2000 77"}, {{"dump xdata 2000 1", "2000: 77"}}}}},
    {"0660",
     "SPLIT_END",
     {{{}, {{"dump iram 30 2", "0030: 05 0A"}}},
      {{"write code 1100 F3"}, {{"dump iram 30 2", "0030: 0F 03"}}},
      {{"write code 1100 00", "write iram 30 11 22"}, {{"dump iram 30 2", "0030: 00 00"}}}}},
    {"0680",
     "JOIN_END",
     {{{}, {{"dump iram 30 1", "0030: 79"}}},
      {{"write code 1200 A4 3B"}, {{"dump iram 30 1", "0030: 4B"}}}}},
    {"07B0",
     "MOVE_END",
     {{{},
       {{"dump iram 40 9", "0040: 11 22 33 44 55 66 77 88 00"},
        {"dump xdata 3000 9", "3000: 11 22 33 44 55 66 77 88 00"},
        {"dump iram 60 9", "0060: 11 22 33 44 55 66 77 88 00"}}},
      {{"write code 1300 02 AB CD"},
       {{"dump iram 40 3", "0040: AB CD 00"},
        {"dump xdata 3000 3", "3000: AB CD 00"},
        {"dump iram 60 3", "0060: AB CD 00"}}},
      {{"write code 1300 FF 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10"},
       {{"dump iram 5F 3", "005F: 00 01 02"}, {"dump xdata 300F 2", "300F: 10 00"}}},
      {{"write code 1300 00", "write iram 40 99"}, {{"dump iram 40 1", "0040: 99"}}}}},
    {"09B0",
     "SORT_END",
     {{{}, {{"dump iram 50 B", "0050: 00 07 07 12 38 41 55 80 9A FF 00"}}},
      {{"write code 1400 03 C0 B0 A0"}, {{"dump iram 50 4", "0050: A0 B0 C0 00"}}},
      {{"write code 1400 01 42", "write iram 51 99"}, {{"dump iram 50 2", "0050: 42 99"}}},
      {{"write code 1400 00", "write iram 50 99"}, {{"dump iram 50 1", "0050: 99"}}},
      {{"write code 1400 FF 20 1F 1E 1D 1C 1B 1A 19 18 17 16 15 14 13 12 11 10 0F 0E 0D 0C 0B 0A "
        "09 08 07 06 05 04 03 02 01"},
       {{"dump iram 50 4", "0050: 01 02 03 04"}, {"dump iram 6E 3", "006E: 1F 20 00"}}}}},
    {"0AA0",
     "SAME_END",
     {{{}, {{"dump iram 30 1", "0030: 05"}}},
      {{"write code 1500 FF 04 FF 00 FF FF"}, {{"dump iram 30 1", "0030: 03"}}},
      {{"write code 1501 00", "write iram 30 99"}, {{"dump iram 30 1", "0030: 00"}}},
      {{Repeated("write code 1500 00 FF", "00", 64)}, {{"dump iram 30 1", "0030: 40"}}}}},
    {"0970",
     "MUL_END",
     {{{}, {{"dump iram 30 4", "0030: 06 26 00 60"}}},
      {{"write code 1600 FF FF FF FF"}, {{"dump iram 30 4", "0030: FF FE 00 01"}}},
      {{"write code 1600 01 00 01 00"}, {{"dump iram 30 4", "0030: 00 01 00 00"}}},
      {{"write code 1600 00 00 12 34", "write iram 30 11 22 33 44"},
       {{"dump iram 30 4", "0030: 00 00 00 00"}}}}},
    {"0A10",
     "BRANCH_END",
     {{{}, {{"dump iram 30 2", "0030: 00 6F"}}},
      {{"write code 1700 01"}, {{"dump iram 30 2", "0030: 01 49"}}},
      {{"write code 1700 01 13 5C"}, {{"dump iram 30 2", "0030: 01 B7"}}},
      {{"write code 1700 02"}, {{"dump iram 30 2", "0030: 02 10"}}},
      {{"write code 1700 03"}, {{"dump iram 30 2", "0030: 03 5F"}}},
      {{"write code 1700 04"}, {{"dump iram 30 2", "0030: 04 4F"}}},
      {{"write code 1700 05"}, {{"dump iram 30 2", "0030: FF 00"}}},
      {{"write code 1700 FF"}, {{"dump iram 30 2", "0030: FF 00"}}}}},
    {"06E0",
     "PULSE_END",
     {{{}, {{"dump iram 30 2", "0030: 00 07"}}},
      {{"write code 1800 02 0F 0F"}, {{"dump iram 30 2", "0030: 00 01"}}},
      {{"write code 1800 00", "write iram 30 11 22"}, {{"dump iram 30 2", "0030: 00 00"}}},
      {{Repeated("write code 1800 FF", "AA", 64)}, {{"dump iram 30 2", "0030: 01 00"}}}}},
    {"0030",
     "CLOCK_END",
     {{{}, {{"dump iram 30 3", "0030: 00 00 05"}}},
      {{"write code 1900 12 34 56 0E 50 00"}, {{"dump iram 30 3", "0030: 13 36 00"}}},
      {{"write code 1900 23 59 59 00 01 00"}, {{"dump iram 30 3", "0030: 00 00 00"}}},
      {{"write code 1900 10 20 75 00 01 00"}, {{"dump iram 30 3", "0030: 10 21 00"}}},
      {{"write code 1900 09 00 00 00 00 00"}, {{"dump iram 30 3", "0030: 09 00 00"}}},
      {{"write code 1900 09 00 00 00 02 01"}, {{"dump iram 30 3", "0030: 09 00 02"}}}}},
};

// "SORT_END: code, Label:145CH" gives 145C.
std::string LabelAddress(const std::string& symbolLine) {
  const size_t at = symbolLine.find("Label:");
  return at == std::string::npos ? std::string() : symbolLine.substr(at + 6, 4);
}

// The end labels' addresses, from the object.
std::map<std::string, std::string> EndAddresses(const CliRunner& cli) {
  std::vector<std::string> commands{"load " + Object};
  for (const Experiment& e : Experiments)
    commands.push_back(std::string("symbol ") + e.EndLabel);
  const CliResult r = cli.Commands(commands);
  EXPECT_EQ(r.Status, 0) << r.Err;
  std::map<std::string, std::string> addresses;
  std::istringstream lines(r.Out);
  std::string line;
  std::getline(lines, line); // the load line
  for (const Experiment& e : Experiments) {
    std::getline(lines, line);
    addresses[e.EndLabel] = LabelAddress(line);
  }
  return addresses;
}

// The inputs, a run from the entry to the end label (limited as the target
// allows) and the dumps.
std::vector<std::string> TrialCommands(const Experiment& e, const Trial& trial,
                                       const std::string& end, const std::string& limit) {
  std::vector<std::string> commands = trial.Inputs;
  commands.push_back(std::string("pc ") + e.Entry);
  commands.push_back("run --break " + end + " " + limit);
  for (const auto& dump : trial.Dumps)
    commands.push_back(dump.first);
  return commands;
}

// The module name of a source file: its NAME line.
std::string ModuleName(const std::vector<std::string>& source) {
  for (const std::string& line : source) {
    std::istringstream words(line);
    std::string first, name;
    if (words >> first >> name && first == "NAME") return name;
  }
  return {};
}

// The 1-based numbers of the source lines that put bytes into program
// memory: instructions, DB and DW.
std::set<int> CodeLines(const std::vector<std::string>& source) {
  static const std::set<std::string> NoCode = {"NAME", "PUBLIC", "EXTRN", "CSEG",
                                               "END",  "DS",     "USING"};
  static const std::set<std::string> Definitions = {"EQU", "BIT", "SET", "DATA"};
  std::set<int> lines;
  for (size_t i = 0; i < source.size(); ++i) {
    std::string text = source[i].substr(0, source[i].find(';'));
    const size_t colon = text.find(':');
    if (colon != std::string::npos) text = text.substr(colon + 1);
    std::istringstream words(text);
    std::string first, second;
    if (!(words >> first)) continue;
    words >> second;
    if (!NoCode.count(first) && !Definitions.count(second)) lines.insert(static_cast<int>(i + 1));
  }
  return lines;
}

std::vector<std::string> ReadLines(const std::filesystem::path& file) {
  std::string bytes;
  EXPECT_TRUE(ReadWholeFile(file, bytes)) << file;
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

struct ExperimentsTest : testing::Test {
  CliRunner Cli;
};

} // namespace

TEST_F(ExperimentsTest, EachExperimentRunFromItsEntryToItsEndLabelGivesTheDocumentedResult) {
  const auto ends = EndAddresses(Cli);
  for (const Experiment& e : Experiments) {
    const std::string& end = ends.at(e.EndLabel);
    ASSERT_EQ(end.size(), 4u) << e.EndLabel;
    for (size_t i = 0; i < e.Trials.size(); ++i) {
      SCOPED_TRACE(std::string(e.EndLabel) + " run " + std::to_string(i + 1));
      std::vector<std::string> commands{"load " + Object};
      for (const std::string& c : TrialCommands(e, e.Trials[i], end, "--max 50000000"))
        commands.push_back(c);
      const CliResult r = Cli.Commands(commands);
      EXPECT_EQ(r.Status, 0) << r.Err;
      EXPECT_NE(r.Out.find("breakpoint PC " + end + "\n"), std::string::npos) << r.Out;
      for (const auto& dump : e.Trials[i].Dumps)
        EXPECT_NE(r.Out.find(dump.second + "\n"), std::string::npos)
            << dump.first << " should read " << dump.second << "\n"
            << r.Out;
    }
  }
}

TEST_F(ExperimentsTest, TheEmulatorHoldsTheExperimentsWhenIceSimPreloadsThem) {
  const auto ends = EndAddresses(Cli);
  const Experiment& sort = Experiments[4];
  ASSERT_STREQ(sort.EndLabel, "SORT_END");
  IceSimProcess iceSim({"--ips", "0", "--experiments", Object}, Cli.Path / "frames.log");
  ASSERT_FALSE(iceSim.DevicePath.empty());
  // No load: the program is already in the emulator's program memory.
  std::vector<std::string> args{"--port", iceSim.DevicePath};
  for (const Trial& trial : {sort.Trials[0], sort.Trials[1]})
    for (const std::string& c : TrialCommands(sort, trial, ends.at("SORT_END"), "--time 20"))
      args.insert(args.end(), {"-e", c});
  const CliResult r = Cli.Run(args);
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Out.find("0050: 00 07 07 12 38 41 55 80 9A FF 00\n"), std::string::npos) << r.Out;
  // The second table is shorter: the byte after it keeps the first run's 12H.
  EXPECT_NE(r.Out.find("0050: A0 B0 C0 12\n"), std::string::npos) << r.Out;
}

TEST_F(ExperimentsTest, IceSimRefusesAFileItCannotPreload) {
  Cli.Write("notes.txt", "not a program");
  Cli.Write("broken.omf", "\x02\x09");
  for (const auto& [file, message] : std::vector<std::pair<std::string, std::string>>{
           {"missing.omf", "cannot read"},
           {"notes.txt", "an object file (.omf, .o, .obj) or a HEX file (.hex) is needed"},
           {"broken.omf", "broken.omf: "}}) {
    const std::string command =
        std::string(ICE_SIM_PROGRAM) + " --experiments '" + (Cli.Path / file).string() + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
      out.append(buffer, n);
    EXPECT_EQ(WEXITSTATUS(pclose(pipe)), 1) << file;
    EXPECT_NE(out.find("ice-sim: --experiments: "), std::string::npos) << out;
    EXPECT_NE(out.find(message), std::string::npos) << out;
    EXPECT_EQ(out.find("/dev/pts"), std::string::npos) << "serves nothing: " << out;
  }
}

TEST_F(ExperimentsTest, TheObjectsSourceLinesCoverEverySourceFile) {
  std::set<std::string> modules;
  for (const auto& entry : std::filesystem::directory_iterator(EXPERIMENT_SOURCES)) {
    if (entry.path().extension() != ".asm") continue;
    SCOPED_TRACE(entry.path().filename().string());
    const std::vector<std::string> source = ReadLines(entry.path());
    const std::string module = ModuleName(source);
    ASSERT_FALSE(module.empty());
    modules.insert(module);
    const CliResult r = Cli.Commands({"load " + Object, "lines " + module});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    // "12 1404 SORT_MAIN:" : line number, address, the source line as written.
    std::set<int> listed;
    std::istringstream lines(r.Out.substr(r.Out.find('\n') + 1));
    for (std::string line; std::getline(lines, line);) {
      const size_t first = line.find(' ');
      const int number = std::stoi(line.substr(0, first));
      listed.insert(number);
      ASSERT_LE(static_cast<size_t>(number), source.size());
      EXPECT_EQ(line.substr(first + 6), source[number - 1]);
    }
    EXPECT_EQ(listed, CodeLines(source));
  }
  EXPECT_EQ(modules.size(), 11u);
  EXPECT_TRUE(modules.count("ENTRIES"));
}
