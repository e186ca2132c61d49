// The render tree on the recording device with real model objects: the chain of levels an object is sorted
// into, static batches that overflow into a second node, removal that prunes back to an empty root, parts
// registered by two leaves, the batch leaf's ranges, the texture levels, the draw-order layers and sprites.
#include <gtest/gtest.h>

#include <vector>

#include "QuillLib/render/AlphaModeNode.h"
#include "QuillLib/render/BatchLeaf.h"
#include "QuillLib/render/BlendMaskGroup.h"
#include "QuillLib/render/BlendModeNode.h"
#include "QuillLib/render/BufferSplitGroup.h"
#include "QuillLib/render/LeafGroup.h"
#include "QuillLib/render/LightSetNode.h"
#include "QuillLib/render/NodeVisitor.h"
#include "QuillLib/render/ObjectModeGroup.h"
#include "QuillLib/render/PartListLeaf.h"
#include "QuillLib/render/RootGroup.h"
#include "QuillLib/render/SceneGraph.h"
#include "QuillLib/render/SpecularNode.h"
#include "QuillLib/render/SpriteNode.h"
#include "QuillLib/render/StaticBatchNode.h"
#include "QuillLib/render/TextureLevels.h"
#include "QuillLib/render/TextureNode.h"
#include "QuillLib/render/TextureSlotGroup.h"
#include "QuillLib/render/TextureStageNode.h"
#include "QuillLib/render/ThreeWayPartFlagGroup.h"
#include "QuillLib/render/TimedEffectNode.h"
#include "QuillLib/render/TwoWayPartFlagGroup.h"
#include "QuillLib/render/VertexFormatNode.h"
#include "QuillLib/resource/SpriteObject.h"
#include "tests/support/gfx/RecordingDeviceFixture.h"
#include "tests/support/gfx/SceneModels.h"

namespace kestrovan {
namespace {

using quill::SharedPtr;
using namespace kvtest;

// The one child of a keyed group (the test's objects all share the key of the level).
template <class Child, class Key>
Child& OnlyChild(quill::NodeGroup* group) {
    auto* keyed = dynamic_cast<quill::KeyedNodeGroup<Key>*>(group);
    EXPECT_NE(keyed, nullptr);
    EXPECT_EQ(keyed->Children().size(), 1u);
    auto* child = dynamic_cast<Child*>(keyed->Children().begin()->second.get());
    EXPECT_NE(child, nullptr);
    return *child;
}

template <class Child, class Group>
Child& SlotChild(quill::NodeGroup* group, size_t slot) {
    auto* fixed = dynamic_cast<Group*>(group);
    EXPECT_NE(fixed, nullptr);
    auto* child = dynamic_cast<Child*>(fixed->Slot(slot));
    EXPECT_NE(child, nullptr);
    return *child;
}

class RenderTreeTest : public kvtest::RecordingDeviceFixture {
protected:
    void SetUp() override {
        CreateDevice();
        graph = std::make_unique<quill::SceneGraph>(*device, nullptr);
    }

    // The opaque branch of the tree: root, object trees, alpha mode 0.
    quill::AlphaModeNode& OpaqueBranch() {
        quill::Node& trees = SlotChild<quill::Node, quill::RootGroup>(graph->GetRoot().GetGroup(), quill::RootGroup::kObjectTrees);
        return SlotChild<quill::AlphaModeNode, quill::ObjectModeGroup>(trees.GetGroup(), quill::ObjectModeGroup::kModeZero);
    }

    quill::BufferSplitGroup& Buffers(quill::AlphaModeNode& opaque, uint32_t layout) {
        auto& format = OnlyChild<quill::VertexFormatNode, uint32_t>(opaque.GetGroup());
        EXPECT_EQ(format.GetKey(), layout);
        return *dynamic_cast<quill::BufferSplitGroup*>(format.GetGroup());
    }

