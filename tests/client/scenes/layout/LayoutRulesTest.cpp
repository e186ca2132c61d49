// The layout rules on made-up items: texts that overlap or run together within a layer (and not across
// layers), a text past its widget, what is drawn outside the screen, pictures cut across two faces of their
// texture; and what a player sees of them: texts against the texels behind them, texts and controls under
// later pictures, controls without captions, faces that do not fit their windows and controls, digits that
// do not read, fields, title bands, empty, ragged and sliver-edged panels, and what stands alone over the scene.
#include <gtest/gtest.h>

#include "tests/support/layout/LayoutRules.h"

namespace kvtest {
namespace {

using Kind = LayoutFault::Kind;

LayoutItem Text(const char* name, LayoutBox drawn, int32_t layer = 0) {
    LayoutItem item;
    item.name = name;
    item.drawn = drawn;
    item.text = true;
    item.layer = layer;
    return item;
}

const LayoutBox kScreen{0, 0, 1024, 768};

LayoutItem Picture(const char* name, int32_t texture, LayoutBox cut, LayoutBox drawn, int32_t layer = 0) {
    LayoutItem item;
    item.name = name;
    item.texture = texture;
    item.cut = cut;
    item.drawn = drawn;
    item.layer = layer;
    return item;
}

TextureFace Face(int32_t texture, LayoutBox box, TextureFace::Kind kind = TextureFace::Kind::Plain) {
    TextureFace face;
    face.texture = texture;
    face.box = box;
    face.kind = kind;
    return face;
}

// Texture 0 is light grey, texture 1 dark slate, texture 2 clear.
uint32_t Texel(int32_t texture, int32_t, int32_t) {
    return texture == 0 ? 0xFFE8ECF0 : texture == 1 ? 0xFF2A323C : 0x00000000;
}

TEST(LayoutRules, TextsOfOneLayerMustNotOverlap) {
    // A name drawn over its own shadow, two pixels off, is one text.
    const std::vector<LayoutItem> items{Text("a", {10, 10, 60, 24}), Text("b", {59, 20, 90, 34}),
                                        Text("c", {60, 0, 90, 14}), Text("d", {10, 10, 60, 24}, 1),
                                        Text("name", {200, 12, 250, 26}), Text("name", {198, 10, 248, 24})};
    const std::vector<LayoutFault> faults = FindLayoutFaults(items, kScreen);
    ASSERT_EQ(faults.size(), 1u) << Describe(faults);
    EXPECT_EQ(faults[0].kind, Kind::TextsOverlap);
    EXPECT_NE(faults[0].description.find("a (10,10)-(60,24) overlaps b"), std::string::npos) << faults[0].description;
    // Two pixels apart on one line, a date and its points read as one.
    const std::vector<LayoutFault> close = FindLayoutFaults({Text("date", {100, 10, 156, 22}), Text("points", {158, 10, 170, 22})}, kScreen);
    ASSERT_EQ(close.size(), 1u) << Describe(close);
    EXPECT_NE(close[0].description.find("runs into points"), std::string::npos) << close[0].description;
}

TEST(LayoutRules, ATextStaysInItsWidgetAndEverythingOnTheScreen) {
    LayoutItem inside = Text("inside", {10, 10, 50, 24});
    inside.hasFrame = true;
    inside.frame = {10, 10, 50, 24};
    LayoutItem past = Text("past", {300, 59, 350, 73});
    past.hasFrame = true;
    past.frame = {20, 0, 496, 64};
    LayoutItem picture;
    picture.name = "picture";
    picture.drawn = {1000, 0, 1062, 40};
    LayoutItem nothing;
    nothing.name = "empty";
    nothing.drawn = {2000, 2000, 2000, 2010};
    // A tab standing left of its window holds its caption; a label of the window itself does not run past it.
    const auto inWindow = [](const char* name, LayoutBox drawn, LayoutBox frame) {
        LayoutItem text = Text(name, drawn);
        text.hasFrame = text.hasWindow = true;
        text.frame = frame;
        text.window = {755, 487, 1014, 760};
        return text;
    };
    const std::vector<LayoutFault> faults =
        FindLayoutFaults({inside, past, picture, nothing, inWindow("tab", {691, 565, 751, 581}, {674, 559, 757, 588}),
                          inWindow("label", {740, 500, 800, 514}, {755, 487, 1014, 760})},
                         kScreen);
    ASSERT_EQ(faults.size(), 3u) << Describe(faults);
    EXPECT_EQ(faults[0].kind, Kind::TextPastFrame);
    EXPECT_EQ(faults[1].kind, Kind::OffScreen);
    EXPECT_NE(faults[1].description.find("picture"), std::string::npos);
    EXPECT_NE(faults[2].description.find("label"), std::string::npos) << faults[2].description;
}

// A picture may lie whole in a face (the last painted over it) or hold whole faces; a face painted later
// over part of it, or a face it takes only part of, shows pieces of two.
TEST(LayoutRules, APictureShowsOneFaceOrWholeFaces) {
    const auto face = [](int32_t texture, LayoutBox box) {
        TextureFace painted;
        painted.texture = texture;
        painted.box = box;
        return painted;
    };
    const std::vector<TextureFace> faces{face(0, {0, 0, 85, 128}),   face(0, {85, 0, 170, 128}),
                                         face(0, {40, 100, 60, 140}), face(0, {300, 0, 400, 50}),
                                         face(0, {300, 0, 350, 20}),  face(1, {0, 0, 200, 200})};
    const auto picture = [](const char* name, int32_t texture, LayoutBox cut) {
        LayoutItem item;
        item.name = name;
        item.texture = texture;
        item.cut = cut;
        return item;
    };
    const std::vector<LayoutItem> items{
        picture("inside", 0, {85, 0, 170, 32}),      picture("wide", 0, {85, 0, 186, 23}),
        picture("covered", 0, {0, 90, 85, 122}),     picture("holds", 0, {290, 0, 410, 60}),
        picture("later inside", 0, {300, 0, 340, 10}), picture("other texture", 1, {85, 0, 186, 23}),
        picture("no face", 0, {500, 500, 600, 600})};
    const std::vector<LayoutFault> faults = FindCutFaults(items, faces);
    ASSERT_EQ(faults.size(), 2u) << Describe(faults);
    EXPECT_EQ(faults[0].kind, Kind::CutAcrossFaces);
    EXPECT_NE(faults[0].description.find("wide cuts (85,0)-(186,23) of texture 0 across the face (85,0)-(170,128)"),
              std::string::npos)
        << faults[0].description;
    EXPECT_NE(faults[1].description.find("covered cuts (0,90)-(85,122) of texture 0 across the face (40,100)-(60,140)"),
              std::string::npos)
        << faults[1].description;
}

// White ink reads on the dark face and not on the light one nor over the scene through a clear one; an
// outlined text reads on anything.
TEST(LayoutRules, ATextStandsOutFromTheTexelsBehindIt) {
    const auto white = [](const char* name, int32_t left) {
        LayoutItem text = Text(name, {left, 10, left + 40, 24});
        text.colour = 0xFFFFFFFF;
        return text;
    };
    LayoutItem outlined = white("outlined", 200);
    outlined.outlined = true;
    // A text dimmed to 0.4 on purpose needs 2.4:1: light grey keeps 2.9:1 on the dark face, mid grey 1.6:1.
    const auto dimmed = [](const char* name, int32_t top, uint32_t ink) {
        LayoutItem text = Text(name, {55, top, 95, top + 10});
        text.colour = 0x66000000u | ink;
        return text;
    };
    const std::vector<LayoutItem> items{Picture("light", 0, {0, 0, 50, 50}, {0, 0, 50, 50}),
                                        Picture("dark", 1, {0, 0, 50, 50}, {50, 0, 100, 50}),
                                        Picture("clear", 2, {0, 0, 50, 50}, {100, 0, 150, 50}),
                                        Picture("light again", 0, {0, 0, 50, 50}, {200, 0, 250, 50}),
                                        white("on light", 5), white("on dark", 55), white("through clear", 105),
                                        outlined, dimmed("dimmed", 30, 0xE0E0E0), dimmed("dimmed too far", 40, 0x7A828A)};
    const std::vector<LayoutFault> faults = FindLowContrast(items, Texel, 0xFFD0D0D0);
    ASSERT_EQ(faults.size(), 3u) << Describe(faults);
    EXPECT_NE(faults[0].description.find("on light"), std::string::npos);
    EXPECT_NE(faults[1].description.find("through clear"), std::string::npos);
    EXPECT_NE(faults[2].description.find("dimmed too far"), std::string::npos);
    EXPECT_NEAR(ContrastRatio(0xFFFFFFFF, 0xFF000000), 21.0, 1e-9);
}

// An opaque picture drawn later hides a text; a clear one does not. A button drawn later takes the clicks
// over the whole of its rectangle, whatever it shows there; a control shows through a half-translucent gauge.
TEST(LayoutRules, TextsAndControlsUnderLaterPicturesAreCovered) {
    LayoutItem filter = Picture("filter", 1, {0, 0, 24, 24}, {290, 10, 314, 34});
    filter.control = Control::Toggle;
    LayoutItem create = Picture("create", 2, {0, 0, 120, 120}, {304, 0, 424, 120});
    create.button = true;
    LayoutItem chalk = Picture("chalk", 1, {0, 0, 67, 67}, {500, 0, 567, 67});
    chalk.button = true;
    LayoutItem gauge = Picture("gauge", 1, {0, 0, 66, 66}, {501, 0, 567, 66});
    gauge.opacity = 0.5f;
    const std::vector<LayoutItem> items{Text("gold", {10, 10, 50, 24}), Text("clan", {110, 10, 150, 24}), filter,
                                        Picture("panel", 1, {0, 0, 50, 50}, {0, 18, 60, 60}),
                                        Picture("clear frame", 2, {0, 0, 50, 50}, {100, 0, 160, 60}), create, chalk,
                                        gauge};
    const std::vector<LayoutFault> faults = FindCovered(items, Texel);
    ASSERT_EQ(faults.size(), 2u) << Describe(faults);
    EXPECT_EQ(faults[0].kind, Kind::TextCovered);
    EXPECT_NE(faults[0].description.find("gold (10,10)-(50,24) is covered by panel"), std::string::npos);
    EXPECT_EQ(faults[1].kind, Kind::ControlCovered);
    EXPECT_NE(faults[1].description.find("filter"), std::string::npos);
}

// A caption stands left of, right of or above its control; what a list shows is no caption, a check box's
// own caption is, and so is a mark painted on the control's face.
TEST(LayoutRules, EveryInputControlHasACaptionBesideIt) {
    const auto control = [](const char* name, Control kind, LayoutBox drawn) {
        LayoutItem item;
        item.name = name;
        item.control = kind;
        item.drawn = drawn;
        return item;
    };
    LayoutItem seat = control("seat", Control::Toggle, {400, 300, 436, 336});
    seat.texture = 0;
    seat.cut = {0, 0, 36, 36};
    TextureFace digit = Face(0, {0, 0, 36, 144}, TextureFace::Kind::Control);
    digit.marked = true;
    const std::vector<LayoutItem> items{
        control("title", Control::Edit, {110, 40, 390, 58}),  Text("title caption", {20, 42, 100, 54}),
        control("players", Control::List, {95, 80, 235, 100}), Text("players/Button/TextLabel '6 Players'", {130, 82, 190, 94}),
        control("box", Control::Toggle, {10, 120, 41, 138}), Text("box/TextLabel 'Invert'", {45, 122, 80, 134}),
        control("slider", Control::Slider, {10, 200, 210, 216}), Text("slider caption", {10, 180, 100, 194}),
        control("alone", Control::Edit, {600, 600, 700, 618}),  seat};
    const std::vector<LayoutFault> faults = FindUncaptioned(items, {digit});
    ASSERT_EQ(faults.size(), 2u) << Describe(faults);
    EXPECT_NE(faults[0].description.find("players"), std::string::npos) << "a list's own text names no list";
    EXPECT_NE(faults[1].description.find("alone"), std::string::npos);
    // A caption flush against its box reads as one with what is typed there; its own text does not.
    const std::vector<LayoutFault> against = FindTextsAgainstFields(
        {control("chat", Control::Edit, {23, 720, 363, 738}), Text("chat caption", {0, 721, 23, 731}),
         Text("chat/TextLabel 'hi'", {23, 722, 35, 734}), Text("apart", {367, 721, 390, 731})});
    ASSERT_EQ(against.size(), 1u) << Describe(against);
    EXPECT_NE(against[0].description.find("chat caption"), std::string::npos) << against[0].description;
}

// A window wears one face of its size that holds its texts and controls; buttons that say nothing wear a
// painted face; a control's face inside a picture has a control on it; a picture of one of a control's
// frames is a control; an untouched button wears its normal frame; an icon over a picture has clear corners.
TEST(LayoutRules, WindowsAndControlsWearFacesThatFit) {
    using FaceKind = TextureFace::Kind;
    std::vector<TextureFace> faces{Face(0, {0, 0, 300, 200}),
                                   Face(0, {300, 0, 400, 100}),
                                   Face(0, {0, 200, 100, 220}, FaceKind::Control),
                                   Face(0, {0, 220, 100, 240}, FaceKind::Control),
                                   Face(1, {0, 0, 20, 20}, FaceKind::Icon)};
    faces[2].frames = faces[3].frames = 2;
    faces[3].look = 1;
    LayoutItem small = Picture("small", 0, {0, 0, 400, 100}, {0, 0, 400, 100}, 1);
    small.windowFace = true;
    LayoutItem dialog = Picture("dialog", 0, {0, 0, 300, 200}, {500, 0, 800, 200}, 2);
    dialog.windowFace = true;
    LayoutItem close = Picture("dialog/close", 0, {500, 500, 522, 522}, {770, 10, 792, 32}, 2);
    close.button = close.hasWindow = true;
    LayoutItem hovered = Picture("dialog/ok", 0, {0, 220, 100, 240}, {600, 150, 700, 170}, 2);
    hovered.button = hovered.untouched = true;
    const std::vector<LayoutItem> items{
        small,
        dialog,
        Text("dialog/TextLabel 'past'", {780, 180, 820, 194}, 2),
        close,
        hovered,
        Text("dialog/ok/TextLabel 'OK'", {640, 152, 660, 166}, 2),
        Picture("badge", 0, {0, 200, 100, 220}, {10, 300, 110, 320}),
        Picture("sheet", 0, {0, 180, 120, 260}, {0, 400, 120, 480}),
        Picture("coin", 1, {0, 0, 20, 20}, {10, 410, 30, 430}),
    };
    const std::vector<LayoutFault> faults = FindFaceFaults(items, faces, Texel);
    std::vector<Kind> kinds;
    for (const LayoutFault& fault : faults) kinds.push_back(fault.kind);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::FaceTooSmall, Kind::FaceTooSmall, Kind::UnpaintedFace, Kind::WrongLook,
                                        Kind::ControlPicture, Kind::LooseControlFace, Kind::LooseControlFace,
                                        Kind::IconSquare}))
        << Describe(faults);
}

