#include "platform/gfx/gl/GlStateShadow.h"

#include <bit>
#include <cstring>

namespace platform::gfx {
namespace {

uint32_t Bits(GLfloat value) {
    return std::bit_cast<uint32_t>(value);
}

std::array<uint32_t, 5> Words(const std::array<GLfloat, 4>& value) {
    return {Bits(value[0]), Bits(value[1]), Bits(value[2]), Bits(value[3]), 0};
}

}  // namespace

uint64_t GlStateShadow::Key(Kind kind, int unit, GLenum a, GLenum b) {
    return (uint64_t{static_cast<uint8_t>(kind)} << 56) | (uint64_t{static_cast<uint8_t>(unit + 1)} << 48) |
           (uint64_t{a & 0xFFFFFFu} << 24) | uint64_t{b & 0xFFFFFFu};
}

bool GlStateShadow::Changed(uint64_t key, const Value& value) {
    const auto [entry, added] = values_.try_emplace(key, value);
    if (added) return true;
    if (entry->second == value) return false;
    entry->second = value;
    return true;
}

void GlStateShadow::Forget() {
    values_.clear();
    activeUnit_ = clientUnit_ = -1;
    matrixMode_ = 0;
    arrayBuffer_.reset();
    elementBuffer_.reset();
    projection_.reset();
    modelview_.reset();
    textureMatrices_.fill(std::nullopt);
}

void GlStateShadow::Enable(GLenum capability, bool on) {
    if (!Changed(Key(Kind::Capability, -1, capability), {on ? 1u : 0u})) return;
    (on ? gl_.enable : gl_.disable)(capability);
}

void GlStateShadow::EnableOnUnit(int unit, GLenum capability, bool on) {
    if (!Changed(Key(Kind::UnitCapability, unit, capability), {on ? 1u : 0u})) return;
    ActiveUnit(unit);
    (on ? gl_.enable : gl_.disable)(capability);
}

void GlStateShadow::ActiveUnit(int unit) {
    if (unit == activeUnit_) return;
    activeUnit_ = unit;
    gl_.activeTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
}

void GlStateShadow::BindTexture(int unit, GLenum target, GLuint name) {
    if (!Changed(Key(Kind::Texture, unit, target), {name})) return;
    ActiveUnit(unit);
    gl_.bindTexture(target, name);
}

void GlStateShadow::TexEnv(int unit, GLenum target, GLenum name, GLint value) {
    if (!Changed(Key(Kind::TexEnv, unit, target, name), {static_cast<uint32_t>(value)})) return;
    ActiveUnit(unit);
    gl_.texEnvi(target, name, value);
}

void GlStateShadow::TexEnv(int unit, GLenum target, GLenum name, GLfloat value) {
    if (!Changed(Key(Kind::TexEnv, unit, target, name), {Bits(value)})) return;
    ActiveUnit(unit);
    gl_.texEnvf(target, name, value);
}

void GlStateShadow::TexEnv(int unit, GLenum target, GLenum name, const std::array<GLfloat, 4>& value) {
    if (!Changed(Key(Kind::TexEnv, unit, target, name), Words(value))) return;
    ActiveUnit(unit);
    gl_.texEnvfv(target, name, value.data());
}

void GlStateShadow::TexGenMode(int unit, GLenum coord, GLint mode) {
    if (!Changed(Key(Kind::TexGen, unit, coord), {static_cast<uint32_t>(mode)})) return;
    ActiveUnit(unit);
    gl_.texGeni(coord, GL_TEXTURE_GEN_MODE, mode);
}

void GlStateShadow::TexGenEyePlane(int unit, GLenum coord, const std::array<GLfloat, 4>& plane) {
    if (!Changed(Key(Kind::EyePlane, unit, coord), Words(plane))) return;
    ActiveUnit(unit);
    MatrixMode(GL_MODELVIEW);
    gl_.pushMatrix();
    gl_.loadIdentity();
    gl_.texGenfv(coord, GL_EYE_PLANE, plane.data());
    gl_.popMatrix();
}

void GlStateShadow::MatrixMode(GLenum mode) {
    if (mode == matrixMode_) return;
    matrixMode_ = mode;
    gl_.matrixMode(mode);
}

void GlStateShadow::TextureMatrix(int unit, const Matrix& matrix) {
    std::optional<Matrix>& held = textureMatrices_.at(static_cast<size_t>(unit));
    if (held == matrix) return;
    held = matrix;
    ActiveUnit(unit);
    MatrixMode(GL_TEXTURE);
    gl_.loadMatrixf(matrix.m);
}

void GlStateShadow::LoadMatrix(GLenum mode, const Matrix& matrix) {
    std::optional<Matrix>& held = mode == GL_PROJECTION ? projection_ : modelview_;
    if (held == matrix) return;
    held = matrix;
    MatrixMode(mode);
    gl_.loadMatrixf(matrix.m);
}

void GlStateShadow::DepthMask(bool write) {
    if (Changed(Key(Kind::DepthMask, -1, 0), {write ? 1u : 0u})) gl_.depthMask(write ? GL_TRUE : GL_FALSE);
}

void GlStateShadow::DepthFunc(GLenum function) {
    if (Changed(Key(Kind::DepthFunc, -1, 0), {function})) gl_.depthFunc(function);
}

void GlStateShadow::AlphaFunc(GLenum function, GLfloat reference) {
    if (Changed(Key(Kind::AlphaFunc, -1, 0), {function, Bits(reference)})) gl_.alphaFunc(function, reference);
}

void GlStateShadow::BlendFunc(GLenum source, GLenum destination) {
    if (Changed(Key(Kind::BlendFunc, -1, 0), {source, destination})) gl_.blendFunc(source, destination);
}

void GlStateShadow::CullFace(GLenum face) {
    if (Changed(Key(Kind::CullFace, -1, 0), {face})) gl_.cullFace(face);
}

void GlStateShadow::FrontFace(GLenum winding) {
    if (Changed(Key(Kind::FrontFace, -1, 0), {winding})) gl_.frontFace(winding);
}

void GlStateShadow::LightModel(GLenum name, GLint value) {
    if (Changed(Key(Kind::LightModel, -1, name), {static_cast<uint32_t>(value)})) gl_.lightModeli(name, value);
}

void GlStateShadow::LightModel(GLenum name, const std::array<GLfloat, 4>& value) {
    if (Changed(Key(Kind::LightModel, -1, name), Words(value))) gl_.lightModelfv(name, value.data());
}

void GlStateShadow::ColorMaterial(GLenum face, GLenum mode) {
    if (Changed(Key(Kind::ColorMaterial, -1, 0), {face, mode})) gl_.colorMaterial(face, mode);
}

void GlStateShadow::Fog(GLenum name, GLint value) {
    if (Changed(Key(Kind::Fog, -1, name), {static_cast<uint32_t>(value)})) gl_.fogi(name, value);
}

void GlStateShadow::Fog(GLenum name, GLfloat value) {
    if (Changed(Key(Kind::Fog, -1, name), {Bits(value)})) gl_.fogf(name, value);
}

void GlStateShadow::Fog(GLenum name, const std::array<GLfloat, 4>& value) {
    if (Changed(Key(Kind::Fog, -1, name), Words(value))) gl_.fogfv(name, value.data());
}

void GlStateShadow::Material(GLenum name, const std::array<GLfloat, 4>& value) {
    if (Changed(Key(Kind::Material, -1, name), Words(value))) gl_.materialfv(GL_FRONT_AND_BACK, name, value.data());
}

void GlStateShadow::Material(GLenum name, GLfloat value) {
    if (Changed(Key(Kind::Material, -1, name), {Bits(value)})) gl_.materialf(GL_FRONT_AND_BACK, name, value);
}

void GlStateShadow::Light(GLenum light, GLenum name, const std::array<GLfloat, 4>& value, bool force) {
    if (!Changed(Key(Kind::Light, -1, light, name), Words(value)) && !force) return;
    gl_.lightfv(light, name, value.data());
}

void GlStateShadow::Light(GLenum light, GLenum name, GLfloat value) {
    if (Changed(Key(Kind::Light, -1, light, name), {Bits(value)})) gl_.lightf(light, name, value);
}

void GlStateShadow::ArrayBuffer(GLuint name) {
    if (arrayBuffer_ == name) return;
    arrayBuffer_ = name;
    gl_.bindBuffer(GL_ARRAY_BUFFER, name);
}

void GlStateShadow::ElementBuffer(GLuint name) {
    if (elementBuffer_ == name) return;
    elementBuffer_ = name;
    gl_.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, name);
}

