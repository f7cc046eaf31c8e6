#include "TComPort.h"
#include "../platform/PseudoTerminal.h"
#include "EComPort.h"
#include "QueueSync.h"
#include "TermiosLine.h"

#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;

namespace {

class TComPortOnPty : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(Pty.SlavePath.empty());
    // Opened before the port takes the device, so it can watch the shared settings.
    Spy = ::open(Pty.SlavePath.c_str(), O_RDONLY | O_NOCTTY);
    Port.SetPort(Pty.SlavePath);
    Port.SetBaudRate(TBaudRate::br115200);
  }
  void TearDown() override {
    Port.Close();
    ::close(Spy);
  }
  uint32_t Speed() const {
    SerialLineSettings s;
    ReadRawLine(Spy, s);
    return s.BaudRate;
  }
  std::string ReadText(int count) {
    std::string s(static_cast<size_t>(count), '\0');
    s.resize(static_cast<size_t>(Port.ReadBytes(s.data(), count)));
    return s;
  }

  PseudoTerminal Pty;
  int Spy = -1;
  QueueSync Sync;
  TComPort Port{&Sync};
};

} // namespace

TEST(EComPort, MessagesCarryTheSystemErrorCodeWhenThereIsOne) {
  EXPECT_STREQ(EComPort(1, 2).what(), "Unable to open com port (win error code: 2)");
  EXPECT_STREQ(EComPort(14).what(), "Cannot set property while connected");
  EXPECT_STREQ(EComPort(23, 0).what(), "Registry error (win error code: 0)");
  EXPECT_STREQ(ComErrorText(3), "ReadFile function failed");
  EXPECT_EQ(EComPort(7, 5).ErrorCode, 7);
}

TEST(TComPortSettings, DerivedFlowControlAndOddBufferSizes) {
  TComPort port;
  TComFlowControl& f = port.FlowControl();
  f.SetControlDTR(TDTRFlowControl::dtrEnable);
  f.SetFlowControl(TFlowControl::fcNone);
  EXPECT_EQ(f.ControlDTR(), TDTRFlowControl::dtrEnable);
  EXPECT_EQ(f.FlowControl(), TFlowControl::fcNone);
  f.SetFlowControl(TFlowControl::fcHardware);
  EXPECT_EQ(f.ControlRTS(), TRTSFlowControl::rtsHandshake);
  EXPECT_TRUE(f.OutCTSFlow());
  EXPECT_EQ(f.FlowControl(), TFlowControl::fcHardware);
  f.SetFlowControl(TFlowControl::fcSoftware);
  EXPECT_EQ(f.ControlRTS(), TRTSFlowControl::rtsDisable);
  EXPECT_FALSE(f.OutCTSFlow());
  EXPECT_EQ(f.FlowControl(), TFlowControl::fcSoftware);
  f.SetXonXoffIn(false);
  EXPECT_EQ(f.FlowControl(), TFlowControl::fcCustom);
  f.SetFlowControl(TFlowControl::fcCustom); // keeps everything
  EXPECT_TRUE(f.XonXoffOut());
  f.SetOutDSRFlow(true); // DSR flow does not enter
  f.SetFlowControl(TFlowControl::fcNone);
  EXPECT_EQ(f.FlowControl(), TFlowControl::fcNone);

  port.Buffer().SetInputSize(4097);
  EXPECT_EQ(port.Buffer().InputSize(), 4096);
  port.Buffer().SetOutputSize(-3);
  EXPECT_EQ(port.Buffer().OutputSize(), -3);
  EXPECT_EQ(EventsToMask(AllComEvents), 0x05FFu);
  EXPECT_EQ(MaskToEvents(0x05FF), AllComEvents);
  EXPECT_EQ(BaudRateValue(TBaudRate::brCustom, 31250), 31250u);
  EXPECT_EQ(BaudRateValue(TBaudRate::br256000, 0), 256000u);
}

