#pragma once

#include "TSet.h"

#include <cstdint>

enum class TBaudRate {
  brCustom,
  br110,
  br300,
  br600,
  br1200,
  br2400,
  br4800,
  br9600,
  br14400,
  br19200,
  br38400,
  br56000,
  br57600,
  br115200,
  br128000,
  br256000
};
enum class TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum class TDataBits { dbFive, dbSix, dbSeven, dbEight };
enum class TParityBits { prNone, prOdd, prEven, prMark, prSpace };
enum class TDTRFlowControl { dtrDisable, dtrEnable, dtrHandshake };
enum class TRTSFlowControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };
enum class TFlowControl { fcHardware, fcSoftware, fcNone, fcCustom };
enum class TSyncMethod { smThreadSync, smWindowSync, smNone };

enum class TComEvent {
  evRxChar,
  evTxEmpty,
  evRxFlag,
  evRing,
  evBreak,
  evCTS,
  evDSR,
  evError,
  evRLSD,
  evRx80Full
};
using TComEvents = TSet<TComEvent>;

enum class TComError { ceFrame, ceRxParity, ceOverrun, ceBreak, ceIO, ceMode, ceRxOver, ceTxFull };
using TComErrors = TSet<TComError>;

// The line speed a TBaudRate stands for; brCustom has none of its own.
uint32_t BaudRateValue(TBaudRate rate, uint32_t custom);

// Events to and from the port's event mask, member by member.
uint32_t EventsToMask(TComEvents events);
TComEvents MaskToEvents(uint32_t mask);

inline const TComEvents AllComEvents = {
    TComEvent::evRxChar, TComEvent::evTxEmpty, TComEvent::evRxFlag, TComEvent::evRing,
    TComEvent::evBreak,  TComEvent::evCTS,     TComEvent::evDSR,    TComEvent::evError,
    TComEvent::evRLSD,   TComEvent::evRx80Full};
