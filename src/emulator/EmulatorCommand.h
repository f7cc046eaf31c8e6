#pragma once

#include <cstdint>

// Command bytes of the emulator's monitor. A frame is the command byte and its
// payload, with no length field, checksum or markers; the reply is a fixed
// number of raw bytes per command.
namespace EmulatorCommand {
constexpr uint8_t ReadState = 0x00;
constexpr uint8_t SendContext = 0x01;
constexpr uint8_t Go = 0x02;
constexpr uint8_t ReadSfr = 0x03;
constexpr uint8_t WriteSfr = 0x04;
constexpr uint8_t ReadXData = 0x05;
constexpr uint8_t WriteXData = 0x06;
constexpr uint8_t ReadCode = 0x07;
constexpr uint8_t WriteCode = 0x08;
constexpr uint8_t ReadIRam = 0x09;
constexpr uint8_t WriteIRam = 0x0A;
constexpr uint8_t Break = 0x0C;
constexpr uint8_t Poll = 0x0D;
constexpr uint8_t Handshake = 0x0E;
constexpr uint8_t InitStep0F = 0x0F;
constexpr uint8_t MonitorImage = 0x19;
constexpr uint8_t MonitorWords = 0x1A;
constexpr uint8_t Control = 0x1B;
constexpr uint8_t ResetStep1C = 0x1C;
constexpr uint8_t ResetStep1D = 0x1D;
constexpr uint8_t Breakpoint = 0x1E;
constexpr uint8_t InitStep22 = 0x22;
constexpr uint8_t InitStep23 = 0x23;

// The resynchronisation handshake's payload, and what the emulator answers:
// 74H ("t"), 8BH and one byte nobody looks at.
constexpr uint8_t HandshakeTag = 0x8B;
constexpr uint8_t HandshakeAnswer = 0x74;
// Second payload byte of the handshake that opens a connection ("o").
constexpr uint8_t ConnectTag = 0x6F;

// Actions of the breakpoint command and modes of the context block.
constexpr uint8_t SetAction = 2;
constexpr uint8_t ClearAction = 0;
constexpr uint8_t StepMode = 0;
constexpr uint8_t RunMode = 2;

// Reads and writes (the poll and the context block among them) may be sent
// once more when their reply was lost: doing them twice does no harm.
constexpr bool SafeToRepeat(uint8_t command) {
  switch (command) {
  case ReadState:
  case SendContext:
  case ReadSfr:
  case WriteSfr:
  case ReadXData:
  case WriteXData:
  case ReadCode:
  case WriteCode:
  case ReadIRam:
  case WriteIRam:
  case Poll: return true;
  default: return false;
  }
}

// Replies that may take as long as the target runs or the monitor works are
// awaited with events pumped; the others are read under the port's time-outs.
constexpr bool AwaitedWhileRunning(uint8_t command) {
  switch (command) {
  case Poll:
  case InitStep0F:
  case MonitorImage:
  case MonitorWords:
  case Control:
  case ResetStep1C:
  case ResetStep1D:
  case Breakpoint:
  case InitStep22:
  case InitStep23: return true;
  default: return false;
  }
}
} // namespace EmulatorCommand
