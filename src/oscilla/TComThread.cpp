#include "TComThread.h"

#include "SerialPort.h"
#include "TComPort.h"
#include "TComPortSync.h"

#include <exception>

namespace {

// One hand-over to the owner's thread. Shared with the posted task, which may
// run after the thread has given up on it (the port was closed meanwhile).
struct Call {
  bool Done = false;
  bool Cancelled = false;
  std::exception_ptr Error;
};

} // namespace

TComThread::TComThread(TComPort& port, SerialPort& serial, TComEvents events, TSyncMethod method,
                       TComPortSync* sync)
    : Port(port), Serial(serial), Mask(EventsToMask(events)),
      Method(sync ? method : TSyncMethod::smNone), Sync(sync) {
  Thread = std::thread([this] { Execute(); });
}

TComThread::~TComThread() {
  Stop();
  if (Thread.joinable()) Thread.join();
}

void TComThread::Stop() {
  {
    std::lock_guard lock(State->Lock);
    State->Stopping = true;
  }
  State->Changed.notify_all();
  Serial.CancelWait();
}

void TComThread::Execute() {
  for (;;) {
    uint32_t got = 0;
    const SerialResult result = Serial.WaitEvent(Mask, -1, got);
    {
      std::lock_guard lock(State->Lock);
      if (State->Stopping) break;
    }
    if (!result.Ok()) {
      // The device has gone away: nothing more will happen until the port closes.
      WaitForStop();
      break;
    }
    if (got != 0 && !Deliver(MaskToEvents(got))) return;
  }
  Serial.Purge(SerialPurge::Input | SerialPurge::Output);
}

void TComThread::WaitForStop() {
  std::unique_lock lock(State->Lock);
  State->Changed.wait(lock, [&] { return State->Stopping; });
}

bool TComThread::Deliver(TComEvents events) {
  switch (Method) {
  case TSyncMethod::smThreadSync: return DeliverOnOwnerThread(events);
  case TSyncMethod::smWindowSync: PostEachEvent(events); return true;
  case TSyncMethod::smNone: break;
  }
  try {
    Port.DeliverEvents(events);
    return true;
  } catch (...) {
    return false;
  }
}

bool TComThread::DeliverOnOwnerThread(TComEvents events) {
  auto call = std::make_shared<Call>();
  auto state = State;
  TComPort* port = &Port;
  Sync->Post([call, state, port, events] {
    {
      std::lock_guard lock(state->Lock);
      if (call->Cancelled) return;
    }
    std::exception_ptr error;
    try {
      port->DeliverEvents(events);
    } catch (...) {
      error = std::current_exception();
    }
    {
      std::lock_guard lock(state->Lock);
      call->Done = true;
      call->Error = error;
    }
    state->Changed.notify_all();
  });
  std::unique_lock lock(State->Lock);
  State->Changed.wait(lock, [&] { return call->Done || State->Stopping; });
  // Closing the port (even from inside a handler) must not wait for a hand-over
  // that has not run yet: it is cancelled instead.
  if (!call->Done) call->Cancelled = true;
  return call->Done && !call->Error;
}

void TComThread::PostEachEvent(TComEvents events) {
  for (TComEvent event : TComPort::DeliveryOrder) {
    if (!events.Has(event)) continue;
    std::weak_ptr<int> openToken = Port.OpenToken();
    TComPort* port = &Port;
    TComPortSync* sync = Sync;
    Sync->Post([openToken, port, sync, event] {
      if (openToken.expired() || !port->Connected()) return;
      try {
        port->DeliverEvents(TComEvents{event});
      } catch (const std::exception& e) {
        sync->ShowError(e.what());
      }
    });
  }
}
