#include "IceSim.h"

#include "ContextBlock.h"
#include "EmulatorCommand.h"
#include "MonitorImages.h"
#include "StateBlock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace Cmd = EmulatorCommand;

namespace {

// Bytes of one frame follow each other closely; a longer gap means the rest
// is not coming.
constexpr int PayloadGapMs = 500;
// How long to look for a byte that may or may not belong to the frame.
constexpr int TrailingGapMs = 20;
constexpr uint8_t Ack = 0x00;
constexpr uint8_t StrayByte = 0xA5;

// Payload length of the commands whose length is fixed; -1 for the others.
int FixedPayload(uint8_t cmd) {
  switch (cmd) {
  case Cmd::Go:
  case Cmd::Poll:
  case Cmd::InitStep0F:
  case Cmd::ResetStep1C:
  case Cmd::ResetStep1D:
  case Cmd::InitStep23: return 0;
  case Cmd::ReadSfr:
  case Cmd::Break:
  case Cmd::Control:
  case Cmd::InitStep22: return 1;
  case Cmd::WriteSfr:
  case Cmd::ReadIRam: return 2;
  case Cmd::ReadState:
  case Cmd::WriteIRam:
  case Cmd::Breakpoint: return 3;
  case Cmd::ReadXData:
  case Cmd::ReadCode: return 4;
  default: return -1;
  }
}

uint16_t Word(const std::vector<uint8_t>& frame, size_t at) {
  return static_cast<uint16_t>(frame[at] << 8 | frame[at + 1]);
}

} // namespace

IceSim::IceSim(ByteChannel& line, TargetRunner& target, const IceSimOptions& options)
    : Line(line), Target(target), Options(options) {
  if (!options.LogFile.empty()) Log = std::fopen(options.LogFile.c_str(), "w");
}

IceSim::~IceSim() {
  if (Log) std::fclose(Log);
}

void IceSim::Serve() {
  Bytes frame;
  bool complete = true;
  while (ReadFrame(frame, complete)) {
    ++Commands;
    LogFrame(frame);
    if (!complete) {
      std::fprintf(stderr, "ice-sim: frame %02XH cut short after %zu bytes\n", frame[0],
                   frame.size());
      continue;
    }
    // The command is carried out even when its reply is to be lost.
    std::optional<Bytes> reply = Answer(frame);
    if (!reply || SilencedFor(Commands)) continue;
    if (Options.DelayMs > 0)
      std::this_thread::sleep_for(std::chrono::milliseconds(Options.DelayMs));
    // A noisy line: bytes nobody asked for right behind the reply.
    reply->insert(reply->end(), static_cast<size_t>(Options.TrailingBytes), StrayByte);
    if (!Line.Write(reply->data(), reply->size())) return;
  }
}

bool IceSim::SilencedFor(uint64_t command) const {
  return Options.NoReplyTo.count(command) > 0 ||
         (Options.SilentAfter > 0 && command > Options.SilentAfter);
}

bool IceSim::ReadPayload(Bytes& frame, size_t count) {
  const size_t at = frame.size();
  frame.resize(at + count);
  const size_t got = Line.Read(frame.data() + at, count, PayloadGapMs);
  frame.resize(at + got);
  return got == count;
}

bool IceSim::ReadFrame(Bytes& frame, bool& complete) {
  frame.assign(1, 0);
  if (!Line.ReadByte(frame[0])) return false;
  const uint8_t cmd = frame[0];
  if (const int fixed = FixedPayload(cmd); fixed >= 0) {
    complete = ReadPayload(frame, static_cast<size_t>(fixed));
  } else if (cmd == Cmd::SendContext) {
    complete = ReadPayload(frame, 6) && ReadPayload(frame, Word(frame, 2));
  } else if (cmd == Cmd::WriteXData || cmd == Cmd::WriteCode) {
    complete = ReadPayload(frame, 4) && ReadPayload(frame, Word(frame, 3));
  } else if (cmd == Cmd::MonitorWords) {
    complete = ReadPayload(frame, 2) && ReadPayload(frame, 2 * size_t{Word(frame, 1)});
  } else if (cmd == Cmd::Handshake) {
    complete = ReadPayload(frame, 1);
    if (complete) ReadHandshake(frame);
  } else if (cmd == Cmd::MonitorImage) {
    ReadMonitorImage(frame);
    complete = true;
  } else {
    complete = true; // an unknown command: logged, never answered
  }
  return true;
}

