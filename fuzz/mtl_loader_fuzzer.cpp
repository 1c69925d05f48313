// Feeds arbitrary bytes to the MTL reader as a material library.  The
// conversion errors of malformed numbers are expected outcomes; a crash, a
// sanitizer report, a hang or a broken result is a finding.
#include "objl/obj_loader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    objl::ObjLoader loader;
    try {
        // A completed read always appends at least the last material.
        if (!loader.loadMaterialsText(text) || loader.materials.empty())
            std::abort();
    } catch (const std::invalid_argument&) {
    } catch (const std::out_of_range&) {
    }
    return 0;
}
