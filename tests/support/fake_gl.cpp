#include "support/fake_gl.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

FakeGl* activeFake = nullptr;

int64_t address(const void* pointer)
{
    return static_cast<int64_t>(reinterpret_cast<intptr_t>(pointer));
}

void record(const char* name, std::vector<int64_t> ints = {}, std::vector<float> floats = {},
            std::string text = {})
{
    FakeGl::active().record(GlCall {name, std::move(ints), std::move(floats), std::move(text)});
}

// ---------------------------------------------------------------------------
// Fixed state and queries
// ---------------------------------------------------------------------------

void APIENTRY fakeCullFace(GLenum mode)
{
    record("glCullFace", {mode});
}

void APIENTRY fakeFrontFace(GLenum mode)
{
    record("glFrontFace", {mode});
}

void APIENTRY fakeDisable(GLenum cap)
{
    record("glDisable", {cap});
}

void APIENTRY fakeGetIntegerv(GLenum pname, GLint* data)
{
    record("glGetIntegerv", {pname});
    FakeGl::active().integer(pname, data);
}

void APIENTRY fakeClear(GLbitfield mask)
{
    record("glClear", {mask});
}

void APIENTRY fakeViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    record("glViewport", {x, y, width, height});
}

// ---------------------------------------------------------------------------
// Shaders and programs
// ---------------------------------------------------------------------------

GLuint APIENTRY fakeCreateProgram()
{
    const GLuint program = FakeGl::active().generateName();
    record("glCreateProgram", {program});
    return program;
}

GLuint APIENTRY fakeCreateShader(GLenum type)
{
    const GLuint shader = FakeGl::active().generateName();
    FakeGl::active().noteShader(shader, type);
    record("glCreateShader", {type, shader});
    return shader;
}

void APIENTRY fakeShaderSource(GLuint shader, GLsizei count, const GLchar* const* strings, const GLint* lengths)
{
    std::string source;
    for (GLsizei i = 0; i < count; ++i) {
        if (lengths && lengths[i] >= 0)
            source.append(strings[i], static_cast<size_t>(lengths[i]));
        else
            source.append(strings[i]);
    }
    record("glShaderSource", {shader, count, lengths ? 1 : 0}, {}, source);
}

void APIENTRY fakeCompileShader(GLuint shader)
{
    record("glCompileShader", {shader});
}

void APIENTRY fakeGetShaderiv(GLuint shader, GLenum pname, GLint* params)
{
    record("glGetShaderiv", {shader, pname});
    const FakeGl& fake = FakeGl::active();
    const GLenum type = fake.shaderType(shader);
    if (pname == GL_COMPILE_STATUS)
        *params = fake.compileSucceeds(type) ? GL_TRUE : GL_FALSE;
    else if (pname == GL_INFO_LOG_LENGTH) {
        // OpenGL counts the terminating zero, and reports 0 for no log.
        const std::string log = fake.infoLog(type);
        *params = log.empty() ? 0 : static_cast<GLint>(log.size() + 1);
    } else if (pname == GL_SHADER_TYPE)
        *params = static_cast<GLint>(type);
}

void APIENTRY fakeGetShaderInfoLog(GLuint shader, GLsizei bufSize, GLsizei* length, GLchar* infoLog)
{
    record("glGetShaderInfoLog", {shader, bufSize, length ? 1 : 0});
    const std::string log = FakeGl::active().infoLog(FakeGl::active().shaderType(shader));
    GLsizei written = 0;
    if (bufSize > 0) {
        written = static_cast<GLsizei>(std::min(log.size(), static_cast<size_t>(bufSize - 1)));
        std::memcpy(infoLog, log.data(), static_cast<size_t>(written));
        infoLog[written] = '\0';
    }
    if (length)
        *length = written;
}

void APIENTRY fakeDeleteShader(GLuint shader)
{
    record("glDeleteShader", {shader});
}

void APIENTRY fakeAttachShader(GLuint program, GLuint shader)
{
    record("glAttachShader", {program, shader});
}

void APIENTRY fakeLinkProgram(GLuint program)
{
    record("glLinkProgram", {program});
}

void APIENTRY fakeUseProgram(GLuint program)
{
    record("glUseProgram", {program});
}

GLint APIENTRY fakeGetUniformLocation(GLuint program, const GLchar* name)
{
    record("glGetUniformLocation", {program}, {}, name);
    return FakeGl::active().uniformLocation(name);
}

GLint APIENTRY fakeGetAttribLocation(GLuint program, const GLchar* name)
{
    record("glGetAttribLocation", {program}, {}, name);
    return FakeGl::active().attribLocation(name);
}

