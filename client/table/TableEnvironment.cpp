#include "client/table/TableEnvironment.h"

#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/Texture.h"
#include "client/table/ModelFiles.h"

namespace kestrovan {
namespace {

constexpr uint32_t kAllTextureKinds = 255;
constexpr uint32_t kReflectionKinds = 32;

std::unique_ptr<TableModelObject> FirstModel(quill::ResourceFile* file, quill::StaticBatcher* batcher) {
    return ModelFiles::Model(file, 0, batcher);
}

}  // namespace

bool TableEnvironment::Load(quill::Package& tables, const ItemModelRecord& record, quill::StaticBatcher* batcher,
                            const quill::Transform& detailPlacement) {
    Release();
    tableFile_ = ModelFiles::Open(&tables, record.modelName);
    if (tableFile_ == nullptr || !(table_ = FirstModel(tableFile_, batcher))) {
        return false;
    }
    clothFile_ = ModelFiles::Open(&tables, u"caromcloth");
    quill::ResourceFile* detail = clothFile_ != nullptr ? ModelFiles::Open(&tables, u"detail") : nullptr;
    quill::ResourceFile* surroundings = detail != nullptr ? ModelFiles::Open(&tables, u"tableenv") : nullptr;
    if (detail != nullptr) {
        detail_ = FirstModel(detail, batcher);
        if (detail_ != nullptr) {
            detail_->SetTransform(detailPlacement);
        }
    }
    if (surroundings != nullptr) {
        surroundings_ = FirstModel(surroundings, batcher);
    }
    ApplyItem(record);
    ApplyItemFlags(texturesOn_, detailOn_);
    return clothFile_ != nullptr && detail_ != nullptr && surroundings_ != nullptr;
}

void TableEnvironment::ApplyItem(const ItemModelRecord& record) {
    if (table_ == nullptr) {
        return;
    }
    const uint32_t cloth = record.cloth < kClothTextures ? record.cloth : 0;
    const uint32_t wood = kClothTextures + (record.tableKind < kWoodTextures ? record.tableKind : 0);
    quill::SharedPtr<quill::Texture> clothTexture = ModelFiles::Texture(clothFile_, cloth);
    if (!clothTexture) {
        clothTexture = ModelFiles::Texture(tableFile_, cloth);
    }
    const quill::SharedPtr<quill::Texture> woodTexture = ModelFiles::Texture(tableFile_, wood);
    table_->ReplaceBaseTextures([&](const quill::Texture* current) -> quill::SharedPtr<quill::Texture> {
        if (current == nullptr || current->id >= kClothTextures + kWoodTextures) {
            return {};
        }
        return current->id < kClothTextures ? clothTexture : woodTexture;
    });
}

void TableEnvironment::ApplyItemFlags(bool texturesOn, bool detailOn) {
    texturesOn_ = texturesOn;
    detailOn_ = detailOn;
    if (table_ == nullptr) {
        return;
    }
    quill::PlacedModelObject& root = table_->Object();
    if (texturesOn) {
        root.AcquireTexturesRecursive(kAllTextureKinds);
    } else {
        root.ReleaseTexturesRecursive(kReflectionKinds);
    }
    root.SetReflectionRecursive(texturesOn ? 1 : 0);
    if (detail_ != nullptr) {
        detail_->SetVisible(detailOn);
    }
}

void TableEnvironment::Release() {
    surroundings_.reset();
    detail_.reset();
    table_.reset();
    tableFile_ = nullptr;
    clothFile_ = nullptr;
}

void TableEnvironment::UploadStatic() {
    for (TableModelObject* model : {table_.get(), detail_.get(), surroundings_.get()}) {
        if (model != nullptr) {
            model->UploadStatic();
        }
    }
}

void TableEnvironment::Draw(D3D9RenderDevice& device) {
    if (table_ == nullptr) {
        return;
    }
    table_->Draw(device, 1.0f);
    if (detail_ != nullptr && detailOn_) {
        detail_->Draw(device, 1.0f);
    }
    if (surroundings_ != nullptr && surroundingsShown_) {
        surroundings_->Draw(device, 1.0f);
    }
}

}  // namespace kestrovan
