#pragma once
// The base of the room screen's parts: what the screen hands each of them, kept as references: the screen
// itself (the owner of the boxes a part opens), the App's services, the connection with the room's request
// sender and its requests whose answers the room waits for, the room's state and the table's stage. Each part reaches the sibling parts it works with through
// references of its own.
//
// Threads: see the table in client/app/Scene.h.
namespace kestrovan {

class AwaitedRequest;
class ConnectionRequestSender;
class GameConnection;
class RoomState;
class SceneRoomGame;
class ScreenServices;
class TableSceneStage;

class RoomPart {
public:
    struct Context {
        SceneRoomGame& screen;
        ScreenServices& app;
        GameConnection& connection;
        ConnectionRequestSender& sender;
        AwaitedRequest& awaited;
        RoomState& state;
        TableSceneStage& stage;
    };

protected:
    explicit RoomPart(const Context& room)
        : screen_(room.screen),
          app_(room.app),
          connection_(room.connection),
          sender_(room.sender),
          awaited_(room.awaited),
          state_(room.state),
          stage_(room.stage) {}

    SceneRoomGame& screen_;
    ScreenServices& app_;
    GameConnection& connection_;
    ConnectionRequestSender& sender_;
    AwaitedRequest& awaited_;
    RoomState& state_;
    TableSceneStage& stage_;
};

}  // namespace kestrovan
