#pragma once
// What players and the server draw on the table: the pen strokes of the eight player slots (the local player's
// pen mode and slot with them) and the server's marks with the model that shows them, turning slowly. A pen
// point is sent to the other players as it is drawn; a mark that the mark ball reaches goes with a sound and an
// application event.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <memory>

#include "QuillLib/net/Packet.h"
#include "client/table/PenStrokes.h"
#include "client/table/TableMarks.h"
#include "client/table/TableModelNode.h"

namespace kestrovan {

class D3D9RenderDevice;
class TableCameraRig;
class TableLineDrawer;
class TablePhysics;
struct TableServices;

class TablePensAndMarks {
public:
    static constexpr uint32_t kMarkHitSound = 33;

    TablePensAndMarks(const TableServices& services, TablePhysics& physics, const TableCameraRig& cameras);
    TablePensAndMarks(const TablePensAndMarks&) = delete;
    TablePensAndMarks& operator=(const TablePensAndMarks&) = delete;

    // --- pen strokes ---
    // Draws a point of slot's pen at the cursor and sends it to the other players.
    void AddPenPoint(int32_t slot, int32_t cursorX, int32_t cursorY);
    // Another player's pen point; its position on the screen. False, with nothing changed, for a truncated message,
    // a slot outside 0..7 or a stroke outside 0..49.
    bool ReceivePenPoint(int8_t slot, quill::Packet& packet, int32_t* screenX, int32_t* screenY);
    // The local pen starts its slot's next stroke at the cursor (the pen key went down).
    void StartPenStroke(int32_t cursorX, int32_t cursorY);
    void ClearPenStrokes() { penStrokes_.Clear(); }
    void SetPenMode(bool on) { penMode_ = on; }
    bool PenMode() const { return penMode_; }
    void SetPenSlot(int32_t slot) { penSlot_ = slot; }
    int32_t PenSlot() const { return penSlot_; }
    const PenStrokes& Pen() const { return penStrokes_; }
    // Every slot's strokes up to its current one.
    void DrawPenStrokes(TableLineDrawer& drawer) const;

    // --- the server's marks ---
    // Reads the server's table marks and lays them out; a truncated payload changes nothing.
    bool ReadTableMarks(quill::Packet& packet);
    // Clears the marks that the mark ball has reached, each with sound 33 and application event 1086.
    void CheckMarkHits();
    void ClearMarks() { marks_.Clear(); }
    const TableMarks& Marks() const { return marks_; }
    void SetMarkModel(std::unique_ptr<TableModelNode> model) { markModel_ = std::move(model); }
    TableModelNode* MarkModel() const { return markModel_.get(); }
    // The marked points, turning a little further at each drawn frame.
    void DrawMarks(D3D9RenderDevice& device);

private:
    const TableServices& services_;
    TablePhysics& physics_;
    const TableCameraRig& cameras_;
    PenStrokes penStrokes_;
    bool penMode_ = false;
    int32_t penSlot_ = 0;
    TableMarks marks_;
    uint16_t markBall_ = 0;
    float markAngle_ = 0.0f;
    std::unique_ptr<TableModelNode> markModel_;
};

}  // namespace kestrovan
