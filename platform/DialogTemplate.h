// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A dialog laid out as a table, the way a resource script lays it out:
// positions and sizes in dialog units, Windows style bits, and the order of
// the rows is the tab order. DialogBuilder turns a table into widgets.

#include <cstdint>
#include <span>

enum class ControlKind {
    PushButton,
    DefPushButton,
    CheckBox,
    GroupBox,
    Text,  // static text
    Frame, // static black or grey frame, or an empty static area
    Icon,  // static icon
    ListBox,
    TreeView,
    Edit,
    ComboBox,
    Trackbar,
};

// Style bits with their Windows values, so the tables read like the resource
// script they stand in for. Only the bits the builder honours are listed.
namespace ws {
inline constexpr std::uint32_t Popup = 0x80000000;
inline constexpr std::uint32_t Child = 0x40000000;
inline constexpr std::uint32_t Visible = 0x10000000;
inline constexpr std::uint32_t Disabled = 0x08000000;
inline constexpr std::uint32_t Caption = 0x00C00000;
inline constexpr std::uint32_t Border = 0x00800000;
inline constexpr std::uint32_t VScroll = 0x00200000;
inline constexpr std::uint32_t HScroll = 0x00100000;
inline constexpr std::uint32_t SysMenu = 0x00080000;
inline constexpr std::uint32_t Group = 0x00020000;
inline constexpr std::uint32_t TabStop = 0x00010000;
} // namespace ws

namespace ds {
inline constexpr std::uint32_t SetFont = 0x0040;
inline constexpr std::uint32_t ModalFrame = 0x0080;
inline constexpr std::uint32_t FixedSys = 0x0008;
} // namespace ds

namespace wsex {
inline constexpr std::uint32_t Transparent = 0x00000020;
inline constexpr std::uint32_t AppWindow = 0x00040000;
inline constexpr std::uint32_t StaticEdge = 0x00020000;
} // namespace wsex

namespace bs {
inline constexpr std::uint32_t DefPushButton = 0x0001;
inline constexpr std::uint32_t AutoCheckBox = 0x0003;
inline constexpr std::uint32_t GroupBox = 0x0007;
} // namespace bs

namespace ss {
inline constexpr std::uint32_t Icon = 0x0003;
inline constexpr std::uint32_t BlackFrame = 0x0007;
inline constexpr std::uint32_t GrayFrame = 0x0008;
inline constexpr std::uint32_t NoPrefix = 0x0080;
inline constexpr std::uint32_t RightJust = 0x0400;
} // namespace ss

namespace lbs {
inline constexpr std::uint32_t Notify = 0x0001;
inline constexpr std::uint32_t Sort = 0x0002;
inline constexpr std::uint32_t HasStrings = 0x0040;
inline constexpr std::uint32_t NoIntegralHeight = 0x0100;
inline constexpr std::uint32_t DisableNoScroll = 0x1000;
} // namespace lbs

namespace es {
inline constexpr std::uint32_t AutoHScroll = 0x0080;
} // namespace es

namespace cbs {
inline constexpr std::uint32_t DropDown = 0x0002;
} // namespace cbs

namespace tbs {
inline constexpr std::uint32_t Both = 0x0008;
inline constexpr std::uint32_t NoTicks = 0x0010;
inline constexpr std::uint32_t Tooltips = 0x0100;
} // namespace tbs

namespace tvs {
inline constexpr std::uint32_t HasButtons = 0x0001;
inline constexpr std::uint32_t HasLines = 0x0002;
inline constexpr std::uint32_t LinesAtRoot = 0x0004;
} // namespace tvs

inline constexpr int IDC_STATIC = -1;

struct DialogControl {
    int id;
    ControlKind kind;
    const char* text;
    int x, y, cx, cy; // dialog units
    std::uint32_t style;
    std::uint32_t exStyle = 0;
};

struct DialogTemplate {
    int id;
    const char* caption;
    int cx, cy; // dialog units
    const char* fontFace;
    int pointSize;
    std::uint32_t style;
    std::uint32_t exStyle;
    std::span<const DialogControl> controls;
};
