#include "objl/resource_text.h"

#include "render/text_resource.h"

#include <new>

namespace objl {

bool copyTextResource(uint16_t id, std::string& text)
{
    const TextBytes bytes = textResourceBytes(id);
    try {
        text = bytes.size == 0 ? std::string() : std::string(bytes.data, bytes.size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace objl
