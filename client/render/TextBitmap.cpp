#include "client/render/TextBitmap.h"

namespace kestrovan {

TextBitmap& TextBitmap::Shared() {
    static TextBitmap bitmap;
    return bitmap;
}

}  // namespace kestrovan
