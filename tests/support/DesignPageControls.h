// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The design page from outside, as a user meets it: its controls found by
// their ids, a folder chosen in its tree, and the start-up tip held back
// while a test runs. Header-only and free of gtest, so the benchmarks use it
// too.

#include "canvas/PhotoImageEditCtrl.h"
#include "canvas/PhotoPreviewCtrl.h"
#include "designer/DesignPage.h"
#include "res/Resource.h"
#include "support/ControlOf.h"
#include "support/HookGuards.h"
#include "widgets/ListBox.h"

#include <QFileSystemModel>
#include <QPushButton>
#include <QTreeView>
#include <QtGlobal>

// While it lives, no design page offers the start-up tip (or, given true,
// the next one to paint does).
using StartupTipGuard = HookGuard<bool, CDesignPage::SetStartupTipPending>;

// The design page's controls, found by their ids, and the folder tree driven
// as a user drives it.
struct DesignPageControls {
    static CListBox& PhotoList(const QWidget* page) { return ControlOf<CListBox>(page, IDC_PHOTO_LIST); }
    static QTreeView& FolderTree(const QWidget* page) { return ControlOf<QTreeView>(page, IDC_FOLDER_TREE); }
    static CPhotoPreviewCtrl& Preview(const QWidget* page)
    {
        return ControlOf<CPhotoPreviewCtrl>(page, IDC_PHOTO_PREVIEW);
    }
    static CPhotoImageEditCtrl& Canvas(const QWidget* page)
    {
        return ControlOf<CPhotoImageEditCtrl>(page, IDC_DESIGN_CANVAS);
    }

    // The file system behind the folder tree.
    static QFileSystemModel& Folders(const QWidget* page)
    {
        auto* model = qobject_cast<QFileSystemModel*>(FolderTree(page).model());
        if (!model)
            qFatal("the design page's folder tree shows no file system");
        return *model;
    }

    // The folder the tree has selected ("" for none).
    static QString SelectedFolder(const QWidget* page)
    {
        const QModelIndex current = FolderTree(page).currentIndex();
        return current.isValid() ? Folders(page).filePath(current) : QString();
    }

    // Makes path the tree's current folder, as choosing it does; the page
    // lists it at once. A folder that is current already is chosen again:
    // the tree leaves it for no item and comes back, as a user who clicks
    // elsewhere and back does.
    static void ChooseFolder(const QWidget* page, const QString& path)
    {
        QTreeView& tree = FolderTree(page);
        const QModelIndex item = Folders(page).index(path);
        if (tree.currentIndex() == item)
            tree.setCurrentIndex(QModelIndex());
        tree.setCurrentIndex(item);
    }
};
