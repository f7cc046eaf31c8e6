#include "TPort.h"

#include "EmulatorCommand.h"
#include "PortNames.h"
#include "TCPU.h"
#include "TCodeValidMap.h"
#include "TOptionBlock.h"
#include "UserInterface.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <poll.h>

namespace {

// The port dialog's six entries: four serial ports, then two parallel ports
// that have no name and so can never be opened.
std::string PortName(uint8_t selectPort) {
  return selectPort < 4 ? "COM" + std::to_string(selectPort + 1) : std::string();
}

// How long a wait for a running target blocks before it lets events in.
constexpr int PumpIntervalMs = 20;

} // namespace

TPort::TPort(TCPU& cpu, TCodeValidMap& codeValid, const TOptionBlock& option, const TOmf& debugInfo,
             UserInterface& ui)
    : CPU(cpu), CodeValid(codeValid), Option(option), DebugInfo(debugInfo), UI(ui), Gauge(ui),
      Simulator(cpu, ui, [this] { return AutoStepping(); }) {}

TPort::~TPort() {
  Close();
}

void TPort::Open() {
  Open(PortName(Option.SelectPort));
}

void TPort::Open(const std::string& name) {
  FirstConnect = true;
  StateStale = false;
  Close();
  if (name.empty() || !Handle.Open(ResolvePortName(name)).Ok()) {
    UI.Message(OpenFailedText + name);
    return;
  }
  SerialLineSettings line;
  Handle.GetLine(line);
  line.BaudRate = 19200;
  line.DataBits = 8;
  line.Parity = SerialParity::None;
  line.StopBits = SerialStopBits::One;
  Handle.SetLine(line);
  SerialTimeouts timeouts = Handle.GetTimeouts();
  timeouts.ReadInterval = 1000;
  timeouts.ReadTotalMultiplier = 10;
  timeouts.ReadTotalConstant = 1000;
  Handle.SetTimeouts(timeouts);
  Handle.Purge(SerialPurge::Input | SerialPurge::Output);
}

void TPort::Close() {
  Handle.Close();
}

void TPort::SendFrame(uint8_t cmd, std::span<const uint8_t> data) {
  if (!IsOpen()) return;
  // Whatever is still buffered (a late reply) must not pass for the next reply.
  Handle.Purge(SerialPurge::Input | SerialPurge::Output);
  std::vector<uint8_t> frame;
  frame.reserve(data.size() + 1);
  frame.push_back(cmd);
  frame.insert(frame.end(), data.begin(), data.end());
  size_t done = 0;
  Handle.Write(frame.data(), frame.size(), done);
}

int TPort::ReceiveFrame(uint8_t* buffer, size_t n) {
  ReplyLost = false;
  if (!IsOpen()) return 2;
  // A short reply never reaches the caller's buffer.
  std::vector<uint8_t> reply(n);
  size_t done = 0;
  if (Handle.Read(reply.data(), n, done).Ok() && done == n) {
    if (n > 0 && buffer) std::copy(reply.begin(), reply.end(), buffer);
    return 0;
  }
  return ReplyMissing();
}

int TPort::ReplyMissing() {
  ReplyLost = false;
  if (Resynchronise()) {
    ReplyLost = true;
    return 0;
  }
  CodeValid.SetCodeValid(0, 0xFFFF, false);
  if (!UI.AskYesNo(LostConnectionText)) Close();
  return 2;
}

bool TPort::Resynchronise() {
  SendFrame(EmulatorCommand::Handshake, std::array{EmulatorCommand::HandshakeTag});
  uint8_t answer[3] = {};
  size_t done = 0;
  return Handle.Read(answer, sizeof answer, done).Ok() && done == sizeof answer &&
         answer[0] == EmulatorCommand::HandshakeAnswer &&
         answer[1] == EmulatorCommand::HandshakeTag;
}

int TPort::WaitReply(uint8_t* buffer, size_t n) {
  ReplyLost = false;
  // The emulator answers at once even while the target runs; a reply that
  // stays out as long as a read may wait is not coming.
  const SerialTimeouts& t = Handle.GetTimeouts();
  const auto limit =
      std::chrono::milliseconds(uint64_t{t.ReadTotalMultiplier} * n + t.ReadTotalConstant);
  auto quietSince = std::chrono::steady_clock::now();
  uint32_t seen = 0;
  while (CPU.Running) {
    UI.PumpEvents();
    uint32_t errors = 0, waiting = 0;
    // A port that has gone away ends the wait; the read then reports it.
    if (!Handle.TakeErrors(errors, waiting).Ok()) break;
    if (waiting == n) break;
    if (!CPU.Running) return 1;
    // Bytes beyond the reply's length: which of them are the reply cannot be told.
    if (waiting > n) return ReplyMissing();
    const auto now = std::chrono::steady_clock::now();
    if (waiting != seen) {
      seen = waiting;
      quietSince = now;
    } else if (now - quietSince >= limit) {
      return ReplyMissing();
    }
    if (!WaitForInput(waiting)) break;
  }
  return ReceiveFrame(buffer, n);
}

bool TPort::WaitForInput(uint32_t waiting) {
  if (waiting > 0) {
    // poll() would not block while bytes wait: sleep briefly while the rest
    // of the reply is arriving.
    poll(nullptr, 0, 1);
    return true;
  }
  pollfd p{Handle.Descriptor(), POLLIN, 0};
  poll(&p, 1, PumpIntervalMs);
  return (p.revents & (POLLERR | POLLHUP | POLLNVAL)) == 0;
}

int TPort::FindRegister(std::string_view name) const {
  return CPU.FindRegisterIndex(name);
}