// A caption painted in a face shows where its picture shows it, or is cut by the picture's edge.
TEST(LayoutRules, PaintedCaptionsAreTextsOfTheirPictures) {
    TextureFace caption = Face(0, {10, 10, 90, 30}, TextureFace::Kind::Caption);
    caption.text = "Players";
    caption.ink = {40, 14, 88, 26};
    caption.colour = 0xFFE8ECF0;
    std::vector<LayoutFault> faults;
    const std::vector<LayoutItem> whole =
        WithPaintedCaptions({Picture("page", 0, {0, 0, 100, 40}, {200, 100, 300, 140}, 3)}, {caption}, faults);
    ASSERT_EQ(whole.size(), 2u);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
    EXPECT_EQ(whole[1].name, "page caption 'Players'");
    EXPECT_TRUE(whole[1].text && whole[1].painted);
    EXPECT_EQ(whole[1].layer, 3);
    EXPECT_EQ(whole[1].drawn.left, 240);
    EXPECT_EQ(whole[1].drawn.bottom, 126);
    const std::vector<LayoutItem> cut = WithPaintedCaptions({Picture("strip", 0, {0, 0, 60, 40}, {0, 0, 60, 40})}, {caption}, faults);
    EXPECT_EQ(cut.size(), 1u);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].description.find("is cut by its picture"), std::string::npos);
}

