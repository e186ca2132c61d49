#include "client/scenes/common/DialogPlacement.h"

#include "client/ui/UiServices.h"
#include "client/ui/Widget.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

void CentreOnScreen(Widget& widget) {
    const UiServices& services = WidgetToolkit::Get().Services();
    widget.SetPosition((services.GetScreenWidth() - widget.Width()) / 2,
                       (services.GetScreenHeight() - widget.Height()) / 2);
}

}  // namespace kestrovan
