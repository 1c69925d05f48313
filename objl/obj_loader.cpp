// The OBJ reader: positions, texture coordinates, normals and faces, grouped
// into meshes at "o", "g" and "usemtl" lines.
#include "objl/obj_loader.h"

#include "objl/line_reader.h"

#include <iostream>
#include <ostream>

namespace objl {

// ---------------------------------------------------------------------------
// Reading helpers
// ---------------------------------------------------------------------------

namespace {

// Removes every carriage return together with the character that follows it,
// so a line that ends in CR loses just the CR.
std::string withoutCarriageReturns(const std::string& line)
{
    std::string kept;
    kept.reserve(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\r')
            ++i;
        else
            kept += line[i];
    }
    return kept;
}

// The parse state of one loadModelText call.
struct ObjParse {
    std::vector<Vector3> positions;
    std::vector<Vector2> texCoords;
    std::vector<Vector3> normals;
    std::vector<Vertex> pendingVertices;
    std::vector<unsigned int> pendingIndices;
    std::vector<std::string> materialNames;
    bool groupSeen = false;
    std::string currentName;
    unsigned int progressCounter = 1000;

    bool hasPendingMesh() const { return !pendingIndices.empty() && !pendingVertices.empty(); }
};

// One progress record: the current name and the counts so far, with no line
// end, so that the next record overwrites it on a console.
void writeProgressRecord(std::ostream& out, const ObjParse& parse)
{
    out << "\r- " << parse.currentName << "\t| vertices > " << parse.positions.size()
        << "\t| texcoords > " << parse.texCoords.size() << "\t| normals > " << parse.normals.size()
        << "\t| triangles > " << parse.pendingVertices.size() / 3;
    if (!parse.materialNames.empty())
        out << "\t| material: " << parse.materialNames.back();
}

// Moves the pending vertices and indices into a new mesh of the given name.
void closeMesh(std::vector<Mesh>& meshes, ObjParse& parse, const std::string& name)
{
    Mesh mesh(parse.pendingVertices, parse.pendingIndices);
    mesh.name = name;
    meshes.push_back(mesh);
    parse.pendingVertices.clear();
    parse.pendingIndices.clear();
}

// The first `wanted` numbers of a "v", "vt" or "vn" line, converted in
// order; numbers past the first `required` may be missing and read 0.  False
// when the line has fewer than `required` numbers.
bool readNumbers(const std::string& line, size_t required, size_t wanted, float* numbers)
{
    const std::vector<std::string> pieces = split(tail(line), " ");
    if (pieces.size() < required)
        return false;
    for (size_t i = 0; i < wanted; ++i)
        numbers[i] = i < pieces.size() ? toFloat(pieces[i]) : 0.0f;
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------

ObjLoader::ObjLoader() : progress(&std::cout) {}

bool ObjLoader::loadModelText(const std::string& objText, const std::string& mtlText)
{
    meshes.clear();
    allVertices.clear();
    allIndices.clear();

    ObjParse parse;
    LineReader lines(objText);
    std::string rawLine;
    while (lines.next(rawLine)) {
        const std::string line = withoutCarriageReturns(rawLine);

        parse.progressCounter = (parse.progressCounter + 1) % 1000;
        if (parse.progressCounter == 1 && !parse.currentName.empty())
            writeProgressRecord(*progress, parse);

        const std::string token = firstToken(line);
        const bool namedGroup = token == "o" || token == "g";
        if (namedGroup || (!line.empty() && line[0] == 'g')) {
            // Faces before the first group line belong to the first mesh that
            // closes; a later group line closes the faces collected so far.
            if (!parse.groupSeen) {
                parse.groupSeen = true;
                parse.currentName = namedGroup ? tail(line) : "unnamed";
            } else if (parse.hasPendingMesh()) {
                closeMesh(meshes, parse, parse.currentName);
                parse.currentName = tail(line);
            } else {
                parse.currentName = namedGroup ? tail(line) : "unnamed";
            }
            *progress << std::endl;
            parse.progressCounter = 0;
        }

        // A "v" or "vn" line short of three numbers, or a "vt" line without
        // any, rejects the whole model: skipping it would shift every later
        // index onto the wrong element.  A "vt" line of one number is a
        // one-dimensional coordinate, whose v is 0 as in the OBJ format.
        if (token == "v" || token == "vt" || token == "vn") {
            float numbers[3];
            const bool texture = token == "vt";
            if (!readNumbers(line, texture ? 1 : 3, texture ? 2 : 3, numbers)) {
                meshes.clear();
                allVertices.clear();
                allIndices.clear();
                return false;
            }
            if (token == "v")
                parse.positions.emplace_back(numbers[0], numbers[1], numbers[2]);
            else if (token == "vn")
                parse.normals.emplace_back(numbers[0], numbers[1], numbers[2]);
            else
                parse.texCoords.emplace_back(numbers[0], numbers[1]);
        }

        if (token == "f") {
            const std::vector<Vertex> face = buildFaceVertices(line, parse.positions, parse.texCoords, parse.normals);
            parse.pendingVertices.insert(parse.pendingVertices.end(), face.begin(), face.end());
            allVertices.insert(allVertices.end(), face.begin(), face.end());
            const size_t pendingBase = parse.pendingVertices.size() - face.size();
            const size_t allBase = allVertices.size() - face.size();
            for (unsigned int k : triangulate(face)) {
                parse.pendingIndices.push_back(static_cast<unsigned int>(pendingBase + k));
                allIndices.push_back(static_cast<unsigned int>(allBase + k));
            }
        }

        if (token == "usemtl") {
            parse.materialNames.push_back(tail(line));
            if (parse.hasPendingMesh())
                closeMesh(meshes, parse, parse.currentName + "_2");
            parse.progressCounter = 0;
        }

        if (token == "mtllib")
            loadMaterialsText(mtlText);
    }

    *progress << std::endl;
    if (parse.hasPendingMesh())
        closeMesh(meshes, parse, parse.currentName);

    // The i-th "usemtl" name goes to the i-th mesh closed; names past the
    // last mesh have no mesh to go to and are dropped.
    for (size_t i = 0; i < parse.materialNames.size() && i < meshes.size(); ++i) {
        for (const Material& material : materials) {
            if (material.name == parse.materialNames[i]) {
                meshes[i].material = material;
                break;
            }
        }
    }

    return !meshes.empty() || !allVertices.empty() || !allIndices.empty();
}

// ---------------------------------------------------------------------------
// Faces
// ---------------------------------------------------------------------------

std::vector<Vertex> ObjLoader::buildFaceVertices(const std::string& faceLine, const std::vector<Vector3>& positions,
                                                 const std::vector<Vector2>& texCoords,
                                                 const std::vector<Vector3>& normals)
{
    std::vector<Vertex> face;
    // One work vertex serves all corners: a field that a corner does not set
    // keeps the value of the corner before it.
    Vertex work;
    bool needsNormal = false;
    // A face with a corner that addresses nothing, or one of more than three
    // pieces, is skipped as a whole; its remaining indices are still read, so
    // that a malformed number anywhere in it is reported as everywhere else.
    bool wellFormed = true;

    const auto take = [&wellFormed](const auto& list, const std::string& indexText, auto& field) {
        const auto element = elementAt(list, indexText);
        if (element)
            field = *element;
        else
            wellFormed = false;
    };

    for (const std::string& corner : split(tail(faceLine), " ")) {
        const std::vector<std::string> parts = split(corner, "/");
        if (parts.empty())
            continue;  // two spaces between corners: nothing to read
        if (parts.size() > 3) {
            wellFormed = false;
            continue;
        }
        take(positions, parts[0], work.position);
        if (parts.size() == 1) {
            work.texCoord = Vector2();
            needsNormal = true;
        } else if (parts.size() == 2) {
            take(texCoords, parts[1], work.texCoord);
            needsNormal = true;
        } else {
            if (parts[1].empty())
                work.texCoord = Vector2();
            else
                take(texCoords, parts[1], work.texCoord);
            take(normals, parts[2], work.normal);
        }
        face.push_back(work);
    }
    if (!wellFormed)
        return {};

    if (needsNormal) {
        // The face's own normal, from its first three corners and not
        // normalised; a face of fewer corners has none and gets zero.
        Vector3 normal;
        if (face.size() >= 3)
            normal = crossProduct(face[0].position - face[1].position, face[2].position - face[1].position);
        for (Vertex& vertex : face)
            vertex.normal = normal;
    }
    return face;
}

}  // namespace objl