// The reader judges every cell of a strip a display cuts from, as high as its cells, and a control face's digit.
TEST(LayoutRules, EveryDigitOfAStripAndOfAControlFaceReadsAsItself) {
    TextureFace strip = Face(0, {0, 0, 100, 18}, TextureFace::Kind::Digits);
    TextureFace seat = Face(0, {0, 40, 36, 76}, TextureFace::Kind::Control);
    seat.digit = 3;
    std::vector<LayoutBox> read;
    const DigitReader reader = [&read](int32_t, const LayoutBox& box) {
        read.push_back(box);
        if (box.top == 40 + 4) return 8;                   // the seat's 3 reads as 8
        return box.left == 0 ? -1 : box.left / 10;         // the strip's 0 reads as none
    };
    const std::vector<LayoutItem> items{Picture("cell", 0, {30, 0, 40, 14}, {0, 0, 10, 14}),
                                        Picture("cell again", 0, {50, 0, 60, 14}, {10, 0, 20, 14}),
                                        Picture("seat", 0, {0, 40, 36, 76}, {50, 0, 86, 36})};
    const std::vector<LayoutFault> faults = FindUnreadableDigits(items, {strip, seat}, reader);
    ASSERT_EQ(faults.size(), 2u) << Describe(faults);
    EXPECT_NE(faults[0].description.find("14 high from the strip (0,0)-(100,18) of texture 0: 0 reads as no digit;"),
              std::string::npos)
        << faults[0].description;
    EXPECT_NE(faults[1].description.find("whose 3 reads as 8"), std::string::npos) << faults[1].description;
    EXPECT_EQ(read.size(), 11u) << "ten cells once, and the seat's face inside its bevel";
}

