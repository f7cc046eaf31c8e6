#include "PortFixture.h"

#include <cstdlib>

namespace {

using Transport = PortFixture;

TEST_F(Transport, OpenFailureNamesThePortAndLeavesTheSimulator) {
  struct Case {
    uint8_t SelectPort;
    std::string Expected;
  };
  setenv("CORVEL_COM2", "/dev/no-such-port", 1);
  for (const Case& c : {Case{4, "不能打开通讯端口："}, Case{1, "不能打开通讯端口：COM2"}}) {
    UI.Messages.clear();
    Option.SelectPort = c.SelectPort;
    Port.Open();
    EXPECT_FALSE(Port.IsOpen());
    EXPECT_EQ(UI.Messages, std::vector<std::string>{c.Expected});
  }
}

TEST_F(Transport, OpenSetsTheLineAndSendsNothing) {
  Port.StateStale = true;
  Port.FirstConnect = false;
  Connect();
  EXPECT_TRUE(Port.FirstConnect);
  EXPECT_FALSE(Port.StateStale);
  EXPECT_TRUE(NewFrames().empty());
  Port.Close();
  EXPECT_FALSE(Port.IsOpen());
  // The line keeps its settings after the close.
  SerialPort line;
  ASSERT_TRUE(line.Open(Sim->DevicePath).Ok());
  SerialLineSettings s;
  ASSERT_TRUE(line.GetLine(s).Ok());
  EXPECT_EQ(s.BaudRate, 19200u);
  EXPECT_EQ(s.DataBits, 8);
  EXPECT_EQ(s.Parity, SerialParity::None);
  EXPECT_EQ(s.StopBits, SerialStopBits::One);
}

TEST_F(Transport, AReadWhoseReplyWasExcusedIsSentOnceMoreThenKeepsTheBuffer) {
  struct Case {
    std::vector<std::string> Faults;
    uint8_t Expected;
    std::vector<std::string> Lost;
  };
  const Bytes read = Hex("07 01 00 00 10");
  for (const Case& c :
       {Case{{"--no-reply", "1"}, 0x00, {}},
        Case{{"--no-reply", "1", "--no-reply", "3"}, 0xAA, {"the read of code 0100H-010FH"}}}) {
    Seen = 0;
    Connect(c.Faults);
    Port.LostTransfers.clear();
    CPU.Code[0x0100] = 0xAA;
    CodeValid.SetCodeValid(0, 0xFFFF, true);
    EXPECT_TRUE(Port.ReadCode(0x0100, 16));
    EXPECT_EQ(CPU.Code[0x0100], c.Expected);
    std::vector<Bytes> frames{read, Hex("0E 8B"), read};
    if (!c.Lost.empty()) frames.push_back(Hex("0E 8B"));
    EXPECT_EQ(NewFrames(), frames);
    EXPECT_EQ(Port.LostTransfers, c.Lost);
    EXPECT_TRUE(UI.Questions.empty());
    EXPECT_TRUE(CodeValid.IsCodeValid(0, 16));
    EXPECT_TRUE(Port.IsOpen());
  }
}

TEST_F(Transport, AWaitWhileRunningEndsWhenTheReplyStaysOutOrComesWithStrayBytes) {
  struct Case {
    std::vector<std::string> Faults;
    int Result;
    bool Asked;
  };
  for (const Case& c : {Case{{"--no-reply", "1"}, 0, false}, Case{{"--trailing", "2"}, 0, false},
                        Case{{"--no-reply", "1", "--bad-handshake"}, 2, true}}) {
    SCOPED_TRACE(c.Faults[0] + (c.Asked ? " unanswered" : ""));
    Seen = 0;
    UI.Questions.clear();
    UI.Answers = {true};
    Connect(c.Faults);
    CPU.SetRunning(true);
    Port.SendFrame(0x0D, {});
    uint8_t reply = 0x55;
    EXPECT_EQ(Port.WaitReply(&reply, 1), c.Result);
    CPU.SetRunning(false);
    // Whatever arrived is not taken for the reply.
    EXPECT_EQ(reply, 0x55);
    EXPECT_EQ(NewFrames(), (std::vector<Bytes>{Hex("0D"), Hex("0E 8B")}));
    EXPECT_EQ(UI.Questions.size(), c.Asked ? 1u : 0u);
  }
}

TEST_F(Transport, OpenTakesAPortNameOrADevicePath) {
  setenv("CORVEL_COM3", "/dev/no-such-port", 1);
  Port.Open("COM3");
  unsetenv("CORVEL_COM3");
  EXPECT_FALSE(Port.IsOpen());
  Port.Open((Dir.Path / "no-such-tty").string());
  EXPECT_FALSE(Port.IsOpen());
  EXPECT_EQ(UI.Messages.front(), "不能打开通讯端口：COM3");
  EXPECT_EQ(UI.Messages.back(), "不能打开通讯端口：" + (Dir.Path / "no-such-tty").string());
}

TEST_F(Transport, UnansweredHandshakeAsksAndNoClosesThePort) {
  struct Case {
    std::vector<std::string> Faults;
    bool Answer;
  };
  for (const Case& c :
       {Case{{"--no-reply", "1", "--bad-handshake"}, false}, Case{{"--silent-after", "1"}, true}}) {
    UI.Questions.clear();
    Seen = 0;
    Connect(c.Faults);
    UI.Answers = {c.Answer};
    CodeValid.SetCodeValid(0, 0xFFFF, true);
    // In the second case the first reply arrives; the line falls silent after it.
    EXPECT_EQ(Port.ReadIRam(0x30, 1), c.Answer);
    if (c.Answer) {
      EXPECT_FALSE(Port.ReadIRam(0x31, 1));
    }
    EXPECT_EQ(UI.Questions, std::vector<std::string>{TPort::LostConnectionText});
    EXPECT_EQ(Port.IsOpen(), c.Answer);
    EXPECT_FALSE(CodeValid.IsCodeValid(0, 16));
    EXPECT_EQ(NewFrames().back(), Hex("0E 8B"));
  }
}

TEST_F(Transport, WaitReplyReturnsOneWithoutReadingWhenStopped) {
  Connect({"--delay", "300"});
  CPU.SetRunning(true);
  UI.OnPump = [this] { CPU.SetRunning(false); };
  Port.SendFrame(0x0D, {});
  uint8_t reply = 0x55;
  EXPECT_EQ(Port.WaitReply(&reply, 1), 1);
  EXPECT_EQ(reply, 0x55);
  EXPECT_EQ(UI.Pumps, 1);
  // The poll's answer is still on its way and is read only now.
  EXPECT_EQ(Port.ReceiveFrame(&reply, 1), 0);
  EXPECT_EQ(reply, 0x00);
  EXPECT_EQ(NewFrames(), std::vector<Bytes>{Hex("0D")});
}

TEST_F(Transport, IceSimDropsUnknownAndCutFramesAndStillAnswers) {
  Connect();
  Port.SendFrame(0x55, std::array<uint8_t, 2>{0xAA, 0x13});
  // A context block that announces 65535 bytes and sends three.
  Port.SendFrame(0x01, std::array<uint8_t, 3>{0x01, 0xFF, 0xFF});
  uint8_t reply = 0x77;
  EXPECT_EQ(Port.ReceiveFrame(&reply, 1), 0);
  EXPECT_EQ(reply, 0x77);
  EXPECT_TRUE(Port.ReadIRam(0x40, 1));
  EXPECT_TRUE(UI.Questions.empty());
}

TEST_F(Transport, FindRegisterComparesNamesExactly) {
  EXPECT_EQ(Port.FindRegister("ie"), -1);
  EXPECT_EQ(Port.FindRegister("IE"), CPU.FindRegisterIndex("IE"));
  EXPECT_GE(Port.FindRegister("IE"), 0);
}

} // namespace
