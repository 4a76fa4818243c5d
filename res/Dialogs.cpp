// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "res/Dialogs.h"

#include "res/Resource.h"

#include <QtGlobal>
#include <array>

// The texts are in English and marked for lupdate in the "Dialog" context;
// the builder shows their translation (DialogText).

namespace {

using K = ControlKind;
constexpr std::uint32_t V = ws::Child | ws::Visible;
constexpr std::uint32_t Button = V | ws::TabStop;
constexpr std::uint32_t Group = V; // group boxes
constexpr std::uint32_t Modal = ds::ModalFrame | ws::Popup | ws::Caption | ws::SysMenu | ds::SetFont;
constexpr std::uint32_t Page = ws::Child | ws::Caption | ws::SysMenu | ds::SetFont;
constexpr std::uint32_t PlainListBox =
    V | lbs::Notify | lbs::HasStrings | lbs::NoIntegralHeight | ws::VScroll | ws::HScroll | ws::Border | ws::TabStop;

const DialogControl kAbout[] = {
    {IDC_STATIC, K::Icon, "128", 11, 17, 21, 20, V | ss::Icon},
    {IDC_STATIC, K::Text, QT_TRANSLATE_NOOP("Dialog", "Quilvane Version 1.0"), 40, 13, 119, 8, V | ss::NoPrefix},
    {IDC_STATIC, K::Text, QT_TRANSLATE_NOOP("Dialog", "Version 1.0.1 (Build 20)"), 39, 27, 119, 8, V},
    {IDC_STATIC, K::Text, QT_TRANSLATE_NOOP("Dialog", "Compose your desktop from your own photos."), 38, 47, 175, 8, V},
    {IDC_OK, K::DefPushButton, QT_TRANSLATE_NOOP("Dialog", "OK"), 95, 91, 50, 16,
     Button | ws::Group | bs::DefPushButton},
};

// The rows stand in tab order.
const DialogControl kDesign[] = {
    {IDC_OK, K::DefPushButton, QT_TRANSLATE_NOOP("Dialog", "OK"), 480, 351, 50, 16, Button | bs::DefPushButton},
    {IDC_FOLDER_TREE, K::TreeView, "", 16, 35, 163, 75,
     V | tvs::HasButtons | tvs::HasLines | tvs::LinesAtRoot | ws::Border | ws::TabStop},
    {IDC_PHOTO_PREVIEW, K::Frame, "", 23, 213, 147, 101, V | ss::BlackFrame | ss::RightJust},
    {IDC_DESIGN_CANVAS, K::Frame, "", 199, 49, 327, 268, V | ss::BlackFrame},
    {IDC_STATIC, K::GroupBox, QT_TRANSLATE_NOOP("Dialog", "Preview"), 12, 202, 174, 143, Group | bs::GroupBox},
    {IDC_CHANGE_BACKGROUND, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "Change Background"), 203, 324, 78, 14, Button},
    {IDC_SET_AS_WALLPAPER, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "Set As Wallpaper"), 439, 324, 72, 14, Button},
    {IDC_PREVIEW, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "Preview"), 363, 324, 68, 14, Button},
    {IDC_SAVE_AS_JPG, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "Save As JPG"), 289, 324, 68, 14, Button},
    {IDC_PHOTO_WIDTH, K::Text, QT_TRANSLATE_NOOP("Dialog", "Width"), 25, 319, 58, 8, V},
    {IDC_PHOTO_HEIGHT, K::Text, QT_TRANSLATE_NOOP("Dialog", "Height"), 25, 332, 64, 8, V},
    {IDC_PHOTO_TYPE, K::Text, QT_TRANSLATE_NOOP("Dialog", "Type"), 105, 319, 43, 8, V},
    {IDC_PHOTO_LIST, K::ListBox, "", 17, 117, 164, 77,
     V | lbs::Notify | lbs::Sort | lbs::HasStrings | lbs::NoIntegralHeight | lbs::DisableNoScroll | ws::VScroll |
         ws::HScroll | ws::TabStop,
     wsex::StaticEdge | wsex::Transparent},
    {IDC_STATIC, K::GroupBox, QT_TRANSLATE_NOOP("Dialog", "Photo Select"), 12, 23, 174, 177, Group | bs::GroupBox},
    {IDC_STATIC, K::GroupBox, QT_TRANSLATE_NOOP("Dialog", "WallPaper Design"), 192, 23, 343, 321, Group | bs::GroupBox},
    // Placeholders: the page writes the background's size into both before
    // it is first shown, so they are no text to translate.
    {IDC_BACKGROUND_WIDTH, K::Text, "Static", 204, 35, 89, 8, V},
    {IDC_BACKGROUND_HEIGHT, K::Text, "Static", 324, 35, 99, 8, V},
};

