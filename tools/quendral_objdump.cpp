// quendral-objdump MODEL.obj MATERIALS.mtl
//
// Runs the program's OBJ loader on a model file, with the given material
// library standing in for the material resource (whatever "mtllib" names),
// and prints what it produced as one JSON object on standard output:
// "result" (what the load returned) or "error" (the message of a number
// conversion error that left it), then "meshes", "allVertices",
// "allIndices" and "materials".  A vertex is a list of eight numbers:
// position x y z, normal x y z, texture coordinate u v.  Floats are printed
// so that they read back to the same 32-bit value; non-finite ones as the
// strings "nan", "inf" and "-inf".  The loader's progress records go to
// standard error.
#include "objl/obj_loader.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <iostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// JSON writing
// ---------------------------------------------------------------------------

// Length of the valid UTF-8 sequence starting at text[i], or 0 when the
// bytes there form none.
size_t utf8SequenceLength(const std::string& text, size_t i)
{
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    unsigned int codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0u) != 0x80u)
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    const bool overlong = (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (overlong || surrogate || codePoint > 0x10FFFF)
        return 0;
    return length;
}

// A JSON string of the bytes.  Control characters are escaped; valid UTF-8
// passes through, and a byte that is not part of any stands for the code
// point of the same value (\u00XX), so the output is always valid JSON.
void writeString(std::string& out, const std::string& text)
{
    out += '"';
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '"': out += "\\\""; continue;
        case '\\': out += "\\\\"; continue;
        case '\b': out += "\\b"; continue;
        case '\f': out += "\\f"; continue;
        case '\n': out += "\\n"; continue;
        case '\r': out += "\\r"; continue;
        case '\t': out += "\\t"; continue;
        default: break;
        }
        if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (const size_t length = utf8SequenceLength(text, i)) {
            out.append(text, i, length);
            i += length - 1;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        }
    }
    out += '"';
}

// A float that reads back to the same 32-bit value; -0 keeps its sign.
void writeFloat(std::string& out, float value)
{
    if (std::isnan(value)) {
        out += "\"nan\"";
    } else if (std::isinf(value)) {
        out += value > 0 ? "\"inf\"" : "\"-inf\"";
    } else {
        char number[32];
        std::snprintf(number, sizeof number, "%.9g", static_cast<double>(value));
        out += number;
    }
}

// A JSON list of floats.
void writeFloats(std::string& out, std::initializer_list<float> values)
{
    out += '[';
    for (const float* value = values.begin(); value != values.end(); ++value) {
        if (value != values.begin())
            out += ',';
        writeFloat(out, *value);
    }
    out += ']';
}

void writeVertices(std::string& out, const std::vector<objl::Vertex>& vertices)
{
    out += '[';
    for (size_t i = 0; i < vertices.size(); ++i) {
        const objl::Vertex& v = vertices[i];
        out += i == 0 ? "\n  " : ",\n  ";
        writeFloats(out, {v.position.x, v.position.y, v.position.z, v.normal.x, v.normal.y, v.normal.z,
                          v.texCoord.x, v.texCoord.y});
    }
    out += ']';
}

void writeIndices(std::string& out, const std::vector<unsigned int>& indices)
{
    out += '[';
    for (size_t i = 0; i < indices.size(); ++i) {
        if (i != 0)
            out += ',';
        out += std::to_string(indices[i]);
    }
    out += ']';
}

void writeMaterial(std::string& out, const objl::Material& material)
{
    const auto key = [&out](const char* name) {
        out += ",\"";
        out += name;
        out += "\":";
    };
    out += "{\"name\":";
    writeString(out, material.name);
    for (const auto& colour : {std::make_pair("Ka", &material.Ka), std::make_pair("Kd", &material.Kd),
                               std::make_pair("Ks", &material.Ks)}) {
        key(colour.first);
        writeFloats(out, {colour.second->x, colour.second->y, colour.second->z});
    }
    for (const auto& number : {std::make_pair("Ns", material.Ns), std::make_pair("Ni", material.Ni),
                               std::make_pair("d", material.d)}) {
        key(number.first);
        writeFloat(out, number.second);
    }
    key("illum");
    out += std::to_string(material.illum);
    for (const auto& map : {std::make_pair("map_Ka", &material.map_Ka), std::make_pair("map_Kd", &material.map_Kd),
                            std::make_pair("map_Ks", &material.map_Ks), std::make_pair("map_Ns", &material.map_Ns),
                            std::make_pair("map_d", &material.map_d), std::make_pair("map_bump", &material.map_bump)}) {
        key(map.first);
        writeString(out, *map.second);
    }
    out += '}';
}

// The whole dump: the outcome, then the loader's four lists.
std::string dump(const objl::ObjLoader& loader, bool result, bool failed, const std::string& error)
{
    std::string out = "{";
    if (failed) {
        out += "\"error\":";
        writeString(out, error);
    } else {
        out += result ? "\"result\":true" : "\"result\":false";
    }

    out += ",\n\"meshes\":[";
    for (size_t i = 0; i < loader.meshes.size(); ++i) {
        const objl::Mesh& mesh = loader.meshes[i];
        out += i == 0 ? "\n {\"name\":" : ",\n {\"name\":";
        writeString(out, mesh.name);
        out += ",\n  \"vertices\":";
        writeVertices(out, mesh.vertices);
        out += ",\n  \"indices\":";
        writeIndices(out, mesh.indices);
        out += ",\n  \"material\":";
        writeMaterial(out, mesh.material);
        out += '}';
    }
    out += "],\n\"allVertices\":";
    writeVertices(out, loader.allVertices);
    out += ",\n\"allIndices\":";
    writeIndices(out, loader.allIndices);
    out += ",\n\"materials\":[";
    for (size_t i = 0; i < loader.materials.size(); ++i) {
        out += i == 0 ? "\n " : ",\n ";
        writeMaterial(out, loader.materials[i]);
    }
    out += "]}\n";
    return out;
}

// ---------------------------------------------------------------------------
// Command line
// ---------------------------------------------------------------------------

// Reads a whole file as bytes; false, with a message on standard error,
// when it cannot be opened or read (a folder, for one).
bool readFile(const char* path, std::string& bytes)
{
    std::FILE* file = std::fopen(path, "rb");
    bool readAll = false;
    if (file) {
        char buffer[65536];
        size_t count;
        while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.append(buffer, count);
        readAll = !std::ferror(file);
        std::fclose(file);
    }
    if (!readAll)
        std::fprintf(stderr, "quendral-objdump: cannot read %s: %s\n", path, std::strerror(errno));
    return readAll;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: quendral-objdump MODEL.obj MATERIALS.mtl\n"
                             "Prints what the program's OBJ loader makes of the model as JSON.\n");
        return 2;
    }
    std::string objText;
    std::string mtlText;
    if (!readFile(argv[1], objText) || !readFile(argv[2], mtlText))
        return 1;

    objl::ObjLoader loader;
    loader.progress = &std::cerr;
    bool result = false;
    bool failed = false;
    std::string error;
    try {
        result = loader.loadModelText(objText, mtlText);
    } catch (const std::invalid_argument& e) {
        failed = true;
        error = e.what();
    } catch (const std::out_of_range& e) {
        failed = true;
        error = e.what();
    }

    const std::string out = dump(loader, result, failed, error);
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "quendral-objdump: cannot write the output\n");
        return 1;
    }
    return 0;
}
