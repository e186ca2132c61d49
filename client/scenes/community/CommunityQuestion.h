#pragma once
// A messenger dialog that asks one question about one subject (an invitation, a request, a player): the
// subject is kept, and either answer button hides the dialog before the dialog's own
// OnAnswer acts on it. Other events go to the frame.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

#include "client/scenes/common/CommunityDialog.h"

namespace kestrovan {

template <class Subject>
class CommunityQuestion : public CommunityDialog {
public:
    bool OnEvent(Widget* source, int32_t a, int32_t b) final {
        const int32_t id = source != nullptr ? source->GetId() : -1;
        if (id != kAnswerYes && id != kAnswerNo)
            return CommunityDialog::OnEvent(source, a, b);
        SetVisible(false);
        OnAnswer(id == kAnswerYes);
        return true;
    }

protected:
    using CommunityDialog::CommunityDialog;

    void SetSubject(const Subject& subject) {
        subject_ = subject;
    }
    Subject GetSubject() const {
        return subject_;
    }
    // Called with the dialog already hidden.
    virtual void OnAnswer(bool yes) = 0;

private:
    Subject subject_{};
};

}  // namespace kestrovan