// An edit box on the face it shares with its window stands on nothing; on a darker field just around it, it
// stands on a field. A window's title band needs a title.
TEST(LayoutRules, EditBoxesStandOnFieldsAndTitleBandsHoldTitles) {
    LayoutItem box;
    box.name = "box";
    box.control = Control::Edit;
    box.drawn = {40, 40, 160, 58};
    const LayoutItem face = Picture("face", 0, {0, 0, 300, 200}, {0, 0, 300, 200});
    EXPECT_EQ(FindBareFields({face, box}, Texel, 0xFF404850).size(), 1u);
    const LayoutItem field = Picture("field", 1, {0, 0, 50, 50}, {38, 38, 162, 60});
    EXPECT_TRUE(FindBareFields({face, field, box}, Texel, 0xFF404850).empty());

    TextureFace titled = Face(0, {0, 0, 300, 200});
    titled.title = 28;
    LayoutItem window = face;
    window.windowFace = true;
    const std::vector<LayoutFault> untitled = FindEmptyTitles({window, Text("line", {20, 60, 200, 74})}, {titled});
    ASSERT_EQ(untitled.size(), 1u);
    EXPECT_EQ(untitled[0].kind, Kind::EmptyTitle);
    EXPECT_TRUE(FindEmptyTitles({window, Text("title", {14, 6, 90, 22})}, {titled}).empty());
}

