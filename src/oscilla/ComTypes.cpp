#include "ComTypes.h"

#include "SerialSettings.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<TComEvent, uint32_t>, 10> EventBits = {{
    {TComEvent::evRxChar, SerialEvent::RxChar},
    {TComEvent::evTxEmpty, SerialEvent::TxEmpty},
    {TComEvent::evRxFlag, SerialEvent::RxFlag},
    {TComEvent::evRing, SerialEvent::Ring},
    {TComEvent::evBreak, SerialEvent::Break},
    {TComEvent::evCTS, SerialEvent::Cts},
    {TComEvent::evDSR, SerialEvent::Dsr},
    {TComEvent::evError, SerialEvent::Error},
    {TComEvent::evRLSD, SerialEvent::Rlsd},
    {TComEvent::evRx80Full, SerialEvent::Rx80Full},
}};

constexpr uint32_t Speeds[] = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                               14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};

} // namespace

uint32_t BaudRateValue(TBaudRate rate, uint32_t custom) {
  return rate == TBaudRate::brCustom ? custom : Speeds[static_cast<int>(rate)];
}

uint32_t EventsToMask(TComEvents events) {
  uint32_t mask = 0;
  for (auto [event, bit] : EventBits)
    if (events.Has(event)) mask |= bit;
  return mask;
}

TComEvents MaskToEvents(uint32_t mask) {
  TComEvents events;
  for (auto [event, bit] : EventBits)
    if (mask & bit) events.Include(event);
  return events;
}