void GlStateShadow::ClientUnit(int unit) {
    if (unit == clientUnit_) return;
    clientUnit_ = unit;
    gl_.clientActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
}

void GlStateShadow::ClientArray(int unit, GLenum array, bool on) {
    const bool texture = array == GL_TEXTURE_COORD_ARRAY;
    // Drawing from a normal or colour array leaves the current normal or colour undefined.
    if (on && array == GL_NORMAL_ARRAY) Forget(Key(Kind::CurrentNormal, -1, 0));
    if (on && array == GL_COLOR_ARRAY) Forget(Key(Kind::CurrentColor, -1, 0));
    if (!Changed(Key(Kind::ClientArray, texture ? unit : -1, array), {on ? 1u : 0u})) return;
    if (texture) ClientUnit(unit);
    (on ? gl_.enableClientState : gl_.disableClientState)(array);
}

bool GlStateShadow::Pointer(GLenum array, int unit, GLint size, GLsizei stride, const void* pointer) {
    const auto address = reinterpret_cast<uintptr_t>(pointer);
    return Changed(Key(Kind::Pointer, unit, array),
                   {static_cast<uint32_t>(size), static_cast<uint32_t>(stride), static_cast<uint32_t>(address),
                    static_cast<uint32_t>(uint64_t{address} >> 32), arrayBuffer_.value_or(~0u)});
}

