#pragma once
// The clan dialog: creating a clan (a name of 4 to 12 bytes of the code page, ten players, 100,000 gold) or,
// for the master, growing it to a larger capacity (10 to 70 players, paid from the clan's money by the cost
// table, only in the lobby). The cost of the chosen capacity shows below the list. A refused check shows its
// error and leaves the dialog open; a request sent hides it.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>
#include <optional>

#include "client/connection/ClanRecord.h"
#include "client/scenes/common/PopupWindow.h"
#include "client/ui/Window.h"

namespace kestrovan {

class CommunityHost;
class CommunityRequests;
class ComboBox;
class EditBox;
class TextLabel;

class ClanDialog : public Window {
public:
    static constexpr int32_t kWidth = 297;
    static constexpr int32_t kHeight = 227;
    static constexpr int32_t kCapacityList = 30;
    static constexpr int32_t kCapacityRows = 7;
    static constexpr int32_t kMaxNameBytes = 12;
    static constexpr int32_t kLobbySceneId = 4;

    ClanDialog(CommunityHost& host, CommunityRequests& requests);

    // The player's clan to grow, or none to create one.
    void SetClan(const std::optional<ClanRecord>& clan);
    // The cost from the present capacity (none for a new clan) to the chosen one.
    void RefreshCost();
    void CreateClan();
    void ChangeCapacity();

    EditBox* NameEntry() const { return name_; }
    ComboBox* CapacityList() const { return capacity_; }
    TextLabel* CostLabel() const { return cost_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;
    void OnShow() override;

private:
    std::optional<ClanRecord> Clan() const;
    // The capacity of the chosen row (10 to 70).
    int32_t ChosenCapacity() const;

    CommunityHost& host_;
    CommunityRequests& requests_;
    std::optional<ClanRecord> clan_;
    EditBox* name_ = nullptr;
    ComboBox* capacity_ = nullptr;
    TextLabel* cost_ = nullptr;
};

}  // namespace kestrovan
