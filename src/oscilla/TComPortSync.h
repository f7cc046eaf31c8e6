#pragma once

#include <functional>
#include <string>

// How a port's event thread reaches its owner's (the GUI's) thread. The Qt
// program posts to its event loop; tests run the tasks themselves.
class TComPortSync {
public:
  virtual ~TComPortSync() = default;
  // Runs task later on the owner's thread.
  virtual void Post(std::function<void()> task) = 0;
  // The application's error handler (a message box in the program).
  virtual void ShowError(const std::string& text) = 0;
};
