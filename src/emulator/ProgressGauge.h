#pragma once

class UserInterface;

// The main window's progress gauge as the link drives it: the maximum and the
// position are set separately, and the gauge keeps whichever it was not told.
class ProgressGauge {
public:
  explicit ProgressGauge(UserInterface& ui) : UI(ui) {}

  void SetMaximum(int maximum);
  void Set(int maximum, int position);
  void SetPosition(int position);
  void ToMaximum() { SetPosition(Maximum); }
  void Advance() { SetPosition(Position + 1); }

private:
  UserInterface& UI;
  int Maximum = 100; // a gauge's initial range
  int Position = 0;
};
