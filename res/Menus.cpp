#include "res/Menus.h"

#include "res/Resource.h"

#include <Qt>

namespace {
using M = MenuItem;
} // namespace

const MenuTemplate& TrayMenu()
{
    static const MenuTemplate menu{
        IDR_TRAY_MENU,
        {M::Popup("Context Menu",
                  {M::Command("&Configure Tessorel", ID_TRAY_CONFIGURE), M::Command("&About Tessorel", ID_TRAY_ABOUT),
                   M::Separator(), M::Command("E&xit Tessorel", ID_TRAY_EXIT)})}};
    return menu;
}

const MenuTemplate& PhotoMenu()
{
    static const MenuTemplate menu{
        IDR_PHOTO_MENU,
        {M::Popup("Click Photo", {M::Command("&Change Photo Image", ID_CHANGE_PHOTO_IMAGE),
                                  M::Command("&Delete Photo", ID_DELETE_PHOTO),
                                  M::Command("&Restore Actual ZoomRatio", ID_RESTORE_RATIO)})}};
    return menu;
}

const MenuTemplate& BackgroundMenu()
{
    static const MenuTemplate menu{
        IDR_BACKGROUND_MENU,
        {M::Popup("Click BackGround",
                  {M::Command("&Change Background", ID_CHANGE_BACKGROUND), M::Command("&Add Photo", ID_ADD_PHOTO)})}};
    return menu;
}

const MenuTemplate& MainMenu()
{
    static const MenuTemplate menu{
        IDR_MAIN_MENU,
        {M::Popup("&File", {M::Command("&Open", ID_FILE_OPEN), M::Command("&Save", ID_FILE_SAVE), M::Separator(),
                            M::Command("&Quit", ID_QUIT)}),
         M::Popup("&Edit Photos",
                  {M::Command("&Undo", ID_EDIT_UNDO), M::Command("&Redo", ID_EDIT_REDO), M::Separator(),
                   M::Command("&Mirror", ID_MIRROR), M::Command("&Flip", ID_FLIP), M::Command("&Negative", ID_NEGATIVE),
                   M::Separator(), M::Command("Rotate &Left", ID_ROTATE_LEFT),
                   M::Command("Rotate &Right", ID_ROTATE_RIGHT), M::Separator(),
                   M::Command("Gray Scale", ID_GRAY_SCALE)}),
         M::Popup("&Help",
                  {M::Command("&Tip of day", ID_SHOW_TIP), M::Separator(), M::Command("&About", ID_APP_ABOUT)})}};
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
