#include "client/ui/Image.h"

namespace kestrovan {

Image::Image() { SetKind(WidgetKind::Image); }

}  // namespace kestrovan
