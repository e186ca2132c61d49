#pragma once
// The numbers of the application events (AppEvent::id), one catalogue shared by the App, the scene manager,
// the screens, their dialogs and the game table, as MessageId.h is for the server's messages. Events are
// posted with App::PostEvent from any thread and delivered on the main thread: first to the App
// (cursor mode, window placement, volumes), then to the scene manager and the current screen. wParam and
// lParam mean what the poster and its handler agree on, noted where the event is handled.
//
// 1024 EventNone is a message box's default event, for which nothing is meant to happen. The ids between
// the listed ones are not application events; the table's own queue uses some of them (TableEvents.h).
#include <array>
#include <cstddef>
#include <cstdint>

// X(id, name) for every application event, in id order.
#define QUILL_APP_EVENT_CATALOGUE(X) \
    X(1024, EventNone)               \
    X(1026, LoginAccepted)           \
    X(1030, AppQuit)                 \
    X(1031, LobbyWindowClose1031)    \
    X(1032, TournamentPopupClose)    \
    X(1033, CursorMode)              \
    X(1034, LoginNoticeOk)           \
    X(1035, TutorialGateOk)          \
    X(1036, ChallengeChoice)         \
    X(1037, CreateRoomConfirm)       \
    X(1038, RoomSettingConfirm)      \
    X(1039, GoToRoom)                \
    X(1040, RoomEvent1040)           \
    X(1041, RoomMenuHelp)            \
    X(1042, WithdrawConfirm)         \
    X(1043, WithdrawChoice)          \
    X(1044, ChatSubmit)              \
    X(1045, RoomMenuClose)           \
    X(1046, RoomPopupOpen)           \
    X(1047, RoomMenuSettings)        \
    X(1048, RoomMenuReport)          \
    X(1049, PlayerMenuAction)        \
    X(1050, ReportSubmit)            \
    X(1051, GameOptionApply)         \
    X(1052, RoomPasswordEntered)     \
    X(1053, MessengerListChanged)    \
    X(1054, WindowPlacement)         \
    X(1055, SetVolume)               \
    X(1056, EnableSoundChannel)      \
    X(1057, ApplyTableSettings)      \
    X(1059, RoomWindowsToggle)       \
    X(1060, SchoolStep)              \
    X(1061, SchoolLevelGate)         \
    X(1062, ChatNotify)              \
    X(1063, SaveShotRequest)         \
    X(1064, RoomNoticeOk)            \
    X(1065, MessengerControl)        \
    X(1066, MessengerControlSend)    \
    X(1067, ShopRefresh1067)         \
    X(1068, GiftRefresh)             \
    X(1069, MoneyRefresh)            \
    X(1070, JoinWith)                \
    X(1071, RoomInviteOpen)          \
    X(1072, LobbyEvent1072)          \
    X(1073, LobbyEvent1073)          \
    X(1074, EventPageOpen)           \
    X(1075, LobbyListRequest)        \
    X(1076, LobbyListRequest2)       \
    X(1077, LobbyQueueForward)       \
    X(1078, OpenCashPage)            \
    X(1079, ShopTab1079)             \
    X(1080, ShopTab1080)             \
    X(1081, ShopItemUse)             \
    X(1082, UseChalk)                \
    X(1083, QuickSlotA)              \
    X(1084, QuickSlotB)              \
    X(1085, ItemUseConfirm)          \
    X(1086, TableEvent1086)          \
    X(1087, SlotChosen)              \
    X(1088, RoomToggleChanged)       \
    X(1089, StartReadyPressed)       \
    X(1090, WithdrawDialogClose)     \
    X(1091, RoomEvent1091)           \
    X(1092, GalleryPage)             \
    X(1093, GalleryPlayShot)         \
    X(1094, RoomEvent1094)           \
    X(1095, ItemDialogResult)        \
    X(1096, CueTradeConfirm)         \
    X(1097, CuePartsConfirm)         \
    X(1098, CueOptionConfirm)        \
    X(1099, CueRepairConfirm)        \
    X(1100, ItemCheckPassed)         \
    X(1101, MembershipBuy)           \
    X(1102, SlotSelected)            \
    X(1103, PracticeOption)          \
    X(1104, ShopWindowClose)         \
    X(1105, CueWindowClose)          \
    X(1106, ShopSend105)             \
    X(1108, ShotFired)               \
    X(1109, BallsStopped)            \
    X(1110, RoomSend1212)            \
    X(1111, BallPlaced)              \
    X(1117, GalleryTableEvent)       \
    X(1123, WebWindowClosed)

namespace quill::AppEventId {

#define QUILL_APP_EVENT_CONSTANT(id, name) inline constexpr uint32_t name = id;
QUILL_APP_EVENT_CATALOGUE(QUILL_APP_EVENT_CONSTANT)
#undef QUILL_APP_EVENT_CONSTANT

// Names under which posters know some of the events above; the catalogue's names are the ones to use in
// new code.
inline constexpr uint32_t UserActivity = RoomInviteOpen;  // the table: an aiming drag with the mouse ended
inline constexpr uint32_t TableMarkHit = TableEvent1086;  // the table: a ball hit a mark; wParam the mark
inline constexpr uint32_t PocketCalled = RoomSend1212;    // the table: a pocket was called; wParam 1 to 6
inline constexpr uint32_t TournamentInfoOpen = LobbyWindowClose1031;  // the lobby: the tournament window opens
inline constexpr uint32_t ExpiredItemsCheck = LobbyEvent1072;         // the lobby: look for expired items
inline constexpr uint32_t WithdrawMenuChosen = RoomMenuHelp;      // the room menu: the withdrawal check
inline constexpr uint32_t HelpMenuChosen = RoomMenuClose;         // the room menu: the help window
inline constexpr uint32_t ReplayLastShotRequest = SaveShotRequest;  // the replay panel: the last shot again
inline constexpr uint32_t TimeLimitNoticeClosed = RoomEvent1094;  // the room: the one-hour notice's OK
inline constexpr uint32_t ChatLineSent = RoomInviteOpen;  // the messenger: a chat line went out
inline constexpr uint32_t PictureWindowOpen = ShopWindowClose;      // the shop: its picture window opens
inline constexpr uint32_t CueGuideOpen = CueWindowClose;            // the shop: the parts guide opens
inline constexpr uint32_t PersonalCueBuyConfirm = CueTradeConfirm;  // the shop: a personal cue's order confirmed

// Every id of the catalogue, in order.
inline constexpr std::array kAll = {
#define QUILL_APP_EVENT_ELEMENT(id, name) name,
    QUILL_APP_EVENT_CATALOGUE(QUILL_APP_EVENT_ELEMENT)
#undef QUILL_APP_EVENT_ELEMENT
};

// The catalogue holds 84 events between 1024 and 1123, in ascending order.
static_assert(kAll.size() == 84);
static_assert([] {
    for (size_t n = 1; n < kAll.size(); ++n) {
        if (kAll[n] <= kAll[n - 1])
            return false;
    }
    return kAll.front() == 1024 && kAll.back() == 1123;
}());

}  // namespace quill::AppEventId
