#include "ProgressGauge.h"

#include "UserInterface.h"

#include <algorithm>

void ProgressGauge::SetMaximum(int maximum) {
  Maximum = maximum;
  Position = std::min(Position, Maximum);
  UI.Progress(Maximum, Position);
}

void ProgressGauge::SetPosition(int position) {
  Position = position;
  UI.Progress(Maximum, Position);
}

void ProgressGauge::Set(int maximum, int position) {
  Maximum = maximum;
  Position = position;
  UI.Progress(Maximum, Position);
}
