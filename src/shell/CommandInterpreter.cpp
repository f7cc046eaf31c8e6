#include "CommandInterpreter.h"

#include "BinarySave.h"
#include "CommandUserInterface.h"
#include "DisassemblyListing.h"
#include "FileLookup.h"
#include "HexText.h"
#include "ModuleBrowserText.h"
#include "RegisterText.h"
#include "TypedNumber.h"
#include "VariableText.h"
#include "Workbench.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

using Clock = std::chrono::steady_clock;

// How long a run on the emulator may take unless --time says otherwise.
constexpr std::chrono::seconds EmulatorRunLimit{10};

std::string Hex4(uint32_t value) {
  char text[12];
  std::snprintf(text, sizeof text, "%.4X", value);
  return text;
}

std::string UpperExtension(const std::string& fileName) {
  std::string ext = std::filesystem::path(fileName).extension().string();
  for (char& c : ext)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ext;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// Lets a long wait of the core ask the command whether to stop, for as long
// as the object lives.
class PumpHook {
public:
  PumpHook(CommandUserInterface& ui, std::function<void()> hook) : UI(ui) {
    UI.OnPump = std::move(hook);
  }
  ~PumpHook() { UI.OnPump = nullptr; }
  PumpHook(const PumpHook&) = delete;
  PumpHook& operator=(const PumpHook&) = delete;

private:
  CommandUserInterface& UI;
};

// Reads the numbers of a command, naming the command in every complaint.
class Arguments {
public:
  explicit Arguments(std::string_view command) : Command(command) {}

  [[noreturn]] void Fail(const std::string& why) const {
    throw CommandError(std::string(Command) + ": " + why);
  }

  uint32_t Hex(std::string_view text, std::string_view what, uint32_t max) const {
    const std::optional<uint32_t> value = ParseHexNumber(text);
    if (!value)
      Fail(std::string(what) + " \"" + std::string(text) + "\" is not a hexadecimal number");
    if (*value > max) Fail(std::string(what) + " " + Hex4(*value) + " is above " + Hex4(max));
    return *value;
  }

  uint64_t Count(std::string_view text, std::string_view what, uint64_t max) const {
    const std::optional<uint64_t> value = ParseDecimalNumber(text);
    if (!value) Fail(std::string(what) + " \"" + std::string(text) + "\" is not a decimal number");
    if (*value < 1 || *value > max)
      Fail(std::string(what) + " " + std::string(text) + " is outside 1.." + std::to_string(max));
    return *value;
  }

  MemorySpace Space(std::string_view text) const {
    const std::optional<MemorySpace> space = SpaceByName(text);
    if (!space) Fail("unknown space \"" + std::string(text) + "\" (code, xdata, iram or sfr)");
    return *space;
  }

  // An address inside the space.
  uint32_t Address(MemorySpace space, std::string_view text) const {
    const MemorySpaceInfo& info = SpaceInfo(space);
    const uint32_t address = Hex(text, "address", 0xFFFFFFFFu);
    if (address < info.First || address >= info.First + info.Size)
      Fail("address " + Hex4(address) + " lies outside " + std::string(info.Name) + " (" +
           Hex4(info.First) + "-" + Hex4(info.First + info.Size - 1) + ")");
    return address;
  }

  void CheckEnd(MemorySpace space, uint32_t address, uint32_t length) const {
    const MemorySpaceInfo& info = SpaceInfo(space);
    if (address + length > info.First + info.Size)
      Fail(Hex4(length) + " bytes from " + Hex4(address) + " run past the end of " +
           std::string(info.Name) + " (" + Hex4(info.First + info.Size - 1) + ")");
  }

private:
  std::string_view Command;
};

} // namespace