    quill::SceneInfo info{u"", {0.3f, 0.3f, 0.3f, 1.0f}};
    std::unique_ptr<quill::SceneGraph> graph;
};

TEST_F(RenderTreeTest, AnOpaqueTexturedObjectIsSortedThroughEveryLevelDownToABatchLeaf) {
    SharedPtr<quill::Texture> cloth = MakeSolidTexture(device.get(), 4, 4, 0xFF00A000);
    SharedPtr<quill::Material> material = MakeMaterial(0x1, 1, 0, 1, {{0, cloth}});
    quill::ModelObject& object = Place(info, MakeFrame(MakeQuadMesh(material)), quill::Vec3{5, 0, 0});
    graph->AddModelObject(object);

    quill::BufferSplitGroup& buffers = Buffers(OpaqueBranch(), kTexturedLayout);
    ASSERT_EQ(buffers.StaticNodes().size(), 1u);
    EXPECT_EQ(buffers.GetDynamicNode(), nullptr);
    quill::StaticBatchNode& batch = *buffers.StaticNodes().front();
    auto& blend = OnlyChild<quill::BlendModeNode, uint32_t>(batch.GetGroup());
    EXPECT_EQ(blend.GetKey(), 0x1u);
    auto& effect = OnlyChild<quill::TimedEffectNode, uintptr_t>(blend.GetGroup());
    EXPECT_EQ(effect.GetMaterial(), material.get());
    auto& lights = SlotChild<quill::LightSetNode, quill::ThreeWayPartFlagGroup>(effect.GetGroup(), quill::ThreeWayPartFlagGroup::kThird);
    EXPECT_TRUE(lights.IsLit());
    auto& specular = SlotChild<quill::SpecularNode, quill::TwoWayPartFlagGroup>(lights.GetGroup(), quill::TwoWayPartFlagGroup::kWithFlag);
    EXPECT_TRUE(specular.GetKey());
    auto& texture = OnlyChild<quill::TextureNode, uintptr_t>(specular.GetGroup());
    EXPECT_EQ(texture.GetKind(), 0u);
    EXPECT_EQ(texture.GetTexture(), cloth.get());
    EXPECT_TRUE(texture.IsAcquired());
    auto* leafGroup = dynamic_cast<quill::LeafGroup*>(texture.GetGroup());
    ASSERT_NE(leafGroup, nullptr);
    ASSERT_EQ(leafGroup->GetLeaf().Parts().size(), 1u);
    EXPECT_EQ(graph->GetRoot().CountRegistrations(), 1u);
    // Drawn from shared buffers without a world matrix: the vertices were moved into world space.
    EXPECT_FLOAT_EQ(quill::ReadPosition(*object.GetAttachment()->vertices, 0).x, 5.0f);
}

TEST_F(RenderTreeTest, BumpMappedUnlitAndAmbientMaterialsTakeTheirOwnBranches) {
    SharedPtr<quill::Texture> bump = MakeSolidTexture(device.get(), 4, 4, 0xFF808080);
    SharedPtr<quill::Texture> base = MakeSolidTexture(device.get(), 4, 4, 0xFFFFFFFF);
    graph->AddModelObject(Place(info, MakeFrame(MakeQuadMesh(MakeMaterial(0x21, 0, 0, 1, {{0, base}, {2, bump}}))), {}));
    quill::BufferSplitGroup& buffers = Buffers(OpaqueBranch(), kTexturedLayout);
    auto& blend = OnlyChild<quill::BlendModeNode, uint32_t>(buffers.StaticNodes().front()->GetGroup());
    auto& effect = OnlyChild<quill::TimedEffectNode, uintptr_t>(blend.GetGroup());
    auto& stage = OnlyChild<quill::TextureStageNode, uintptr_t>(effect.GetGroup());
    auto& lit = SlotChild<quill::LightSetNode, quill::ThreeWayPartFlagGroup>(stage.GetGroup(), quill::ThreeWayPartFlagGroup::kThird);
    auto& plain = SlotChild<quill::SpecularNode, quill::TwoWayPartFlagGroup>(lit.GetGroup(), quill::TwoWayPartFlagGroup::kWithoutFlag);
    // Texture levels from the highest kind down: the bump map above the base map above the leaf.
    auto& bumpLevel = OnlyChild<quill::TextureNode, uintptr_t>(plain.GetGroup());
    EXPECT_EQ(bumpLevel.GetKind(), 2u);
    auto& baseLevel = OnlyChild<quill::TextureNode, uintptr_t>(bumpLevel.GetGroup());
    EXPECT_EQ(baseLevel.GetKind(), 0u);
    EXPECT_NE(dynamic_cast<quill::LeafGroup*>(baseLevel.GetGroup()), nullptr);

    // An unlit material goes to the first light set, one lit by ambient only (no lit byte) to the second;
    // neither splits by specular.
    graph->AddModelObject(Place(info, MakeFrame(MakeQuadMesh(MakeMaterial(0x1, 0, 1, 1, {{0, base}}))), {}));
    graph->AddModelObject(Place(info, MakeFrame(MakeQuadMesh(MakeMaterial(0x1, 1, 0, 0, {{0, base}}))), {}));
    auto* masks = dynamic_cast<quill::BlendMaskGroup*>(buffers.StaticNodes().front()->GetGroup());
    ASSERT_EQ(masks->Children().size(), 2u);
    quill::Node& baseOnly = *masks->Children().at(0x1);
    auto* effects = dynamic_cast<quill::KeyedNodeGroup<uintptr_t>*>(baseOnly.GetGroup());
    ASSERT_EQ(effects->Children().size(), 2u);
    int unlit = 0, ambient = 0;
    for (const auto& [key, child] : effects->Children()) {
        auto* split = dynamic_cast<quill::ThreeWayPartFlagGroup*>(child->GetGroup());
        if (auto* first = dynamic_cast<quill::LightSetNode*>(split->Slot(quill::ThreeWayPartFlagGroup::kFirst))) {
            unlit += first->IsUnlit();
            EXPECT_NE(dynamic_cast<quill::TextureSlotGroup*>(first->GetGroup()), nullptr);
        }
        if (auto* second = dynamic_cast<quill::LightSetNode*>(split->Slot(quill::ThreeWayPartFlagGroup::kSecond))) {
            ambient += !second->IsLit() && !second->IsUnlit();
        }
    }
    EXPECT_EQ(unlit, 1);
    EXPECT_EQ(ambient, 1);
}

TEST_F(RenderTreeTest, TextureLevelsRunFromTheHighestKindDown) {
    auto kindsOf = [&](uint32_t mask, uint32_t count) {
        quill::Node holder(*graph, nullptr);
        std::vector<uint32_t> kinds;
        std::unique_ptr<quill::NodeGroup> group = quill::CreateTextureLevels(*graph, &holder, mask, count);
        auto* level = dynamic_cast<quill::TextureSlotGroup*>(group.get());
        if (level != nullptr) {
            kinds.push_back(level->GetSlot());
        } else {
            EXPECT_NE(dynamic_cast<quill::LeafGroup*>(group.get()), nullptr);
        }
        return kinds;
    };
    EXPECT_TRUE(kindsOf(0, 8).empty());
    EXPECT_TRUE(kindsOf(0xFF, 0).empty());  // a diffuse level has no kinds below it
    EXPECT_EQ(kindsOf(0xFF, 8), std::vector<uint32_t>{7});
    EXPECT_EQ(kindsOf(0x80, 8), std::vector<uint32_t>{7});
    EXPECT_EQ(kindsOf(0x02, 8), std::vector<uint32_t>{6});
    EXPECT_EQ(kindsOf(0x21, 8), std::vector<uint32_t>{2});
    EXPECT_EQ(kindsOf(0x21, 2), std::vector<uint32_t>{0});
}

TEST_F(RenderTreeTest, StaticPartsOverflowIntoASecondBatchAndSmallOnesGoBackToTheFirst) {
    // 20,000 vertices of 64 bytes each: two do not fit the 2 MB of one batch.
    SharedPtr<quill::Material> material = MakeMaterial(0, 0, 0, 0);
    graph->AddModelObject(Place(info, MakeFrame(MakeStripMesh(kTexturedLayout, 20000, material)), {}));
    graph->AddModelObject(Place(info, MakeFrame(MakeStripMesh(kTexturedLayout, 20000, material)), {}));
    quill::ModelObject& small = Place(info, MakeFrame(MakeStripMesh(kTexturedLayout, 1000, material)), {});
    graph->AddModelObject(small);

    quill::BufferSplitGroup& buffers = Buffers(OpaqueBranch(), kTexturedLayout);
    ASSERT_EQ(buffers.StaticNodes().size(), 2u);
    const quill::StaticBatch& first = buffers.StaticNodes()[0]->GetBatch();
    EXPECT_EQ(first.Parts().size(), 2u);
    EXPECT_TRUE(first.Parts().contains(small.GetAttachment()->parts.front().get()));
    EXPECT_EQ(first.GetVertexBytes(), 21000u * 64);
    EXPECT_EQ(buffers.StaticNodes()[1]->GetBatch().GetVertexBytes(), 20000u * 64);
}

TEST_F(RenderTreeTest, RemovingEveryObjectPrunesBackToAnEmptyRoot) {
    SharedPtr<quill::Texture> texture = MakeSolidTexture(device.get(), 4, 4, 0xFFFFFFFF);
    SharedPtr<quill::Material> material = MakeMaterial(0x1, 1, 0, 1, {{0, texture}});
    quill::ModelObject& opaque = Place(info, MakeFrame(MakeQuadMesh(material)), {});
    quill::ModelObject& blended = Place(info, MakeFrame(MakeQuadMesh(material)), {}, 1);
    quill::ModelObject& culled = Place(info, MakeFrame(MakeQuadMesh(material)), {});
    culled.cullMode = 0;  // a cull mode of its own: drawn whole like a blended object
    for (quill::ModelObject* object : {&opaque, &blended, &culled}) graph->AddModelObject(*object);
    EXPECT_EQ(graph->GetRoot().CountRegistrations(), 3u);
    EXPECT_EQ(static_cast<quill::D3D9TextureItem&>(*texture).GetUseCount(), 4u);

    for (quill::ModelObject* object : {&culled, &opaque, &blended}) graph->RemoveModelObject(*object);
    EXPECT_TRUE(graph->GetRoot().IsEmpty());
    auto* root = dynamic_cast<quill::RootGroup*>(graph->GetRoot().GetGroup());
    EXPECT_EQ(root->Slot(quill::RootGroup::kObjectTrees), nullptr);
    EXPECT_EQ(graph->GetRoot().CountRegistrations(), 0u);
    EXPECT_EQ(device->staticPlacements.Count(), 0u);
    EXPECT_EQ(static_cast<quill::D3D9TextureItem&>(*texture).GetUseCount(), 1u) << "only the test's own use is left";

    // An object that was never added, and one of a blend mode that is not drawn, change nothing.
    quill::ModelObject& stranger = Place(info, MakeFrame(MakeQuadMesh(material)), {}, 2);
    graph->AddModelObject(stranger);
    EXPECT_TRUE(graph->GetRoot().IsEmpty());
    graph->RemoveModelObject(stranger);
    EXPECT_TRUE(graph->GetRoot().IsEmpty());
}

TEST_F(RenderTreeTest, APartRegisteredByTwoLeavesLeavesBothWhenItsObjectGoes) {
    // One mesh instance attached to an opaque and a blended object: its part sits in a batch leaf and in a
    // part-list leaf.
    SharedPtr<quill::Mesh> shared = MakeQuadMesh(MakeMaterial(0, 0, 0, 0))->CreateInstance(quill::Transform{}, false, false);
    quill::ModelObject opaque, blended;
    opaque.Attach(0, shared);
    blended.Attach(0, shared);
    blended.blendMode = 1;
    graph->AddModelObject(opaque);
    graph->AddModelObject(blended);
    quill::MeshPart& part = *shared->parts.front();
    ASSERT_EQ(graph->GetRoot().CountRegistrations(part), 2u);

    graph->RemoveModelObject(opaque);
    EXPECT_EQ(graph->GetRoot().CountRegistrations(part), 0u);
    EXPECT_TRUE(graph->GetRoot().IsEmpty()) << "no leaf keeps the part of a mesh that may be freed";
}

TEST_F(RenderTreeTest, BlendedLayersAreVisitedFromTheHighestDrawOrderAndSortedByDepth) {
    SharedPtr<quill::Material> material = MakeMaterial(0, 0, 0, 0);
    for (int16_t order : {0, 3, -2}) {
        quill::ModelObject& object = Place(info, MakeFrame(MakeQuadMesh(material)), {}, 1);
        object.SetDrawOrderRecursive(order);
        graph->AddModelObject(object);
    }
    struct LayerOrder : quill::NodeVisitor {
        bool Enter(quill::Node& node, bool& descend) override {
            if (auto* leaf = dynamic_cast<quill::PartListLeaf*>(&node)) orders.push_back(leaf->GetDrawOrder());
            descend = true;
            return true;
        }
        std::vector<int16_t> orders;
    } visitor;
    graph->GetRoot().Accept(visitor);
    EXPECT_EQ(visitor.orders, (std::vector<int16_t>{3, 0, -2}));

    // The layer of order 0 draws its visible parts farthest first.
    quill::ModelObject& near = Place(info, MakeFrame(MakeQuadMesh(material)), {}, 1);
    quill::ModelObject& far = Place(info, MakeFrame(MakeQuadMesh(material)), {}, 1);
    graph->AddModelObject(near);
    graph->AddModelObject(far);
    near.GetAttachment()->parts.front()->SetCullState(2, 10.0f);
    far.GetAttachment()->parts.front()->SetCullState(2, 50.0f);
    graph->RefreshContent();
    quill::PartListLeaf* layerZero = nullptr;
    struct FindZero : quill::NodeVisitor {
        bool Enter(quill::Node& node, bool& descend) override {
            auto* leaf = dynamic_cast<quill::PartListLeaf*>(&node);
            if (leaf != nullptr && leaf->GetDrawOrder() == 0) found = leaf;
            descend = true;
            return true;
        }
        quill::PartListLeaf* found = nullptr;
    } find;
    graph->GetRoot().Accept(find);
    layerZero = find.found;
    ASSERT_NE(layerZero, nullptr);
    ASSERT_EQ(layerZero->DrawList().size(), 3u);
    EXPECT_EQ(layerZero->DrawList()[0]->part, far.GetAttachment()->parts.front().get());
    EXPECT_EQ(layerZero->DrawList()[1]->part, near.GetAttachment()->parts.front().get());
}

// The batch leaf's packing, on buffers made large enough by hand.
class BatchLeafTest : public RenderTreeTest {
protected:
    void SelectStaticBuffers(uint32_t vertices, uint32_t indices) {
        quill::BufferPool& pool = device->GetBufferPool();
        auto vb = quill::make_shared<quill::VertexBuffer>(*device->GetGfxDevice(), quill::VertexData::kPosition, vertices * 64, false);
        auto ib = quill::make_shared<quill::IndexBuffer>(*device->GetGfxDevice(), indices * 2, false);
        ASSERT_TRUE(vb->Create());
        ASSERT_TRUE(ib->Create());
        ASSERT_TRUE(pool.SelectVertexBuffer(pool.AddVertexBuffer(vb), quill::VertexData::kPosition));
        ASSERT_TRUE(pool.SelectIndexBuffer(pool.AddIndexBuffer(ib)));
        vertexBuffer = vb.get();
        indexBuffer = ib.get();
    }

