// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "slideshow/SlideDropFilter.h"

#include "pictures/ImageHelpers.h"
#include "pictures/PictureFiles.h"

#include <QAbstractItemView>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

SlideDropFilter::SlideDropFilter(QAbstractItemView* view, DropHandler onDrop)
    : QObject(view), m_onDrop(std::move(onDrop))
{
    view->setAcceptDrops(true);
    view->viewport()->setAcceptDrops(true);
    view->viewport()->installEventFilter(this);
}

QStringList SlideDropFilter::PictureFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (PictureTypeOf(path) != CXIMAGE_FORMAT_UNKNOWN && QFileInfo(path).isFile())
            paths << path;
    }
    return paths;
}

bool SlideDropFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        // The view's own handling would refuse the drag (the list has no
        // drag and drop of its own), so it is answered here.
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (PictureFiles(drag->mimeData()).isEmpty()) {
            drag->ignore();
        } else {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = PictureFiles(drop->mimeData());
        if (paths.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        m_onDrop(paths);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
