#include "SerialPort.h"
#include "PseudoTerminal.h"
#include "TempDir.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

class SerialPortOnPty : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(Pty.SlavePath.empty());
    ASSERT_TRUE(Port.Open(Pty.SlavePath).Ok());
    SerialLineSettings raw;
    raw.BaudRate = 115200;
    ASSERT_TRUE(Port.SetLine(raw).Ok());
  }

  std::string ReadAll(size_t count) {
    std::string buf(count, '\0');
    size_t done = 0;
    EXPECT_TRUE(Port.Read(buf.data(), count, done).Ok());
    buf.resize(done);
    return buf;
  }

  PseudoTerminal Pty;
  SerialPort Port;
};

} // namespace

TEST_F(SerialPortOnPty, OpenIsExclusiveAndFailuresCarryErrno) {
  SerialPort second;
  EXPECT_EQ(second.Open(Pty.SlavePath).Errno, EBUSY);
  EXPECT_FALSE(second.IsOpen());
  Port.Close();
  EXPECT_TRUE(second.Open(Pty.SlavePath).Ok());

  EXPECT_EQ(Port.Open("/dev/no-such-port").Errno, ENOENT);
  TempDir dir;
  EXPECT_EQ(Port.Open(dir.Write("plain-file", "x").string()).Errno, ENOTTY);
  size_t done = 1;
  char byte = 0;
  EXPECT_EQ(Port.Write(&byte, 1, done).Errno, EBADF);
  EXPECT_EQ(done, 0u);
  EXPECT_EQ(Port.Read(&byte, 1, done).Errno, EBADF);
}

TEST_F(SerialPortOnPty, LineSettingsRoundTripIncludingOddBaudRates) {
  SerialLineSettings s;
  for (uint32_t baud : {19200u, 115200u, 14400u, 256000u}) {
    s.BaudRate = baud;
    // A pseudo-terminal keeps 8 data bits and no parity whatever it is asked.
    s.DataBits = 7;
    s.Parity = SerialParity::Even;
    s.StopBits = SerialStopBits::Two;
    s.XonXoffIn = true;
    s.XonChar = 0x12;
    // A pseudo-terminal has no modem lines: asking for them is not an error.
    s.Dtr = SerialDtr::Enable;
    s.Rts = SerialRts::Enable;
    ASSERT_TRUE(Port.SetLine(s).Ok()) << baud;
    SerialLineSettings back;
    ASSERT_TRUE(Port.GetLine(back).Ok());
    EXPECT_EQ(back.BaudRate, baud);
    EXPECT_EQ(back.StopBits, SerialStopBits::Two);
    EXPECT_TRUE(back.XonXoffIn);
    EXPECT_FALSE(back.XonXoffOut);
    EXPECT_EQ(back.XonChar, 0x12);
  }
  uint32_t lines = 99;
  EXPECT_TRUE(Port.ModemStatus(lines).Ok());
  EXPECT_EQ(lines, 0u);
}

TEST_F(SerialPortOnPty, WritesReadsQueueCountsAndPurges) {
  size_t done = 0;
  ASSERT_TRUE(Port.Write("\xAA\x01", 2, done).Ok());
  EXPECT_EQ(done, 2u);
  EXPECT_EQ(Pty.Receive(2), "\xAA\x01");

  Pty.Send("hello");
  std::this_thread::sleep_for(50ms);
  uint32_t waiting = 0, errors = 1;
  ASSERT_TRUE(Port.TakeErrors(errors, waiting).Ok());
  EXPECT_EQ(errors, 0u); // a pseudo-terminal keeps no error counters
  EXPECT_EQ(waiting, 5u);
  ASSERT_TRUE(Port.Purge(SerialPurge::Input | SerialPurge::Output).Ok());
  ASSERT_TRUE(Port.BytesWaiting(waiting).Ok());
  EXPECT_EQ(waiting, 0u);
}

TEST_F(SerialPortOnPty, ReadTimeoutsFollowTheClassicRules) {
  const uint32_t forever = SerialTimeouts::Forever;
  struct Case {
    const char* Name;
    SerialTimeouts Timeouts;
    std::string Sent;  // waiting before the read
    std::string Later; // sent 100 ms after the read began
    size_t Asked;
    std::string Expected;
    int MinMs, MaxMs;
  };
  const Case cases[] = {
      {"immediate, nothing waiting", {forever, 0, 0, 0, 0}, "", "late", 4, "", 0, 50},
      {"immediate, takes what waits", {forever, 0, 0, 0, 0}, "ab", "", 4, "ab", 0, 50},
      {"total limit ends a short reply", {0, 10, 200, 0, 0}, "ab", "", 4, "ab", 200, 600},
      {"total limit waits for late bytes", {0, 10, 1000, 0, 0}, "", "abcd", 4, "abcd", 80, 900},
      {"interval ends after the last byte", {150, 0, 0, 0, 0}, "", "abc", 8, "abc", 200, 900},
      {"first byte returns at once", {forever, forever, 1000, 0, 0}, "", "xy", 8, "xy", 80, 900},
      {"first byte mode gives up", {forever, forever, 150, 0, 0}, "", "", 8, "", 140, 600},
  };
  for (const Case& c : cases) {
    Port.Purge(SerialPurge::Input);
    Port.SetTimeouts(c.Timeouts);
    Pty.Send(c.Sent);
    std::this_thread::sleep_for(30ms);
    std::thread later([&] {
      std::this_thread::sleep_for(100ms);
      Pty.Send(c.Later);
    });
    const auto start = Clock::now();
    const std::string got = ReadAll(c.Asked);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    later.join();
    EXPECT_EQ(got, c.Expected) << c.Name;
    EXPECT_GE(ms, c.MinMs) << c.Name;
    EXPECT_LE(ms, c.MaxMs) << c.Name;
    std::this_thread::sleep_for(30ms);
  }
}

