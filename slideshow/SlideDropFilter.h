// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Lets a list view take picture files dragged from a file manager: a drag
// that carries at least one local picture file is accepted as a copy, and the
// drop hands the picture files, in the order they were dragged, to a
// callback. Other files in the same drag are left out.

#include <QObject>
#include <QStringList>

#include <functional>

class QAbstractItemView;
class QMimeData;

class SlideDropFilter : public QObject {
    Q_OBJECT

public:
    using DropHandler = std::function<void(const QStringList& paths)>;

    // Owned by view; installs itself on the view's viewport.
    SlideDropFilter(QAbstractItemView* view, DropHandler onDrop);

    // The local picture files a drag carries.
    static QStringList PictureFiles(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DropHandler m_onDrop;
};
