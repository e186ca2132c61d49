#include "tools/mkdata/MakeContext.h"

#include "tools/mkdata/TextureBody.h"

namespace mkdata {
namespace {

TextureBody TextureOf(const RgbaImage& image, bool clamp, bool mipmaps) {
    TextureBody texture;
    texture.addressU = texture.addressV = clamp ? 2 : 0;
    texture.mipLevels = mipmaps ? 0 : 1;
    texture.images.push_back({0, image.Width(), image.Height(), image.EncodeTga()});
    return texture;
}

}  // namespace

bool MakeContext::AddTexture(const RgbaImage& image, bool clamp, bool mipmaps) {
    BodyWriter body;
    return TextureOf(image, clamp, mipmaps).Write(body) ? AddBody(body) : Fail("an image does not compress");
}

uint32_t MakeContext::AppendMaterial(const MaterialBody& material) {
    BodyWriter body;
    material.Write(body);
    return file.Append(quill::ResourceKind::Material, body);
}

uint32_t MakeContext::AppendMesh(const MeshBuilder& mesh) {
    if (!mesh.Fits()) {
        Fail("a mesh has more vertices than 16-bit indices reach");
        return quill::kNone;
    }
    BodyWriter body;
    mesh.WriteBody(body);
    return file.Append(quill::ResourceKind::Mesh, body);
}

bool MakeContext::AttachMesh(ModelNode& node, const MeshBuilder& mesh) {
    node.meshId = AppendMesh(mesh);
    mesh.Bound(node.boundCentre, node.boundRadius);
    return node.meshId != quill::kNone || Fail("a mesh could not be stored");
}

bool MakeContext::AddModel(const ModelNode& root) {
    return AddModel(root, entry.id);
}

bool MakeContext::AddModel(const ModelNode& root, uint32_t id) {
    ModelNode enclosed = root;
    enclosed.EncloseChildren();
    BodyWriter body;
    enclosed.Write(body);
    return file.Add(quill::ResourceKind::Model, id, body) || Fail("the model could not be stored");
}

bool MakeContext::AddBody(BodyWriter& body) {
    return file.Add(entry.kind, entry.id, body) || Fail("the item could not be stored");
}

bool MakeContext::Fail(const std::string& message) {
    if (error.empty()) {
        error = entry.Where() + ": " + message;
    }
    return false;
}

bool MakeContext::ColourArgument(const std::string& key, Argb fallback, Argb& out) {
    const auto colour = entry.Colour(key, fallback);
    if (!colour) {
        return Fail(key + "=" + entry.Text(key) + " is no colour (RRGGBB or AARRGGBB)");
    }
    out = *colour;
    return true;
}

bool MakeContext::NumberArgument(const std::string& key, float fallback, float& out) {
    const auto number = entry.Number(key, fallback);
    if (!number) {
        return Fail(key + "=" + entry.Text(key) + " is no number");
    }
    out = *number;
    return true;
}

}  // namespace mkdata
