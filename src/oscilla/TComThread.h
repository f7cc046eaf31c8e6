#pragma once

#include "ComTypes.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class SerialPort;
class TComPort;
class TComPortSync;

// The event thread of one open port: waits for the port's events and hands each
// set to the port's handlers as its sync method says. With thread
// synchronisation the thread waits until the owner's thread has run the
// handlers; an error in a handler ends the thread without a word.
class TComThread {
public:
  TComThread(TComPort& port, SerialPort& serial, TComEvents events, TSyncMethod method,
             TComPortSync* sync);
  // Stops the thread and waits until it has ended.
  ~TComThread();
  TComThread(const TComThread&) = delete;
  TComThread& operator=(const TComThread&) = delete;

  void Stop();

private:
  struct Shared {
    std::mutex Lock;
    std::condition_variable Changed;
    bool Stopping = false;
  };
  void Execute();
  // False when a handler failed and the thread must end.
  bool Deliver(TComEvents events);
  bool DeliverOnOwnerThread(TComEvents events);
  void PostEachEvent(TComEvents events);
  void WaitForStop();

  TComPort& Port;
  SerialPort& Serial;
  const uint32_t Mask;
  const TSyncMethod Method;
  TComPortSync* const Sync;
  std::shared_ptr<Shared> State = std::make_shared<Shared>();
  std::thread Thread;
};
