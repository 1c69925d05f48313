// The MTL reader: one material per "newmtl" block.
#include "objl/obj_loader.h"

#include "objl/line_reader.h"

namespace objl {

namespace {

// Sets `colour` from a "Ka", "Kd" or "Ks" line of exactly three numbers; a
// line of any other count leaves it unchanged.
void readColour(const std::string& line, Vector3& colour)
{
    const std::vector<std::string> pieces = split(tail(line), " ");
    if (pieces.size() != 3)
        return;
    const float r = toFloat(pieces[0]);
    const float g = toFloat(pieces[1]);
    const float b = toFloat(pieces[2]);
    colour = Vector3(r, g, b);
}

}  // namespace

bool ObjLoader::loadMaterialsText(const std::string& mtlText)
{
    Material work;
    bool started = false;

    // Lines keep their carriage returns: numbers skip them, names are trimmed,
    // and the map references keep them.
    LineReader lines(mtlText);
    std::string line;
    while (lines.next(line)) {

        const std::string token = firstToken(line);
        if (token == "newmtl") {
            // Statements before the first "newmtl" belong to the first material.
            if (started) {
                materials.push_back(work);
                work = Material();
            } else {
                started = true;
            }
            work.name = line.size() > 7 ? trimLineEnd(tail(line)) : "none";
        } else if (token == "Ka") {
            readColour(line, work.Ka);
        } else if (token == "Kd") {
            readColour(line, work.Kd);
        } else if (token == "Ks") {
            readColour(line, work.Ks);
        } else if (token == "Ns") {
            work.Ns = toFloat(tail(line));
        } else if (token == "Ni") {
            work.Ni = toFloat(tail(line));
        } else if (token == "d") {
            work.d = toFloat(tail(line));
        } else if (token == "illum") {
            work.illum = toInt(tail(line));
        } else if (token == "map_Ka") {
            work.map_Ka = tail(line);
        } else if (token == "map_Kd") {
            work.map_Kd = tail(line);
        } else if (token == "map_Ks") {
            work.map_Ks = tail(line);
        } else if (token == "map_Ns") {
            work.map_Ns = tail(line);
        } else if (token == "map_d") {
            work.map_d = tail(line);
        } else if (token == "map_Bump" || token == "map_bump" || token == "bump") {
            work.map_bump = tail(line);
        }
    }
    materials.push_back(work);
    return true;
}

}  // namespace objl
