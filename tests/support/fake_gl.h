// A recording stand-in for the OpenGL entry points, for tests of call order
// and arguments.
//
// While a FakeGl lives, every pointer of gl_api.h is null except those of the
// functions the program calls (plus glDeleteBuffers), which point at fakes
// that record each call and answer from a script.  Nothing is drawn: this
// checks what the code asks of OpenGL, not what OpenGL would make of it.
// Only one FakeGl may live at a time; its destructor restores every pointer.
#pragma once

#include "gl/gl_api.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One recorded call.
struct GlCall {
    std::string name;            // the OpenGL name, such as "glBindBuffer"
    std::vector<int64_t> ints;   // integer, enum and boolean arguments in order;
                                 // pointers as addresses, except the ones in `text`/`floats`
    std::vector<float> floats;   // float arguments, or the values of a matrix upload
    std::string text;            // a string argument: a shader source or a location's name
};

class FakeGl {
public:
    FakeGl();
    ~FakeGl();
    FakeGl(const FakeGl&) = delete;
    FakeGl& operator=(const FakeGl&) = delete;

    // --- Script -----------------------------------------------------------

    // Compile status reported for shaders of `shaderType` (GL_VERTEX_SHADER,
    // GL_FRAGMENT_SHADER); true unless set otherwise.
    void setCompileSucceeds(GLenum shaderType, bool succeeds);
    // The info log of shaders of `shaderType`; empty unless set.
    void setInfoLog(GLenum shaderType, const std::string& log);
    // Locations answered by glGetUniformLocation / glGetAttribLocation; -1
    // for any name not set.
    void setUniformLocation(const std::string& name, GLint location);
    void setAttribLocation(const std::string& name, GLint location);
    // The value glGetIntegerv writes for `pname`; an unset pname leaves the
    // caller's integer untouched, as OpenGL does for an unknown name.
    void setInteger(GLenum pname, GLint value);

    // --- Record -----------------------------------------------------------

    const std::vector<GlCall>& calls() const { return calls_; }
    // The calls of one function, in order.
    std::vector<GlCall> callsTo(const std::string& name) const;
    // Every recorded name in order.
    std::vector<std::string> callNames() const;
    // Adds an entry that is not an OpenGL call (such as a hook of the code
    // under test), so that a test can check its place among the calls.
    void mark(const std::string& label);
    void clearCalls() { calls_.clear(); }

    // The names that glGen* and glCreate* hand out: 1, 2, 3, ... in call order.
    GLuint lastGeneratedName() const { return nextName_ - 1; }

    // Used by the fake entry points.
    static FakeGl& active();
    void record(GlCall call) { calls_.push_back(std::move(call)); }
    GLuint generateName() { return nextName_++; }
    void noteShader(GLuint shader, GLenum type) { shaderTypes_[shader] = type; }
    GLenum shaderType(GLuint shader) const;
    bool compileSucceeds(GLenum shaderType) const;
    std::string infoLog(GLenum shaderType) const;
    GLint uniformLocation(const std::string& name) const;
    GLint attribLocation(const std::string& name) const;
    bool integer(GLenum pname, GLint* value) const;

private:
    std::vector<GlCall> calls_;
    GLuint nextName_ = 1;
    std::map<GLuint, GLenum> shaderTypes_;
    std::map<GLenum, bool> compileSucceeds_;
    std::map<GLenum, std::string> infoLogs_;
    std::map<std::string, GLint> uniformLocations_;
    std::map<std::string, GLint> attribLocations_;
    std::map<GLenum, GLint> integers_;
    std::vector<void (*)()> savedPointers_;
};
