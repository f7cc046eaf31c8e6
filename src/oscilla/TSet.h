#pragma once

#include <cstdint>
#include <initializer_list>

// A set of the members of a small enumeration, one bit per member.
template <typename E> class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> members) {
    for (E e : members)
      Bits |= Bit(e);
  }
  static constexpr TSet FromBits(uint32_t bits) {
    TSet s;
    s.Bits = bits;
    return s;
  }
  constexpr bool Has(E e) const { return (Bits & Bit(e)) != 0; }
  constexpr void Include(E e) { Bits |= Bit(e); }
  constexpr bool Empty() const { return Bits == 0; }
  constexpr uint32_t ToBits() const { return Bits; }
  constexpr bool operator==(const TSet&) const = default;

private:
  static constexpr uint32_t Bit(E e) { return uint32_t{1} << static_cast<int>(e); }
  uint32_t Bits = 0;
};
