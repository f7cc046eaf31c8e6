#pragma once

#include "SerialSettings.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

// The outcome of a port operation: 0, or the errno the system reported.
struct SerialResult {
  int Errno = 0;
  bool Ok() const { return Errno == 0; }
};

// One serial device opened for exclusive reading and writing. Reads, writes and
// queries may run on one thread while another waits in WaitEvent; CancelWait is
// safe from any thread.
class SerialPort {
public:
  SerialPort();
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Opens a device path (see ResolvePortName for port names). Another open of the
  // same device, by this or another process, fails with EBUSY while this one
  // holds it. A fresh port starts with empty queues.
  SerialResult Open(const std::string& devicePath);
  void Close();
  bool IsOpen() const { return Fd >= 0; }
  // The descriptor, for callers that poll it together with other sources.
  int Descriptor() const { return Fd; }

  // Raw mode with these settings. DTR, RTS and modem-line requests that the driver
  // does not support (a pseudo-terminal has no modem lines) are skipped.
  SerialResult SetLine(const SerialLineSettings& settings);
  SerialResult GetLine(SerialLineSettings& settings) const;

  void SetTimeouts(const SerialTimeouts& timeouts) { Timeouts = timeouts; }
  const SerialTimeouts& GetTimeouts() const { return Timeouts; }

  // The queue sizes the owner asked for; the tty layer keeps its own buffers, so
  // only Rx80Full uses the input size.
  void SetQueueSizes(uint32_t input, uint32_t output);

  // Discards what waits in the queues named by SerialPurge flags.
  SerialResult Purge(uint32_t flags);

  // Blocks under the time-outs; `done` counts the bytes moved even on failure.
  SerialResult Write(const void* data, size_t count, size_t& done);
  SerialResult Read(void* buffer, size_t count, size_t& done);

  // Bytes waiting in the input queue.
  SerialResult BytesWaiting(uint32_t& count) const;
  // SerialError flags raised since the last call (none where the driver keeps no
  // error counters), and the input queue.
  SerialResult TakeErrors(uint32_t& errors, uint32_t& waiting);
  // SerialModem flags; all off where the driver has no modem lines.
  SerialResult ModemStatus(uint32_t& lines) const;

  // Waits until one of the SerialEvent bits in mask happens, timeoutMs passes
  // (negative: no limit) or CancelWait is called; `events` is 0 for the last two.
  // RxChar is reported once for bytes that have arrived since it was last
  // reported. A port whose other side has gone away fails with EIO.
  SerialResult WaitEvent(uint32_t mask, int timeoutMs, uint32_t& events);
  void CancelWait();

private:
  struct LineCounters {
    int Frame = 0, Overrun = 0, Parity = 0, Break = 0, BufOverrun = 0;
  };
  bool ReadCounters(LineCounters& counters) const;
  uint32_t CheckEvents(uint32_t mask);
  bool NeedsTicks(uint32_t mask) const;

  int Fd = -1;
  int WakeFd = -1;
  SerialTimeouts Timeouts;
  uint32_t InputQueueSize = 4096;
  // Arrivals are counted as bytes read plus bytes waiting; a purge restarts the count.
  std::atomic<uint64_t> BytesRead{0};
  std::atomic<uint32_t> PurgeGeneration{0};
  std::atomic<bool> TxPending{false};
  LineCounters ErrorBaseline;
  // State of WaitEvent, touched only by the waiting thread.
  uint64_t ArrivedReported = 0;
  uint32_t GenerationSeen = 0;
  uint32_t ModemSeen = 0;
  bool WasFull = false;
  LineCounters EventBaseline;
};
