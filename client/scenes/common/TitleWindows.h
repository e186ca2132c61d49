#pragma once
// The windows that every screen's title-bar buttons and keys open: Settings (F3), My Info (F4) and the
// Messenger (F8). Each screen hands its button or key to OpenTitleWindow, so that all screens open the same
// windows the same way. The Messenger opens when it is closed and closes when it is open; Settings and My
// Info open over the screen, My Info on the screen's own game mode when it has one (Scene::ProfileGameMode). A program without one of these windows shows the shared notice that the
// function is not available ("Upgrading this function..") instead.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

namespace kestrovan {

class SceneManager;
class Widget;

enum class TitleWindow : uint8_t { Settings, MyInfo, Messenger };

// Opens the window over screen (the current scene that asked).
void OpenTitleWindow(SceneManager& scenes, Widget& screen, TitleWindow window);

}  // namespace kestrovan
