// The list of entry points that GlLoader resolves: its sections, their sizes
// and their ends, as the core-profile header of the OpenGL 4.5 generation
// orders them.
#include "gl/gl_api.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Section {
    std::string name;
    std::vector<std::string> functions;
};

std::vector<Section> readList()
{
    std::vector<Section> sections;
#define QUENDRAL_GL_SECTION(section) sections.push_back(Section {#section, {}});
#define QUENDRAL_GL_FUNCTION(type, name) sections.back().functions.push_back(#name);
#include "gl/gl_functions.inc"
    return sections;
}

struct ExpectedSection {
    const char* name;
    size_t count;
    const char* first;
    const char* last;
};

const ExpectedSection kExpected[] = {
    {"GL_VERSION_1_0", 48, "glCullFace", "glViewport"},
    {"GL_VERSION_1_1", 14, "glDrawArrays", "glIsTexture"},
    {"GL_VERSION_1_2", 4, "glDrawRangeElements", "glCopyTexSubImage3D"},
    {"GL_VERSION_1_3", 9, "glActiveTexture", "glGetCompressedTexImage"},
    {"GL_VERSION_1_4", 9, "glBlendFuncSeparate", "glBlendEquation"},
    {"GL_VERSION_1_5", 19, "glGenQueries", "glGetBufferPointerv"},
    {"GL_VERSION_2_0", 93, "glBlendEquationSeparate", "glVertexAttribPointer"},
    {"GL_VERSION_2_1", 6, "glUniformMatrix2x3fv", "glUniformMatrix4x3fv"},
    {"GL_VERSION_3_0", 84, "glColorMaski", "glIsVertexArray"},
    {"GL_VERSION_3_1", 12, "glDrawArraysInstanced", "glUniformBlockBinding"},
    {"GL_VERSION_3_2", 19, "glDrawElementsBaseVertex", "glSampleMaski"},
    {"GL_VERSION_3_3", 28, "glBindFragDataLocationIndexed", "glVertexAttribP4uiv"},
    {"GL_VERSION_4_0", 46, "glMinSampleShading", "glGetQueryIndexediv"},
    {"GL_VERSION_4_1", 88, "glReleaseShaderCompiler", "glGetDoublei_v"},
    {"GL_VERSION_4_2", 12, "glDrawArraysInstancedBaseInstance", "glDrawTransformFeedbackStreamInstanced"},
    {"GL_VERSION_4_3", 43, "glClearBufferData", "glGetObjectPtrLabel"},
    {"GL_VERSION_4_4", 9, "glBufferStorage", "glBindVertexBuffers"},
    {"GL_VERSION_4_5", 110, "glClipControl", "glTextureBarrier"},
    {"GL_ARB_bindless_texture", 16, "glGetTextureHandleARB", "glGetVertexAttribLui64vARB"},
    {"GL_ARB_cl_event", 1, "glCreateSyncFromCLeventARB", "glCreateSyncFromCLeventARB"},
    {"GL_ARB_compute_variable_group_size", 1, "glDispatchComputeGroupSizeARB", "glDispatchComputeGroupSizeARB"},
    {"GL_ARB_debug_output", 4, "glDebugMessageControlARB", "glGetDebugMessageLogARB"},
    {"GL_ARB_draw_buffers_blend", 4, "glBlendEquationiARB", "glBlendFuncSeparateiARB"},
    {"GL_ARB_indirect_parameters", 2, "glMultiDrawArraysIndirectCountARB", "glMultiDrawElementsIndirectCountARB"},
    {"GL_ARB_robustness", 8, "glGetGraphicsResetStatusARB", "glGetnUniformdvARB"},
    {"GL_ARB_sample_shading", 1, "glMinSampleShadingARB", "glMinSampleShadingARB"},
    {"GL_ARB_shading_language_include", 6, "glNamedStringARB", "glGetNamedStringivARB"},
    {"GL_ARB_sparse_buffer", 3, "glBufferPageCommitmentARB", "glNamedBufferPageCommitmentARB"},
    {"GL_ARB_sparse_texture", 1, "glTexPageCommitmentARB", "glTexPageCommitmentARB"},
};

TEST(GlFunctionList, SectionsMatchTheCoreProfileUpTo45AndElevenArbExtensions)
{
    const std::vector<Section> sections = readList();
    ASSERT_EQ(sections.size(), std::size(kExpected));
    size_t total = 0;
    for (size_t i = 0; i < sections.size(); ++i) {
        SCOPED_TRACE(kExpected[i].name);
        EXPECT_EQ(sections[i].name, kExpected[i].name);
        ASSERT_EQ(sections[i].functions.size(), kExpected[i].count);
        EXPECT_EQ(sections[i].functions.front(), kExpected[i].first);
        EXPECT_EQ(sections[i].functions.back(), kExpected[i].last);
        total += sections[i].functions.size();
    }
    EXPECT_EQ(total, 700u);
}

TEST(GlFunctionList, SparseBufferListsTheExtVariantBeforeTheArbOne)
{
    const std::vector<Section> sections = readList();
    const std::vector<std::string> expected = {"glBufferPageCommitmentARB", "glNamedBufferPageCommitmentEXT",
                                               "glNamedBufferPageCommitmentARB"};
    auto sparseBuffer = std::find_if(sections.begin(), sections.end(),
                                     [](const Section& section) { return section.name == "GL_ARB_sparse_buffer"; });
    ASSERT_NE(sparseBuffer, sections.end());
    EXPECT_EQ(sparseBuffer->functions, expected);
}

TEST(GlFunctionList, NamesAreUniqueAndLeaveOutOpenGl46)
{
    std::vector<std::string> names;
    for (const Section& section : readList())
        names.insert(names.end(), section.functions.begin(), section.functions.end());
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    for (const char* added46 : {"glSpecializeShader", "glMultiDrawArraysIndirectCount", "glPolygonOffsetClamp"})
        EXPECT_FALSE(std::binary_search(sorted.begin(), sorted.end(), added46)) << added46;
}

}  // namespace
