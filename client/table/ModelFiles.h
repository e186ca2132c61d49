#pragma once
// How the table and the previews take their models from the packages: a resource file loaded once and found
// again, a texture of a file, a placed model of a file's MODEL item, a cue (stock, or tuned of five parts) and
// the face a ball wears.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <memory>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "client/table/CueModelEntry.h"
#include "client/table/ItemModelRecord.h"
#include "client/table/TableModelObject.h"

namespace quill {
class Package;
class ResourceFile;
class StaticBatcher;
class Texture;
}  // namespace quill

namespace kestrovan {

class D3D9RenderDevice;

class ModelFiles {
public:
    // The loaded file of that name, or the file loaded now; null without a package or when it has no such file.
    static quill::ResourceFile* Open(quill::Package* package, quill::WStringView name);
    // The texture of that id, loaded on first use; empty when the file has none.
    static quill::SharedPtr<quill::Texture> Texture(quill::ResourceFile* file, uint32_t id);
    // A model placed at the origin from the file's MODEL item of that id, its parts registered with the batcher
    // (when given); null when there is no such item.
    static std::unique_ptr<TableModelObject> Model(quill::ResourceFile* file, uint32_t id,
                                                   quill::StaticBatcher* batcher);
    // A stock cue from its record's file and index, or the tuned cue ("TunningCue") in the five parts of the
    // workshop's catalogue, each slot in its part's texture from the part's file ("TuneShaft" to "TuneTip");
    // null when a file or the model is missing.
    static std::unique_ptr<TableModelObject> StockCue(quill::Package* cues, const ItemModelRecord& record,
                                                      quill::StaticBatcher* batcher);
    static std::unique_ptr<TableModelObject> TunedCue(quill::Package* cues, const CueModelEntry::PartIds& parts,
                                                      quill::StaticBatcher* batcher);
    // The room mirrored on a model (balls, cues, previews): the reflection map as a sphere reflection, when the
    // device has the texture stages for it.
    static void MirrorRoom(TableModelObject& model, const quill::SharedPtr<quill::Texture>& reflection,
                           const D3D9RenderDevice* device);
    // The texture of a ball-set file that ball wears: its own, except snooker's reds, which share the first red's,
    // and its colours, which follow it.
    static uint32_t BallFace(quill::GameType gameMode, uint32_t ball);
};

}  // namespace kestrovan