const CommandInterpreter::Command CommandInterpreter::Commands[] = {
    {"load", "load FILE [ADDR]", 1, 2, &CommandInterpreter::Load},
    {"reset", "reset", 0, 0, &CommandInterpreter::Reset},
    {"pc", "pc [ADDR]", 0, 1, &CommandInterpreter::Pc},
    {"reg", "reg NAME [VALUE]", 1, 2, &CommandInterpreter::Reg},
    {"regs", "regs", 0, 0, &CommandInterpreter::Regs},
    {"step", "step [N]", 0, 1, &CommandInterpreter::Step},
    {"next", "next [N]", 0, 1, &CommandInterpreter::Next},
    {"line", "line [--over] [N]", 0, 2, &CommandInterpreter::Line},
    {"run", "run [--break ADDR]... [--max N] [--time SECONDS]", 0, 64, &CommandInterpreter::Run},
    {"dump", "dump SPACE ADDR LEN", 3, 3, &CommandInterpreter::Dump},
    {"write", "write SPACE ADDR BYTE...", 3, 0x10000, &CommandInterpreter::Write},
    {"dis", "dis ADDR [COUNT]", 1, 2, &CommandInterpreter::Dis},
    {"save", "save SPACE FILE START END", 4, 4, &CommandInterpreter::Save},
    {"list", "list FILE START END [--no-address] [--no-code] [--no-asm]", 3, 6,
     &CommandInterpreter::List},
    {"modules", "modules", 0, 0, &CommandInterpreter::Modules},
    {"lines", "lines MODULE", 1, 1, &CommandInterpreter::Lines},
    {"symbol", "symbol NAME [ADDR]", 1, 2, &CommandInterpreter::Symbol},
    {"state", "state", 0, 0, &CommandInterpreter::State},
};

CommandInterpreter::CommandInterpreter(Workbench& workbench, CommandUserInterface& ui,
                                       std::ostream& out)
    : WB(workbench), UI(ui), Out(out), Debug(workbench) {
  ResetTarget();
}

void CommandInterpreter::Execute(const Words& words) {
  if (words.empty()) return;
  const auto command = std::find_if(std::begin(Commands), std::end(Commands),
                                    [&](const Command& c) { return c.Name == words[0]; });
  if (command == std::end(Commands))
    throw CommandError("unknown command \"" + words[0] + "\" (see --help)");
  const size_t args = words.size() - 1;
  if (args < command->MinArgs || args > command->MaxArgs)
    throw CommandError(words[0] + ": usage: " + std::string(command->Syntax));
  Current = command->Name;
  WB.Port.LostTransfers.clear();
  (this->*command->Run)(words);
  CheckLink();
}

void CommandInterpreter::CheckLink() const {
  const TPort& port = WB.Port;
  // The link closes the port when the user declines to reconnect.
  if (Connected && !port.IsOpen())
    throw CommandError(std::string(Current) + ": the connection to the emulator was lost");
  if (port.LostTransfers.empty()) return;
  std::string what;
  for (const std::string& transfer : port.LostTransfers)
    what += (what.empty() ? "" : ", ") + transfer;
  throw CommandError(std::string(Current) + ": no reply from the emulator to " + what);
}

void CommandInterpreter::Connect(const std::string& portName) {
  WB.Port.Open(portName);
  if (!WB.Port.IsOpen()) throw CommandError("cannot open port " + portName);
  WB.Port.ResetTarget();
  if (WB.Port.FirstConnect) throw CommandError("no emulator answers on " + portName);
  Connected = true;
}

void CommandInterpreter::ResetTarget() {
  WB.Port.ResetTarget();
}

void CommandInterpreter::ReadFromTarget(MemorySpace space, uint32_t address, uint32_t length) {
  TPort& port = WB.Port;
  const int count = static_cast<int>(length);
  switch (space) {
  case MemorySpace::Code: port.ReadCode(static_cast<uint16_t>(address), count); break;
  case MemorySpace::XData: port.ReadXData(static_cast<uint16_t>(address), count); break;
  case MemorySpace::IRam: port.ReadIRam(static_cast<uint8_t>(address), count); break;
  case MemorySpace::Sfr: {
    std::bitset<128> set;
    for (uint32_t a = address; a < address + length && a <= 0xFF; ++a)
      set.set(a - 0x80u);
    port.ReadSfrs(set);
    break;
  }
  }
  // What was not read must not be shown as the target's.
  CheckLink();
}

void CommandInterpreter::WriteToTarget(MemorySpace space, uint32_t address, uint32_t length) {
  TPort& port = WB.Port;
  const int count = static_cast<int>(length);
  switch (space) {
  case MemorySpace::Code: port.WriteCode(static_cast<uint16_t>(address), count); break;
  case MemorySpace::XData: port.WriteXData(static_cast<uint16_t>(address), count); break;
  case MemorySpace::IRam: port.WriteIRam(static_cast<uint8_t>(address), count); break;
  case MemorySpace::Sfr:
    for (uint32_t a = address; a < address + length; ++a)
      port.WriteSfr(static_cast<uint8_t>(a));
    break;
  }
}

