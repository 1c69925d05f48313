#include "objl/obj_loader.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using objl::Vector3;

TEST(MtlParser, EmbeddedLibraryIsOneMaterial)
{
    objl::ObjLoader loader;
    ASSERT_TRUE(loader.loadMaterials(140));
    ASSERT_EQ(loader.materials.size(), 1u);
    const objl::Material& material = loader.materials[0];
    EXPECT_EQ(material.name, "wire_198225087");
    EXPECT_EQ(material.Ns, 32.0f);
    EXPECT_EQ(material.d, 1.0f);
    EXPECT_EQ(material.illum, 2);
    EXPECT_EQ(material.Ka, Vector3(0.7765f, 0.8824f, 0.3412f));
    EXPECT_EQ(material.Kd, Vector3(0.7765f, 0.8824f, 0.3412f));
    EXPECT_EQ(material.Ks, Vector3(0.35f, 0.35f, 0.35f));
    EXPECT_EQ(material.Ni, 0.0f);
    for (const std::string* map : {&material.map_Ka, &material.map_Kd, &material.map_Ks, &material.map_Ns,
                                   &material.map_d, &material.map_bump})
        EXPECT_TRUE(map->empty());

    ASSERT_TRUE(loader.loadMaterials(140));
    EXPECT_EQ(loader.materials.size(), 2u) << "a second call appends the library again";
    EXPECT_EQ(loader.materials[1].name, "wire_198225087");
}

TEST(MtlParser, EachNewmtlStartsFromTheDefaults)
{
    objl::ObjLoader loader;
    ASSERT_TRUE(loader.loadMaterialsText("Kd 1 2 3\nnewmtl first\nNs 5\nNi 1.5\nmap_Ka a.png\n"
                                         "newmtl second\r\nd 0.5\nillum 3\nNs 7\nNs 8\n"));
    ASSERT_EQ(loader.materials.size(), 2u);
    const objl::Material& first = loader.materials[0];
    EXPECT_EQ(first.name, "first");
    EXPECT_EQ(first.Kd, Vector3(1, 2, 3)) << "statements before the first newmtl belong to it";
    EXPECT_EQ(first.Ns, 5.0f);
    EXPECT_EQ(first.Ni, 1.5f);
    EXPECT_EQ(first.map_Ka, "a.png");

    const objl::Material& second = loader.materials[1];
    EXPECT_EQ(second.name, "second");
    EXPECT_EQ(second.Kd, Vector3(0, 0, 0));
    EXPECT_EQ(second.Ns, 8.0f) << "a later statement overwrites an earlier one";
    EXPECT_EQ(second.d, 0.5f);
    EXPECT_EQ(second.illum, 3);
    EXPECT_TRUE(second.map_Ka.empty());
}

TEST(MtlParser, MaterialNames)
{
    struct Case {
        std::string text;
        std::string name;
    };
    const Case cases[] = {
        {"newmtl a", "a"},
        {"newmtl ", "none"},
        {"newmtl", "none"},
        {"newmtl wire\r\n", "wire"},
        {"newmtl two words\r", "two words"},
        {"newmtl spaced \r", "spaced "},  // the CR shields the space from the trim
        {"newmtl \r", "\r"},  // a name of nothing but a line end stays as it is
        {"# no material statement\nNs 1\n", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        objl::ObjLoader loader;
        ASSERT_TRUE(loader.loadMaterialsText(c.text));
        ASSERT_EQ(loader.materials.size(), 1u) << c.text;
        EXPECT_EQ(loader.materials[0].name, c.name) << c.text;
    }
}

TEST(MtlParser, ColoursNeedExactlyThreeNumbers)
{
    objl::ObjLoader loader;
    ASSERT_TRUE(loader.loadMaterialsText("newmtl m\nKa 0.5 0.5 0.5\nKa 1 2\nKa 1  2 3\nKs 1 2 3 4\nKd 0.25 0.5 1\r\n"));
    const objl::Material& material = loader.materials[0];
    EXPECT_EQ(material.Ka, Vector3(0.5f, 0.5f, 0.5f));
    EXPECT_EQ(material.Ks, Vector3(0, 0, 0));
    EXPECT_EQ(material.Kd, Vector3(0.25f, 0.5f, 1));
}

TEST(MtlParser, MapReferencesKeepTheirLineEnd)
{
    struct Case {
        std::string statement;
        std::string objl::Material::*field;
    };
    const Case cases[] = {
        {"map_Ka", &objl::Material::map_Ka},   {"map_Kd", &objl::Material::map_Kd},
        {"map_Ks", &objl::Material::map_Ks},   {"map_Ns", &objl::Material::map_Ns},
        {"map_d", &objl::Material::map_d},     {"map_bump", &objl::Material::map_bump},
        {"map_Bump", &objl::Material::map_bump}, {"bump", &objl::Material::map_bump},
    };
    for (const Case& c : cases) {
        objl::ObjLoader loader;
        ASSERT_TRUE(loader.loadMaterialsText("newmtl m\r\n\t" + c.statement + " tex.png\r\n"));
        EXPECT_EQ(loader.materials[0].*c.field, "tex.png\r") << c.statement;
    }
}

TEST(MtlParser, OtherStatementsAreIgnored)
{
    objl::ObjLoader loader;
    ASSERT_TRUE(loader.loadMaterialsText("newmtl m\nTr 0\nTf 1 1 1\nKe 1 1 1\nKD 1 1 1\nmap_kd x\nns 3\n"));
    const objl::Material& material = loader.materials[0];
    EXPECT_EQ(material.Kd, Vector3(0, 0, 0));
    EXPECT_TRUE(material.map_Kd.empty());
    EXPECT_EQ(material.Ns, 0.0f);
}

TEST(MtlParser, MalformedNumberLeavesKeepingEarlierMaterials)
{
    struct Case {
        std::string line;
        std::string message;
    };
    const Case cases[] = {
        {"Ns x", "invalid stof argument"},
        {"d", "invalid stof argument"},
        {"Ni 1e999", "stof argument out of range"},
        {"Kd 1 x 1", "invalid stof argument"},
        {"illum 99999999999", "stoi argument out of range"},
        {"illum two", "invalid stoi argument"},
    };
    for (const Case& c : cases) {
        objl::ObjLoader loader;
        try {
            loader.loadMaterialsText("newmtl good\nKd 1 1 1\nnewmtl bad\n" + c.line + "\nnewmtl later\n");
            ADD_FAILURE() << "no error for " << c.line;
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.line;
        }
        ASSERT_EQ(loader.materials.size(), 1u) << c.line;
        EXPECT_EQ(loader.materials[0].name, "good") << c.line;
    }
}