// A large plain face with nothing over its lower half is empty unless a picture is painted there; pictures of
// one face stacked in different widths run ragged; a picture covering all but a few pixels of its panel's face
// from another face leaves slivers of it.
TEST(LayoutRules, PanelsAreNeitherEmptyNorRaggedNorSliverEdged) {
    const std::vector<LayoutItem> panel{Picture("panel", 0, {0, 0, 200, 200}, {0, 0, 200, 200}),
                                        Text("panel/TextLabel 'top'", {10, 10, 80, 24})};
    EXPECT_EQ(FindEmptyPanels(panel, {Face(0, {0, 0, 200, 200})}).size(), 1u);
    EXPECT_TRUE(FindEmptyPanels(panel, {Face(0, {0, 0, 200, 200}), Face(0, {20, 100, 180, 180}, TextureFace::Kind::Picture)})
                    .empty());

    const std::vector<TextureFace> band{Face(0, {0, 0, 100, 30})};
    const std::vector<LayoutItem> lines{Picture("line", 0, {0, 0, 100, 30}, {0, 0, 100, 30}),
                                        Picture("line", 0, {0, 0, 100, 30}, {0, 18, 160, 48})};
    EXPECT_EQ(FindRaggedColumns(lines, band).size(), 1u);
    // Bands stretched each to its own line run ragged by design; one stretched to a longer line is not fitted.
    const std::vector<LayoutItem> chat{Picture("chat", 0, {0, 0, 100, 30}, {0, 0, 130, 30}),
                                       Text("chat/TextLabel 'long line'", {10, 6, 100, 20}),
                                       Picture("chat", 0, {0, 0, 100, 30}, {0, 18, 70, 48}),
                                       Text("chat/TextLabel 'ok'", {10, 24, 40, 38})};
    EXPECT_TRUE(FindRaggedColumns(chat, band).empty());
    EXPECT_TRUE(FindBandsPastText(chat).empty());
    std::vector<LayoutItem> even = chat;
    even[2].drawn.right = 130;
    const std::vector<LayoutFault> past = FindBandsPastText(even);
    ASSERT_EQ(past.size(), 1u) << Describe(past);
    EXPECT_NE(past[0].description.find("reaches 90 pixels past its line chat/TextLabel 'ok'"), std::string::npos)
        << past[0].description;

    LayoutItem plate = Picture("plate", 0, {0, 0, 219, 99}, {0, 0, 219, 99});
    plate.panelFace = true;
    const std::vector<TextureFace> faces{Face(0, {0, 0, 219, 99}), Face(0, {300, 0, 517, 91})};
    EXPECT_EQ(FindSlivers({plate, Picture("plate/folded", 0, {300, 0, 517, 91}, {1, 0, 218, 91})}, faces).size(), 1u);
    EXPECT_TRUE(FindSlivers({plate, Picture("plate/folded", 0, {0, 0, 217, 91}, {1, 0, 218, 91})}, faces).empty());
}

