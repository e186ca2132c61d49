#pragma once
// The base of every piece of the 2D interface: a rectangle on the screen drawn by one sprite, with an
// ordered list of child widgets (the last drawn on top and offered input first). It holds the tree
// operations, geometry, anchoring, visibility and state, graphics loading, the per-frame update and draw,
// input routing and the event chain by which controls tell their listeners what happened, and the
// factories through which dialogs make their controls.
//
// Ownership: a parent owns the children handed to it as std::unique_ptr (and made by its factories) and
// deletes them with itself; a child attached by pointer stays its owner's. A child that outlives its
// parent is detached from it, and a widget destroyed while attached leaves its parent's list.
//
// Threads: a screen's widgets are made, changed, routed to, ticked and drawn by the threads that the table in
// client/app/Scene.h names, each holding the scene manager's widget-tree lock, so one widget is never written and read
// at once; the operations that change what other threads read check it in the test build (CheckTreeAccess). A widget
// keeps no lock of its own.
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "QuillLib/core/SharedPtr.h"
#include "client/ui/WidgetRect.h"
#include "platform/system/WString.h"
#include "platform/window/Message.h"

namespace kestrovan {

class AnimatedImage;
class Button;
class ComboBox;
class Image;
class Panel;
class TextLabel;
class WidgetSprite;
class WidgetTexture;
struct FontDesc;

// What a widget is; routing tests Panel, Window, Button and ScrollBar.
enum class WidgetKind : int32_t {
    Widget = 0,
    Image = 1,
    AnimatedImage = 2,
    Panel = 3,
    Window = 4,
    Button = 5,
    ScrollBar = 6,
    TextLabel = 7,
    Tooltip = 8,
    EditBox = 9,
    ComboBox = 10,
    NumberDisplay = 11,
};

// Visual states; a Window uses Pressed while it is dragged.
namespace WidgetState {
inline constexpr int32_t Disabled = 0;
inline constexpr int32_t Normal = 1;
inline constexpr int32_t Hover = 2;
inline constexpr int32_t Pressed = 3;
}  // namespace WidgetState

// Modes of Widget::SetAnchor.
namespace AnchorMode {
inline constexpr int32_t Left = 1;
inline constexpr int32_t Right = 2;
inline constexpr int32_t Top = 3;
inline constexpr int32_t Bottom = 4;
inline constexpr int32_t HCentre = 5;
inline constexpr int32_t VCentre = 6;
}  // namespace AnchorMode

class Widget {
public:
    using WParam = platform::WParam;
    using LParam = platform::LParam;

    Widget();
    virtual ~Widget();
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    // --- Virtual operations ------------------------------------------------------------------------------
    virtual void OnResize(int32_t w, int32_t h);
    // Binds the loaded texture to the sprite.
    virtual void OnLoad(uint32_t arg, const quill::SharedPtr<WidgetTexture>& texture);
    virtual void OnMove();
    virtual Widget* GetParent() const;
    virtual void SetState(int32_t state);
    // Draws the widget's own sprite.
    virtual void Update();
    // Draws the widget, then its children in list order.
    virtual void UpdateTree();
    virtual bool OnMouse(uint32_t msg, WParam wParam, LParam lParam);
    virtual bool OnKey(uint32_t msg, WParam wParam, LParam lParam);
    // The widget takes every key none of its children took (a modal window, a popup): no key passes below it.
    virtual bool TakesEveryKey() const { return false; }
    virtual void BringChildToFront(Widget* child);
    // The event chain: a control raises (source, a, b) at its parent; the base forwards it unchanged to its
    // own parent (false at a root). Dialogs override it and answer true for what they handled.
    virtual bool OnEvent(Widget* source, int32_t a, int32_t b);
    virtual void OnShow();
    virtual void OnHide();
    virtual void Tick(uint32_t now);
    virtual void OnEnable(bool enabled);
    virtual void ReleaseFocus();
    virtual void SetTooltip(platform::WStringView text);
    // Shows or hides the widget; every visible descendant hears OnShow or OnHide before the widget itself.
    virtual void SetVisible(bool visible);
    // Rectangle (x, y, w, h), control id and value; makes the sprite showing (0, 0, w-1, h-1).
    virtual void Create(int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t value);

    // --- Tree --------------------------------------------------------------------------------------------
    // Attaches the child and takes ownership of it; returns it.
    Widget* AddChild(std::unique_ptr<Widget> child, bool visible);
    // Attaches the child: it leaves its previous parent (ownership moves with it when that parent owned
    // it), is offset by this widget's top-left, goes to the end of the list and is shown or hidden as by
    // Show. Nothing happens when it is a child of this widget already.
    void AddChild(Widget* child, bool visible);
    // Unlinks the child; hands back ownership when this widget held it.
    [[nodiscard]] std::unique_ptr<Widget> RemoveChild(Widget* child);
    // The children in list order (a copy).
    std::vector<Widget*> GetChildren() const;

