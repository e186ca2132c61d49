#pragma once
// The numbers of the game-server messages (bytes 2-3 of every message), one table shared by the connection,
// the dispatcher and every screen. A reply usually carries its request's id plus one and begins with a u8
// result code. Ids outside this table may still arrive; they pass through unchanged.
//
// Each entry: id, name, direction. Ids 0 and 1 are local: the client makes them for itself when the
// connection is lost or cannot be made.
#include <cstdint>

// X(id, name, direction) for every message, in id order.
#define QUILL_MESSAGE_CATALOGUE(X)           \
    X(0, ConnectionLost, Local)              \
    X(1, ConnectFailed, Local)               \
    X(2, ServerHello, ToClient)              \
    X(3, LoginRequest, ToServer)             \
    X(9, KeepAlive, ToServer)                \
    X(10, LobbyChatSend, ToServer)           \
    X(11, LobbyChat, ToClient)               \
    X(12, MessengerChatSend, ToServer)       \
    X(13, MessengerChat, ToClient)           \
    X(16, MessengerChatEcho, ToClient)       \
    X(17, UserInfoRequest, ToServer)         \
    X(18, UserProfile, ToClient)             \
    X(19, SkillPointsSave, ToServer)         \
    X(20, SkillSaveResult, ToClient)         \
    X(23, FriendList, ToClient)              \
    X(24, FriendAdded, ToClient)             \
    X(25, FriendRequest, ToServer)           \
    X(26, FriendDelete, ToServer)            \
    X(27, FriendRequestResult, ToClient)     \
    X(28, FriendRemoved, ToClient)           \
    X(29, FriendRequestReceived, ToClient)   \
    X(30, FriendRequestReply, ToServer)      \
    X(31, FriendRequestAnswer, ToClient)     \
    X(32, ClanCreate, ToServer)              \
    X(33, ClanCreateResult, ToClient)        \
    X(34, ClanInvite, ToServer)              \
    X(35, ClanInviteResult, ToClient)        \
    X(36, ClanInfo, ToClient)                \
    X(37, ClanSettings, ToServer)            \
    X(39, ClanMemberStatus, ToClient)        \
    X(40, ClanLeave, ToServer)               \
    X(41, ClanLeaveResult, ToClient)         \
    X(42, ClanMemberLeft, ToClient)          \
    X(43, ClanMemberJoined, ToClient)        \
    X(44, ClanInvitation, ToClient)          \
    X(45, ClanInviteAnswer, ToServer)        \
    X(46, UserLocationNotice, ToClient)      \
    X(47, SystemNotice, ToClient)            \
    X(48, OperatorCommandB, ToServer)        \
    X(49, OperatorCommandA, ToServer)        \
    X(51, BlockUser, ToServer)               \
    X(52, ChatBanned, ToClient)              \
    X(53, UnbanResult, ToClient)             \
    X(54, ChatBanNotice, ToClient)           \
    X(55, ServerLine, ToClient)              \
    X(56, ChatBanByName, ToClient)           \
    X(57, MemberLoggedIn, ToClient)          \
    X(58, MemberLoggedOut, ToClient)         \
    X(59, MemberLocation, ToClient)          \
    X(60, ShotRegister, ToServer)            \
    X(61, ShotRegistered, ToClient)          \
    X(62, ShotVote, ToServer)                \
    X(63, ShotVoteResult, ToClient)          \
    X(64, ProfileTextUpdate, ToServer)       \
    X(65, ReportUser, ToServer)              \
    X(66, ReportNotice, ToClient)            \
    X(67, MemberInvite, ToServer)            \
    X(68, OptionsUpdate, ToServer)           \
    X(69, SettingsText, ToServer)            \
    X(70, FindPlayer, ToServer)              \
    X(71, FindPlayerResult, ToClient)        \
    X(72, FriendWhere, ToClient)             \
    X(73, TournamentAlarm, ToServer)         \
    X(74, LobbyNotice, ToClient)             \
    X(76, RaceTournamentNotice, ToClient)    \
    X(77, ResumeGameNotice, ToClient)        \
    X(78, ResumeGameAnswer, ToServer)        \
    X(79, ResumeGame, ToClient)              \
    X(80, PlayerReconnected, ToClient)       \
    X(81, GoldChargeRequest, ToServer)       \
    X(82, GoldCharged, ToClient)             \
    X(83, MembershipRequest, ToServer)       \
    X(84, MembershipResult, ToClient)        \
    X(86, ShopNotice86, ToClient)            \
    X(88, CoinGiftResult, ToClient)          \
    X(89, Ignored89, ToClient)               \
    X(90, ItemBuy, ToServer)                 \
    X(91, ItemGift, ToServer)                \
    X(92, ClanGift, ToServer)                \
    X(93, ItemBuyResult, ToClient)           \
    X(94, GiftReceived, ToClient)            \
    X(95, ItemUse, ToServer)                 \
    X(96, ItemUseResult, ToClient)           \
    X(97, NicknameItemResult, ToClient)      \
    X(99, ItemUseReconnect, ToClient)        \
    X(100, ItemUseAlt, ToServer)             \
    X(101, DefaultItemResult, ToClient)      \
    X(103, GameDefaultItemResult, ToClient)  \
    X(104, InventoryList, ToClient)          \
    X(105, ItemDelete, ToServer)             \
    X(106, ItemDeleteResult, ToClient)       \
    X(107, ExpiredItemsSeen, ToServer)       \
    X(108, CueMoneyUpdate, ToClient)         \
    X(109, QuestDone, ToServer)              \
    X(111, QuestProgress, ToServer)          \
    X(112, PersonalCueBuy, ToServer)         \
    X(113, PersonalCueBuyResult, ToClient)   \
    X(115, PartsBuy, ToServer)               \
    X(116, PartsBuyResult, ToClient)         \
    X(117, CueUpgrade, ToServer)             \
    X(118, CueUpgradeResult, ToClient)       \
    X(119, CueRepair, ToServer)              \
    X(120, CueRepairResult, ToClient)        \
    X(121, CueRetune, ToServer)              \
    X(122, CueRetuneResult, ToClient)        \
    X(1101, NicknameCreate, ToServer)        \
    X(1102, NicknameCreateResult, ToClient)  \
    X(1104, LoginResult, ToClient)           \
    X(1105, LoginFailed, ToClient)           \
    X(1106, ChannelListRequest, ToServer)    \
    X(1107, ChannelList, ToClient)           \
    X(1108, PlayerRecordUpdate, ToClient)    \
    X(1110, ChannelEnter, ToServer)          \
    X(1111, ChannelEnterResult, ToClient)    \
    X(1114, LeaveChannel, ToServer)          \
    X(1115, LobbyEnter, ToServer)            \
    X(1116, RoomListReset, ToClient)         \
    X(1117, RoomListEntry, ToClient)         \
    X(1118, LobbyRefresh, ToClient)          \
    X(1119, RoomUpdate, ToClient)            \
    X(1120, LobbyUserRemoved, ToClient)      \
    X(1121, LobbyUserAdded, ToClient)        \
    X(1122, LobbyEntered, ToClient)          \
    X(1123, LobbyUserLeft, ToClient)         \
    X(1124, LobbyUserMoved, ToClient)        \
    X(1125, RoomStateChanged, ToClient)      \
    X(1126, RoomCountChanged, ToClient)      \
    X(1128, InviteResult, ToClient)          \
    X(1129, InvitationReceived, ToClient)    \
    X(1130, CreateRoom, ToServer)            \
    X(1131, CreateRoomResult, ToClient)      \
    X(1132, JoinRoom, ToServer)              \
    X(1133, JoinRoomWithPassword, ToServer)  \
    X(1134, JoinRoomResult, ToClient)        \
    X(1136, EnterSchool, ToServer)           \
    X(1137, SchoolRequest, ToServer)         \
    X(1138, EnterPractice, ToServer)         \
    X(1139, LeaveToLobby, ToServer)          \
    X(1144, EnterShop, ToServer)             \
    X(1145, LeaveShop, ToServer)             \
    X(1148, ChallengeResult, ToServer)       \
    X(1149, ChallengeReward, ToClient)       \
    X(1150, RankingRequest, ToServer)        \
    X(1151, TournamentSchedule, ToClient)    \
    X(1153, RoomSnapshot, ToClient)          \
    X(1154, RoomCounters, ToClient)          \
    X(1155, GameOptionChange, ToServer)      \
    X(1156, RoomOptionsChanged, ToClient)    \
    X(1157, RoomChatSend, ToServer)          \
    X(1158, RoomChat, ToClient)              \
    X(1159, RoomEntered, ToServer)           \
    X(1160, LeaveRoomRequest, ToServer)      \
    X(1161, RoomError, ToClient)             \
    X(1162, RoomClosed, ToClient)            \
    X(1163, RoomMemberInfo, ToClient)        \
    X(1164, RoomSlotRequest, ToServer)       \
    X(1165, SeatChanged, ToClient)           \
    X(1166, RoomMemberEntered, ToClient)     \
    X(1167, RoomMemberLeft, ToClient)        \
    X(1168, RoomMasterChanged, ToClient)     \
    X(1169, BanUser, ToServer)               \
    X(1170, RoomBanResult, ToClient)         \
    X(1171, ParticipateRequest, ToServer)    \
    X(1172, PlayerJoinedGame, ToClient)      \
    X(1174, ShotBet, ToServer)               \
    X(1175, ShotBetState, ToClient)          \
    X(1178, ReadyToggle, ToServer)           \
    X(1179, PlayerSlotUpdate, ToClient)      \
    X(1180, GameStartRequest, ToServer)      \
    X(1181, GameStart, ToClient)             \
    X(1182, GameStateSync, ToClient)         \
    X(1183, GameEnd, ToClient)               \
    X(1184, RoomRequest1184, ToServer)       \
    X(1185, OpponentRequest, ToClient)       \
    X(1186, OpponentRequestAnswer, ToServer) \
    X(1187, RequestRefused, ToClient)        \
    X(1188, ExitNotAllowed, ToClient)        \
    X(1189, RoomRequest1189, ToServer)       \
    X(1190, PlayerWithdrew, ToClient)        \
    X(1191, RoomPrompt1191, ToClient)        \
    X(1192, WithdrawRequest, ToServer)       \
    X(1194, InvitableUsersRequest, ToServer) \
    X(1195, InvitableUsersList, ToClient)    \
    X(1196, InvitePlayers, ToServer)         \
    X(1197, ItemQuantity, ToClient)          \
    X(1198, GameSettlement, ToClient)        \
    X(1199, RoomTimer, ToClient)             \
    X(1200, PlayerAllIn, ToClient)           \
    X(1201, TableStateRequest, ToClient)     \
    X(1202, TableState, ToServer)            \
    X(1203, TablePlacement, ToClient)        \
    X(1204, Shot, BothWays)                  \
    X(1205, ShotResultReport, ToServer)      \
    X(1207, ScoreUpdate, ToClient)           \
    X(1208, TurnResult, ToClient)            \
    X(1209, BreakRerack, ToClient)           \
    X(1210, AimState, BothWays)              \
    X(1212, PocketCall, ToServer)            \
    X(1213, PocketCallRelay, ToClient)       \
    X(1214, TurnTimeout, ToServer)           \
    X(1215, BallPlacement, ToServer)         \
    X(1216, BallPlacementRelay, ToClient)    \
    X(1218, TableSignal, ToClient)           \
    X(1219, HighRunRecord, ToClient)         \
    X(1220, HandicapChanged, ToClient)       \
    X(1221, LevelUp, ToClient)               \
    X(1222, MoneyLimitReached, ToClient)     \
    X(1223, RoomValue1223, ToClient)         \
    X(1224, GoldUpdate, ToClient)            \
    X(1225, PlayerMoney, ToClient)           \
    X(1227, TableStateSync, ToClient)        \
    X(1228, RoomValue1228, ToServer)         \
    X(1230, PointRuleUpdate, ToClient)       \
    X(1231, PlayerDropped, ToClient)         \
    X(1235, TableEvent, BothWays)            \
    X(1236, RoomRequest1236, ToServer)       \
    X(1237, Jackpot, ToClient)               \
    X(1238, PrizeNotice, ToClient)           \
    X(1239, GroupDetermined, ToClient)       \
    X(1240, EightBallShot, ToClient)         \
    X(1241, CueChange, ToServer)             \
    X(1242, SeatCueUpdate, ToClient)         \
    X(1243, ItemConsumed, ToServer)          \
    X(1244, ItemStats, ToClient)

