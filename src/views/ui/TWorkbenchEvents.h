#pragma once

#include <QEvent>

// The workbench's own window messages, posted between its windows.
namespace WorkbenchEvents {

// To the main window: rebuild the register window (it posts this after closing itself).
inline constexpr QEvent::Type RecreateRegistWindow = static_cast<QEvent::Type>(QEvent::User + 1);
// To a source editor: move to a line (GoToLineRequest).
inline constexpr QEvent::Type GoToLine = static_cast<QEvent::Type>(QEvent::User + 2);

} // namespace WorkbenchEvents

// The go-to-line request with its 1-based line.
class TGoToLineRequest : public QEvent {
public:
  explicit TGoToLineRequest(int line) : QEvent(WorkbenchEvents::GoToLine), Line(line) {}
  const int Line;
};
