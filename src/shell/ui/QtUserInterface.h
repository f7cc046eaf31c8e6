#pragma once

#include "UserInterface.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QLabel;
class QProgressBar;
class QWidget;

// The core's user interface in the main window: message boxes over the frame, the tool-bar
// gauge, the run-state panel of the status bar and the event pump of long waits. The frame
// fills in its parts when it has built them; until then messages have no parent and the
// gauge and panel are left alone.
class QtUserInterface : public UserInterface {
public:
  static constexpr const char* RunningText = "正在运行...";
  static constexpr const char* WaitingText = "等待状态";

  void Message(std::string_view text) override;
  bool AskYesNo(std::string_view text) override;
  std::optional<uint16_t> AskAddress(uint16_t preset, bool withLabels) override;
  void Progress(int maximum, int position) override;
  void RunningChanged(bool running) override;
  void PumpEvents() override;
  void AutoSteppingChanged(bool autoStepping) override;

  enum class Answer { Yes, No, Cancel };
  Answer AskYesNoCancel(const QString& text);
  // An input box; empty when cancelled.
  std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                  const QString& text);

  QPointer<QWidget> Parent;
  QPointer<QLabel> RunState;
  QPointer<QProgressBar> Gauge;
  // The address-input dialog; without one the question is cancelled.
  std::function<std::optional<uint16_t>(uint16_t preset, bool withLabels)> AddressDialog;
  // Running or AutoStepping changed: the Stop action is re-evaluated at once.
  std::function<void()> FlagsChanged;
};
