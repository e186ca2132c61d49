#include "tests/support/net/WorkshopScript.h"

#include <algorithm>

#include "tests/support/net/ServerMessages.h"

namespace kvtest {

namespace {

using quill::MessageId;
using quill::Packet;

constexpr uint32_t kGemItem = 4502;
constexpr int64_t kRetunePrice = 8800;
constexpr int64_t kUpgradeCost = 3000;

void WriteCue(Packet& p, const TestPersonalCue& cue) {
    p.WriteI64(cue.key).WriteU8(0).WriteU32(cue.typeCode).WriteU8(0).WriteU16(0).WriteU16(0);
    p.WriteU8(0).WriteU8(1);  // class, the personal-cue flag
    p.WriteU32(cue.current).WriteU32(cue.total).WriteWString(cue.name).WriteI64(cue.upgradePoints).WriteI64(0);
    for (uint8_t value : cue.options) p.WriteU8(value);
    for (uint16_t part : cue.parts) p.WriteU16(part);
}

void AnswerPartsBuy(WorkshopState& state, const ServerMessage& request, GameServerFixture& server) {
    Packet in = request.Read();
    TestPersonalCue cue;
    cue.typeCode = in.ReadU32();
    cue.total = cue.current = in.ReadU32();
    cue.name = in.ReadWString();
    for (uint8_t& value : cue.options) value = in.ReadU8();
    for (uint16_t& part : cue.parts) part = in.ReadU16();
    std::lock_guard<std::mutex> hold(state.mutex);
    Packet out;
    out.Init(MessageId::ItemBuyResult).WriteU8(1).WriteU8(state.script.buyResult);
    if (state.script.buyResult == 0) {
        cue.key = state.nextKey++;
        out.WriteI64(state.script.cash).WriteI64(state.script.cueMoney).WriteU32(0).WriteU32(0);
        out.WriteI64(cue.key).WriteU32(cue.typeCode).WriteU8(0).WriteU8(0).WriteU32(cue.total).WriteWString(cue.name);
        for (uint16_t part : cue.parts) out.WriteU16(part);
        for (uint8_t value : cue.options) out.WriteU8(value);
        state.script.cues.push_back(cue);
    }
    server.Send(out);
}

void AnswerParts(WorkshopState& state, const ServerMessage& request, GameServerFixture& server) {
    Packet in = request.Read();
    const int64_t key = in.ReadI64();
    const uint8_t count = in.ReadU8();
    std::lock_guard<std::mutex> hold(state.mutex);
    TestPersonalCue* cue = state.Find(key);
    Packet out;
    out.Init(MessageId::PartsBuyResult);
    if (cue == nullptr) {
        server.Send(out.WriteU8(5));
        return;
    }
    for (uint8_t n = 0; n < count; ++n) {
        const uint8_t type = in.ReadU8();
        const uint16_t part = in.ReadU16();
        if (type < cue->parts.size()) cue->parts[type] = part;
    }
    out.WriteU8(0).WriteI64(state.script.cash).WriteI64(state.script.cueMoney).WriteI64(key);
    for (uint16_t part : cue->parts) out.WriteU16(part);
    for (uint8_t value : cue->options) out.WriteU8(value);
    server.Send(out.WriteU32(cue->current).WriteU32(cue->total));
}

void AnswerUpgrade(WorkshopState& state, const ServerMessage& request, GameServerFixture& server) {
    Packet in = request.Read();
    in.ReadU8();
    const int64_t key = in.ReadI64();
    const uint8_t option = std::min<uint8_t>(in.ReadU8(), 4);
    std::lock_guard<std::mutex> hold(state.mutex);
    TestPersonalCue* cue = state.Find(key);
    Packet out;
    out.Init(MessageId::CueUpgradeResult);
    if (cue == nullptr) {
        server.Send(out.WriteU8(1));
        return;
    }
    const std::vector<uint8_t>& outcomes = state.script.upgradeOutcomes;
    const uint8_t outcome = outcomes.empty() ? 1 : outcomes[state.upgrades++ % outcomes.size()];
    if (outcome == 1) ++cue->options[option];
    if (outcome == 0xFF && cue->options[option] > 0) --cue->options[option];
    cue->upgradePoints = std::max<int64_t>(0, cue->upgradePoints - 1000 * (cue->options[option] / 10 + 1));
    state.script.cueMoney -= kUpgradeCost;
    out.WriteU8(0).WriteI64(state.script.cash).WriteI64(state.script.cueMoney).WriteI64(key).WriteU8(outcome);
    out.WriteI64(cue->upgradePoints);
    for (uint8_t value : cue->options) out.WriteU8(value);
    server.Send(out);
}

void AnswerRepair(WorkshopState& state, const ServerMessage& request, GameServerFixture& server) {
    Packet in = request.Read();
    const uint8_t mode = in.ReadU8();
    const int64_t key = in.ReadI64();
    std::lock_guard<std::mutex> hold(state.mutex);
    TestPersonalCue* cue = state.Find(key);
    Packet out;
    out.Init(MessageId::CueRepairResult);
    if (cue == nullptr) {
        server.Send(out.WriteU8(1));
        return;
    }
    const bool custom = cue->typeCode == 3100;
    if (mode == 0 && !custom) cue->total -= std::min(cue->total, state.script.repairLoss);
    cue->current = cue->total;
    if (custom) state.script.cash -= kRetunePrice;
    out.WriteU8(0).WriteI64(state.script.cash).WriteI64(state.script.cueMoney).WriteI64(key).WriteU32(cue->total);
    server.Send(out);
}

void AnswerRetune(WorkshopState& state, const ServerMessage& request, GameServerFixture& server) {
    Packet in = request.Read();
    const int64_t key = in.ReadI64();
    std::lock_guard<std::mutex> hold(state.mutex);
    TestPersonalCue* cue = state.Find(key);
    Packet out;
    out.Init(MessageId::CueRetuneResult);
    if (cue == nullptr || state.script.cash < kRetunePrice) {
        server.Send(out.WriteU8(cue == nullptr ? 1 : 2));
        return;
    }
    for (uint8_t& value : cue->options) value = in.ReadU8();
    state.script.cash -= kRetunePrice;
    out.WriteU8(0).WriteI64(state.script.cash).WriteI64(key);
    for (uint8_t value : cue->options) out.WriteU8(value);
    server.Send(out);
}

}  // namespace

std::vector<TestPersonalCue> WorkshopScript::DefaultPersonalCues() {
    return {{0x30, 3102, 70000, 100000, u"Tuning one", 5000, {4, 2, 6, 2, 1}, {2, 4, 2, 4, 4}},
            {0x31, 3103, 300000, 300000, u"Tuning two", 0, {10, 4, 10, 4, 4}, {1, 3, 0, 0, 0}},
            {0x32, 3100, 90000, 1000000, u"Custom", 0, {40, 40, 40, 30, 0}, {4, 20, 3, 3, 1}}};
}

TestPersonalCue* WorkshopState::Find(int64_t key) {
    const auto found = std::find_if(script.cues.begin(), script.cues.end(),
                                    [key](const TestPersonalCue& cue) { return cue.key == key; });
    return found != script.cues.end() ? &*found : nullptr;
}

Packet PersonalCueInventoryMessage(const WorkshopScript& script) {
    Packet p;
    const size_t count = script.items.size() + script.cues.size() + (script.gems > 0 ? 1 : 0);
    p.Init(MessageId::InventoryList).WriteU8(static_cast<uint8_t>(count));
    for (const TestOwnedItem& item : script.items) {
        p.WriteI64(item.key).WriteU8(item.status).WriteU32(item.typeCode).WriteU8(item.state);
        p.WriteU16(item.remaining).WriteU16(item.limit).WriteU8(0).WriteU8(0);
    }
    for (const TestPersonalCue& cue : script.cues) WriteCue(p, cue);
    if (script.gems > 0) {
        p.WriteI64(script.gemKey).WriteU8(0).WriteU32(kGemItem).WriteU8(3).WriteU16(script.gems).WriteU16(script.gems);
        p.WriteU8(0).WriteU8(0);
    }
    return p;
}

std::shared_ptr<WorkshopState> InstallWorkshopScript(GameServerFixture& server, const LoginScript& login,
                                                     const WorkshopScript& script) {
    auto state = std::make_shared<WorkshopState>();
    state->script = script;
    state->nextKey = script.firstKey;
    TestAccount account = login.account;
    account.cash = script.cash;
    account.cueMoney = script.cueMoney;
    server.ReplyWith(MessageId::LoginRequest, {LoginResultMessage(account), PersonalCueInventoryMessage(script),
                                               ChannelListMessage(login.channels)});
    const auto reply = [&server, state](MessageId id, void (*answer)(WorkshopState&, const ServerMessage&,
                                                                     GameServerFixture&)) {
        server.ReplyTo(id, [state, answer](const ServerMessage& r, GameServerFixture& s) { answer(*state, r, s); });
    };
    reply(MessageId::PersonalCueBuy, AnswerPartsBuy);
    reply(MessageId::PartsBuy, AnswerParts);
    reply(MessageId::CueUpgrade, AnswerUpgrade);
    reply(MessageId::CueRepair, AnswerRepair);
    reply(MessageId::CueRetune, AnswerRetune);
    return state;
}

std::shared_ptr<WorkshopState> InstallShopWayScripts(GameServerFixture& server, WorkshopScript script) {
    const LoginScript login;
    InstallLoginScript(server, login);
    InstallLobbyScript(server);
    InstallShopScript(server);
    script.items.insert(script.items.begin(), {0x20, 4, 1101, 1, 0, 0, {}});
    return InstallWorkshopScript(server, login, script);
}

}  // namespace kvtest
