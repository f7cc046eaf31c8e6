#pragma once

#include <cstdint>
#include <set>
#include <string>

// How ice-sim serves, and the faults it injects for tests.
struct IceSimOptions {
  std::string Device;           // serve this serial device; empty: a new pseudo-terminal
  std::string LogFile;          // one line per received frame, in hex; empty: no log
  std::set<uint64_t> NoReplyTo; // commands (counted from 1) whose reply is dropped
  uint64_t SilentAfter = 0;     // no reply at all after this many commands; 0: never
  bool BadHandshake = false;    // answer handshakes with 74H 8CH instead of 74H 8BH
  int DelayMs = 0;              // every reply this much late
  int TrailingBytes = 0;        // every reply followed by this many stray bytes
  uint8_t PendingVector = 0;    // reported once in the next state block
  // The pace of the user program; a 12 MHz 8051 manages about a million a second.
  uint64_t InstructionsPerSecond = 1000000; // 0: as fast as the host can
  std::string ExperimentsFile;              // program memory preloaded from it; empty: none

  static constexpr const char* Usage =
      "usage: ice-sim [--device PATH] [--log FILE] [--no-reply N]... [--silent-after N]\n"
      "               [--bad-handshake] [--delay MS] [--trailing N] [--pending-interrupt HEX]\n"
      "               [--ips N] [--experiments FILE]\n"
      "Serves the emulator protocol on a new pseudo-terminal (its path is the first line\n"
      "printed) or on the serial device PATH. --experiments puts an object or HEX file\n"
      "into program memory at start, as the lab's emulator holds its experiments.\n";
};

// Fills options from the command line; false with a message for a bad one.
bool ParseIceSimOptions(int argc, char** argv, IceSimOptions& options, std::string& error);