namespace quill {

enum class MessageId : uint16_t {
#define QUILL_MESSAGE_ENUMERATOR(id, name, direction) name = id,
    QUILL_MESSAGE_CATALOGUE(QUILL_MESSAGE_ENUMERATOR)
#undef QUILL_MESSAGE_ENUMERATOR

    // Older names of messages that their screens name otherwise; the names above are the ones to use.
    MessengerMenuAction = MessengerChatSend,
    PopupRequest19 = SkillPointsSave,
    MessengerConfirmFriend = FriendRequest,
    ChatOpened = FriendRequestReceived,
    MessengerSend30 = FriendRequestReply,
    MessengerConfirmClan = ClanInvite,
    MessengerWindowState = ClanLeave,
    MessengerConfirmKind4 = BlockUser,
    SkillSave = ProfileTextUpdate,
    MessengerValue67 = MemberInvite,
    ShopAction83 = MembershipRequest,
    ItemActionA = ItemBuy,
    ItemActionB = ItemGift,
    ItemActionC = ClanGift,
    ItemResult103 = GameDefaultItemResult,
    ShopValue105 = ItemDelete,
    CueTrade = PersonalCueBuy,
    LobbyResult1131 = CreateRoomResult,
    MessengerConfirmKind5 = BanUser,
};

enum class MessageDirection : uint8_t { ToClient, ToServer, BothWays, Local };

}  // namespace quill