void APIENTRY fakeUniform1f(GLint location, GLfloat v0)
{
    record("glUniform1f", {location}, {v0});
}

void APIENTRY fakeUniformMatrix4fv(GLint location, GLsizei count, GLboolean transpose, const GLfloat* value)
{
    std::vector<float> values;
    if (count > 0)
        values.assign(value, value + 16 * count);
    record("glUniformMatrix4fv", {location, count, transpose}, std::move(values));
}

// ---------------------------------------------------------------------------
// Textures, buffers, framebuffers and drawing
// ---------------------------------------------------------------------------

void generate(const char* name, GLsizei n, GLuint* names)
{
    std::vector<int64_t> ints {n};
    for (GLsizei i = 0; i < n; ++i) {
        names[i] = FakeGl::active().generateName();
        ints.push_back(names[i]);
    }
    record(name, std::move(ints));
}

void APIENTRY fakeGenTextures(GLsizei n, GLuint* textures)
{
    generate("glGenTextures", n, textures);
}

void APIENTRY fakeBindTexture(GLenum target, GLuint texture)
{
    record("glBindTexture", {target, texture});
}

void APIENTRY fakeTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,
                             GLint border, GLenum format, GLenum type, const void* pixels)
{
    record("glTexImage2D", {target, level, internalformat, width, height, border, format, type, address(pixels)});
}

void APIENTRY fakeTexParameteri(GLenum target, GLenum pname, GLint param)
{
    record("glTexParameteri", {target, pname, param});
}

void APIENTRY fakeGenBuffers(GLsizei n, GLuint* buffers)
{
    generate("glGenBuffers", n, buffers);
}

void APIENTRY fakeDeleteBuffers(GLsizei n, const GLuint* buffers)
{
    std::vector<int64_t> ints {n};
    for (GLsizei i = 0; i < n; ++i)
        ints.push_back(buffers[i]);
    record("glDeleteBuffers", std::move(ints));
}

void APIENTRY fakeBindBuffer(GLenum target, GLuint buffer)
{
    record("glBindBuffer", {target, buffer});
}

void APIENTRY fakeBufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage)
{
    record("glBufferData", {target, static_cast<int64_t>(size), address(data), usage});
}

void APIENTRY fakeEnableVertexAttribArray(GLuint index)
{
    // The index is recorded as the signed location the caller had, so that
    // -1 (which OpenGL sees as 0xFFFFFFFF) reads as -1.
    record("glEnableVertexAttribArray", {static_cast<GLint>(index)});
}

void APIENTRY fakeVertexAttribPointer(GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride,
                                      const void* pointer)
{
    record("glVertexAttribPointer",
           {static_cast<GLint>(index), size, type, normalized, stride, address(pointer)});
}

void APIENTRY fakeDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices)
{
    record("glDrawElements", {mode, count, type, address(indices)});
}

void APIENTRY fakeGenFramebuffers(GLsizei n, GLuint* framebuffers)
{
    generate("glGenFramebuffers", n, framebuffers);
}

void APIENTRY fakeBindFramebuffer(GLenum target, GLuint framebuffer)
{
    record("glBindFramebuffer", {target, framebuffer});
}

void APIENTRY fakeFramebufferTexture(GLenum target, GLenum attachment, GLuint texture, GLint level)
{
    record("glFramebufferTexture", {target, attachment, texture, level});
}

void APIENTRY fakeDrawBuffers(GLsizei n, const GLenum* bufs)
{
    std::vector<int64_t> ints {n};
    for (GLsizei i = 0; i < n; ++i)
        ints.push_back(bufs[i]);
    record("glDrawBuffers", std::move(ints));
}

GLenum APIENTRY fakeCheckFramebufferStatus(GLenum target)
{
    record("glCheckFramebufferStatus", {target});
    return GL_FRAMEBUFFER_COMPLETE;
}

