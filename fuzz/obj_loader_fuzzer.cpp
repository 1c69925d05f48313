// Feeds arbitrary bytes to the OBJ reader as a model text, with a small
// material library for its "mtllib" and "usemtl" lines.  The conversion
// errors of malformed numbers are expected outcomes; a crash, a sanitizer
// report, a hang or a broken result is a finding.
#include "objl/obj_loader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <stdexcept>
#include <string>

namespace {

const char* const kMaterials =
    "newmtl wire_198225087\r\n\tNs 32\r\n\td 1\r\n\tKd 0.7765 0.8824 0.3412\r\n"
    "newmtl red\nKd 1 0 0\nmap_Kd red.png\n";

void require(bool holds)
{
    if (!holds)
        std::abort();
}

// Every index addresses a vertex of its own list, and the result says
// whether anything was loaded.
void checkResult(const objl::ObjLoader& loader, bool result)
{
    for (unsigned int index : loader.allIndices)
        require(index < loader.allVertices.size());
    for (const objl::Mesh& mesh : loader.meshes) {
        require(!mesh.vertices.empty() && !mesh.indices.empty());
        for (unsigned int index : mesh.indices)
            require(index < mesh.vertices.size());
    }
    require(result == !(loader.meshes.empty() && loader.allVertices.empty() && loader.allIndices.empty()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::ostream discard(nullptr);
    objl::ObjLoader loader;
    loader.progress = &discard;
    try {
        const bool result = loader.loadModelText(text, kMaterials);
        checkResult(loader, result);
    } catch (const std::invalid_argument&) {
    } catch (const std::out_of_range&) {
    }
    return 0;
}
