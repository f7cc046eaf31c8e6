#pragma once

#include "ByteChannel.h"
#include "IceSimOptions.h"
#include "TargetRunner.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

// The emulator's monitor as the workbench meets it: reads each command frame,
// carries it out on the target and answers with the reply of the command's
// fixed length.
class IceSim {
public:
  IceSim(ByteChannel& line, TargetRunner& target, const IceSimOptions& options);
  ~IceSim();
  IceSim(const IceSim&) = delete;
  IceSim& operator=(const IceSim&) = delete;

  // Serves frames until the line goes away.
  void Serve();

private:
  using Bytes = std::vector<uint8_t>;

  // One whole frame; false when the line is gone. A frame cut short comes
  // back incomplete and gets no answer.
  bool ReadFrame(Bytes& frame, bool& complete);
  bool ReadPayload(Bytes& frame, size_t count);
  void ReadHandshake(Bytes& frame);
  void ReadMonitorImage(Bytes& frame);
  void LogFrame(const Bytes& frame);
  // The reply to a complete frame; none for frames the monitor would reject.
  std::optional<Bytes> Answer(const Bytes& frame);
  std::optional<Bytes> LoadContext(const Bytes& frame);
  Bytes StateReply();
  Bytes ReadMemory(bool code, uint16_t address, uint16_t count);
  void WriteMemory(bool code, uint16_t address, const Bytes& frame);
  std::optional<Bytes> CheckMonitorWords(const Bytes& frame);
  bool SilencedFor(uint64_t command) const;

  ByteChannel& Line;
  TargetRunner& Target;
  const IceSimOptions& Options;
  std::FILE* Log = nullptr;
  uint64_t Commands = 0;
  uint8_t Mode = 0; // of the last context block
  bool PendingReported = false;
};
