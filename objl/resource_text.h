// The bytes of an embedded text resource as a string.
#pragma once

#include <cstdint>
#include <string>

namespace objl {

// Copies exactly the bytes of text resource `id` into `text` (empty for a
// missing resource).  Returns false, leaving `text` alone, when there is no
// memory for the copy.
bool copyTextResource(uint16_t id, std::string& text);

}  // namespace objl
