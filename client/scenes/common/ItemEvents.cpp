#include "client/scenes/common/ItemEvents.h"

#include "client/app/ScreenServices.h"

namespace kestrovan {

AppEventPoster PosterOf(ScreenServices& app) {
    return [&app](uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) {
        app.PostEvent(id, wParam, lParam, extra);
    };
}

}  // namespace kestrovan