    std::vector<quill::BatchLeaf::Range> Measure(quill::BatchLeaf& leaf) {
        bool descend = true;
        uint32_t a = 0, b = 0;
        EXPECT_TRUE(leaf.Measure(descend, a, b));
        EXPECT_FALSE(descend);
        return {leaf.Ranges().begin(), leaf.Ranges().end()};
    }

    quill::VertexBuffer* vertexBuffer = nullptr;
    quill::IndexBuffer* indexBuffer = nullptr;
};

TEST_F(BatchLeafTest, RangesAreCutBeforeTheyReach65536VerticesAndRebuiltOnEveryPacking) {
    SelectStaticBuffers(90000, 18);
    quill::LeafGroup group(*graph, nullptr);
    quill::BatchLeaf& leaf = group.GetLeaf();
    std::vector<SharedPtr<quill::Mesh>> meshes;
    for (int i = 0; i < 3; ++i) {
        meshes.push_back(MakeStripMesh(quill::VertexData::kPosition, 30000, MakeMaterial(0, 0, 0, 0))
                             ->CreateInstance(quill::Transform{}, false, false));
        leaf.AddPart(*meshes.back()->parts.front());
    }
    EXPECT_FALSE(device->GetBufferPool().IsValid()) << "a new part has the static buffers packed again";

    const std::vector<quill::BatchLeaf::Range> first = Measure(leaf);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].baseVertex, 0u);
    EXPECT_EQ(first[0].indexCount, 12u);
    EXPECT_EQ(first[0].minVertex, 0u);
    EXPECT_EQ(first[0].maxVertex, 59999u);
    EXPECT_EQ(first[1].baseVertex, 60000u);
    EXPECT_EQ(first[1].startIndex, 12u);
    EXPECT_EQ(first[1].maxVertex, 29999u);

