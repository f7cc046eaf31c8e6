#pragma once

#include <string>
#include <string_view>

namespace omf51 {

// Intel HEX of an absolute object: each content record cut into data records
// of at most 16 bytes from its own first address, in object order, then the
// end record; CR LF line ends. Returns false with a reason when the object is
// damaged or still relocatable.
bool AbsoluteObjectToHex(std::string_view object, std::string& hex, std::string& problem);

} // namespace omf51