const DialogControl kSlideShow[] = {
    {IDC_SLIDE_LIST, K::ListBox, "", 226, 23, 242, 109, PlainListBox},
    {IDC_SLIDE_PREVIEW, K::Frame, "", 25, 157, 161, 119, V | ss::BlackFrame},
    {IDC_MOVE_UP, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "Up"), 473, 34, 26, 22, Button},
    {IDC_ADD_TO_LIST, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "Add"), 199, 66, 22, 22, Button},
    {IDC_MOVE_DOWN, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "Down"), 472, 66, 26, 22, Button},
    {IDC_SHOW_TYPE, K::ComboBox, "", 238, 142, 72, 30, V | cbs::DropDown | ws::VScroll | ws::TabStop},
    {IDC_SET_WALLPAPER, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "Set Wallpaper"), 243, 160, 67, 14, Button},
    {IDC_STATIC, K::GroupBox, QT_TRANSLATE_NOOP("Dialog", "Set As Wallpaper Slide Show"), 203, 191, 265, 90,
     Group | bs::GroupBox},
    {IDC_PLAY_STOP, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "Play"), 381, 232, 42, 14, Button},
    {IDC_STATIC, K::Text, QT_TRANSLATE_NOOP("Dialog", "Slide Frequency"), 218, 212, 52, 8, V},
    {IDC_FREQUENCY_SLIDER, K::Trackbar, "", 272, 211, 99, 12,
     V | tbs::Both | tbs::NoTicks | tbs::Tooltips | ws::TabStop},
    {IDC_FREQUENCY_EDIT, K::Edit, "", 372, 210, 21, 14, V | es::AutoHScroll | ws::Border | ws::TabStop},
    {IDC_FILE_LIST, K::ListBox, "", 27, 46, 160, 90, PlainListBox},
    {IDC_FOLDER_EDIT, K::Edit, "", 28, 26, 127, 14, V | es::AutoHScroll | ws::Border | ws::Disabled},
    {IDC_BROWSE_FOLDER, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "..."), 163, 25, 23, 14, Button},
    {IDC_FREQUENCY_UNITS, K::ComboBox, "", 400, 210, 50, 30, V | cbs::DropDown | ws::VScroll | ws::TabStop},
    {IDC_RANDOM, K::CheckBox, QT_TRANSLATE_NOOP("Dialog", "Random"), 219, 236, 42, 10, Button | bs::AutoCheckBox},
    {IDC_REMOVE, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "Remove"), 321, 143, 67, 14, Button},
    {IDC_STATIC, K::Text, QT_TRANSLATE_NOOP("Dialog", "Show Type"), 199, 143, 36, 8, V},
    {IDC_SAVE_LIST, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "Save List"), 322, 160, 67, 14, Button},
    {IDC_OPEN_LIST, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "Open List"), 401, 160, 67, 14, Button},
    {IDC_REMOVE_ALL, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "Remove All"), 401, 143, 67, 14, Button},
    {IDC_STATIC, K::GroupBox, QT_TRANSLATE_NOOP("Dialog", "Preview"), 17, 144, 177, 140, Group | bs::GroupBox},
    {IDC_STATIC, K::GroupBox, QT_TRANSLATE_NOOP("Dialog", "Select File"), 17, 14, 178, 129, Group | bs::GroupBox},
};

const DialogControl kTip[] = {
    {IDC_OK, K::DefPushButton, QT_TRANSLATE_NOOP("Dialog", "OK"), 233, 125, 50, 14, Button | bs::DefPushButton},
    {IDC_BULB, K::Frame, "", 19, 17, 31, 31, V | ss::GrayFrame, wsex::Transparent},
    {IDC_STARTUP, K::CheckBox, QT_TRANSLATE_NOOP("Dialog", "&Show tips on startup"), 15, 125, 83, 10,
     Button | bs::AutoCheckBox},
    {IDC_NEXT_TIP, K::PushButton, QT_TRANSLATE_NOOP("Dialog", "Next Tip"), 171, 125, 50, 14, Button},
    {IDC_TIP_AREA, K::Frame, "", 9, 7, 273, 108, V | ss::GrayFrame},
    // The text rectangle is only a place to measure; it is never shown.
    {IDC_TIP_TEXT, K::Frame, "", 63, 47, 209, 60, ws::Child | ss::GrayFrame},
};

const DialogTemplate kTemplates[] = {
    {IDD_ABOUTBOX, QT_TRANSLATE_NOOP("Dialog", "About Quilvane V1"), 235, 114, "MS Shell Dlg", 8, Modal, 0, kAbout},
    {IDD_DESIGN_PAGE, QT_TRANSLATE_NOOP("Dialog", "Design"), 554, 386, "MS Shell Dlg", 8, Page, wsex::AppWindow,
     kDesign},
    {IDD_PREVIEW, "", 266, 154, "MS Shell Dlg", 8, ws::Popup | ws::SysMenu | ds::SetFont | ds::FixedSys, 0, {}},
    {IDD_SLIDESHOW_PAGE, QT_TRANSLATE_NOOP("Dialog", "Wallpaper"), 515, 307, "MS Shell Dlg", 8, Page, 0, kSlideShow},
    {IDD_TIP, QT_TRANSLATE_NOOP("Dialog", "Tip of the day"), 294, 151, "MS Shell Dlg", 8, Modal, 0, kTip},
};

const std::array<const DialogTemplate*, 5> kAll = {&kTemplates[0], &kTemplates[1], &kTemplates[2], &kTemplates[3],
                                                   &kTemplates[4]};

} // namespace

const DialogTemplate& AboutDialogTemplate()
{
    return kTemplates[0];
}
const DialogTemplate& DesignPageTemplate()
{
    return kTemplates[1];
}
const DialogTemplate& PreviewDialogTemplate()
{
    return kTemplates[2];
}
const DialogTemplate& SlideShowPageTemplate()
{
    return kTemplates[3];
}
const DialogTemplate& TipDialogTemplate()
{
    return kTemplates[4];
}

std::span<const DialogTemplate* const> AllDialogTemplates()
{
    return kAll;
}