    // The buffers are refilled when they were made anew: the same ranges, not twice as many.
    vertexBuffer->Rewind(true);
    indexBuffer->Rewind(true);
    const std::vector<quill::BatchLeaf::Range> second = Measure(leaf);
    ASSERT_EQ(second.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(second[i].baseVertex, first[i].baseVertex);
        EXPECT_EQ(second[i].startIndex, first[i].startIndex);
        EXPECT_EQ(second[i].indexCount, first[i].indexCount);
    }
}

TEST_F(BatchLeafTest, PlainPartsAddNoRangeAndDynamicBuffersLeaveTheLeafAlone) {
    SelectStaticBuffers(100, 6);
    quill::LeafGroup group(*graph, nullptr);
    SharedPtr<quill::Mesh> plain =
        MakeStripMesh(quill::VertexData::kPosition, 6, MakeMaterial(0, 0, 0, 0), false)->CreateInstance(quill::Transform{}, false, false);
    group.GetLeaf().AddPart(*plain->parts.front());
    EXPECT_TRUE(Measure(group.GetLeaf()).empty());
    EXPECT_EQ(group.GetLeaf().Parts().front().vertexStart, 0u);

    ASSERT_TRUE(device->GetBufferPool().SelectDynamicVertexBuffer(quill::VertexData::kPosition, 0));
    bool descend = true;
    uint32_t a = 0, b = 0;
    const uint32_t written = vertexBuffer->GetWriteOffset();
    EXPECT_TRUE(group.GetLeaf().Measure(descend, a, b));
    EXPECT_TRUE(descend);
    EXPECT_EQ(vertexBuffer->GetWriteOffset(), written);
}