void CommandInterpreter::PrintPC(std::string_view prefix) {
  if (!prefix.empty()) Out << prefix << ' ';
  Out << "PC " << PCText(WB.CPU.PC) << '\n';
}

void CommandInterpreter::PrintDump(MemorySpace space, uint32_t address, uint32_t length) {
  const std::span<const uint8_t> image = SpaceImage(WB.CPU, space);
  const uint32_t first = SpaceInfo(space).First;
  for (uint32_t line = 0; line < length; line += 16) {
    char text[8];
    std::snprintf(text, sizeof text, "%.4X:", address + line);
    Out << text;
    for (uint32_t i = line; i < std::min(length, line + 16); ++i) {
      std::snprintf(text, sizeof text, " %.2X", image[address + i - first]);
      Out << text;
    }
    Out << '\n';
  }
}

void CommandInterpreter::Load(const Words& a) {
  const Arguments args("load");
  const std::string& file = a[1];
  const bool bin = UpperExtension(file) == ".BIN";
  if (bin && a.size() < 3) args.Fail("a BIN file needs its load address: load FILE ADDR");
  if (!bin && a.size() == 3) args.Fail("only a BIN file takes a load address");
  const std::optional<uint16_t> address =
      bin ? std::optional<uint16_t>(args.Hex(a[2], "address", 0xFFFF)) : std::nullopt;
  std::error_code ec;
  const auto found = FindFileIgnoringCase(file);
  if (!found || !std::filesystem::is_regular_file(*found, ec)) args.Fail("cannot open " + file);

  ResetTarget();
  TOmf& info = WB.DebugInfo;
  const size_t messages = UI.MessageCount;
  UI.AddressAnswer = address;
  // Sources named in an object file are looked for beside it.
  const int result = info.LoadFile(std::filesystem::absolute(file).string());
  UI.AddressAnswer.reset();
  // An object whose code went in but whose source could not be read is
  // loaded: the core has told the user about the source.
  const bool loaded = info.StartAddr <= info.EndAddr && (result == 0 || info.FileKind == fkOmf);
  if (!loaded) args.Fail(file + ": nothing was loaded");
  static constexpr const char* Kinds[] = {"NONE", "HEX", "BIN", "OMF"};
  Out << Kinds[info.FileKind] << " StartAddr=" << Hex4(info.StartAddr)
      << "H EndAddr=" << Hex4(info.EndAddr) << "H modules=" << info.Modules.size() << '\n';
  // What the loader told the user (a bad record, a source not found) fails the command.
  if (UI.MessageCount != messages) args.Fail(file + ": the loader reported a problem (above)");
}

void CommandInterpreter::Reset(const Words&) {
  ResetTarget();
  PrintPC();
}

void CommandInterpreter::Pc(const Words& a) {
  if (a.size() == 2)
    WB.CPU.PC = static_cast<uint16_t>(Arguments("pc").Hex(a[1], "address", 0xFFFF));
  PrintPC();
}

int CommandInterpreter::RegisterIndex(std::string_view name) const {
  const std::vector<TRegisterDesc>& regs = WB.CPU.Registers;
  const int exact = WB.CPU.FindRegisterIndex(name);
  if (exact >= 0) return exact;
  for (size_t i = 0; i < regs.size(); ++i)
    if (SameIgnoringCase(regs[i].GetName(), name)) return static_cast<int>(i);
  return -1;
}

void CommandInterpreter::Reg(const Words& a) {
  const Arguments args("reg");
  if (SameIgnoringCase(a[1], "PC")) {
    Words pc{"pc"};
    if (a.size() == 3) pc.push_back(a[2]);
    return Pc(pc);
  }
  const int index = RegisterIndex(a[1]);
  if (index < 0) args.Fail("no register \"" + a[1] + "\" in the register list");
  TCPU& cpu = WB.CPU;
  const TRegisterDesc& desc = cpu.Registers[static_cast<size_t>(index)];
  if (a.size() == 3)
    cpu.SetRegisterValue(
        index, static_cast<uint16_t>(args.Hex(a[2], "value", desc.IsPair ? 0xFFFFu : 0xFFu)));
  Out << desc.GetName() << ' ' << RegisterValueText(desc, cpu.GetRegisterValue(index)) << '\n';
}

