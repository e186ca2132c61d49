#pragma once
// What the device last sent to OpenGL, so that a value OpenGL already holds is not sent again: capabilities,
// the active and client-active texture units, bound textures and buffers, each unit's environment, coordinate
// generation and matrix, the projection and modelview matrices, the fixed-function render states, material,
// lights and the vertex arrays. Every call that changes one of these goes through here; code that changes
// OpenGL state behind its back (pushed and popped attributes, a framebuffer switch) calls Forget after.
//
// Threads: the device's thread.
#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "platform/gfx/GfxStates.h"
#include "platform/gfx/GfxStructs.h"
#include "platform/gfx/gl/GlCalls.h"

namespace platform::gfx {

class GlStateShadow {
public:
    explicit GlStateShadow(const GlCalls& gl) : gl_(gl) {}

    const GlCalls& Gl() const { return gl_; }
    // Everything unknown again: the next call of each kind is sent.
    void Forget();

    // Capabilities outside the texture units (depth test, blending, lights, fog ...).
    void Enable(GLenum capability, bool on);
    // Capabilities of a texture unit (its texture targets and coordinate generation).
    void EnableOnUnit(int unit, GLenum capability, bool on);
    void ActiveUnit(int unit);
    void BindTexture(int unit, GLenum target, GLuint name);
    void TexEnv(int unit, GLenum target, GLenum name, GLint value);
    void TexEnv(int unit, GLenum target, GLenum name, GLfloat value);
    void TexEnv(int unit, GLenum target, GLenum name, const std::array<GLfloat, 4>& value);
    void TexGenMode(int unit, GLenum coord, GLint mode);
    // An eye plane, set under the identity modelview so that it stays in eye space.
    void TexGenEyePlane(int unit, GLenum coord, const std::array<GLfloat, 4>& plane);
    void TextureMatrix(int unit, const Matrix& matrix);
    // GL_PROJECTION or GL_MODELVIEW.
    void LoadMatrix(GLenum mode, const Matrix& matrix);

    void DepthMask(bool write);
    void DepthFunc(GLenum function);
    void AlphaFunc(GLenum function, GLfloat reference);
    void BlendFunc(GLenum source, GLenum destination);
    void CullFace(GLenum face);
    void FrontFace(GLenum winding);
    void LightModel(GLenum name, GLint value);
    void LightModel(GLenum name, const std::array<GLfloat, 4>& value);
    void ColorMaterial(GLenum face, GLenum mode);
    void Fog(GLenum name, GLint value);
    void Fog(GLenum name, GLfloat value);
    void Fog(GLenum name, const std::array<GLfloat, 4>& value);
    void Material(GLenum name, const std::array<GLfloat, 4>& value);
    void Material(GLenum name, GLfloat value);
    // A light's values; positions and directions pass through the modelview when sent, so the caller sends
    // them again (force) whenever the view changed.
    void Light(GLenum light, GLenum name, const std::array<GLfloat, 4>& value, bool force = false);
    void Light(GLenum light, GLenum name, GLfloat value);

    void ArrayBuffer(GLuint name);
    void ElementBuffer(GLuint name);
    void ClientUnit(int unit);
    // GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY, or GL_TEXTURE_COORD_ARRAY of the unit.
    void ClientArray(int unit, GLenum array, bool on);
    // A pointer is relative to the bound array buffer, which is part of what it is compared with.
    void VertexPointer(GLint size, GLsizei stride, const void* pointer);
    void NormalPointer(GLsizei stride, const void* pointer);
    void ColorPointer(GLsizei stride, const void* pointer);
    void TexCoordPointer(int unit, GLint size, GLsizei stride, const void* pointer);
    // The values of vertices without a normal or colour array.
    void CurrentNormal(GLfloat x, GLfloat y, GLfloat z);
    void CurrentColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a);

private:
    using Value = std::array<uint32_t, 5>;
    enum class Kind : uint8_t {
        Capability, UnitCapability, Texture, TexEnv, TexGen, EyePlane, DepthMask, DepthFunc, AlphaFunc, BlendFunc,
        CullFace, FrontFace, LightModel, ColorMaterial, Fog, Material, Light, ClientArray, Pointer, CurrentNormal,
        CurrentColor
    };
    static uint64_t Key(Kind kind, int unit, GLenum a, GLenum b = 0);
    // True (and remembered) when value differs from what OpenGL holds under key.
    bool Changed(uint64_t key, const Value& value);
    void Forget(uint64_t key) { values_.erase(key); }
    void MatrixMode(GLenum mode);
    bool Pointer(GLenum array, int unit, GLint size, GLsizei stride, const void* pointer);

    const GlCalls& gl_;
    std::unordered_map<uint64_t, Value> values_;
    int activeUnit_ = -1;
    int clientUnit_ = -1;
    GLenum matrixMode_ = 0;
    std::optional<GLuint> arrayBuffer_;
    std::optional<GLuint> elementBuffer_;
    std::optional<Matrix> projection_;
    std::optional<Matrix> modelview_;
    std::array<std::optional<Matrix>, kMaxTextureStages> textureMatrices_{};
};

}  // namespace platform::gfx