void IceSim::ReadHandshake(Bytes& frame) {
  // The resynchronisation sends 8BH alone; the connection sends a lead byte
  // and 6FH, and its lead byte may be 8BH as well.
  if (frame[1] != Cmd::HandshakeTag) {
    ReadPayload(frame, 1);
    return;
  }
  uint8_t more = 0;
  if (Line.Read(&more, 1, TrailingGapMs) == 1) frame.push_back(more);
}

void IceSim::ReadMonitorImage(Bytes& frame) {
  // The image has no length field: it ends where the line goes quiet.
  ReadPayload(frame, TMonitorImages::VariantSize);
  uint8_t more[256];
  while (size_t n = Line.Read(more, sizeof more, TrailingGapMs))
    frame.insert(frame.end(), more, more + n);
}

void IceSim::LogFrame(const Bytes& frame) {
  if (!Log) return;
  for (size_t i = 0; i < frame.size(); ++i)
    std::fprintf(Log, i ? " %02X" : "%02X", frame[i]);
  std::fputc('\n', Log);
  std::fflush(Log);
}

std::optional<IceSim::Bytes> IceSim::Answer(const Bytes& f) {
  switch (f[0]) {
  case Cmd::ReadState: return StateReply();
  case Cmd::SendContext: return LoadContext(f);
  case Cmd::Go: Target.Start(Mode == Cmd::StepMode); return Bytes{Ack};
  case Cmd::ReadSfr: return Bytes{Target.WithCpu([&](TCPU& c) { return c.ReadDirect(f[1]); })};
  case Cmd::WriteSfr:
    Target.WithCpu([&](TCPU& c) { c.WriteDirect(f[1], f[2]); });
    return Bytes{Ack};
  case Cmd::ReadXData: return ReadMemory(false, Word(f, 1), Word(f, 3));
  case Cmd::ReadCode: return ReadMemory(true, Word(f, 1), Word(f, 3));
  case Cmd::WriteXData: WriteMemory(false, Word(f, 1), f); return Bytes{Ack};
  case Cmd::WriteCode: WriteMemory(true, Word(f, 1), f); return Bytes{Ack};
  case Cmd::ReadIRam: return Bytes{Target.WithCpu([&](TCPU& c) { return c.IRam[f[2]]; })};
  case Cmd::WriteIRam: Target.WithCpu([&](TCPU& c) { c.IRam[f[2]] = f[3]; }); return Bytes{Ack};
  case Cmd::Break:
    if (f[1] == 1) Target.Break();
    return Bytes{Ack};
  case Cmd::Poll: return Bytes{static_cast<uint8_t>(Target.Running() ? 1 : 0)};
  case Cmd::Handshake:
    return Bytes{Cmd::HandshakeAnswer,
                 static_cast<uint8_t>(Options.BadHandshake ? 0x8C : Cmd::HandshakeTag), 0x00};
  case Cmd::MonitorImage:
    if (f.size() - 1 == TMonitorImages::VariantSize) return Bytes{Ack};
    std::fprintf(stderr, "ice-sim: monitor image of %zu bytes, expected %zu\n", f.size() - 1,
                 TMonitorImages::VariantSize);
    return std::nullopt;
  case Cmd::MonitorWords: return CheckMonitorWords(f);
  case Cmd::ResetStep1C: Target.Reset(); return Bytes{Ack};
  case Cmd::Breakpoint: Target.SetBreakpoint(Word(f, 1), f[3] == Cmd::SetAction); return Bytes{Ack};
  case Cmd::InitStep23: return Bytes{0x23, 0x01, 0x00};
  case Cmd::InitStep0F:
  case Cmd::Control:
  case Cmd::ResetStep1D:
  case Cmd::InitStep22: return Bytes{Ack};
  default: std::fprintf(stderr, "ice-sim: unknown command %02XH\n", f[0]); return std::nullopt;
  }
}