// Over nothing but the scene: a scroll bar with its narrow holder, a control dimmed on purpose, a text that is
// not outlined. A bar's parts stay on it, and it shows a track.
TEST(LayoutRules, NothingStandsAloneOverTheSceneAndScrollBarsHoldTheirParts) {
    LayoutItem bar;
    bar.name = "list/holder/bar";
    bar.scrollBar = true;
    bar.drawn = {500, 100, 516, 340};
    LayoutItem row = Picture("list/row", 0, {0, 0, 100, 64}, {10, 100, 486, 164});
    row.button = true;
    row.opacity = 0.4f;
    const std::vector<LayoutFault> alone =
        FindAloneOverScene({Picture("list/holder", 0, {0, 0, 33, 262}, {497, 95, 530, 357}), bar, row,
                            Text("list/row/TextLabel 'PLAY'", {400, 110, 440, 124})},
                           Texel);
    std::vector<Kind> kinds;
    for (const LayoutFault& fault : alone) kinds.push_back(fault.kind);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::LoneScrollBar, Kind::DimmedOverScene, Kind::FloatingText})) << Describe(alone);
    const LayoutItem listFace = Picture("list/face", 0, {0, 0, 50, 50}, {0, 90, 540, 360});
    EXPECT_TRUE(FindAloneOverScene({listFace, Picture("list/holder", 0, {0, 0, 33, 262}, {497, 95, 530, 357}), bar,
                                    row, Text("list/row/TextLabel 'PLAY'", {400, 110, 440, 124})},
                                   Texel)
                    .empty());

    const LayoutItem thumb = Picture("index/bar/Image", 0, {0, 0, 12, 20}, {516, 100, 528, 120});
    LayoutItem loose = bar;
    loose.name = "index/bar";
    const std::vector<LayoutFault> parts = FindScrollBarFaults({loose, thumb});
    ASSERT_EQ(parts.size(), 2u) << Describe(parts);
    EXPECT_NE(parts[0].description.find("stands outside its bar"), std::string::npos);
    EXPECT_NE(parts[1].description.find("shows no track"), std::string::npos);
}

