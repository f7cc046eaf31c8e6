#include "SerialPort.h"

#include "TermiosLine.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// While something must be watched that poll() cannot see (modem lines, error
// counters, bytes already reported but not yet read), a wait wakes this often.
constexpr int TickMs = 10;

// Drivers without modem lines or error counters answer these.
bool Unsupported(int error) {
  return error == ENOTTY || error == EINVAL || error == ENOSYS;
}

int RemainingMs(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, 1 << 30));
}

Clock::time_point After(uint64_t ms) {
  return Clock::now() + std::chrono::milliseconds(ms);
}

// Sets or clears one modem control line; drivers without modem lines are fine.
int SetModemLine(int fd, int line, bool on) {
  if (ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line) == 0 || Unsupported(errno)) return 0;
  return errno;
}

} // namespace

SerialPort::SerialPort() : WakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

SerialPort::~SerialPort() {
  Close();
  if (WakeFd >= 0) ::close(WakeFd);
}

SerialResult SerialPort::Open(const std::string& devicePath) {
  Close();
  const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {errno};
  termios t{};
  int error = 0;
  if (tcgetattr(fd, &t) != 0) error = errno;
  // TIOCEXCL keeps other users out but not root; the lock also covers our own
  // programs running as root.
  else if (flock(fd, LOCK_EX | LOCK_NB) != 0)
    error = errno == EWOULDBLOCK ? EBUSY : errno;
  else if (ioctl(fd, TIOCEXCL) != 0)
    error = errno;
  if (error != 0) {
    ::close(fd);
    return {error};
  }
  tcflush(fd, TCIOFLUSH);
  Fd = fd;
  uint64_t drained;
  while (::read(WakeFd, &drained, sizeof drained) > 0) {
  }
  BytesRead = 0;
  ArrivedReported = 0;
  GenerationSeen = PurgeGeneration.load();
  TxPending = false;
  WasFull = false;
  ReadCounters(ErrorBaseline);
  EventBaseline = ErrorBaseline;
  ModemStatus(ModemSeen);
  return {};
}

void SerialPort::Close() {
  if (Fd < 0) return;
  // The exclusive flag belongs to the tty, not to this descriptor: clear it so the
  // next user (another process that shares a pseudo-terminal) can open it.
  ioctl(Fd, TIOCNXCL);
  ::close(Fd);
  Fd = -1;
}

SerialResult SerialPort::SetLine(const SerialLineSettings& s) {
  if (int e = ApplyRawLine(Fd, s); e != 0) return {e};
  if (int e = SetModemLine(Fd, TIOCM_DTR, s.Dtr != SerialDtr::Disable); e != 0) return {e};
  const bool rtsOn = s.Rts == SerialRts::Enable || s.Rts == SerialRts::Handshake;
  return {SetModemLine(Fd, TIOCM_RTS, rtsOn)};
}

SerialResult SerialPort::GetLine(SerialLineSettings& s) const {
  if (int e = ReadRawLine(Fd, s); e != 0) return {e};
  int lines = 0;
  if (ioctl(Fd, TIOCMGET, &lines) == 0) {
    s.Dtr = (lines & TIOCM_DTR) ? SerialDtr::Enable : SerialDtr::Disable;
    s.Rts = s.OutCtsFlow               ? SerialRts::Handshake
            : (lines & TIOCM_RTS) != 0 ? SerialRts::Enable
                                       : SerialRts::Disable;
  }
  return {};
}

void SerialPort::SetQueueSizes(uint32_t input, uint32_t) {
  InputQueueSize = input;
}

SerialResult SerialPort::Purge(uint32_t flags) {
  const bool in = flags & SerialPurge::Input, out = flags & SerialPurge::Output;
  if (!in && !out) return {};
  if (tcflush(Fd, in && out ? TCIOFLUSH : in ? TCIFLUSH : TCOFLUSH) != 0) return {errno};
  if (in) ++PurgeGeneration;
  return {};
}