std::optional<IceSim::Bytes> IceSim::CheckMonitorWords(const Bytes& f) {
  // M2 and M5 are the images sent as words.
  const size_t words = Word(f, 1);
  for (auto image : {TMonitorImages::M2, TMonitorImages::M5})
    if (words == (TMonitorImages::Sizes[image] + 1) / 2) return Bytes{Ack};
  std::fprintf(stderr, "ice-sim: monitor image of %zu words fits no monitor\n", words);
  return std::nullopt;
}

std::optional<IceSim::Bytes> IceSim::LoadContext(const Bytes& f) {
  const size_t length = Word(f, 2);
  const ContextLayout* layout = ContextLayoutOfSize(length);
  const uint8_t* block = f.data() + 7;
  bool routineIntact = layout != nullptr;
  for (size_t i = ContextLayout::IRamBytes; routineIntact && i < length; ++i)
    routineIntact =
        layout->IsMarked(i) || block[i] == layout->Routine[i - ContextLayout::IRamBytes];
  if (!routineIntact) {
    std::fprintf(stderr, "ice-sim: context block of %zu bytes matches no layout\n", length);
    return std::nullopt;
  }
  Mode = f[4];
  Target.WithCpu([&](TCPU& c) {
    std::copy_n(block, ContextLayout::IRamBytes, c.IRam.begin());
    auto at = [block](int offset) { return block[offset]; };
    if (layout->P2 >= 0) c.SfrAt(SFR_P2) = at(layout->P2);
    c.SfrAt(SFR_SP) = at(layout->SP);
    c.SfrAt(SFR_PSW) = at(layout->PSW);
    c.SfrAt(SFR_B) = at(layout->B);
    c.SfrAt(SFR_TCON) = at(layout->TCON);
    c.SfrAt(SFR_ACC) = at(layout->ACC);
    c.SfrAt(SFR_DPH) = at(layout->DPH);
    c.SfrAt(SFR_DPL) = at(layout->DPL);
    c.SfrAt(SFR_IE) = at(layout->IE);
    c.PC = static_cast<uint16_t>(at(layout->PCHigh) << 8 | at(layout->PCLow));
  });
  return Bytes{Ack};
}

IceSim::Bytes IceSim::StateReply() {
  Bytes s(StateBlock::Size);
  Target.WithCpu([&s](const TCPU& c) {
    s[StateBlock::ACC] = c.SfrAt(SFR_ACC);
    s[StateBlock::IE] = c.SfrAt(SFR_IE);
    s[StateBlock::PSW] = c.SfrAt(SFR_PSW);
    s[StateBlock::B] = c.SfrAt(SFR_B);
    s[StateBlock::TCON] = c.SfrAt(SFR_TCON);
    s[StateBlock::SP] = c.SfrAt(SFR_SP);
    s[StateBlock::DPH] = c.SfrAt(SFR_DPH);
    s[StateBlock::DPL] = c.SfrAt(SFR_DPL);
    s[StateBlock::P2] = c.SfrAt(SFR_P2);
    std::copy_n(c.IRam.begin(), 0x30, s.begin() + StateBlock::IRam);
    s[StateBlock::PCHigh] = static_cast<uint8_t>(c.PC >> 8);
    s[StateBlock::PCLow] = static_cast<uint8_t>(c.PC);
  });
  if (!PendingReported) s[StateBlock::PendingVector] = Options.PendingVector;
  PendingReported = true;
  return s;
}

IceSim::Bytes IceSim::ReadMemory(bool code, uint16_t address, uint16_t count) {
  Bytes data(count);
  Target.WithCpu([&](const TCPU& c) {
    const auto& image = code ? c.Code : c.XData;
    for (size_t i = 0; i < count; ++i)
      data[i] = image[static_cast<uint16_t>(address + i)];
  });
  return data;
}

void IceSim::WriteMemory(bool code, uint16_t address, const Bytes& f) {
  Target.WithCpu([&](TCPU& c) {
    auto& image = code ? c.Code : c.XData;
    for (size_t i = 5; i < f.size(); ++i)
      image[static_cast<uint16_t>(address + i - 5)] = f[i];
  });
}
