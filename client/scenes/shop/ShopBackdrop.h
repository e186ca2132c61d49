#pragma once
// The shop's backdrop: the background tiles that drift across the whole screen, the top bar with its
// stretching right end, and the blank render scene behind the shop (one for every visit).
//
// Threads: see the table in client/app/Scene.h; the drift, which Update changes and Render reads, is atomic.
#include <atomic>
#include <cstdint>
#include <vector>

namespace quill {
class RenderScene;
class RenderSceneManager;
}  // namespace quill

namespace kestrovan {

class Image;
class Widget;

class ShopBackdrop {
public:
    static constexpr int32_t kTile = 256;

    // The screen lays its widgets out in one order; these are the backdrop's places in it.
    void BuildTiles(Widget& screen);
    void BuildTopBar(Widget& screen);

    // The top bar's right end stretches over a screen wider than 1024; the tiles cover the screen.
    void Resize(int32_t width, int32_t height);
    // The tiles drift left and down by the drift so far.
    void PlaceTiles(int32_t width, int32_t height);
    void Drift();
    float Offset() const { return offset_.load(); }

    // Selects the blank render scene, made on the first visit and found again afterwards.
    void SelectBlankScene(quill::RenderSceneManager* scenes);
    int32_t BlankScenesCreated() const { return blankScenesCreated_; }

private:
    std::vector<Image*> tiles_;  // owned by the tree
    Image* topBar_ = nullptr;
    Image* stretch_ = nullptr;
    std::atomic<float> offset_{0.0f};
    quill::RenderScene* blankScene_ = nullptr;  // main thread
    int32_t blankScenesCreated_ = 0;
};

}  // namespace kestrovan
