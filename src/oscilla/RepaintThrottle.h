#pragma once

#include <functional>

// Decides when the plot surface repaints. While suspended a request is only
// remembered; otherwise, with the frame rate on, a repaint happens only if more
// than 1 / UpdateFrameRate seconds have passed since the last one, and a skipped
// request waits for the next request or resume after that. Nothing repaints by timer.
class RepaintThrottle {
public:
  // Seconds on a local clock; tests pass their own.
  using TClock = std::function<double()>;
  explicit RepaintThrottle(TClock clock = {});

  void Request();
  void Suspend() { ++Suspended; }
  void Resume();
  bool Pending() const { return PendingValue; }

  bool AutoFrameRate = true;
  int UpdateFrameRate = 60;
  std::function<void()> Repaint;

private:
  void TryRepaint();
  TClock Clock;
  int Suspended = 0;
  bool PendingValue = false;
  bool Painted = false;
  double LastRepaint = 0;
};
