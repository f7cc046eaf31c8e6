#include "SelectorItems.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string Tenths(int k, const char* format) {
  char text[32];
  std::snprintf(text, sizeof text, format, k / 10.0);
  return text;
}

// Tenths from -limit to +limit, labelled like "-12.5%".
SelectorItems Percentages(int limitTenths, int repeatMs) {
  SelectorItems items(repeatMs, 10);
  for (int k = -limitTenths; k <= limitTenths; ++k)
    items.Add(Tenths(k, "%.1f%%"), k / 10.0);
  return items;
}

} // namespace

void SelectorItems::Add(std::string label, double value) {
  Items.push_back({std::move(label), value});
  if (Index < 0) Index = 0;
}

void SelectorItems::Clear() {
  Items.clear();
  Index = -1;
}

void SelectorItems::SetItemIndex(int index) {
  if (index >= 0 && index < Count()) Index = index;
}

double SelectorItems::Value() const {
  return Index < 0 ? -1 : Item(Index).Value;
}

int SelectorItems::IndexOf(double value) const {
  for (int i = 0; i < Count(); ++i)
    if (Item(i).Value == value) return i;
  return -1;
}

int SelectorItems::IndexOfLabel(const std::string& label) const {
  for (int i = 0; i < Count(); ++i)
    if (Item(i).Label == label) return i;
  return -1;
}

bool SelectorItems::SetValue(double value) {
  const int i = IndexOf(value);
  if (i < 0) return false;
  Index = i;
  return true;
}

std::string SelectorItems::Label() const {
  return Index < 0 ? "" : Item(Index).Label;
}

int SelectorItems::StepTarget(int direction) const {
  if (Items.empty()) return -1;
  return std::clamp(Index + (direction > 0 ? 1 : -1), 0, Count() - 1);
}

int SelectorItems::HeldTarget(int direction, int heldMs) const {
  if (heldMs <= 2000 || FastStep <= 0 || Items.empty()) return StepTarget(direction);
  const int target = direction > 0
                         ? (Index / FastStep + 1) * FastStep
                         : (Index % FastStep == 0 ? Index - FastStep : Index - Index % FastStep);
  return std::clamp(target, 0, Count() - 1);
}

SelectorItems SelectorItems::SecPerDiv() {
  SelectorItems items(200);
  const std::pair<const char*, double> table[] = {
      {"10 ns", 1e-8},  {"20 ns", 2e-8}, {"50 ns", 5e-8},  {"0.1 us", 1e-7}, {"0.2 us", 2e-7},
      {"0.5 us", 5e-7}, {"1 us", 1e-6},  {"2 us", 2e-6},   {"5 us", 5e-6},   {"10 us", 1e-5},
      {"20 us", 2e-5},  {"50 us", 5e-5}, {"0.1 ms", 1e-4}, {"0.2 ms", 2e-4}, {"0.5 ms", 5e-4},
      {"1 ms", 0.001},  {"2 ms", 0.002}, {"5 ms", 0.005},  {"10 ms", 0.01},  {"20 ms", 0.02},
      {"50 ms", 0.05},  {"0.1 s", 0.1}};
  for (auto [label, value] : table)
    items.Add(label, value);
  return items;
}

SelectorItems SelectorItems::TimePosition() {
  return Percentages(500, 50);
}

SelectorItems SelectorItems::Capture() {
  SelectorItems items(50);
  for (int n = 0; n <= 5; ++n)
    items.Add(std::to_string(n) + " DIV", n);
  return items;
}

SelectorItems SelectorItems::Level() {
  SelectorItems items(100, 5);
  for (int n = 10; n <= 90; ++n)
    items.Add(std::to_string(n) + "%", n);
  return items;
}

SelectorItems SelectorItems::VoltsPerDiv() {
  SelectorItems items(200);
  const std::pair<const char*, double> table[] = {
      {"1 µV", 1e-6},  {"2 µV", 2e-6},   {"5 µV", 5e-6},  {"10 µV", 1e-5}, {"20 µV", 2e-5},
      {"50 µV", 5e-5}, {"100 µV", 1e-4}, {"1 mV", 0.001}, {"2 mV", 0.002}, {"5 mV", 0.005},
      {"10 mV", 0.01}, {"20 mV", 0.02},  {"50 mV", 0.05}, {"100 mV", 0.1}, {"200 mV", 0.2},
      {"500 mV", 0.5}, {"1 V", 1.0},     {"2 V", 2.0},    {"5 V", 5.0},    {"10 V", 10.0},
      {"20 V", 20.0},  {"50 V", 50.0}};
  for (auto [label, value] : table)
    items.Add(label, value);
  return items;
}

SelectorItems SelectorItems::ChannelPosition() {
  return Percentages(1000, 50);
}

SelectorItems SelectorItems::Coupling() {
  SelectorItems items(5);
  items.Add("DC", 0);
  items.Add("AC", 1);
  items.Add("GND", 2);
  return items;
}
