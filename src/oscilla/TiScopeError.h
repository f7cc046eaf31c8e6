#pragma once

#include <stdexcept>

// An error of the scope control: data-block misuse, list bounds, store limits.
class TiScopeError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};