void CommandInterpreter::Regs(const Words&) {
  TCPU& cpu = WB.CPU;
  WB.Port.ReadSfrs(RegistersToRead(cpu.Registers, false));
  CheckLink();
  PrintPC();
  for (size_t i = 0; i < cpu.Registers.size(); ++i) {
    const uint16_t value = cpu.GetRegisterValue(static_cast<int>(i));
    Out << cpu.Registers[i].GetName() << ' ' << RegisterValueText(cpu.Registers[i], value) << '\n';
  }
}

void CommandInterpreter::Repeat(const Words& a, size_t index, void (DebugCommands::*step)()) {
  const uint64_t count =
      a.size() > index ? Arguments(Current).Count(a[index], "count", UINT32_MAX) : 1;
  Stopped = StopCause::None;
  // A step waits for the emulator and a line step runs: an interrupt ends either like a run.
  const PumpHook pump(UI, [this] { CheckRun(std::nullopt); });
  for (uint64_t i = 0; i < count; ++i) {
    if (Stopped != StopCause::None || (StopRequested && StopRequested()))
      return PrintPC("interrupted");
    (Debug.*step)();
    CheckLink();
  }
  PrintPC();
}

void CommandInterpreter::Step(const Words& a) {
  Repeat(a, 1, &DebugCommands::Step);
}

void CommandInterpreter::Next(const Words& a) {
  Repeat(a, 1, &DebugCommands::StepOver);
}

void CommandInterpreter::Line(const Words& a) {
  const bool over = a.size() > 1 && a[1] == "--over";
  if (a.size() == 3 && !over) Arguments("line").Fail("usage: line [--over] [N]");
  Repeat(a, over ? 2 : 1, over ? &DebugCommands::StepLineOver : &DebugCommands::StepLine);
}

void CommandInterpreter::CheckRun(std::optional<Clock::time_point> deadline) {
  if (StopRequested && StopRequested())
    Stopped = StopCause::Interrupted;
  else if (deadline && Clock::now() >= *deadline)
    Stopped = StopCause::TimeLimit;
  else
    return;
  Debug.Stop();
}

void CommandInterpreter::Run(const Words& a) {
  const Arguments args("run");
  TLongIntList breaks;
  std::optional<uint64_t> max;
  std::optional<std::chrono::seconds> limit;
  for (size_t i = 1; i < a.size(); ++i) {
    const bool hasValue = i + 1 < a.size();
    if (a[i] == "--break" && hasValue)
      breaks.Add(static_cast<int32_t>(args.Hex(a[++i], "breakpoint", 0xFFFF)));
    else if (a[i] == "--max" && hasValue)
      max = args.Count(a[++i], "instruction count", TSimulator::NoLimit - 1);
    else if (a[i] == "--time" && hasValue)
      limit = std::chrono::seconds(args.Count(a[++i], "seconds", 86400));
    else
      args.Fail("usage: run [--break ADDR]... [--max N] [--time SECONDS]");
  }
  Stopped = StopCause::None;
  if (WB.Port.IsOpen()) {
    if (max) args.Fail("--max counts instructions in the simulator only; use --time");
    RunOnEmulator(breaks, limit);
    return;
  }
  std::optional<Clock::time_point> deadline;
  if (limit) deadline = Clock::now() + *limit;
  const PumpHook pump(UI, [this, deadline] { CheckRun(deadline); });
  const uint64_t executed = Debug.RunWith(breaks, max.value_or(TSimulator::NoLimit));
  if (breaks.IndexOf(WB.CPU.PC) >= 0)
    PrintPC("breakpoint");
  else if (max && executed >= *max)
    PrintPC("max");
  else
    PrintPC(Stopped == StopCause::TimeLimit ? "timeout" : "interrupted");
}

void CommandInterpreter::RunOnEmulator(const TLongIntList& breaks,
                                       std::optional<std::chrono::seconds> limit) {
  const Clock::time_point deadline = Clock::now() + limit.value_or(EmulatorRunLimit);
  {
    const PumpHook pump(UI, [this, deadline] { CheckRun(deadline); });
    Debug.RunWith(breaks);
  }
  CheckLink();
  if (Stopped == StopCause::TimeLimit)
    PrintPC("timeout");
  else if (Stopped == StopCause::Interrupted)
    PrintPC("interrupted");
  else
    PrintPC(breaks.IndexOf(WB.CPU.PC) >= 0 ? "breakpoint" : "stopped");
}

