#pragma once

#include "platform/PropertyPage.h"

// The slide-show page. Its controls are laid out; the folder and file list,
// the slide list editing, playback and list files come with the slide-show
// page work.
class CSetWallpaperDlg : public CPropertyPage {
    Q_OBJECT

public:
    explicit CSetWallpaperDlg(QWidget* parent = nullptr);
};