void GlStateShadow::VertexPointer(GLint size, GLsizei stride, const void* pointer) {
    if (Pointer(GL_VERTEX_ARRAY, -1, size, stride, pointer)) gl_.vertexPointer(size, GL_FLOAT, stride, pointer);
}

void GlStateShadow::NormalPointer(GLsizei stride, const void* pointer) {
    if (Pointer(GL_NORMAL_ARRAY, -1, 3, stride, pointer)) gl_.normalPointer(GL_FLOAT, stride, pointer);
}

void GlStateShadow::ColorPointer(GLsizei stride, const void* pointer) {
    if (Pointer(GL_COLOR_ARRAY, -1, 4, stride, pointer)) gl_.colorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, pointer);
}

void GlStateShadow::TexCoordPointer(int unit, GLint size, GLsizei stride, const void* pointer) {
    if (!Pointer(GL_TEXTURE_COORD_ARRAY, unit, size, stride, pointer)) return;
    ClientUnit(unit);
    gl_.texCoordPointer(size, GL_FLOAT, stride, pointer);
}

void GlStateShadow::CurrentNormal(GLfloat x, GLfloat y, GLfloat z) {
    if (Changed(Key(Kind::CurrentNormal, -1, 0), {Bits(x), Bits(y), Bits(z)})) gl_.normal3f(x, y, z);
}

void GlStateShadow::CurrentColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    if (Changed(Key(Kind::CurrentColor, -1, 0), {Bits(r), Bits(g), Bits(b), Bits(a)})) gl_.color4f(r, g, b, a);
}

}  // namespace platform::gfx
