// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The slide-show page from outside, as a user meets it: its controls found
// by their ids, and its timer, whose period and running show, and whose tick
// a test can bring on at once. Header-only and free of gtest, so the
// benchmarks use it too.

#include "canvas/PhotoPreviewCtrl.h"
#include "res/Resource.h"
#include "slideshow/SetWallpaperDlg.h"
#include "support/ControlOf.h"
#include "widgets/ListBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QTimerEvent>
#include <QtGlobal>

// The slide-show page's controls, found by their ids, and its timer.
struct SlideShowControls {
    static QLineEdit& FolderEdit(const QWidget* page) { return ControlOf<QLineEdit>(page, IDC_FOLDER_EDIT); }
    static CListBox& Files(const QWidget* page) { return ControlOf<CListBox>(page, IDC_FILE_LIST); }
    static CListBox& Slides(const QWidget* page) { return ControlOf<CListBox>(page, IDC_SLIDE_LIST); }
    static CPhotoPreviewCtrl& Preview(const QWidget* page)
    {
        return ControlOf<CPhotoPreviewCtrl>(page, IDC_SLIDE_PREVIEW);
    }
    static QComboBox& ShowType(const QWidget* page) { return ControlOf<QComboBox>(page, IDC_SHOW_TYPE); }
    static QSlider& FrequencySlider(const QWidget* page) { return ControlOf<QSlider>(page, IDC_FREQUENCY_SLIDER); }
    static QLineEdit& Frequency(const QWidget* page) { return ControlOf<QLineEdit>(page, IDC_FREQUENCY_EDIT); }
    static QComboBox& Units(const QWidget* page) { return ControlOf<QComboBox>(page, IDC_FREQUENCY_UNITS); }
    static QCheckBox& Random(const QWidget* page) { return ControlOf<QCheckBox>(page, IDC_RANDOM); }
    static QPushButton& PlayStop(const QWidget* page) { return ControlOf<QPushButton>(page, IDC_PLAY_STOP); }

    // The slide-show timer.
    static QTimer& Timer(const QWidget* page)
    {
        auto* timer =
            page->findChild<QTimer*>(QLatin1StringView(CSetWallpaperDlg::kTimerName), Qt::FindDirectChildrenOnly);
        if (!timer)
            qFatal("the slide-show page has no timer");
        return *timer;
    }

    // One tick of the running timer, now rather than a period later;
    // nothing when the timer is stopped.
    static void Tick(const QWidget* page)
    {
        QTimer& timer = Timer(page);
        if (!timer.isActive())
            return;
        QTimerEvent tick(timer.timerId());
        QCoreApplication::sendEvent(&timer, &tick);
    }
};
