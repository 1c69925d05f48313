#include "render/text_resource.h"

#include "platform/platform.h"

#include <cstring>

void loadTextResource(uint16_t id, char* buffer, size_t capacity)
{
    const platform::ResourceBytes resource = platform::findTextResource(id);
    const size_t limit = resource.size < capacity ? resource.size : capacity;
    size_t length = 0;
    while (length < limit && resource.data[length] != '~') {
        buffer[length] = static_cast<char>(resource.data[length]);
        ++length;
    }
    std::memset(buffer + length, 0, 4);
}

TextBytes textResourceBytes(uint16_t id)
{
    const platform::ResourceBytes resource = platform::findTextResource(id);
    return {reinterpret_cast<const char*>(resource.data), resource.size};
}