SerialResult SerialPort::Write(const void* data, size_t count, size_t& done) {
  done = 0;
  if (Fd < 0) return {EBADF};
  const uint64_t limit =
      uint64_t{Timeouts.WriteTotalMultiplier} * count + Timeouts.WriteTotalConstant;
  const auto deadline = After(limit);
  const auto* bytes = static_cast<const unsigned char*>(data);
  while (done < count) {
    const ssize_t n = ::write(Fd, bytes + done, count - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      TxPending = true;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return {errno};
    // A write that runs out of time ends with fewer bytes, as the classic ports do.
    const int wait = limit == 0 ? -1 : RemainingMs(deadline);
    if (wait == 0) return {};
    pollfd p{Fd, POLLOUT, 0};
    if (poll(&p, 1, wait) < 0 && errno != EINTR) return {errno};
    if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) return {EIO};
  }
  return {};
}

SerialResult SerialPort::Read(void* buffer, size_t count, size_t& done) {
  done = 0;
  if (Fd < 0) return {EBADF};
  if (count == 0) return {};
  const SerialTimeouts& to = Timeouts;
  const uint32_t forever = SerialTimeouts::Forever;
  const bool immediate =
      to.ReadInterval == forever && to.ReadTotalMultiplier == 0 && to.ReadTotalConstant == 0;
  const bool firstByte = to.ReadInterval == forever && to.ReadTotalMultiplier == forever &&
                         to.ReadTotalConstant > 0 && to.ReadTotalConstant < forever;
  const uint64_t total = firstByte
                             ? to.ReadTotalConstant
                             : uint64_t{to.ReadTotalMultiplier} * count + to.ReadTotalConstant;
  const auto deadline = After(total);
  const bool interval = to.ReadInterval != 0 && to.ReadInterval != forever;
  auto lastByte = Clock::now();
  auto* bytes = static_cast<unsigned char*>(buffer);
  bool hungUp = false;
  for (;;) {
    const ssize_t n = ::read(Fd, bytes + done, count - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      BytesRead += static_cast<uint64_t>(n);
      lastByte = Clock::now();
      if (done == count || firstByte) return {};
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return {errno};
    if (hungUp) return {EIO};
    if (immediate) return {};
    int wait = total == 0 ? -1 : RemainingMs(deadline);
    if (done > 0 && interval) {
      const int gap = RemainingMs(lastByte + std::chrono::milliseconds(to.ReadInterval));
      wait = wait < 0 ? gap : std::min(wait, gap);
    }
    if (wait == 0) return {};
    pollfd p{Fd, POLLIN, 0};
    if (poll(&p, 1, wait) < 0 && errno != EINTR) return {errno};
    // A hung-up tty polls readable for ever; one more read tells data from the end.
    hungUp = (p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0;
  }
}

SerialResult SerialPort::BytesWaiting(uint32_t& count) const {
  int n = 0;
  if (ioctl(Fd, FIONREAD, &n) != 0) return {errno};
  count = static_cast<uint32_t>(n);
  return {};
}

bool SerialPort::ReadCounters(LineCounters& c) const {
  serial_icounter_struct ic{};
  if (ioctl(Fd, TIOCGICOUNT, &ic) != 0) return false;
  c = {ic.frame, ic.overrun, ic.parity, ic.brk, ic.buf_overrun};
  return true;
}

namespace {
uint32_t ErrorFlags(const auto& now, const auto& before) {
  uint32_t flags = 0;
  if (now.Frame != before.Frame) flags |= SerialError::Frame;
  if (now.Overrun != before.Overrun) flags |= SerialError::Overrun;
  if (now.Parity != before.Parity) flags |= SerialError::Parity;
  if (now.Break != before.Break) flags |= SerialError::Break;
  if (now.BufOverrun != before.BufOverrun) flags |= SerialError::RxOver;
  return flags;
}
} // namespace

SerialResult SerialPort::TakeErrors(uint32_t& errors, uint32_t& waiting) {
  errors = 0;
  if (Fd < 0) return {EBADF};
  LineCounters now;
  if (ReadCounters(now)) {
    errors = ErrorFlags(now, ErrorBaseline);
    ErrorBaseline = now;
  }
  return BytesWaiting(waiting);
}

SerialResult SerialPort::ModemStatus(uint32_t& lines) const {
  lines = 0;
  int bits = 0;
  if (ioctl(Fd, TIOCMGET, &bits) != 0) return {Unsupported(errno) ? 0 : errno};
  if (bits & TIOCM_CTS) lines |= SerialModem::Cts;
  if (bits & TIOCM_DSR) lines |= SerialModem::Dsr;
  if (bits & TIOCM_RI) lines |= SerialModem::Ring;
  if (bits & TIOCM_CD) lines |= SerialModem::Rlsd;
  return {};
}

uint32_t SerialPort::CheckEvents(uint32_t mask) {
  uint32_t events = 0;
  // Bytes read are counted before the queue is asked, so a read racing with this
  // check can only make arrivals look smaller, never hide new ones for good.
  const uint64_t read = BytesRead;
  uint32_t waiting = 0;
  BytesWaiting(waiting);
  if (const uint32_t generation = PurgeGeneration; generation != GenerationSeen) {
    GenerationSeen = generation;
    ArrivedReported = read;
  }
  if ((mask & SerialEvent::RxChar) && read + waiting > ArrivedReported) {
    events |= SerialEvent::RxChar;
    ArrivedReported = read + waiting;
  }
  const bool full = waiting >= uint64_t{InputQueueSize} * 8 / 10;
  if ((mask & SerialEvent::Rx80Full) && full && !WasFull) events |= SerialEvent::Rx80Full;
  WasFull = full;
  int outq = 0;
  if ((mask & SerialEvent::TxEmpty) && TxPending &&
      (ioctl(Fd, TIOCOUTQ, &outq) != 0 || outq == 0)) {
    TxPending = false;
    events |= SerialEvent::TxEmpty;
  }
  uint32_t lines = 0;
  ModemStatus(lines);
  const uint32_t changed = lines ^ ModemSeen;
  ModemSeen = lines;
  if (changed & SerialModem::Cts) events |= mask & SerialEvent::Cts;
  if (changed & SerialModem::Dsr) events |= mask & SerialEvent::Dsr;
  if (changed & SerialModem::Rlsd) events |= mask & SerialEvent::Rlsd;
  if (changed & lines & SerialModem::Ring) events |= mask & SerialEvent::Ring;
  LineCounters now;
  if (ReadCounters(now)) {
    const uint32_t errors = ErrorFlags(now, EventBaseline);
    EventBaseline = now;
    if (errors & SerialError::Break) events |= mask & SerialEvent::Break;
    if (errors & ~SerialError::Break) events |= mask & SerialEvent::Error;
  }
  return events;
}

bool SerialPort::NeedsTicks(uint32_t mask) const {
  uint32_t waiting = 0;
  BytesWaiting(waiting);
  if (waiting > 0 && (mask & (SerialEvent::RxChar | SerialEvent::Rx80Full))) return true;
  if ((mask & SerialEvent::TxEmpty) && TxPending) return true;
  int bits = 0;
  const uint32_t modem =
      SerialEvent::Cts | SerialEvent::Dsr | SerialEvent::Rlsd | SerialEvent::Ring;
  if ((mask & modem) && ioctl(Fd, TIOCMGET, &bits) == 0) return true;
  LineCounters c;
  return (mask & (SerialEvent::Error | SerialEvent::Break)) && ReadCounters(c);
}

SerialResult SerialPort::WaitEvent(uint32_t mask, int timeoutMs, uint32_t& events) {
  events = 0;
  if (Fd < 0) return {EBADF};
  const auto deadline = After(timeoutMs < 0 ? 0 : static_cast<uint64_t>(timeoutMs));
  for (;;) {
    events = CheckEvents(mask);
    if (events != 0) return {};
    int wait = timeoutMs < 0 ? -1 : RemainingMs(deadline);
    if (wait == 0) return {};
    const bool ticks = NeedsTicks(mask);
    if (ticks) wait = wait < 0 ? TickMs : std::min(wait, TickMs);
    // The port is always watched for a hang-up; for data only while none waits.
    pollfd p[2] = {{WakeFd, POLLIN, 0}, {Fd, static_cast<short>(ticks ? 0 : POLLIN), 0}};
    if (poll(p, 2, wait) < 0 && errno != EINTR) return {errno};
    if (p[0].revents & POLLIN) {
      uint64_t drained;
      while (::read(WakeFd, &drained, sizeof drained) > 0) {
      }
      return {};
    }
    // Arrivals were reported above; a hang-up would keep poll() from ever blocking.
    if (p[1].revents & (POLLERR | POLLHUP | POLLNVAL)) return {EIO};
  }
}

void SerialPort::CancelWait() {
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = ::write(WakeFd, &one, sizeof one);
}
