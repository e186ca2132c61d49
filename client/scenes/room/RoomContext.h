#pragma once
// What the room's screen hands each of its parts: the screen itself (the owner of the boxes a part opens), the
// App's services, the connection with the room's request sender, the room's state and the table's stage.
// Each part keeps the references it uses and reaches its sibling parts through references of its own.
//
// Threads: as the screen's entries (client/app/Scene.h), under the widget-tree lock.
namespace kestrovan {

class ConnectionRequestSender;
class GameConnection;
class RoomState;
class SceneRoomGame;
class ScreenServices;
class TableSceneStage;

struct RoomContext {
    SceneRoomGame& screen;
    ScreenServices& app;
    GameConnection& connection;
    ConnectionRequestSender& sender;
    RoomState& state;
    TableSceneStage& stage;
};

}  // namespace kestrovan