void CommandInterpreter::Dump(const Words& a) {
  const Arguments args("dump");
  const MemorySpace space = args.Space(a[1]);
  const uint32_t address = args.Address(space, a[2]);
  const uint32_t length = args.Hex(a[3], "length", 0x10000);
  args.CheckEnd(space, address, length);
  ReadFromTarget(space, address, length);
  PrintDump(space, address, length);
}

void CommandInterpreter::Write(const Words& a) {
  const Arguments args("write");
  const MemorySpace space = args.Space(a[1]);
  const uint32_t address = args.Address(space, a[2]);
  const uint32_t length = static_cast<uint32_t>(a.size() - 3);
  args.CheckEnd(space, address, length);
  std::vector<uint8_t> bytes;
  for (size_t i = 3; i < a.size(); ++i)
    bytes.push_back(static_cast<uint8_t>(args.Hex(a[i], "byte", 0xFF)));
  const std::span<uint8_t> image = SpaceImage(WB.CPU, space);
  std::copy(bytes.begin(), bytes.end(), image.begin() + (address - SpaceInfo(space).First));
  WriteToTarget(space, address, length);
  PrintDump(space, address, length);
}

void CommandInterpreter::Dis(const Words& a) {
  const Arguments args("dis");
  uint32_t address = args.Hex(a[1], "address", 0xFFFF);
  const uint64_t count = a.size() == 3 ? args.Count(a[2], "count", 0x10000) : 16;
  ReadFromTarget(MemorySpace::Code, address,
                 static_cast<uint32_t>(std::min<uint64_t>(count * 3, 0x10000 - address)));
  std::string line;
  for (uint64_t i = 0; i < count; ++i) {
    address = WB.CPU.Disassemble(static_cast<uint16_t>(address), line);
    Out << line << '\n';
  }
}

void CommandInterpreter::Save(const Words& a) {
  const Arguments args("save");
  const MemorySpace space = args.Space(a[1]);
  if (space != MemorySpace::Code && space != MemorySpace::XData)
    args.Fail("only code and xdata are saved");
  const uint16_t start = static_cast<uint16_t>(args.Hex(a[3], "start", 0xFFFF));
  const uint16_t end = static_cast<uint16_t>(args.Hex(a[4], "end", 0xFFFF));
  if (end >= start) ReadFromTarget(space, start, end - start + 1u);
  if (!SaveBinary(a[2], SpaceImage(WB.CPU, space), start, end, UI))
    args.Fail("cannot write " + a[2]);
  Out << a[2] << ": " << (end >= start ? end - start + 1 : 0) << " bytes\n";
}

void CommandInterpreter::List(const Words& a) {
  const Arguments args("list");
  ListColumns columns;
  std::vector<std::string> positional;
  for (size_t i = 1; i < a.size(); ++i) {
    if (a[i] == "--no-address")
      columns.Address = false;
    else if (a[i] == "--no-code")
      columns.Code = false;
    else if (a[i] == "--no-asm")
      columns.Asm = false;
    else if (a[i].starts_with("--"))
      args.Fail("unknown option " + a[i]);
    else
      positional.push_back(a[i]);
  }
  if (positional.size() != 3)
    args.Fail("usage: list FILE START END [--no-address] [--no-code] [--no-asm]");
  const uint16_t start = static_cast<uint16_t>(args.Hex(positional[1], "start", 0xFFFF));
  const uint16_t end = static_cast<uint16_t>(args.Hex(positional[2], "end", 0xFFFF));
  if (end >= start) ReadFromTarget(MemorySpace::Code, start, end - start + 1u);
  const std::string listing = DisassemblyListing(WB.CPU, start, end, columns);
  if (!WriteListingFile(positional[0], listing, UI)) args.Fail("cannot write " + positional[0]);
  Out << positional[0] << ": " << std::count(listing.begin(), listing.end(), '\n') << " lines\n";
}

void CommandInterpreter::Modules(const Words&) {
  for (const auto& module : WB.DebugInfo.Modules) {
    Out << BrowserModuleName(*module);
    for (const std::string& attribute : BrowserModuleAttributes(*module))
      Out << ", " << attribute;
    Out << '\n';
  }
}