    // --- Identity and geometry ---------------------------------------------------------------------------
    WidgetKind GetKind() const { return kind_; }
    int32_t GetState() const { return state_; }
    // A hover or press the widget can no longer see through (it hid, or its key went elsewhere) ends: back to
    // the normal state. A disabled widget stays as it is.
    void EndHoverAndPress();
    int32_t GetId() const { return id_; }
    void SetId(int32_t id) { id_ = id; }
    int32_t GetValue() const { return value_; }
    bool IsAutoDelete() const;
    void SetAcceptsMouse(bool accepts) { acceptsMouse_ = accepts; }

    WidgetRect GetRect() const;
    WidgetRect GetSourceRect() const;
    WidgetRect GetFrameRect() const;
    WidgetRect GetSecondRect() const;
    int32_t Width() const;
    int32_t Height() const;
    // The rectangle only; the sprite stays where it is.
    void SetRect(int32_t x, int32_t y, int32_t w, int32_t h);
    // A hit rectangle in parent coordinates (buttons, scroll-bar wheel areas).
    void SetSecondRect(int32_t x, int32_t y, int32_t w, int32_t h);
    // Moves the widget, its sprite and its whole subtree.
    void Offset(int32_t dx, int32_t dy);
    // Places the top-left relative to the parent's top-left (the screen origin without a parent).
    void SetPosition(int32_t x, int32_t y);
    // w and h are the extents minus one: the widget becomes w + 1 by h + 1 pixels.
    void SetSize(int32_t w, int32_t h);
    // The part of the texture shown; w or h of -1 means the widget's own width or height.
    void SetSourceRect(int32_t x, int32_t y, int32_t w, int32_t h);
    void SetImage(int32_t textureId, int32_t srcX, int32_t srcY, int32_t w, int32_t h, float scaleX,
                  float scaleY);
    void SetScale(float scaleX, float scaleY);
    int32_t GetTextureId() const { return textureId_; }
    // Places the widget against the screen: hMode Left, Right or HCentre, vMode Top, Bottom or VCentre; any
    // other mode leaves that axis as it was. Right and bottom offsets are therefore negative.
    void SetAnchor(int32_t hMode, int32_t hOffset, int32_t vMode, int32_t vOffset);
    void ApplyAnchor(int32_t screenWidth, int32_t screenHeight);
    void ApplyChildAnchors(int32_t screenWidth, int32_t screenHeight);

    // --- Visibility and state ----------------------------------------------------------------------------
    // Sets the flag without the hooks; hiding lets go of the focus pointers into the subtree, showing a
    // Window brings it to the front.
    void Show(bool visible);
    bool IsVisible() const { return visible_; }
    bool WasVisible() const { return previousVisible_; }
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return enabled_; }
    // Visible and enabled, and so is every widget above it: input may reach it.
    bool TakesInput() const;
    void RefreshState();
    // The sprite's opacity (0..1), on the whole subtree.
    void SetAlpha(float alpha);
    float GetAlpha() const;
    const platform::WString& GetTooltipText() const { return tooltip_; }
    bool HasTooltip() const { return hasTooltip_; }
    // Raises (this, code, 0) at the parent.
    void NotifyParent(int32_t code);

    // --- Graphics and time -------------------------------------------------------------------------------
    // Fetches the texture (once, or again after SetImage), binds it and loads the subtree.
    bool LoadGraphics(uint32_t arg);
    void TickTree(uint32_t now);
    void ReleaseTexture();
    bool HasSprite() const { return sprite_ != nullptr; }
    // A copy of the sprite's state, for tests and tools; the sprite itself stays the widget's.
    bool GetSpriteState(WidgetSprite& out) const;

    // --- Input routing -----------------------------------------------------------------------------------
    // Entry point of a scene root, under the widget-tree lock: to the exclusive widget, else to an active
    // modal window, else here. A key's auto-repeats and its key-up go to the widget that took its first press.
    bool RouteMessage(uint32_t msg, WParam wParam, LParam lParam);
    bool DispatchMessage(uint32_t msg, WParam wParam, LParam lParam);
    bool DispatchKey(uint32_t msg, WParam wParam, LParam lParam);
    bool DispatchMouse(uint32_t msg, WParam wParam, LParam lParam);

