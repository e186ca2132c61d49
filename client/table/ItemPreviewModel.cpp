#include "client/table/ItemPreviewModel.h"

#include <algorithm>
#include <array>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceManager.h"
#include "client/table/ModelFiles.h"
#include "platform/system/Rand.h"

namespace kestrovan {
namespace {

using quill::Vec3;

constexpr float kLayoutRadius = 3.25f;  // the ball radius the layouts are drawn for
constexpr float kRandMax = 32767.0f;

// The detail level of a kind: cues and ball sets 1, tables 3, other items 2.
int32_t KindLevel(ItemModelKind kind) {
    switch (kind) {
        case ItemModelKind::kCue:
        case ItemModelKind::kBallSet:
            return 1;
        case ItemModelKind::kTable:
            return 3;
        default:
            return 2;
    }
}

// Ball centres for balls of radius 3.25, in the plane of the preview (x across, y up the rack).
std::vector<Vec3> Layout(uint32_t count) {
    constexpr float d = 2.0f * kLayoutRadius + 0.3f;
    switch (count) {
        case 3:
            return {{-d, 0, 0}, {0, 0, 0}, {d, 0, 0}};
        case 4:
            return {{-d / 2, d / 2, 0}, {d / 2, d / 2, 0}, {-d / 2, -d / 2, 0}, {d / 2, -d / 2, 0}};
        case 6:
            return {{-d, d / 2, 0}, {0, d / 2, 0}, {d, d / 2, 0}, {-d, -d / 2, 0}, {0, -d / 2, 0}, {d, -d / 2, 0}};
        default:
            break;
    }
    std::vector<Vec3> centres;
    if (count == 16 || count == 22) {
        // The cue ball in front of a rack of five rows; snooker's colours in a row behind it.
        centres.push_back({0, -2.5f * d, 0});
        const float rowStep = d * 0.866f;
        for (int row = 0; row < 5; ++row) {
            for (int ball = 0; ball <= row; ++ball) {
                centres.push_back({(static_cast<float>(ball) - static_cast<float>(row) / 2.0f) * d, row * rowStep, 0});
            }
        }
        for (uint32_t colour = 16; colour < count; ++colour) {
            centres.push_back({(static_cast<float>(colour) - 18.5f) * d, 5.5f * rowStep, 0});
        }
        return centres;
    }
    for (uint32_t ball = 0; ball < count; ++ball) {
        centres.push_back({(static_cast<float>(ball) - static_cast<float>(count - 1) / 2.0f) * d, 0, 0});
    }
    return centres;
}

}  // namespace

ItemPreviewModel::ItemPreviewModel(quill::ResourceManager& resources, std::function<int()> random)
    : resources_(resources), random_(std::move(random)) {}

int ItemPreviewModel::Random() const {
    return random_ ? random_() : platform::Rand();
}

void ItemPreviewModel::SetRecord(const ItemModelRecord* record) {
    record_ = record;
    buildWanted_ = record != nullptr;
}

void ItemPreviewModel::GiveReflection(TableModelObject& model) const {
    ModelFiles::MirrorRoom(model, reflection_, device_);
}

bool ItemPreviewModel::BuildModel(D3D9RenderDevice& device) {
    device_ = &device;
    if (record_ == nullptr || !buildWanted_) {
        return true;
    }
    buildWanted_ = false;
    models_.clear();
    quill::Package* objects = resources_.OpenPackage(u"BillObject", false);
    quill::ResourceFile* reflection = ModelFiles::Open(objects, u"reflection");
    if (reflection == nullptr || ModelFiles::Open(objects, u"shadow") == nullptr) {
        return false;
    }
    reflection_ = ModelFiles::Texture(reflection, 0);
    level_ = std::max(KindLevel(record_->kind) + levelOffset_, 0);
    bool built = false;
    switch (record_->kind) {
        case ItemModelKind::kCue:
            built = BuildCue(resources_.OpenPackage(u"Cues", false));
            break;
        case ItemModelKind::kBallSet:
            built = BuildBallSet(*objects);
            break;
        case ItemModelKind::kTable:
            if (quill::Package* tables = resources_.OpenPackage(u"Tables", false)) {
                built = BuildSingle(*tables);
            }
            break;
        default:
            built = BuildSingle(*objects);
            break;
    }
    for (const auto& model : models_) {
        GiveReflection(*model);
    }
    return built;
}

bool ItemPreviewModel::BuildCue(quill::Package* cues) {
    std::unique_ptr<TableModelObject> cue;
    if (record_->custom != 0) {
        CueModelEntry::PartIds parts{};
        for (uint32_t slot = 0; slot < CueModelEntry::kPartCount; ++slot) {
            parts[slot] = static_cast<uint16_t>(record_->partIds[slot]);
        }
        cue = ModelFiles::TunedCue(cues, parts, nullptr);
    } else {
        cue = ModelFiles::StockCue(cues, *record_, nullptr);
    }
    if (cue == nullptr) {
        return false;
    }
    models_.push_back(std::move(cue));
    return true;
}

bool ItemPreviewModel::BuildBallSet(quill::Package& objects) {
    quill::ResourceFile* file = ModelFiles::Open(&objects, record_->modelName);
    const quill::GameType faces = record_->ballCount == 22 ? quill::game_type::kSnooker : quill::game_type::kEightBall;
    for (uint32_t ball = 0; ball < record_->ballCount; ++ball) {
        std::unique_ptr<TableModelObject> model = ModelFiles::Model(file, record_->ballSetVariant, nullptr);
        if (model == nullptr) {
            return false;
        }
        if (quill::SharedPtr<quill::Texture> face = ModelFiles::Texture(file, ModelFiles::BallFace(faces, ball))) {
            model->SetTexture(0, face);
        }
        models_.push_back(std::move(model));
    }
    ArrangeBalls(record_->ballCount);
    return true;
}

bool ItemPreviewModel::BuildSingle(quill::Package& package) {
    const uint32_t id = record_->kind == ItemModelKind::kTable ? 0 : record_->modelIndex;
    std::unique_ptr<TableModelObject> model = ModelFiles::Model(ModelFiles::Open(&package, record_->modelName), id, nullptr);
    if (model == nullptr) {
        return false;
    }
    models_.push_back(std::move(model));
    return true;
}

void ItemPreviewModel::ArrangeBalls(uint32_t ballCount) {
    const float radius = record_ != nullptr ? quill::GetBallRadius(record_->ballSetVariant) : kLayoutRadius;
    const float scale = (radius > 0.0f ? radius : kLayoutRadius) / kLayoutRadius;
    const std::vector<Vec3> centres = Layout(ballCount);
    for (size_t ball = 0; ball < models_.size() && ball < centres.size(); ++ball) {
        quill::Transform placement;
        placement.position = centres[ball] * scale;
        Vec3 axis{static_cast<float>(Random()) / kRandMax - 0.5f, static_cast<float>(Random()) / kRandMax - 0.5f,
                  static_cast<float>(Random()) / kRandMax - 0.5f};
        axis.Normalize();
        placement.rotation.FromAxisAngle(static_cast<float>(Random()) / kRandMax * 2.0f * quill::kPi, axis);
        models_[ball]->SetTransform(placement);
    }
}

void ItemPreviewModel::Draw(D3D9RenderDevice& device) {
    for (const auto& model : models_) {
        model->Draw(device, 1.0f);
    }
}

}  // namespace kestrovan
