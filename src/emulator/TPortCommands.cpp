#include "ContextBlock.h"
#include "EmulatorCommand.h"
#include "StateBlock.h"
#include "TCPU.h"
#include "TOptionBlock.h"
#include "TPort.h"
#include "UserInterface.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <poll.h>
#include <string>

namespace Cmd = EmulatorCommand;

namespace {

// Internal RAM below 30H travels with the context and state blocks; the
// single-byte commands serve 30H and above.
constexpr int FirstSingleRamByte = 0x30;

bool IsContextCarried(uint8_t sfr) {
  switch (sfr) {
  case SFR_SP:
  case SFR_DPL:
  case SFR_DPH:
  case SFR_TCON:
  case SFR_P2:
  case SFR_IE:
  case SFR_PSW:
  case SFR_ACC:
  case SFR_B: return true;
  default: return false;
  }
}

// Calls each(address) for the bytes of the range at 30H and above, addresses
// modulo 256, until one fails.
template <class Each> bool ForSingleRamBytes(uint8_t address, int count, Each each) {
  if (address + count < FirstSingleRamByte) return true;
  if (address < FirstSingleRamByte) {
    count -= FirstSingleRamByte - address;
    address = FirstSingleRamByte;
  }
  for (int i = 0; i < count; ++i)
    if (!each(static_cast<uint8_t>(address + i))) return false;
  return true;
}

std::array<uint8_t, 2> High16(uint16_t value) {
  return {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
}

std::string Hex(const char* format, unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// What a repeatable command moves, for the list of lost transfers.
std::string TransferText(uint8_t cmd, std::span<const uint8_t> p) {
  const auto range = [p] {
    const unsigned first = p[0] << 8 | p[1], count = p[2] << 8 | p[3];
    return Hex("%.4XH", first) + "-" + Hex("%.4XH", (first + std::max(count, 1u) - 1) & 0xFFFF);
  };
  switch (cmd) {
  case Cmd::ReadState: return "the read of the CPU state";
  case Cmd::SendContext: return "the write of the context block";
  case Cmd::ReadSfr: return "the read of SFR " + Hex("%.2XH", p[0]);
  case Cmd::WriteSfr: return "the write of SFR " + Hex("%.2XH", p[0]);
  case Cmd::ReadXData: return "the read of xdata " + range();
  case Cmd::WriteXData: return "the write of xdata " + range();
  case Cmd::ReadCode: return "the read of code " + range();
  case Cmd::WriteCode: return "the write of code " + range();
  case Cmd::ReadIRam: return "the read of iram " + Hex("%.2XH", p[1]);
  case Cmd::WriteIRam: return "the write of iram " + Hex("%.2XH", p[1]);
  case Cmd::Poll: return "the poll of the running target";
  default: return "command " + Hex("%.2XH", cmd);
  }
}

} // namespace

int TPort::SendAndReceive(uint8_t cmd, std::span<const uint8_t> payload, uint8_t* reply,
                          size_t replyLength) {
  SendFrame(cmd, payload);
  return Cmd::AwaitedWhileRunning(cmd) ? WaitReply(reply, replyLength)
                                       : ReceiveFrame(reply, replyLength);
}

int TPort::Transact(uint8_t cmd, std::span<const uint8_t> payload, uint8_t* reply,
                    size_t replyLength) {
  int r = SendAndReceive(cmd, payload, reply, replyLength);
  if (r != 0 || !ReplyLost || !Cmd::SafeToRepeat(cmd)) return r;
  // The handshake excused the loss, but the data did not come: ask once more.
  r = SendAndReceive(cmd, payload, reply, replyLength);
  if (r == 0 && ReplyLost) LostTransfers.push_back(TransferText(cmd, payload));
  return r;
}

bool TPort::ReadIRam(uint8_t address, int count) {
  if (!IsOpen()) return true;
  return ForSingleRamBytes(address, count, [this](uint8_t a) {
    return Transact(Cmd::ReadIRam, {Cmd::ReadIRam, a}, &CPU.IRam[a]) == 0;
  });
}

void TPort::WriteIRam(uint8_t address, int count) {
  if (!IsOpen()) return;
  ForSingleRamBytes(address, count, [this](uint8_t a) {
    return Transact(Cmd::WriteIRam, {Cmd::WriteIRam, a, CPU.IRam[a]}) == 0;
  });
}

bool TPort::TransferBlocks(uint16_t address, int count, bool withGauge,
                           const std::function<bool(uint16_t, int)>& transfer) {
  count = std::clamp(count, 0, 0x10000 - address);
  const int blocks = count / BlockSize, rest = count % BlockSize;
  if (withGauge) Gauge.SetMaximum(blocks + 1);
  for (int d = 0; d < blocks; ++d) {
    if (withGauge) Gauge.SetPosition(d);
    if (!transfer(static_cast<uint16_t>(address + BlockSize * d), BlockSize)) return false;
  }
  if (withGauge) Gauge.SetPosition(blocks);
  if (rest > 0) {
    if (!transfer(static_cast<uint16_t>(address + count - rest), rest)) return false;
    if (withGauge) Gauge.ToMaximum();
  }
  if (withGauge) Gauge.ToMaximum();
  return true;
}

bool TPort::ReadMemory(uint8_t cmd, uint8_t* image, uint16_t address, int count) {
  const auto a = High16(address), n = High16(static_cast<uint16_t>(count));
  // The reply lands in the image only when all of it arrived.
  return Transact(cmd, {a[0], a[1], n[0], n[1]}, image + address, static_cast<size_t>(count)) == 0;
}

bool TPort::WriteMemory(uint8_t cmd, const uint8_t* image, uint16_t address, int count) {
  const auto a = High16(address), n = High16(static_cast<uint16_t>(count));
  std::vector<uint8_t> payload{a[0], a[1], n[0], n[1]};
  payload.insert(payload.end(), image + address, image + address + count);
  return Transact(cmd, payload) == 0;
}

bool TPort::ReadCode(uint16_t address, int count) {
  if (!IsOpen()) return true;
  return TransferBlocks(address, count, true, [this](uint16_t a, int n) {
    return ReadMemory(Cmd::ReadCode, CPU.Code.data(), a, n);
  });
}

void TPort::WriteCode(uint16_t address, int count) {
  if (!IsOpen()) return;
  TransferBlocks(address, count, true, [this](uint16_t a, int n) {
    return WriteMemory(Cmd::WriteCode, CPU.Code.data(), a, n);
  });
}

bool TPort::ReadXData(uint16_t address, int count) {
  if (!IsOpen()) return true;
  return TransferBlocks(address, count, false, [this](uint16_t a, int n) {
    return ReadMemory(Cmd::ReadXData, CPU.XData.data(), a, n);
  });
}

bool TPort::WriteXData(uint16_t address, int count) {
  if (!IsOpen()) return true;
  return TransferBlocks(address, count, true, [this](uint16_t a, int n) {
    return WriteMemory(Cmd::WriteXData, CPU.XData.data(), a, n);
  });
}

bool TPort::ReadSfrs(const std::bitset<128>& set) {
  if (!IsOpen()) return true;
  for (int n = 0; n < 128; ++n) {
    const auto a = static_cast<uint8_t>(0x80 + n);
    if (!set.test(static_cast<size_t>(n)) || IsContextCarried(a)) continue;
    if (Transact(Cmd::ReadSfr, {a}, &CPU.SfrAt(a)) != 0) return false;
  }
  return true;
}

void TPort::WriteSfr(uint8_t address) {
  const auto a = static_cast<uint8_t>(address | 0x80);
  if (!IsOpen() || IsContextCarried(a)) return;
  Transact(Cmd::WriteSfr, {a, CPU.SfrAt(a)});
}

void TPort::SetBreakpoints(const TLongIntList* list) {
  if (!list) {
    ClearBreakpoints();
    return;
  }
  if (SameList(*list, CPU.ActiveBreakpoints)) return;
  ClearBreakpoints();
  if (list->Empty()) return;
  CPU.ActiveBreakpoints = *list;
  if (IsOpen()) SendBreakpoints(CPU.ActiveBreakpoints, Cmd::SetAction);
}

void TPort::ClearBreakpoints() {
  if (IsOpen()) SendBreakpoints(CPU.ActiveBreakpoints, Cmd::ClearAction);
  CPU.ActiveBreakpoints.Clear();
}

void TPort::SendBreakpoints(const TLongIntList& list, uint8_t action) {
  Gauge.Set(list.Count(), 0);
  for (int32_t i = 0; i < list.Count(); ++i) {
    Gauge.SetPosition(i);
    if (!SetBreakpoint(static_cast<uint16_t>(list[i]), action)) break;
  }
  Gauge.ToMaximum();
}

bool TPort::SetBreakpoint(uint16_t address, uint8_t action) {
  const auto a = High16(address);
  return Transact(Cmd::Breakpoint, {a[0], a[1], action}) == 0;
}

std::vector<uint8_t> TPort::BuildContext() {
  return BuildContextBlock(CPU, Option.EmlutorCPU);
}

bool TPort::SendContext(uint8_t mode) {
  const std::vector<uint8_t> block = BuildContext();
  const auto n = High16(static_cast<uint16_t>(block.size()));
  std::vector<uint8_t> payload{Cmd::SendContext, n[0], n[1], mode, 0x00, 0x00};
  payload.insert(payload.end(), block.begin(), block.end());
  return Transact(Cmd::SendContext, payload) == 0;
}

bool TPort::Go() {
  SendFrame(Cmd::Go, {});
  StateStale = true;
  return ReceiveFrame(nullptr, 1) == 0;
}

bool TPort::BreakTarget(uint8_t value) {
  return Transact(Cmd::Break, {value}) == 0;
}

bool TPort::WaitStopped() {
  uint8_t reply = 1;
  bool ok = true;
  for (bool first = true; reply != 0 && ok; first = false) {
    // A Stop while the poll waits for its turn ends the wait like one during the poll.
    const int r = !first && !PauseWhileRunning() ? 1 : Transact(Cmd::Poll, {}, &reply);
    if (r == 1) {
      BreakTarget(1);
      return true;
    }
    // A poll whose answer stayed out twice ends the wait like a lost emulator.
    ok = r == 0 && !ReplyLost;
  }
  return ok;
}

bool TPort::PauseWhileRunning() {
  if (!CPU.Running) return true;
  UI.PumpEvents();
  if (!CPU.Running) return false;
  poll(nullptr, 0, static_cast<int>(PollInterval.count()));
  UI.PumpEvents();
  return CPU.Running;
}

void TPort::Step() {
  if (!IsOpen()) {
    Simulator.Step();
    return;
  }
  CPU.SetRunning(true);
  SendContext(Cmd::StepMode);
  Go();
  WaitStopped();
  CPU.SetRunning(false);
}

uint64_t TPort::Run(uint64_t maxInstructions) {
  if (!IsOpen()) return Simulator.Run(maxInstructions);
  CPU.SetRunning(true);
  SendContext(Cmd::RunMode);
  Go();
  WaitStopped();
  CPU.SetRunning(false);
  return 0;
}

void TPort::Stop() {
  const bool was = CPU.Running;
  CPU.SetRunning(false);
  const bool autoStepping = AutoStepping();
  if (Hooks.SetAutoStepping) Hooks.SetAutoStepping(false);
  if (IsOpen() && was && !autoStepping) {
    BreakTarget(1);
    WaitStopped();
  }
}

void TPort::ReadState() {
  if (!IsOpen() || !StateStale) return;
  StateStale = false;
  std::array<uint8_t, StateBlock::Size> s{};
  // A lost block that the handshake excused leaves the state as it was.
  if (Transact(Cmd::ReadState, {0x00, 0x00, StateBlock::Size}, s.data(), s.size()) != 0 ||
      ReplyLost)
    return;
  CPU.PC = static_cast<uint16_t>(s[StateBlock::PCHigh] << 8 | s[StateBlock::PCLow]);
  CPU.SfrAt(SFR_ACC) = s[StateBlock::ACC];
  CPU.SfrAt(SFR_PSW) = s[StateBlock::PSW];
  CPU.SfrAt(SFR_B) = s[StateBlock::B];
  CPU.SfrAt(SFR_SP) = s[StateBlock::SP];
  CPU.SfrAt(SFR_DPH) = s[StateBlock::DPH];
  CPU.SfrAt(SFR_DPL) = s[StateBlock::DPL];
  // These three land where the register list says; without an entry nowhere.
  for (auto [name, offset] : {std::pair{"IE", StateBlock::IE}, std::pair{"TCON", StateBlock::TCON},
                              std::pair{"P2", StateBlock::P2}}) {
    const int index = FindRegister(name);
    if (index < 0) continue;
    const uint8_t addr = CPU.Registers[static_cast<size_t>(index)].Addr;
    if (addr >= 0x80) CPU.SfrAt(addr) = s[offset];
  }
  std::copy_n(s.begin() + StateBlock::IRam, 0x30, CPU.IRam.begin());
  // The target stopped on an interrupt it had not yet entered: finish the
  // entry by pushing the PC and going to the vector.
  if (const uint8_t vector = s[StateBlock::PendingVector]; vector != 0) {
    const uint8_t sp = CPU.SfrAt(SFR_SP);
    CPU.IRam[static_cast<uint8_t>(sp + 1)] = static_cast<uint8_t>(CPU.PC);
    CPU.IRam[static_cast<uint8_t>(sp + 2)] = static_cast<uint8_t>(CPU.PC >> 8);
    WriteIRam(static_cast<uint8_t>(sp + 1), 2);
    CPU.SfrAt(SFR_SP) = static_cast<uint8_t>(sp + 2);
    CPU.PC = vector;
  }
}
