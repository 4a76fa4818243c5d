#include "slideshow/SetWallpaperDlg.h"

#include "res/Dialogs.h"

CSetWallpaperDlg::CSetWallpaperDlg(QWidget* parent) : CPropertyPage(SlideShowPageTemplate(), parent) {}
