// The table of text resources that the Linux build compiles into each
// executable (generated from resources/ by cmake/GenerateResourceTable.cmake).
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

struct EmbeddedResource {
    uint16_t id;
    const unsigned char* data;
    size_t size;
};

// Ends with an entry whose data is null.
extern const EmbeddedResource kEmbeddedTextResources[];

}  // namespace platform
