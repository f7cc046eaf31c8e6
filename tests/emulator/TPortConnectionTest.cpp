#include "MonitorImages.h"
#include "PortFixture.h"

namespace {

using Connection = PortFixture;

TEST_F(Connection, SimulatorResetStartsAtTheLoadedProgram) {
  for (uint16_t start : {uint16_t{0xFFFF}, uint16_t{0x0100}}) {
    DebugInfo.StartAddr = start;
    CPU.Sfr.fill(0x33);
    CPU.IRam[0x40] = 0x44;
    CPU.ActiveBreakpoints.Add(0x10);
    Port.ResetTarget();
    EXPECT_EQ(CPU.PC, start == 0xFFFF ? 0x0000 : 0x0100);
    EXPECT_EQ(CPU.SfrAt(SFR_SP), 0x07);
    EXPECT_EQ(CPU.SfrAt(SFR_ACC), 0x00);
    EXPECT_EQ(CPU.SfrAt(SFR_P1), 0x00);
    EXPECT_EQ(CPU.IRam[0x40], 0x44);
    EXPECT_TRUE(CPU.ActiveBreakpoints.Empty());
  }
}

Bytes Frame(uint8_t cmd, std::span<const uint8_t> payload) {
  Bytes frame{cmd};
  frame.insert(frame.end(), payload.begin(), payload.end());
  return frame;
}

Bytes SwappedWords(std::span<const uint8_t> image) {
  const size_t words = (image.size() + 1) / 2;
  Bytes frame{0x1A, static_cast<uint8_t>(words >> 8), static_cast<uint8_t>(words)};
  for (size_t i = 0; i + 1 < image.size(); i += 2) {
    frame.push_back(image[i + 1]);
    frame.push_back(image[i]);
  }
  return frame;
}

const std::vector<Bytes> ResetSequence = {Hex("1B 01"), Hex("1C"), Hex("0C 00"), Hex("1B 00"),
                                          Hex("1D")};

struct UploadCase {
  uint8_t Cpu, Rom, Ram;
  std::vector<TMonitorImages::Image> Images; // bytes, words, bytes
  int Variant;                               // of M3 when it is the third image
};

TEST_F(Connection, FirstResetUploadsTheMonitorOfTheChosenCpuAndOptions) {
  const TMonitorImages images;
  using I = TMonitorImages;
  const UploadCase cases[] = {{0, 0, 0, {I::M1, I::M2, I::M3}, 0},
                              {0, 1, 0, {I::M1, I::M2, I::M3}, 1},
                              {0, 0, 1, {I::M1, I::M2, I::M3}, 2},
                              {0, 3, 1, {I::M1, I::M2, I::M3}, 3},
                              {4, 0, 1, {I::M4, I::M5, I::M6}, -1}};
  for (const UploadCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Cpu) * 100 + c.Rom * 10 + c.Ram);
    Seen = 0;
    Connect();
    Option.EmlutorCPU = c.Cpu;
    Option.EmlutorROM = c.Rom;
    Option.EmlutorRAM = c.Ram;
    UI.Gauge.clear();
    int repaints = 0, reloads = 0;
    Port.Hooks.RepaintCodePane = [&] { ++repaints; };
    Port.Hooks.ReloadProgramMemoryViews = [&] { ++reloads; };
    CodeValid.SetCodeValid(0, 0xFFFF, true);
    Port.ResetTarget();

    const auto third = c.Variant >= 0 ? images.M3Variant(c.Variant) : images.Get(c.Images[2]);
    std::vector<Bytes> expected{Hex("0E 00 6F"),
                                Hex("23"),
                                Hex("22 AA"),
                                Hex("0F"),
                                Hex("1B 01"),
                                Frame(0x19, images.Get(c.Images[0])),
                                SwappedWords(images.Get(c.Images[1])),
                                Frame(0x19, third)};
    expected.insert(expected.end(), ResetSequence.begin(), ResetSequence.end());
    expected.push_back(Hex("03 A0"));
    const std::vector<Bytes> frames = NewFrames();
    ASSERT_EQ(frames.size(), expected.size());
    for (size_t i = 0; i < frames.size(); ++i) {
      // The odd-sized image's last word ends with a filler byte of our choosing.
      const size_t compared = expected[i][0] == 0x1A ? expected[i].size() : frames[i].size();
      ASSERT_GE(frames[i].size(), compared);
      EXPECT_EQ(Bytes(frames[i].begin(), frames[i].begin() + static_cast<long>(compared)),
                expected[i])
          << "frame " << i;
    }
    const std::vector<std::pair<int, int>> gauge{{5, 0}, {5, 1}, {5, 2}, {5, 3},
                                                 {5, 4}, {5, 5}, {5, 5}};
    EXPECT_EQ(UI.Gauge, gauge);
    EXPECT_FALSE(Port.FirstConnect);
    EXPECT_EQ(CPU.SfrAt(SFR_P2), 0xFF);
    EXPECT_FALSE(CodeValid.IsCodeValid(0xFFF0, 15));
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(reloads, 1);
  }
}

TEST_F(Connection, SecondResetSendsOnlyTheResetSequence) {
  Connect();
  Port.ResetTarget();
  NewFrames();
  CPU.PC = 0x1234;
  Port.ResetTarget();
  std::vector<Bytes> expected = ResetSequence;
  expected.push_back(Hex("03 A0"));
  EXPECT_EQ(NewFrames(), expected);
  EXPECT_EQ(CPU.PC, 0x0000);
  EXPECT_EQ(CPU.SfrAt(SFR_SP), 0x07);
}

TEST_F(Connection, WrongHandshakeAnswerStopsTheConnectionSilently) {
  Connect({"--bad-handshake"});
  Port.ResetTarget();
  EXPECT_EQ(NewFrames(), std::vector<Bytes>{Hex("0E 00 6F")});
  EXPECT_TRUE(Port.FirstConnect);
  EXPECT_TRUE(UI.Questions.empty());
  EXPECT_TRUE(UI.Gauge.empty());
}

} // namespace