    // --- Factories: allocate, create, give the image, attach visible, return --------------------------------
    Panel* CreatePanel(int32_t x, int32_t y, int32_t w, int32_t h, int32_t texture, int32_t srcX, int32_t srcY,
                       int32_t srcW = -1, int32_t srcH = -1, float scaleX = 1.0f, float scaleY = 1.0f);
    Image* CreateImage(int32_t x, int32_t y, int32_t w, int32_t h, int32_t texture, int32_t srcX, int32_t srcY,
                       int32_t srcW = -1, int32_t srcH = -1, float scaleX = 1.0f, float scaleY = 1.0f);
    AnimatedImage* CreateAnimatedImage(int32_t x, int32_t y, int32_t w, int32_t h, int32_t animationId,
                                       int32_t animationValue, int32_t texture, int32_t srcX, int32_t srcY,
                                       int32_t srcW = -1, int32_t srcH = -1, float scaleX = 1.0f,
                                       float scaleY = 1.0f);
    Button* CreateButton(int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t value, int32_t texture,
                         int32_t srcX, int32_t srcY, int32_t srcW = -1, int32_t srcH = -1, float scaleX = 1.0f,
                         float scaleY = 1.0f);
    ComboBox* CreateComboBox(int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t value,
                             int32_t texture, int32_t srcX, int32_t srcY, int32_t srcW = -1, int32_t srcH = -1,
                             float scaleX = 1.0f, float scaleY = 1.0f);
    TextLabel* CreateTextLabel(int32_t x, int32_t y, int32_t w, int32_t h, const FontDesc* font,
                               uint32_t alignment, uint8_t layoutOption);

protected:
    void SetKind(WidgetKind kind) { kind_ = kind; }
    // Stores the state without the virtual hooks (subclasses' own SetState use it).
    void StoreState(int32_t state) { state_ = state; }
    void SetValue(int32_t value) { value_ = value; }
    // Makes the sprite at the rectangle's top-left showing (0, 0, w-1, h-1) of the texture.
    void CreateSprite();
    // The part handed to the sprite (buttons select a frame inside the source rectangle).
    void SetFrameRect(const WidgetRect& frame);
    uint32_t GetUpdateArg() const { return updateArg_; }
    // The toolkit's UI switch.
    static bool UiUpdateEnabled();
    // The debug check at the operations that change what other threads read (visibility, place, children,
    // text): the calling thread may change the tree now (UiServices::CheckWidgetTreeAccess).
    static void CheckTreeAccess(const char* entry);
    // Each child's UpdateTree in list order, except the exclusive widget's (the scene root draws it last).
    void UpdateChildren();
    // Moves a child to the end of the list; false when it is not a child.
    bool MoveChildToEnd(Widget* child);

private:
    // Where RouteMessage sends what no held key fixes.
    Widget& RouteTarget();
    bool RouteKeyRepeat(WParam wParam, LParam lParam);
    static bool ReleaseHeldKey(WParam wParam, LParam lParam);
    // Visible and enabled, and it or a widget of its subtree takes every key.
    bool SwallowsKeys() const;

    struct Anchor {
        bool left = false;
        bool right = false;
        bool top = false;
        bool bottom = false;
        bool hCentre = false;
        bool vCentre = false;
        int32_t hOffset = 0;
        int32_t vOffset = 0;
    };

    void RefreshSubtree(bool showing);
    void AfterVisibilityChange(bool visible);
    void MoveSprite();
    // Walks the children from the topmost down; steps 3 and 4 of mouse routing. True when a child took it.
    bool OfferMouseToChildren(uint32_t msg, WParam wParam, LParam lParam);
    void BecomeMouseWidget(uint32_t msg, LParam lParam);
    void ShowTooltipAt(int32_t mouseX, int32_t mouseY);
    // Unlinks a child that is being destroyed elsewhere.
    void ForgetChild(Widget* child);
    // The entry of owned_ holding the child; owned_.end() when this widget does not own it.
    std::vector<std::unique_ptr<Widget>>::iterator FindOwned(const Widget* child);
    // The image a factory gives its widget.
    struct ImageSource {
        int32_t texture;
        int32_t srcX;
        int32_t srcY;
        int32_t srcW;
        int32_t srcH;
        float scaleX;
        float scaleY;
    };
    template <class Kind>
    Kind* Adopt(std::unique_ptr<Kind> child);
    // Makes a Kind at (x, y, w, h) with the id and value, gives it the image and attaches it visible.
    template <class Kind>
    Kind* CreateImaged(int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t value,
                       const ImageSource& image);

    WidgetKind kind_ = WidgetKind::Widget;
    // Written by routing, read by drawing: the flags drawing tests are atomic.
    std::atomic<int32_t> state_{WidgetState::Normal};
    int32_t id_ = -1;
    int32_t value_ = -1;
    Widget* parent_ = nullptr;
    bool acceptsMouse_ = true;
    Anchor anchor_;
    uint32_t updateArg_ = 0;
    int32_t textureId_ = 35;
    bool explicitImage_ = false;
    WidgetRect rect_{0, 0, -1, -1};
    WidgetRect sourceRect_{0, 0, -1, -1};
    WidgetRect frameRect_{0, 0, -1, -1};
    WidgetRect secondRect_{0, 0, 0, 0};
    std::atomic<bool> visible_{true};
    bool previousVisible_ = false;
    std::atomic<bool> enabled_{true};
    float scaleX_ = 1.0f;
    float scaleY_ = 1.0f;
    std::unique_ptr<WidgetSprite> sprite_;
    quill::SharedPtr<WidgetTexture> texture_;
    std::vector<Widget*> children_;
    std::vector<std::unique_ptr<Widget>> owned_;
    platform::WString tooltip_;
    bool hasTooltip_ = false;
    int32_t lastMouseY_ = 0;
    int32_t lastMouseX_ = 0;
};

}  // namespace kestrovan
