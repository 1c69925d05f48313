// Loading the model and its materials from embedded text resources.  Kept
// apart from the text readers so that those build without the resource
// table (the fuzz targets link only the readers).
#include "objl/obj_loader.h"

#include "render/text_resource.h"

#include <new>

namespace objl {

namespace {

// Copies exactly the bytes of text resource `id` into `text` (empty for a
// missing resource).  Returns false when there is no memory for the copy.
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

}  // namespace

bool ObjLoader::loadModel(uint16_t objResourceId, uint16_t mtlResourceId)
{
    std::string objText;
    std::string mtlText;
    if (!copyTextResource(objResourceId, objText) || !copyTextResource(mtlResourceId, mtlText))
        return false;
    return loadModelText(objText, mtlText);
}

bool ObjLoader::loadMaterials(uint16_t mtlResourceId)
{
    std::string text;
    if (!copyTextResource(mtlResourceId, text))
        return false;
    return loadMaterialsText(text);
}

}  // namespace objl
