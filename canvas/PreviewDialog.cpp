// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/PreviewDialog.h"

#include "core/SceneGraph.h"
#include "pictures/ImageHelpers.h"
#include "res/Dialogs.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

CPreviewDialog::CPreviewDialog(QWidget* parent) : CDialog(PreviewDialogTemplate(), parent) {}

bool CPreviewDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    // A full-screen window on the primary screen, placed there by the window
    // system: a Wayland compositor ignores where a window asks to be moved,
    // but honours the full-screen state. The geometry set first serves window
    // systems that take the screen from the window's place.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        // The template's fixed size would keep the window from growing.
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setScreen(screen);
        setGeometry(screen->geometry());
    }
    setWindowState(windowState() | Qt::WindowFullScreen);
    return true;
}

CRect CPreviewDialog::SceneTarget() const
{
    const SceneGraph* scene = SceneGraph::GetInstance();
    if (!scene)
        return {};
    float scale = 0.0f;
    return ResizeRect(scene->GetBackGroundActualRect(), CRect(0, 0, width(), height()), scale);
}

void CPreviewDialog::paintEvent(QPaintEvent*)
{
    // Outside the fitted scene the window keeps its ordinary background,
    // which Qt has drawn already.
    const SceneGraph* scene = SceneGraph::GetInstance();
    if (!scene)
        return;
    QPainter painter(this);
    scene->Render(&painter, SceneTarget());
}

void CPreviewDialog::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Only a left double-click closes the preview; single clicks and other
    // buttons get the ordinary handling, which does nothing here.
    CDialog::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        OnCancel();
}

void CPreviewDialog::keyPressEvent(QKeyEvent* event)
{
    // Enter ends the preview as OK does in any dialog; Escape is Cancel.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OnOK();
        return;
    }
    CDialog::keyPressEvent(event);
}
