#pragma once

#include "TComPortSync.h"

// Hands a port's event deliveries to the Qt event loop of the GUI thread; errors
// for the application go to a message box.
class TComPortQtSync : public TComPortSync {
public:
  void Post(std::function<void()> task) override;
  void ShowError(const std::string& text) override;
};
