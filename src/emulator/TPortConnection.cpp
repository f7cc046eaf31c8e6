#include "EmulatorCommand.h"
#include "MonitorImages.h"
#include "TCPU.h"
#include "TCodeValidMap.h"
#include "TOmf.h"
#include "TOptionBlock.h"
#include "TPort.h"
#include "UserInterface.h"

#include <array>
#include <cstdlib>

namespace Cmd = EmulatorCommand;

namespace {

// The monitor leaves the first byte of the connection handshake to us.
constexpr uint8_t ConnectLead = 0x00;
// Steps of the gauge during an upload: initialisation, three images, reset.
constexpr int UploadSteps = 5;

// Word count, then the image as 16-bit words with the bytes of every pair
// exchanged; an odd-sized image ends with a filler byte.
std::vector<uint8_t> WordsPayload(std::span<const uint8_t> image) {
  const size_t words = (image.size() + 1) / 2;
  std::vector<uint8_t> payload{static_cast<uint8_t>(words >> 8), static_cast<uint8_t>(words)};
  for (size_t i = 0; i < words; ++i) {
    payload.push_back(2 * i + 1 < image.size() ? image[2 * i + 1] : 0x00);
    payload.push_back(image[2 * i]);
  }
  return payload;
}

} // namespace

void TPort::ResetTarget() {
  CPU.ActiveBreakpoints.Clear();
  CPU.PC = 0x0000;
  CPU.SfrAt(SFR_SP) = 0x07;
  if (!IsOpen()) {
    CPU.ResetSimulated(DebugInfo.StartAddr == 0xFFFF ? 0x0000 : DebugInfo.StartAddr);
    return;
  }
  if (FirstConnect) {
    if (!ConnectAndUpload()) return;
  } else {
    SendResetSequence();
  }
  Transact(Cmd::ReadSfr, {SFR_P2}, &CPU.SfrAt(SFR_P2));
  Gauge.ToMaximum();
  CodeValid.SetCodeValid(0, 0xFFFF, false);
  if (Hooks.RepaintCodePane) Hooks.RepaintCodePane();
  if (Hooks.ReloadProgramMemoryViews) Hooks.ReloadProgramMemoryViews();
}

bool TPort::ConnectAndUpload() {
  std::array<uint8_t, 3> answer{};
  // Only the handshake decides; later replies may be lost without stopping the upload.
  if (Transact(Cmd::Handshake, {ConnectLead, Cmd::ConnectTag}, answer.data(), answer.size()) != 0 ||
      answer[0] != Cmd::HandshakeAnswer || answer[1] != Cmd::HandshakeTag)
    return false;
  Gauge.Set(UploadSteps, 0);
  std::array<uint8_t, 3> ignored{};
  Transact(Cmd::InitStep23, {}, ignored.data(), ignored.size());
  Transact(Cmd::InitStep22, {0xAA});
  Transact(Cmd::InitStep0F, {});
  Transact(Cmd::Control, {1});
  Gauge.Advance();
  UploadMonitor();
  SendResetSequence();
  Gauge.Advance();
  FirstConnect = false;
  return true;
}

void TPort::UploadMonitor() {
  // Read at every upload, so a lab can put the real images in place without a restart.
  TMonitorImages images;
  if (const char* folder = std::getenv(TMonitorImages::FolderVariable); folder && *folder)
    for (const std::string& message : images.LoadFolder(folder))
      UI.Message(message);
  const auto sendBytes = [this](std::span<const uint8_t> image) {
    Transact(Cmd::MonitorImage, image);
    Gauge.Advance();
  };
  const auto sendWords = [this](std::span<const uint8_t> image) {
    Transact(Cmd::MonitorWords, WordsPayload(image));
    Gauge.Advance();
  };
  if (Option.EmlutorCPU <= 1) {
    sendBytes(images.Get(TMonitorImages::M1));
    sendWords(images.Get(TMonitorImages::M2));
    sendBytes(images.M3Variant((Option.EmlutorROM & 1) + 2 * (Option.EmlutorRAM & 1)));
  } else {
    sendBytes(images.Get(TMonitorImages::M4));
    sendWords(images.Get(TMonitorImages::M5));
    sendBytes(images.Get(TMonitorImages::M6));
  }
}

void TPort::SendResetSequence() {
  Transact(Cmd::Control, {1});
  Transact(Cmd::ResetStep1C, {});
  Transact(Cmd::Break, {0});
  Transact(Cmd::Control, {0});
  Transact(Cmd::ResetStep1D, {});
}
