#pragma once
// The program-wide state of the widget toolkit and the services it draws on. Exactly one toolkit is
// installed while widgets live: the application makes it at start-up with its services and keeps it to the
// end; tests make one per case.
//
// It holds the four focus pointers of input routing, the holders of the held keys, the one tooltip, the modal
// shade and the frame counter of the tooltip's every-second-frame tick. A focus pointer or key holder never
// outlives its widget: a widget's destructor clears every pointer to it, and hiding a widget clears the pointers
// into its subtree, so that input never goes to a widget that cannot be seen.
//
// Threads: see the table in client/app/Scene.h; the focus pointers are atomic as well.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

namespace kestrovan {

class Image;
class Tooltip;
class UiServices;
class Widget;
class WidgetRenderer;
class WidgetResources;

class WidgetToolkit {
public:
    WidgetToolkit(UiServices& services, WidgetResources& resources, WidgetRenderer& renderer);
    ~WidgetToolkit();
    WidgetToolkit(const WidgetToolkit&) = delete;
    WidgetToolkit& operator=(const WidgetToolkit&) = delete;

    // The installed toolkit; null when none is.
    static WidgetToolkit* Current();
    // The installed toolkit; the program stops when none is (a widget used without its toolkit).
    static WidgetToolkit& Get();
    // The debug check at the entries of every state of the screens (widgets, screens, their parts, the table):
    // the calling thread holds the widget-tree lock, or is none of the program's threads
    // (UiServices::CheckWidgetTreeAccess). Nothing without a toolkit, or in the release build.
    static void CheckTreeAccess(const char* entry);

    UiServices& Services() { return services_; }
    WidgetResources& Resources() { return resources_; }
    WidgetRenderer& Renderer() { return renderer_; }

    // The widget that last accepted a mouse message (hover or pressed).
    Widget* GetMouseWidget() const { return mouseWidget_.load(); }
    void SetMouseWidget(Widget* widget) { mouseWidget_.store(widget); }
    // The panel or window last clicked into, shown or brought to the front.
    Widget* GetActiveWidget() const { return activeWidget_.load(); }
    void SetActiveWidget(Widget* widget) { activeWidget_.store(widget); }
    // The widget that receives all input while set (an open combo-box list).
    Widget* GetExclusiveWidget() const { return exclusiveWidget_.load(); }
    void SetExclusiveWidget(Widget* widget) { exclusiveWidget_.store(widget); }
    // Per held key, the widget that took its first press (a button pressed by its hot key, a modal window), or
    // null: the key's auto-repeats and its key-up go to that widget alone, wherever the routing would send them
    // now, so a window opened while the key is held neither takes the key from it nor leaves it pressed.
    Widget* GetKeyHolder(uint32_t key) const { return key < kKeys ? keyHolders_[key].load() : nullptr; }
    void SetKeyHolder(uint32_t key, Widget* widget) {
        if (key < kKeys) keyHolders_[key].store(widget);
    }
    // The widget whose tooltip was shown last.
    Widget* GetTooltipOwner() const { return tooltipOwner_.load(); }
    void SetTooltipOwner(Widget* widget) { tooltipOwner_.store(widget); }

    // A widget is going away: no pointer may keep it.
    void Forget(const Widget& widget);
    // A widget was hidden: the pointers to it or into its subtree let go, and the hover or press of the widget
    // they held ends with it (a button hidden while pressed is not still pressed when it shows again).
    void ForgetHidden(const Widget& widget);

    // The one tooltip, made on first use.
    Tooltip& GetTooltip();
    // The half-transparent shade drawn under the active modal window, made (and loaded) on first use.
    Image& GetModalShade();
    // Deletes the tooltip and the shade.
    void ReleaseUiSingletons();

    // True on every second call: the tooltip advances on every second tick.
    bool TakeTooltipTick() { return (tooltipTicks_++ & 1) != 0; }

private:
    static bool IsInSubtree(const Widget* widget, const Widget& root);

    UiServices& services_;
    WidgetResources& resources_;
    WidgetRenderer& renderer_;
    std::atomic<Widget*> mouseWidget_{nullptr};
    std::atomic<Widget*> activeWidget_{nullptr};
    std::atomic<Widget*> exclusiveWidget_{nullptr};
    std::atomic<Widget*> tooltipOwner_{nullptr};
    static constexpr uint32_t kKeys = 256;  // virtual-key codes
    std::array<std::atomic<Widget*>, kKeys> keyHolders_{};
    std::unique_ptr<Tooltip> tooltip_;
    std::unique_ptr<Image> modalShade_;
    uint32_t tooltipTicks_ = 0;
};

}  // namespace kestrovan
