#pragma once
// A plain textured rectangle.
#include "client/ui/Widget.h"

namespace kestrovan {

class Image : public Widget {
public:
    Image();
};

}  // namespace kestrovan
