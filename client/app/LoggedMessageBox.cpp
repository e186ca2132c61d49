#include "client/app/LoggedMessageBox.h"

#include <algorithm>

#include "QuillLib/core/LogSystem.h"

namespace kestrovan {

int LoggedMessageBox::Show(const platform::MessageBoxRequest& request) {
    // One log line: the text's own line breaks become spaces.
    quill::WString text(request.text);
    std::replace(text.begin(), text.end(), u'\n', u' ');
    std::replace(text.begin(), text.end(), u'\r', u' ');
    quill::TheLog().Log(u"Message box \"%s\": %s\n", request.caption, text);
    return shown_.Show(request);
}

}  // namespace kestrovan
