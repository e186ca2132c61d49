#include "client/physics/PhysicsModelFactory.h"

#include <map>
#include <memory>

#include "QuillLib/core/SharedPtr.h"
#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsModel10001.h"
#include "client/physics/PhysicsModel10002.h"
#include "client/physics/PhysicsModel10003.h"
#include "client/physics/PhysicsModel10004.h"
#include "client/physics/PhysicsModel10005.h"
#include "client/physics/PhysicsModel10006.h"
#include "client/physics/PhysicsModel10007.h"
#include "client/physics/PhysicsModel10008.h"
#include "client/physics/PhysicsModel10009.h"
#include "client/physics/PhysicsModel1000A.h"
#include "client/physics/PhysicsModel1000B.h"
#include "client/physics/PhysicsModel1000C.h"
#include "client/physics/PhysicsModel1000D.h"
#include "client/physics/PhysicsModel1000E.h"
#include "client/physics/PhysicsModel1000F.h"
#include "client/physics/PhysicsModel10010.h"
#include "client/physics/PhysicsModel10011.h"
#include "client/physics/PhysicsModel10012.h"
#include "client/physics/PhysicsModel10013.h"
#include "client/physics/PhysicsModel10014.h"
#include "client/physics/TableGeometry.h"
#include "platform/system/ScopedFpuMode.h"

namespace kestrovan {

namespace {

using ModelCache = std::map<PhysicsModelCode, quill::SharedPtr<PhysicsModel>>;

// Never destroyed: a shot may still be running on the game thread while the process exits (exit() from a library
// that lost the display, say), and a cached model freed under it would be stepped after its end.
ModelCache& Cache() {
    static ModelCache* const cache = new ModelCache;
    return *cache;
}

// A plain pointer with constant initialisation, so that any caller can clear it at any time.
constinit PhysicsModel* currentModel = nullptr;

std::unique_ptr<PhysicsModel> NewModel(PhysicsModelCode code, uint32_t tableKind, uint16_t ballCount) {
    switch (code) {
        case 0x10000:
            return std::make_unique<PhysicsModel>(tableKind, ballCount);
        case 0x10001:
            return std::make_unique<PhysicsModel10001>(tableKind, ballCount);
        case 0x10002:
            return std::make_unique<PhysicsModel10002>(tableKind, ballCount);
        case 0x10003:
            return std::make_unique<PhysicsModel10003>(tableKind, ballCount);
        case 0x10004:
            return std::make_unique<PhysicsModel10004>(tableKind, ballCount);
        case 0x10005:
            return std::make_unique<PhysicsModel10005>(tableKind, ballCount);
        case 0x10006:
            return std::make_unique<PhysicsModel10006>(tableKind, ballCount);
        case 0x10007:
            return std::make_unique<PhysicsModel10007>(tableKind, ballCount);
        case 0x10008:
            return std::make_unique<PhysicsModel10008>(tableKind, ballCount);
        case 0x10009:
            return std::make_unique<PhysicsModel10009>(tableKind, ballCount);
        case 0x1000A:
            return std::make_unique<PhysicsModel1000A>(tableKind, ballCount);
        case 0x1000B:
            return std::make_unique<PhysicsModel1000B>(tableKind, ballCount);
        case 0x1000C:
            return std::make_unique<PhysicsModel1000C>(tableKind, ballCount);
        case 0x1000D:
            return std::make_unique<PhysicsModel1000D>(tableKind, ballCount);
        case 0x1000E:
            return std::make_unique<PhysicsModel1000E>(tableKind, ballCount);
        case 0x1000F:
            return std::make_unique<PhysicsModel1000F>(tableKind, ballCount);
        case 0x10010:
            return std::make_unique<PhysicsModel10010>(tableKind, ballCount);
        case 0x10011:
            return std::make_unique<PhysicsModel10011>(tableKind, ballCount);
        case 0x10012:
            return std::make_unique<PhysicsModel10012>(tableKind, ballCount);
        case 0x10013:
            return std::make_unique<PhysicsModel10013>(tableKind, ballCount);
        case 0x10014:
            return std::make_unique<PhysicsModel10014>(tableKind, ballCount);
        default:
            return nullptr;
    }
}

PhysicsModel* CachedModel(PhysicsModelCode code) {
    const auto found = Cache().find(code);
    return found == Cache().end() ? nullptr : found->second.get();
}

}  // namespace

PhysicsModel* CreatePhysicsModel(uint32_t code, uint32_t tableKind, uint32_t ballCount, bool useCache) {
    const platform::ScopedFpuMode fpuMode;
    const auto count = static_cast<uint16_t>(ballCount);
    PhysicsModel* model = useCache ? CachedModel(code) : nullptr;
    if (model == nullptr) {
        std::unique_ptr<PhysicsModel> created = NewModel(code, tableKind, count);
        if (!created) {
            return nullptr;
        }
        model = created.get();
        if (useCache) {
            Cache().emplace(code, quill::SharedPtr<PhysicsModel>(created.release()));
        } else {
            created.release();  // the caller owns it
        }
    }
    currentModel = model;
    model->SetCode(code);
    model->CreateBalls(count);
    TableGeometry geometry;
    const uint8_t hasPockets = InitTableGeometry(tableKind, &geometry, code);
    SharedTableRecord& record = model->SharedRecord();
    record.geometry = geometry;
    record.hasPockets = hasPockets;
    model->SetupConstants();
    model->SetupTuning();
    return model;
}

PhysicsModel* CurrentPhysicsModel() {
    return currentModel;
}

void ForgetPhysicsModel(const PhysicsModel* model) {
    if (currentModel == model) {
        currentModel = nullptr;
    }
}

void ResetPhysicsStateForTest() {
    Cache().clear();
    currentModel = nullptr;
    ThePhysicsConstants() = PhysicsConstants{};
    TheModelConstants() = ModelConstants{};
    ThePhysicsEventList().ResetForTest();
}

}  // namespace kestrovan