void CommandInterpreter::Lines(const Words& a) {
  const auto& modules = WB.DebugInfo.Modules;
  auto found =
      std::find_if(modules.begin(), modules.end(), [&](const auto& m) { return m->Name == a[1]; });
  if (found == modules.end())
    found = std::find_if(modules.begin(), modules.end(),
                         [&](const auto& m) { return SameIgnoringCase(m->Name, a[1]); });
  if (found == modules.end()) Arguments("lines").Fail("no module \"" + a[1] + "\" is loaded");
  const TDefModuleInfo& module = **found;
  for (int32_t i = 0; i < module.Lines.Count(); ++i) {
    if (module.Lines[i] < 0) continue;
    Out << i + 1 << ' ' << Hex4(static_cast<uint32_t>(module.Lines[i]));
    if (static_cast<size_t>(i) < module.SourceLines.size()) Out << ' ' << module.SourceLines[i];
    Out << '\n';
  }
}

void CommandInterpreter::Symbol(const Words& a) {
  const uint16_t address =
      a.size() == 3 ? static_cast<uint16_t>(Arguments("symbol").Hex(a[2], "address", 0xFFFF))
                    : WB.CPU.PC;
  const TSymbolRec* symbol = WB.DebugInfo.FindSymbol(a[1], address);
  if (const std::optional<VariableRead> read = symbol ? VariableReadRange(*symbol) : std::nullopt) {
    const MemorySpaceInfo& info = SpaceInfo(read->Space);
    const uint32_t end = info.First + info.Size;
    const uint32_t count =
        std::min<uint32_t>(static_cast<uint32_t>(read->Count), end - read->Address);
    ReadFromTarget(read->Space, read->Address, count);
  }
  Out << VariableLine(a[1], symbol, WB.CPU) << '\n';
}

void CommandInterpreter::State(const Words&) {
  ReadFromTarget(MemorySpace::IRam, 0, 0x100);
  ReadFromTarget(MemorySpace::Sfr, 0x80, 0x80);
  const TCPU& cpu = WB.CPU;
  Out << "{\"pc\":" << cpu.PC << ",\"sp\":" << int{cpu.SfrAt(SFR_SP)}
      << ",\"psw\":" << int{cpu.SfrAt(SFR_PSW)} << ",\"acc\":" << int{cpu.SfrAt(SFR_ACC)}
      << ",\"b\":" << int{cpu.SfrAt(SFR_B)} << ",\"dptr\":" << cpu.GetDPTR() << ",\"iram\":\""
      << BytesToHex(cpu.IRam.data(), cpu.IRam.size()) << "\",\"sfr\":\""
      << BytesToHex(cpu.Sfr.data(), cpu.Sfr.size()) << "\"}\n";
}

const char* const CommandInterpreter::Summary =
    "  load FILE [ADDR]     load a HEX, BIN or object file (a BIN file at ADDR)\n"
    "  reset                reset the target\n"
    "  pc [ADDR]            show or set the program counter\n"
    "  reg NAME [VALUE]     show or set a register of the register list, or PC\n"
    "  regs                 every register of the list with its value\n"
    "  step [N]             N single steps (default 1)\n"
    "  next [N]             N steps over calls: an ACALL or LCALL runs until it returns\n"
    "  line [--over] [N]    N runs to the next source line start (--over: one not\n"
    "                       inside a call the line makes)\n"
    "  run [--break ADDR]... [--max N] [--time SECONDS]\n"
    "                       run until a breakpoint, N instructions (simulator)\n"
    "                       or the time limit (emulator default 10 seconds)\n"
    "  dump SPACE ADDR LEN  memory as hexadecimal, 16 bytes a line\n"
    "  write SPACE ADDR BYTE...  change memory\n"
    "  dis ADDR [COUNT]     disassemble COUNT instructions (default 16)\n"
    "  save SPACE FILE START END  write code or xdata START..END raw to FILE\n"
    "  list FILE START END [--no-address] [--no-code] [--no-asm]\n"
    "                       write a disassembly listing of START..END to FILE\n"
    "  modules              the loaded modules\n"
    "  lines MODULE         a module's source lines that have code\n"
    "  symbol NAME [ADDR]   a symbol as the variable window shows it, in the\n"
    "                       scope of ADDR (default the PC)\n"
    "  state                PC, SP, PSW, ACC, B, DPTR, internal RAM and SFRs as JSON\n"
    "SPACE is code, xdata, iram or sfr (SFRs by direct address, 80-FF).\n"
    "Addresses, lengths and bytes are hexadecimal, with or without a trailing H;\n"
    "counts are decimal.\n";
