#pragma once

#include <QEvent>
#include <cstdint>
#include <exception>

// A window message to the main window as a Qt event, with its two parameters.
// A handler's error travels back to the sender of a sent message in Error.
class TMessageEvent : public QEvent {
public:
  TMessageEvent(int message, intptr_t wParam, intptr_t lParam)
      : QEvent(static_cast<QEvent::Type>(message)), WParam(wParam), LParam(lParam) {}
  intptr_t WParam;
  intptr_t LParam;
  bool Sent = false;
  std::exception_ptr Error;
};

constexpr int WM_USER = 0x0400;
constexpr int WM_SAMPLEBYTE = WM_USER + 7;  // 1031
constexpr int WM_FRAMEFULL = WM_USER + 100; // 1124