TEST_F(SerialPortOnPty, AWriteThatCannotSendGivesUpAfterItsTotalTime) {
  // Nobody reads the master: the pseudo-terminal's buffers fill and stay full.
  Port.SetTimeouts({0, 0, 0, 0, 1});
  const std::string block(1 << 16, 'x');
  size_t done = 0;
  // The kernel moves bytes between its buffers a little later: full means full
  // three times in a row.
  for (int full = 0; full < 3;) {
    ASSERT_TRUE(Port.Write(block.data(), block.size(), done).Ok());
    full = done == 0 ? full + 1 : 0;
    std::this_thread::sleep_for(20ms);
  }
  Port.SetTimeouts({0, 0, 0, 1, 100});
  const auto start = Clock::now();
  ASSERT_TRUE(Port.Write("y", 1, done).Ok());
  EXPECT_EQ(done, 0u);
  EXPECT_GE(Clock::now() - start, 95ms);
}

TEST_F(SerialPortOnPty, WaitEventReportsNewBytesOnceAndCanBeCancelled) {
  const uint32_t mask = SerialEvent::RxChar | SerialEvent::TxEmpty | SerialEvent::Cts;
  uint32_t events = 0;
  ASSERT_TRUE(Port.WaitEvent(mask, 30, events).Ok());
  EXPECT_EQ(events, 0u);

  std::thread device([&] {
    std::this_thread::sleep_for(50ms);
    Pty.Send("abc");
  });
  ASSERT_TRUE(Port.WaitEvent(mask, 2000, events).Ok());
  device.join();
  EXPECT_EQ(events, SerialEvent::RxChar);
  // The same unread bytes are not reported twice; more bytes are.
  ASSERT_TRUE(Port.WaitEvent(mask, 60, events).Ok());
  EXPECT_EQ(events, 0u);
  Pty.Send("d");
  ASSERT_TRUE(Port.WaitEvent(mask, 2000, events).Ok());
  EXPECT_EQ(events, SerialEvent::RxChar);
  EXPECT_EQ(ReadAll(4), "abcd");
  // Bytes that arrive while the reader takes the earlier ones are still reported.
  Pty.Send("ef");
  ASSERT_TRUE(Port.WaitEvent(mask, 2000, events).Ok());
  EXPECT_EQ(ReadAll(2), "ef");
  Pty.Send("gh");
  ASSERT_TRUE(Port.WaitEvent(mask, 2000, events).Ok());
  EXPECT_EQ(events, SerialEvent::RxChar);
  // Bytes discarded by a purge do not hide the ones that come after.
  Port.Purge(SerialPurge::Input);
  Pty.Send("i");
  ASSERT_TRUE(Port.WaitEvent(mask, 2000, events).Ok());
  EXPECT_EQ(events, SerialEvent::RxChar);
  EXPECT_EQ(ReadAll(1), "i");

  size_t done = 0;
  Port.Write("z", 1, done);
  ASSERT_TRUE(Port.WaitEvent(mask, 2000, events).Ok());
  EXPECT_EQ(events, SerialEvent::TxEmpty);

  std::thread stopper([&] {
    std::this_thread::sleep_for(50ms);
    Port.CancelWait();
  });
  const auto start = Clock::now();
  ASSERT_TRUE(Port.WaitEvent(mask, -1, events).Ok());
  stopper.join();
  EXPECT_EQ(events, 0u);
  EXPECT_LT(Clock::now() - start, 2s);
}

TEST_F(SerialPortOnPty, WaitsAndReadsFailWhenTheDeviceSideHangsUp) {
  Pty.CloseMaster();
  uint32_t events = 0;
  EXPECT_EQ(Port.WaitEvent(SerialEvent::RxChar, -1, events).Errno, EIO);
  Port.SetTimeouts({0, 0, 0, 0, 0});
  char byte;
  size_t done = 0;
  EXPECT_EQ(Port.Read(&byte, 1, done).Errno, EIO);
}
