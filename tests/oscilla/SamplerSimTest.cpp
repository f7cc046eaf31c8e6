#include "SampleSource.h"
#include "SamplerProcess.h"
#include "SamplerSettings.h"
#include "SerialPort.h"

#include <gtest/gtest.h>

namespace {

std::optional<SamplerSettings> Parse(std::vector<std::string> args) {
  std::string error;
  return ParseSamplerArguments(args, error);
}

} // namespace

TEST(SamplerSim, ArgumentsAndTheirMistakes) {
  const auto s =
      Parse({"--wave", "square", "--frequency", "2500", "--amplitude", "50", "--short-frame",
             "3:1000", "--extra", "2:5", "--silent-after", "4", "--no-pace"});
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Wave, Waveform::Square);
  EXPECT_EQ(s->Frequency, 2500);
  EXPECT_EQ(s->ShortFrame, 3);
  EXPECT_EQ(s->ShortBytes, 1000);
  EXPECT_EQ(s->ExtraBytes, 5);
  EXPECT_EQ(s->SilentAfter, 4);
  EXPECT_FALSE(s->Paced);
  for (std::vector<std::string> bad : {std::vector<std::string>{"--wave", "saw"},
                                       {"--frequency", "fast"},
                                       {"--rate", "0"},
                                       {"--short-frame", "0:10"},
                                       {"--short-frame", "1:2000"},
                                       {"--extra", "1"},
                                       {"--bogus", "1"},
                                       {"--device"}})
    EXPECT_FALSE(Parse(bad)) << bad[0];
}

TEST(SamplerSim, RepliesFollowTheWaveformAcrossFramesAndTheFaults) {
  SamplerSettings s;
  s.ShortFrame = 2;
  s.ShortBytes = 1000;
  s.ExtraFrame = 3;
  s.ExtraBytes = 3;
  s.SilentAfter = 3;
  SampleSource source(s);
  const std::vector<uint8_t> first = source.NextReply();
  ASSERT_EQ(first.size(), 1024u);
  EXPECT_EQ(first[0], 128); // sine from phase 0 around the offset
  // 1 kHz at 445000 samples per second: one period is 445 samples.
  EXPECT_EQ(first[445], 128);
  EXPECT_EQ(*std::max_element(first.begin(), first.end()), 228);
  EXPECT_EQ(source.NextReply().size(), 1000u);
  EXPECT_EQ(source.NextReply().size(), 1027u);
  EXPECT_TRUE(source.NextReply().empty());
}

TEST(SamplerSim, AnswersEachRequestOnItsPseudoTerminal) {
  SamplerProcess sim({"--no-pace", "--short-frame", "2:10", "--silent-after", "2"});
  ASSERT_FALSE(sim.DevicePath.empty());
  SerialPort port;
  ASSERT_TRUE(port.Open(sim.DevicePath).Ok());
  SerialLineSettings line;
  line.BaudRate = 115200;
  ASSERT_TRUE(port.SetLine(line).Ok());
  port.SetTimeouts({200, 0, 2000, 0, 0});
  std::vector<uint8_t> buf(2048);
  for (size_t expected : {1024u, 10u, 0u}) {
    size_t done = 0;
    ASSERT_TRUE(port.Write("\xAA", 1, done).Ok());
    ASSERT_TRUE(port.Read(buf.data(), buf.size(), done).Ok());
    EXPECT_EQ(done, expected);
  }
}
