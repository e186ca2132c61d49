#include "client/scenes/login/CreditsRoll.h"

#include <algorithm>

namespace kestrovan {

const std::array<quill::WStringView, CreditsRoll::kEntryCount>& CreditsRoll::Roles() {
    static const std::array<quill::WStringView, kEntryCount> roles{
        u"Producer ",
        u"Client & Network Programming ",
        u"Server Programming ",
        u"3D Engine & Tools ",
        u"Physics Engine ",
        u"Additional Tools ",
        u"Lead Design ",
        u"3D Design ",
        u"3D Design ",
        u"Interface Design ",
        u"Interface Design ",
        u"Additional Design ",
        u"Web Director ",
        u"Web Design ",
        u"Web & DB Developper ",
        u"Music & Sound ",
        u"Assistant Management ",
        u"Executive Management & CEO ",
        u"Special Thanks ",
    };
    return roles;
}

// Placeholder names: the people of the team are credited here when the game ships.
const std::array<quill::WStringView, CreditsRoll::kEntryCount>& CreditsRoll::Names() {
    static const std::array<quill::WStringView, kEntryCount> names{
        u"Alex Rowan",          u"Jin Park",  u"Mira Castell", u"Tomas Weir",  u"Hana Seo",    u"Leo Marchetti",
        u"Yuna Kang",           u"Owen Hart", u"Sora Lim",     u"Ines Duarte", u"Dae Cho",     u"Nadia Brook",
        u"Felix Auer",          u"Ria Moon",  u"Karl Jensen",  u"Eun Bae",     u"Paula Ortiz", u"Sam Kwon",
        u"Everyone who played",
    };
    return names;
}

void CreditsRoll::Reset() {
    index_ = 0;
    fadeSteps_ = 0;
    rising_ = true;
}

CreditsRoll::Step CreditsRoll::Advance() {
    Step step;
    if (IsOver())
        return step;
    if (rising_) {
        if (++fadeSteps_ >= kTopSteps)
            rising_ = false;
    } else if (--fadeSteps_ <= kBottomSteps) {
        rising_ = true;
        ++index_;
        step.nextEntry = index_ < kEntryCount;
    }
    step.opacity = std::clamp(Fade(), 0.0f, 1.0f);
    return step;
}

}  // namespace kestrovan