TEST_F(TComPortOnPty, AFailedOpenRaisesTheOpenErrorAndStaysClosed) {
  Port.SetPort("/dev/no-such-port");
  try {
    Port.SetConnected(true);
    FAIL() << "opened";
  } catch (const EComPort& e) {
    EXPECT_STREQ(e.what(), "Unable to open com port (win error code: 2)\n"
                           "/dev/no-such-port: No such file or directory");
    EXPECT_EQ(e.SystemErrorCode, ENOENT);
  }
  EXPECT_FALSE(Port.Connected());
}

TEST_F(TComPortOnPty, NotifiesOpenAndCloseInOrderAndMapsCom10) {
  setenv("CORVEL_COM10", Pty.SlavePath.c_str(), 1);
  std::vector<std::string> log;
  Port.OnBeforeOpen = [&](TComPort&) { log.push_back("before open"); };
  Port.OnAfterOpen = [&](TComPort&) { log.push_back("after open"); };
  Port.OnBeforeClose = [&](TComPort&) { log.push_back("before close"); };
  Port.OnAfterClose = [&](TComPort&) { log.push_back("after close"); };
  Port.OnCTSChange = [&](TComPort&, bool on) { log.push_back(on ? "CTS on" : "CTS off"); };
  Port.OnDSRChange = [&](TComPort&, bool on) { log.push_back(on ? "DSR on" : "DSR off"); };
  Port.OnRLSDChange = [&](TComPort&, bool on) { log.push_back(on ? "RLSD on" : "RLSD off"); };
  Port.SetPort("COM10");
  Port.SetConnected(true);
  ASSERT_TRUE(Port.Connected());
  Port.Open(); // opening an open port does nothing
  Port.SetConnected(false);
  Port.Close();
  unsetenv("CORVEL_COM10");
  const std::vector<std::string> expected = {"before open",  "after open", "CTS off", "DSR off",
                                             "RLSD off",     "CTS off",    "DSR off", "RLSD off",
                                             "before close", "after close"};
  EXPECT_EQ(log, expected);
}

TEST_F(TComPortOnPty, ReadsWritesAndReappliesSettingsWhileOpen) {
  Port.Open();
  EXPECT_EQ(Speed(), 115200u);
  char byte;
  EXPECT_EQ(Port.ReadBytes(&byte, 1), 0); // default time-outs: at once, nothing waiting
  EXPECT_EQ(Port.WriteBytes("\xAA", 1), 1);
  EXPECT_EQ(Pty.Receive(1), "\xAA");
  Pty.Send("abc");
  std::this_thread::sleep_for(30ms);
  EXPECT_EQ(Port.WaitingCount(), 3);
  EXPECT_TRUE(Port.ErrorSet().Empty());
  EXPECT_EQ(ReadText(5), "abc");

  Port.SetBaudRate(TBaudRate::br19200);
  EXPECT_EQ(Speed(), 19200u);
  // Someone else changes the line; a setter given the current value leaves it be.
  SerialLineSettings other;
  other.BaudRate = 9600;
  ApplyRawLine(Spy, other);
  Port.SetBaudRate(TBaudRate::br19200);
  EXPECT_EQ(Speed(), 9600u);
  Port.FlowControl().SetXonXoffIn(true);
  EXPECT_EQ(Speed(), 19200u);

  Port.Timeouts().SetReadTotalConstant(150);
  Port.Timeouts().SetReadInterval(0);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Port.ReadBytes(&byte, 1), 0);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 140ms);

  try {
    Port.SetSyncMethod(TSyncMethod::smNone);
    FAIL() << "changed while open";
  } catch (const EComPort& e) {
    EXPECT_EQ(e.ErrorCode, 14);
  }
  Port.Close();
  try {
    Port.ReadBytes(&byte, 1);
    FAIL() << "read a closed port";
  } catch (const EComPort& e) {
    EXPECT_EQ(e.ErrorCode, 3);
  }
}

