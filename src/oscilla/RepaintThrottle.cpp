#include "RepaintThrottle.h"

#include <chrono>

RepaintThrottle::RepaintThrottle(TClock clock) : Clock(std::move(clock)) {
  if (!Clock)
    Clock = [] {
      return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
          .count();
    };
}

void RepaintThrottle::Request() {
  PendingValue = true;
  if (Suspended == 0) TryRepaint();
}

void RepaintThrottle::Resume() {
  if (Suspended > 0) --Suspended;
  if (Suspended == 0 && PendingValue) TryRepaint();
}

void RepaintThrottle::TryRepaint() {
  const double now = Clock();
  const bool throttled = AutoFrameRate && UpdateFrameRate > 0;
  if (throttled && Painted && now - LastRepaint <= 1.0 / UpdateFrameRate) return;
  PendingValue = false;
  Painted = true;
  LastRepaint = now;
  if (Repaint) Repaint();
}
