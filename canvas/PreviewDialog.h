// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/Dialog.h"

// The design shown on the whole primary screen, in a full-screen window,
// fitted with the background's proportions and drawn at the screen's device
// pixels. A left double-click, Escape, Enter or the system close command
// ends it. It only reads the scene.
class CPreviewDialog : public CDialog {
    Q_OBJECT

public:
    explicit CPreviewDialog(QWidget* parent = nullptr);

    // Where the scene is drawn: the background's rectangle fitted into the
    // client area.
    CRect SceneTarget() const;

protected:
    bool OnInitDialog() override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
