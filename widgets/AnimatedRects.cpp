// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/AnimatedRects.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <QVariantAnimation>
#include <QWidget>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

int g_requests = 0;

#ifndef _WIN32
// A frameless outline shaped by a mask, so it needs no compositor.
class OutlineWindow : public QWidget {
public:
    OutlineWindow()
        : QWidget(nullptr,
                  Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_DeleteOnClose);
    }

    void Place(const QRect& r)
    {
        setGeometry(r);
        const QRect local(QPoint(0, 0), r.size());
        setMask(QRegion(local).subtracted(QRegion(local.adjusted(2, 2, -2, -2))));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Highlight));
    }
};

bool CanPlaceTopLevels()
{
    const QString platform = QGuiApplication::platformName();
    return platform == u"xcb" || platform == u"windows";
}
#endif

} // namespace

int AnimatedRectsRequests()
{
    return g_requests;
}

void DrawAnimatedRects(int idAni, const CRect& from, const CRect& to)
{
    ++g_requests;
#ifdef _WIN32
    RECT a{from.left, from.top, from.right, from.bottom};
    RECT b{to.left, to.top, to.right, to.bottom};
    ::DrawAnimatedRects(nullptr, idAni, &a, &b);
#else
    (void)idAni;
    if (!CanPlaceTopLevels() || from.IsRectEmpty() || to.IsRectEmpty())
        return;
    auto* outline = new OutlineWindow;
    auto* anim = new QVariantAnimation(outline);
    anim->setDuration(180);
    anim->setStartValue(from.ToQRect());
    anim->setEndValue(to.ToQRect());
    QObject::connect(anim, &QVariantAnimation::valueChanged, outline,
                     [outline](const QVariant& v) { outline->Place(v.toRect()); });
    QObject::connect(anim, &QVariantAnimation::finished, outline, &QWidget::close);
    outline->Place(from.ToQRect());
    outline->show();
    anim->start();
#endif
}