TEST_F(TComPortOnPty, DeliversReceivedBytesOnTheOwnersThread) {
  std::string got;
  std::vector<std::thread::id> threads;
  Port.OnRxChar = [&](TComPort& sender, int count) {
    threads.push_back(std::this_thread::get_id());
    got += ReadText(count);
    EXPECT_EQ(&sender, &Port);
  };
  Port.Open();
  Pty.Send("12345");
  ASSERT_TRUE(Sync.RunUntil([&] { return got.size() == 5; }, 2s));
  Pty.Send("678");
  ASSERT_TRUE(Sync.RunUntil([&] { return got.size() == 8; }, 2s));
  EXPECT_EQ(got, "12345678");
  for (auto id : threads)
    EXPECT_EQ(id, std::this_thread::get_id());
}

TEST_F(TComPortOnPty, AFailingHandlerEndsDeliveryUntilThePortReopens) {
  int calls = 0;
  Port.OnRxChar = [&](TComPort&, int count) {
    ++calls;
    std::string drop(static_cast<size_t>(count), '\0');
    Port.ReadBytes(drop.data(), count);
    throw EComPort(2, 5);
  };
  Port.Open();
  Pty.Send("a");
  ASSERT_TRUE(Sync.RunUntil([&] { return calls == 1; }, 2s));
  Pty.Send("b");
  EXPECT_FALSE(Sync.RunUntil([&] { return calls == 2; }, 200ms));
  EXPECT_TRUE(Port.Connected());
  Port.Close();
  Port.Open();
  Pty.Send("c");
  EXPECT_TRUE(Sync.RunUntil([&] { return calls == 2; }, 2s));
}

TEST_F(TComPortOnPty, AHandlerMayCloseItsOwnPort) {
  bool closed = false;
  Port.OnRxChar = [&](TComPort& sender, int) {
    sender.Close();
    closed = true;
  };
  Port.Open();
  Pty.Send("x");
  ASSERT_TRUE(Sync.RunUntil([&] { return closed; }, 2s));
  EXPECT_FALSE(Port.Connected());
}

TEST_F(TComPortOnPty, WithoutEventsOrWithoutSyncThePortStillWorks) {
  int calls = 0;
  Port.OnRxChar = [&](TComPort&, int) { ++calls; };
  Port.SetEvents({});
  Port.Open();
  Pty.Send("q");
  std::this_thread::sleep_for(50ms);
  EXPECT_FALSE(Sync.RunUntil([&] { return calls > 0; }, 100ms));
  EXPECT_EQ(ReadText(1), "q");
  Port.Close();

  // Without synchronisation the event thread runs the handlers itself.
  std::atomic<bool> onOtherThread = false;
  const auto testThread = std::this_thread::get_id();
  Port.OnRxChar = [&](TComPort& sender, int count) {
    std::string drop(static_cast<size_t>(count), '\0');
    sender.ReadBytes(drop.data(), count);
    onOtherThread = std::this_thread::get_id() != testThread;
  };
  Port.SetEvents(AllComEvents);
  Port.SetSyncMethod(TSyncMethod::smNone);
  Port.Open();
  Pty.Send("r");
  for (int i = 0; i < 200 && !onOtherThread; ++i)
    std::this_thread::sleep_for(10ms);
  EXPECT_TRUE(onOtherThread);
}

TEST_F(TComPortOnPty, WindowSyncShowsHandlerErrorsAndGoesOn) {
  int calls = 0;
  Port.OnRxChar = [&](TComPort& sender, int count) {
    ++calls;
    std::string drop(static_cast<size_t>(count), '\0');
    sender.ReadBytes(drop.data(), count);
    throw EComPort(3, 5);
  };
  Port.SetSyncMethod(TSyncMethod::smWindowSync);
  Port.Open();
  Pty.Send("a");
  ASSERT_TRUE(Sync.RunUntil([&] { return calls == 1; }, 2s));
  Pty.Send("b");
  ASSERT_TRUE(Sync.RunUntil([&] { return calls == 2; }, 2s));
  EXPECT_EQ(Sync.Errors,
            std::vector<std::string>(2, "ReadFile function failed (win error code: 5)"));
}
