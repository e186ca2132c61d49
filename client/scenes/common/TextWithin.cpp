#include "client/scenes/common/TextWithin.h"

#include "client/ui/TextLabel.h"

namespace kestrovan {

void SetTextWithin(TextLabel& label, quill::WStringView text, int32_t width) {
    label.SetText(text);
    if (label.MeasureText() <= width)
        return;
    size_t fits = 0;  // the longest prefix known to fit
    size_t over = text.size();  // the shortest known not to
    while (over - fits > 1) {
        const size_t middle = fits + (over - fits) / 2;
        (label.MeasurePrefix(middle) <= width ? fits : over) = middle;
    }
    label.SetText(text.substr(0, fits));
}

}  // namespace kestrovan
