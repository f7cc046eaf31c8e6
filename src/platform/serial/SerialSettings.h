#pragma once

#include <cstdint>

// Line settings of a serial port in the terms the programs use. A pseudo-terminal
// accepts them all; a driver that lacks a feature simply ignores it.
enum class SerialParity { None, Odd, Even, Mark, Space };
enum class SerialStopBits { One, OneAndHalf, Two };
enum class SerialDtr { Disable, Enable, Handshake };
enum class SerialRts { Disable, Enable, Handshake, Toggle };

struct SerialLineSettings {
  uint32_t BaudRate = 9600;
  int DataBits = 8; // 5 .. 8
  SerialParity Parity = SerialParity::None;
  SerialStopBits StopBits = SerialStopBits::One;
  bool ParityCheck = false; // mark received parity errors instead of ignoring them
  bool OutCtsFlow = false;  // hold output while CTS is off
  bool XonXoffOut = false;
  bool XonXoffIn = false;
  char XonChar = 0x11;
  char XoffChar = 0x13;
  SerialDtr Dtr = SerialDtr::Disable;
  SerialRts Rts = SerialRts::Disable;
};

// Read and write time-outs in milliseconds, with the classic comm-port meaning:
// - a read waits at most ReadTotalMultiplier x bytes + ReadTotalConstant in all
//   (both 0: no total limit) and at most ReadInterval between two bytes once the
//   first has arrived (0: no interval limit);
// - ReadInterval = Forever with both totals 0 returns at once with what is waiting;
// - ReadInterval = Forever, ReadTotalMultiplier = Forever and a constant below
//   Forever returns as soon as one byte is there, waiting at most the constant;
// - a write gives up after WriteTotalMultiplier x bytes + WriteTotalConstant
//   (both 0: it waits until the driver has taken every byte).
struct SerialTimeouts {
  static constexpr uint32_t Forever = 0xFFFFFFFF;
  uint32_t ReadInterval = 0;
  uint32_t ReadTotalMultiplier = 0;
  uint32_t ReadTotalConstant = 0;
  uint32_t WriteTotalMultiplier = 0;
  uint32_t WriteTotalConstant = 0;
};

// Port events, errors and modem lines use the classic comm-port bit values so that
// callers written against those values convert one to one.
namespace SerialEvent {
constexpr uint32_t RxChar = 0x0001;
constexpr uint32_t RxFlag = 0x0002; // never reported: the tty layer cannot watch for one character
constexpr uint32_t TxEmpty = 0x0004;
constexpr uint32_t Cts = 0x0008;
constexpr uint32_t Dsr = 0x0010;
constexpr uint32_t Rlsd = 0x0020;
constexpr uint32_t Break = 0x0040;
constexpr uint32_t Error = 0x0080;
constexpr uint32_t Ring = 0x0100;
constexpr uint32_t Rx80Full = 0x0400;
} // namespace SerialEvent

namespace SerialError {
constexpr uint32_t RxOver = 0x0001;
constexpr uint32_t Overrun = 0x0002;
constexpr uint32_t Parity = 0x0004;
constexpr uint32_t Frame = 0x0008;
constexpr uint32_t Break = 0x0010;
} // namespace SerialError

namespace SerialModem {
constexpr uint32_t Cts = 0x10;
constexpr uint32_t Dsr = 0x20;
constexpr uint32_t Ring = 0x40;
constexpr uint32_t Rlsd = 0x80;
} // namespace SerialModem

// Flags of Purge.
namespace SerialPurge {
constexpr uint32_t Output = 0x1;
constexpr uint32_t Input = 0x2;
} // namespace SerialPurge
