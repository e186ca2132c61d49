#include "client/scenes/common/SharedScrollArt.h"

#include "client/app/UiTextures.h"

namespace kestrovan {

ScrollBarArt SharedScrollArt(int32_t width, int32_t trackHeight) {
    return {kCommonTexture, {475, 370, width, trackHeight}, {609, 0, width, 17}, {623, 0, width, 17},
            {637, 0, width, 28}};
}

}  // namespace kestrovan