TEST_F(RenderTreeTest, SpritesDrawUntilTheFirstThatFails) {
    quill::TextureSettings broken;
    broken.alphaMode = 7;  // not a mode a texture can bind with
    SharedPtr<quill::Texture> good = MakeSolidTexture(device.get(), 4, 4, 0xFFFFFFFF);
    auto bad = quill::make_shared<quill::D3D9TextureItem>(device.get(), u"", broken);
    bad->SetImageWidth(4, 0);
    bad->SetImageHeight(4, 0);
    quill::SpriteObject first, second, third;
    first.BuildMesh(good);
    second.BuildMesh(bad);
    third.BuildMesh(good);
    for (quill::SpriteObject* sprite : {&first, &second, &third}) graph->AddSpriteObject(*sprite);
    graph->RefreshContent();

    quill::RenderStats stats;
    device->GetBufferPool().SetValid(true);
    setup->log.Clear();
    EXPECT_FALSE(graph->Draw(stats, quill::SceneEnvironment{}, false));
    EXPECT_EQ(setup->log.Count("DrawIndexedPrimitive("), 1u) << setup->log.Text();

    auto& sprites = SlotChild<quill::SpriteNode, quill::RootGroup>(graph->GetRoot().GetGroup(), quill::RootGroup::kSingleObjects);
    quill::SpriteObject stranger;
    EXPECT_FALSE(sprites.RemoveObject(stranger));
    EXPECT_EQ(sprites.Sprites().size(), 3u);
    graph.reset();  // the tree goes before the sprites it holds, as a scene's does
}

}  // namespace
}  // namespace kestrovan
