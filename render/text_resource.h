// Reading the embedded "TEXTFILE" resources.
#pragma once

#include <cstddef>
#include <cstdint>

// The caller's buffer for loadTextResource: 16 384 text bytes plus four
// terminating zero bytes.
constexpr size_t kTextResourceCapacity = 16384;
constexpr size_t kTextResourceBufferSize = kTextResourceCapacity + 4;

// Copies the text of resource `id` into `buffer` up to its end marker "~"
// (the marker is not copied) and terminates it with four zero bytes.  The
// copy stops at the marker, at the resource's end or after `capacity` bytes,
// whichever comes first, so `buffer` must hold capacity + 4 bytes.  A missing
// resource yields an empty text.
void loadTextResource(uint16_t id, char* buffer, size_t capacity);

// The bytes of resource `id`, read-only and valid for the life of the
// process: not copied, not terminated.  A missing resource yields a null
// pointer and a size of 0.
struct TextBytes {
    const char* data;
    size_t size;
};
TextBytes textResourceBytes(uint16_t id);