// A push button or step button says what it does by a pictogram on its face or a caption, and the caption
// stands in the middle of the face, not at its top.
TEST(LayoutRules, EveryButtonSaysWhatItDoesFromTheMiddleOfItsFace) {
    std::vector<TextureFace> faces{Face(0, {0, 0, 114, 32}, TextureFace::Kind::Control),
                                   Face(0, {200, 0, 214, 17}, TextureFace::Kind::Control)};
    LayoutItem challenge = Picture("room/challenge", 0, {0, 0, 114, 32}, {900, 44, 1014, 76});
    challenge.button = true;
    LayoutItem step = Picture("room/bar/step", 0, {200, 0, 214, 17}, {450, 550, 464, 567});
    step.step = true;
    const std::vector<LayoutFault> blank = FindBlankButtons({challenge, step}, faces);
    ASSERT_EQ(blank.size(), 2u) << Describe(blank);
    faces[1].marked = true;
    const std::vector<LayoutItem> captioned{challenge, Text("room/challenge/TextLabel 'Challenge'", {930, 44, 985, 56}),
                                            step};
    EXPECT_TRUE(FindBlankButtons(captioned, faces).empty());
    const std::vector<LayoutFault> high = FindOffCentreCaptions(captioned, Texel);
    ASSERT_EQ(high.size(), 1u) << Describe(high);
    EXPECT_NE(high[0].description.find("stands above the middle"), std::string::npos) << high[0].description;
    std::vector<LayoutItem> centred = captioned;
    centred[1].drawn = {930, 54, 985, 66};
    EXPECT_TRUE(FindOffCentreCaptions(centred, Texel).empty());
}

// A button beside a list's face stands on it or off it, not across its edge; the face of a button's own window
// is its ground.
TEST(LayoutRules, AButtonStandsOnAPanelOrOffIt) {
    const LayoutItem face = Picture("lobby/face", 1, {0, 0, 100, 100}, {20, 30, 560, 510});
    const auto button = [](const char* name, LayoutBox drawn) {
        LayoutItem item = Picture(name, 0, {0, 0, 122, 122}, drawn);
        item.button = true;
        return item;
    };
    const std::vector<LayoutFault> faults = FindButtonsOverEdges(
        {face, button("lobby/create", {300, 490, 422, 612}), button("lobby/inside", {100, 300, 222, 422}),
         button("lobby/face/close", {500, 20, 522, 42}), button("lobby/below", {300, 520, 422, 642})},
        Texel);
    ASSERT_EQ(faults.size(), 1u) << Describe(faults);
    EXPECT_NE(faults[0].description.find("lobby/create"), std::string::npos) << faults[0].description;
}

// A tooltip closes its frame on all four sides, on the screen: a plain face shows none; dark lines round a light
// face do, except where it runs off the screen.
TEST(LayoutRules, ATooltipShowsItsWholeFrame) {
    LayoutItem tip = Picture("Tooltip", 0, {0, 0, 80, 20}, {900, 40, 980, 60});
    tip.tooltip = true;
    EXPECT_EQ(FindOpenTooltips({tip}, Texel, kScreen).size(), 4u);
    const std::vector<LayoutItem> framed{tip, Picture("Tooltip/left", 1, {0, 0, 1, 20}, {900, 40, 901, 60}),
                                         Picture("Tooltip/right", 1, {0, 0, 1, 20}, {979, 40, 980, 60}),
                                         Picture("Tooltip/top", 1, {0, 0, 80, 1}, {900, 40, 980, 41}),
                                         Picture("Tooltip/foot", 1, {0, 0, 80, 1}, {900, 59, 980, 60})};
    EXPECT_TRUE(FindOpenTooltips(framed, Texel, kScreen).empty()) << Describe(FindOpenTooltips(framed, Texel, kScreen));
    std::vector<LayoutItem> past = framed;
    for (LayoutItem& item : past) item.drawn = {item.drawn.left + 60, item.drawn.top, item.drawn.right + 60, item.drawn.bottom};
    const std::vector<LayoutFault> off = FindOpenTooltips(past, Texel, kScreen);
    ASSERT_EQ(off.size(), 1u) << Describe(off);
    EXPECT_NE(off[0].description.find("runs off the screen"), std::string::npos);
}

}  // namespace
}  // namespace kvtest