void installFakes()
{
    glCullFace = fakeCullFace;
    glFrontFace = fakeFrontFace;
    glDisable = fakeDisable;
    glGetIntegerv = fakeGetIntegerv;
    glClear = fakeClear;
    glViewport = fakeViewport;
    glCreateProgram = fakeCreateProgram;
    glCreateShader = fakeCreateShader;
    glShaderSource = fakeShaderSource;
    glCompileShader = fakeCompileShader;
    glGetShaderiv = fakeGetShaderiv;
    glGetShaderInfoLog = fakeGetShaderInfoLog;
    glDeleteShader = fakeDeleteShader;
    glAttachShader = fakeAttachShader;
    glLinkProgram = fakeLinkProgram;
    glUseProgram = fakeUseProgram;
    glGetUniformLocation = fakeGetUniformLocation;
    glGetAttribLocation = fakeGetAttribLocation;
    glUniform1f = fakeUniform1f;
    glUniformMatrix4fv = fakeUniformMatrix4fv;
    glGenTextures = fakeGenTextures;
    glBindTexture = fakeBindTexture;
    glTexImage2D = fakeTexImage2D;
    glTexParameteri = fakeTexParameteri;
    glGenBuffers = fakeGenBuffers;
    glDeleteBuffers = fakeDeleteBuffers;
    glBindBuffer = fakeBindBuffer;
    glBufferData = fakeBufferData;
    glEnableVertexAttribArray = fakeEnableVertexAttribArray;
    glVertexAttribPointer = fakeVertexAttribPointer;
    glDrawElements = fakeDrawElements;
    glGenFramebuffers = fakeGenFramebuffers;
    glBindFramebuffer = fakeBindFramebuffer;
    glFramebufferTexture = fakeFramebufferTexture;
    glDrawBuffers = fakeDrawBuffers;
    glCheckFramebufferStatus = fakeCheckFramebufferStatus;
}

template <typename Pointer>
void (*erase(Pointer pointer))()
{
    return reinterpret_cast<void (*)()>(pointer);
}

}  // namespace

// ---------------------------------------------------------------------------
// FakeGl
// ---------------------------------------------------------------------------

FakeGl::FakeGl()
{
    if (activeFake)
        std::abort();  // two fakes would fight over the same pointers
    activeFake = this;
#define QUENDRAL_GL_FUNCTION(type, name) \
    savedPointers_.push_back(erase(quendral_##name)); \
    quendral_##name = nullptr;
#include "gl/gl_functions.inc"
    installFakes();
}

FakeGl::~FakeGl()
{
    size_t index = 0;
#define QUENDRAL_GL_FUNCTION(type, name) quendral_##name = reinterpret_cast<type>(savedPointers_[index++]);
#include "gl/gl_functions.inc"
    activeFake = nullptr;
}

FakeGl& FakeGl::active()
{
    if (!activeFake)
        std::abort();  // a fake entry point outlived its FakeGl
    return *activeFake;
}

void FakeGl::setCompileSucceeds(GLenum shaderType, bool succeeds)
{
    compileSucceeds_[shaderType] = succeeds;
}

void FakeGl::setInfoLog(GLenum shaderType, const std::string& log)
{
    infoLogs_[shaderType] = log;
}

void FakeGl::setUniformLocation(const std::string& name, GLint location)
{
    uniformLocations_[name] = location;
}

void FakeGl::setAttribLocation(const std::string& name, GLint location)
{
    attribLocations_[name] = location;
}

void FakeGl::setInteger(GLenum pname, GLint value)
{
    integers_[pname] = value;
}

std::vector<GlCall> FakeGl::callsTo(const std::string& name) const
{
    std::vector<GlCall> result;
    for (const GlCall& call : calls_) {
        if (call.name == name)
            result.push_back(call);
    }
    return result;
}

std::vector<std::string> FakeGl::callNames() const
{
    std::vector<std::string> names;
    for (const GlCall& call : calls_)
        names.push_back(call.name);
    return names;
}

void FakeGl::mark(const std::string& label)
{
    calls_.push_back(GlCall {label, {}, {}, {}});
}

GLenum FakeGl::shaderType(GLuint shader) const
{
    auto found = shaderTypes_.find(shader);
    return found == shaderTypes_.end() ? 0 : found->second;
}

bool FakeGl::compileSucceeds(GLenum shaderType) const
{
    auto found = compileSucceeds_.find(shaderType);
    return found == compileSucceeds_.end() || found->second;
}

std::string FakeGl::infoLog(GLenum shaderType) const
{
    auto found = infoLogs_.find(shaderType);
    return found == infoLogs_.end() ? std::string() : found->second;
}

GLint FakeGl::uniformLocation(const std::string& name) const
{
    auto found = uniformLocations_.find(name);
    return found == uniformLocations_.end() ? -1 : found->second;
}

GLint FakeGl::attribLocation(const std::string& name) const
{
    auto found = attribLocations_.find(name);
    return found == attribLocations_.end() ? -1 : found->second;
}

bool FakeGl::integer(GLenum pname, GLint* value) const
{
    auto found = integers_.find(pname);
    if (found == integers_.end())
        return false;
    *value = found->second;
    return true;
}
