#pragma once
// The layout check of the screens on the headless App: a screen as it stands, then each window it holds shown
// alone in turn, then the shared popups, walked (WidgetLayoutWalk) and judged by the layout rules against the
// interface textures as the default data paints them (SkinPictures). The mouse then rests on each control in
// turn, as a player's does: the tooltip it shows is judged, the control's own texts on its hovered face, and the
// screen again when resting there shows more of it (a room's details, a row's badge); so is the caret each edit
// box shows once it has the focus, against its field. Faults the layouts
// themselves give are listed with where they come from; every other fault fails the check, and the known ones
// still found are printed, so that each report names them.
#include <string>
#include <vector>

#include "client/app/App.h"
#include "client/ui/Widget.h"
#include "tests/support/layout/LayoutRules.h"

namespace kestrovan::test {

// Gives the headless App its device and the screen's labels their fonts, as the program has them when a
// screen is shown, so that what a screen measures as it is filled (a title cut to its column, a chat line's
// band as wide as its text) is measured as it will be drawn. Before the screen is filled.
void MeasureTextsAsDrawn(App& app, Widget& screen);

class ScreenLayout {
public:
    // Makes the one tooltip, as the program's start does.
    explicit ScreenLayout(App& app);

    // The screen and each of its hidden windows shown alone (and theirs in turn).
    void CheckScreen(Widget& screen, const std::string& name);
    // One window shown alone and hidden again.
    void CheckWindow(Widget& window, const std::string& name);
    // A window as it stands, shown by the screen (a window that slides in, once it has).
    void CheckShown(Widget& window, const std::string& name);
    // The scene manager's shared popups (message boxes with their longest lines, messenger, profile, settings,
    // My Info), each shown alone over the screen.
    void CheckSharedPopups(Widget& screen);

    // A dialog with tabs (controls 5 to 8: the settings) on each of its pages after the first.
    void CheckLaterPages(Widget& dialog, const std::string& name);

    // The faults no known entry accepts, one to a line; empty when the screens keep every rule.
    std::string Unexpected() const;

private:
    void Judge(const Widget& root, const std::string& name);
    // Judge, then the mouse resting on each control of the tree, then the carets its boxes show when focused.
    void JudgeWithHover(Widget& root, const std::string& name);
    void JudgeCarets(Widget& root, const std::string& name);
    void Report(const std::vector<kvtest::LayoutFault>& faults, const std::string& name);
    // Each hidden window the parent holds, shown alone.
    void CheckHiddenWindows(Widget& parent, const std::string& name);

    App& app_;
    std::vector<std::string> unexpected_;
};

}  // namespace kestrovan::test
