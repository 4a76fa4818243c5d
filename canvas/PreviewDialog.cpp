#include "canvas/PreviewDialog.h"

#include "core/ImageHelpers.h"
#include "core/SceneGraph.h"
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
    // The primary screen only, in device-independent pixels; with several
    // monitors the primary one need not start at (0, 0).
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        setFixedSize(area.size());
        move(area.topLeft());
    }
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
