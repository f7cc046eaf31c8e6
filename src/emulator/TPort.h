#pragma once

#include "ProgressGauge.h"
#include "SerialPort.h"
#include "TSimulator.h"
#include "TargetLink.h"

#include <bitset>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TCPU;
class TCodeValidMap;
class TLongIntList;
class TOmf;
class UserInterface;
struct TOptionBlock;

// What the link needs from the main window besides the user interface. The
// shell fills them in; an empty one reads false or does nothing.
struct TPortHooks {
  std::function<bool()> AutoStepping;
  std::function<void(bool)> SetAutoStepping;
  std::function<void()> RepaintCodePane;          // the disassembly window's, when open
  std::function<void()> ReloadProgramMemoryViews; // memory windows showing program memory
};

// The link to the in-circuit emulator on a serial port. With a port open every
// operation drives the emulator and copies between it and the CPU's images;
// without one the memory operations do nothing (the images are the target) and
// Step and Run use the simulator.
class TPort : public TargetLink {
public:
  static constexpr int BlockSize = 128;
  static constexpr const char* OpenFailedText = "不能打开通讯端口：";
  static constexpr const char* LostConnectionText = "仿真器没有连接，请确认；以后还要连接吗？";

  TPort(TCPU& cpu, TCodeValidMap& codeValid, const TOptionBlock& option, const TOmf& debugInfo,
        UserInterface& ui);
  ~TPort() override;
  TPort(const TPort&) = delete;
  TPort& operator=(const TPort&) = delete;

  bool StateStale = false;  // the target has run since its state was last read
  bool FirstConnect = true; // the monitor goes up at the next reset
  // Reads and writes whose reply was lost even when sent a second time, oldest
  // first ("the read of xdata 0000H-007FH"); the images kept their bytes. The
  // caller empties it.
  std::vector<std::string> LostTransfers;
  TPortHooks Hooks;
  // While the target runs, how long to wait between two polls.
  std::chrono::milliseconds PollInterval{10};

  // Transport. Open() opens the port the settings select; Open(name) the
  // port or device named ("COM3", "/dev/ttyUSB0"), which messages then name.
  void Open();
  void Open(const std::string& portName);
  void Close();
  bool IsOpen() const { return Handle.IsOpen(); }
  void SendFrame(uint8_t cmd, std::span<const uint8_t> data);
  // 0: the n bytes arrived (or the handshake excused their loss; buffer then
  // unchanged and ReplyLost true); 2: the emulator is gone.
  int ReceiveFrame(uint8_t* buffer, size_t n);
  // As ReceiveFrame, but while the target runs it waits for exactly n bytes
  // with events pumped; 1 when Stop cleared the running flag meanwhile. A
  // reply that stays out for the port's read time-out, or that comes with
  // more bytes than expected, is resynchronised instead of waited on.
  int WaitReply(uint8_t* buffer, size_t n);
  int FindRegister(std::string_view name) const;

  // Memories and registers; results are true unless a reply was lost.
  bool ReadIRam(uint8_t address, int count);
  void WriteIRam(uint8_t address, int count) override;
  bool ReadCode(uint16_t address, int count);
  void WriteCode(uint16_t address, int count) override;
  bool ReadXData(uint16_t address, int count);
  bool WriteXData(uint16_t address, int count);
  // Flag n stands for SFR 80H + n.
  bool ReadSfrs(const std::bitset<128>& set);
  void WriteSfr(uint8_t address) override;
  // Null clears them.
  void SetBreakpoints(const TLongIntList* list);
  void ClearBreakpoints();

  // Running the target.
  std::vector<uint8_t> BuildContext();
  bool SendContext(uint8_t mode);
  bool Go();
  bool WaitStopped();
  bool BreakTarget(uint8_t value);
  bool SetBreakpoint(uint16_t address, uint8_t action);
  void Step();
  // Runs until the target stops. In the simulator at most maxInstructions execute and the
  // result is how many did; the emulator counts nothing, so there the limit does not apply
  // and the result is 0.
  uint64_t Run(uint64_t maxInstructions = TSimulator::NoLimit);
  void Stop();
  void Halt() { Stop(); }
  void ReadState();

  // Connection.
  void ResetTarget();

private:
  // One command: its frame, then its reply read the way the command needs.
  int Transact(uint8_t cmd, std::span<const uint8_t> payload, uint8_t* reply = nullptr,
               size_t replyLength = 1);
  int Transact(uint8_t cmd, std::initializer_list<uint8_t> payload, uint8_t* reply = nullptr,
               size_t replyLength = 1) {
    return Transact(cmd, std::span(payload.begin(), payload.size()), reply, replyLength);
  }
  // Blocks until input arrives or pending events are due; false when the port hung up.
  bool WaitForInput(uint32_t waiting);
  int SendAndReceive(uint8_t cmd, std::span<const uint8_t> payload, uint8_t* reply,
                     size_t replyLength);
  // After a missing or doubtful reply: 0 with ReplyLost when the handshake
  // excuses it, else the connection question and 2.
  int ReplyMissing();
  bool Resynchronise();
  // Waits between two polls; false when Stop cleared the running flag meanwhile.
  bool PauseWhileRunning();
  bool AutoStepping() const { return Hooks.AutoStepping && Hooks.AutoStepping(); }
  // Splits a transfer into 128-byte blocks; transfer(address, count) moves one.
  bool TransferBlocks(uint16_t address, int count, bool withGauge,
                      const std::function<bool(uint16_t, int)>& transfer);
  bool ReadMemory(uint8_t cmd, uint8_t* image, uint16_t address, int count);
  bool WriteMemory(uint8_t cmd, const uint8_t* image, uint16_t address, int count);
  void SendBreakpoints(const TLongIntList& list, uint8_t action);
  bool ConnectAndUpload();
  void UploadMonitor();
  void SendResetSequence();

  TCPU& CPU;
  TCodeValidMap& CodeValid;
  const TOptionBlock& Option;
  const TOmf& DebugInfo;
  UserInterface& UI;
  SerialPort Handle;
  ProgressGauge Gauge;
  TSimulator Simulator;
  bool ReplyLost = false; // the last reply was lost and excused by the handshake
};
