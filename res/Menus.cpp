// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "res/Menus.h"

#include "res/Resource.h"

#include <Qt>
#include <QtGlobal>

// The texts are in English and marked for lupdate in the "Menu" context;
// menus are built with their translation.

namespace {
using M = MenuItem;
} // namespace

const MenuTemplate& TrayMenu()
{
    static const MenuTemplate menu{
        IDR_TRAY_MENU,
        {M::Popup(QT_TRANSLATE_NOOP("Menu", "Context Menu"),
                  {M::Command(QT_TRANSLATE_NOOP("Menu", "&Configure Tessorel"), ID_TRAY_CONFIGURE),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "&About Tessorel"), ID_TRAY_ABOUT), M::Separator(),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "E&xit Tessorel"), ID_TRAY_EXIT)})}};
    return menu;
}

const MenuTemplate& PhotoMenu()
{
    static const MenuTemplate menu{
        IDR_PHOTO_MENU,
        {M::Popup(QT_TRANSLATE_NOOP("Menu", "Click Photo"),
                  {M::Command(QT_TRANSLATE_NOOP("Menu", "&Change Photo Image"), ID_CHANGE_PHOTO_IMAGE),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "&Delete Photo"), ID_DELETE_PHOTO),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "&Restore Actual ZoomRatio"), ID_RESTORE_RATIO)})}};
    return menu;
}

const MenuTemplate& BackgroundMenu()
{
    static const MenuTemplate menu{
        IDR_BACKGROUND_MENU,
        {M::Popup(QT_TRANSLATE_NOOP("Menu", "Click BackGround"),
                  {M::Command(QT_TRANSLATE_NOOP("Menu", "&Change Background"), ID_CHANGE_BACKGROUND),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "&Add Photo"), ID_ADD_PHOTO)})}};
    return menu;
}

const MenuTemplate& MainMenu()
{
    static const MenuTemplate menu{
        IDR_MAIN_MENU,
        {M::Popup(QT_TRANSLATE_NOOP("Menu", "&File"),
                  {M::Command(QT_TRANSLATE_NOOP("Menu", "&Open"), ID_FILE_OPEN),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "&Save"), ID_FILE_SAVE), M::Separator(),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "Restore at &Login"), ID_RESTORE_AT_LOGIN),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "&Quit"), ID_QUIT)}),
         M::Popup(QT_TRANSLATE_NOOP("Menu", "&Edit Photos"),
                  {M::Command(QT_TRANSLATE_NOOP("Menu", "&Undo"), ID_EDIT_UNDO),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "&Redo"), ID_EDIT_REDO), M::Separator(),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "&Mirror"), ID_MIRROR),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "&Flip"), ID_FLIP),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "&Negative"), ID_NEGATIVE), M::Separator(),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "Rotate &Left"), ID_ROTATE_LEFT),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "Rotate &Right"), ID_ROTATE_RIGHT), M::Separator(),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "Gray Scale"), ID_GRAY_SCALE)}),
         M::Popup(QT_TRANSLATE_NOOP("Menu", "&Help"),
                  {M::Command(QT_TRANSLATE_NOOP("Menu", "&Tip of day"), ID_SHOW_TIP), M::Separator(),
                   M::Command(QT_TRANSLATE_NOOP("Menu", "&About"), ID_APP_ABOUT)})}};
    return menu;
}

const AcceleratorTable& MainAccelerators()
{
    static const AcceleratorTable table{IDR_MAIN_ACCELERATOR,
                                        {{Qt::Key_O, Qt::ControlModifier, ID_FILE_OPEN},
                                         {Qt::Key_S, Qt::ControlModifier, ID_FILE_SAVE},
                                         {Qt::Key_Z, Qt::ControlModifier, ID_EDIT_UNDO},
                                         {Qt::Key_Z, (Qt::ControlModifier | Qt::ShiftModifier).toInt(), ID_EDIT_REDO},
                                         {Qt::Key_Y, Qt::ControlModifier, ID_EDIT_REDO}}};
    return table;
}

const AcceleratorTable& DesignAccelerators()
{
    static const AcceleratorTable table{IDR_ACCELERATOR,
                                        {{Qt::Key_Delete, 0, ID_DELETE_KEY}, {Qt::Key_Escape, 0, ID_IGNORE_ESCAPE}}};
    return table;
}
