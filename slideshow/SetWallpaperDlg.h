// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/PhotoPreviewCtrl.h"
#include "widgets/ListBox.h"
#include "widgets/PropertyPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QString>
#include <QStringList>

class QTimerEvent;

// The slide-show page: a folder's pictures in the file list with a preview,
// the slide list gathered from them, one picture set as the wallpaper, a
// timed slide show over the slide list, and slide lists kept in list files.
// The slide list lives in its list box and nowhere else; the slide-show
// manager is handed that very list box, so edits made while a show runs
// reach the next tick.
//
// The handlers are spread over files by concern: life cycle and routing
// here, the folder and file list in SetWallpaperDlgFiles.cpp, slide list
// editing in SetWallpaperDlgSlides.cpp, playback in SetWallpaperDlgPlay.cpp
// and the list files in SetWallpaperDlgListFile.cpp.
class CSetWallpaperDlg : public CPropertyPage {
    Q_OBJECT

public:
    // The identifier the slide-show timer's ticks carry.
    static constexpr int kSlideShowTimer = 1;

    explicit CSetWallpaperDlg(QWidget* parent = nullptr);
    ~CSetWallpaperDlg() override;

    QLineEdit m_editFolder;
    CListBox m_listFiles;
    CListBox m_listSlides;
    CPhotoPreviewCtrl m_slidePreview;
    QComboBox m_comboShowType;
    QSlider m_sliderFrequency{Qt::Horizontal};
    QLineEdit m_editFrequency;
    QComboBox m_comboUnits;
    QString m_strShowTypes[3];
    // Ends in '/' whenever the file list has been filled.
    QString m_strFolder;
    bool m_bPlaying = false;
    // The slide-show timer, 0 when none runs.
    int m_nTimerID = 0;
    QCheckBox m_checkRandom;
    QPushButton m_btnPlay;

    bool OnCmdMsg(int id) override;

    void FillFileList();
    void PreviewFile(const QString& path);

    void OnBrowseFolder();
    void OnSelchangeFileList();
    void OnAddToList();
    void OnSelchangeSlideList();
    void OnSetWallpaper();
    void OnHScroll();
    void OnPlayStop();
    void OnRemove();
    void OnTimer(int nIDEvent);
    // The next picture now, asked for by the user (`quilvane --next`): unlike
    // a timer's tick it is not lost to a change still running, it follows it.
    void ShowNextSlide();
    void OnOpenList();
    void OnSaveList();
    void OnRemoveAll();
    void OnMoveUp();
    void OnMoveDown();

    // Picture files dropped on the slide list from a file manager: appended
    // as "Add" appends a file-list entry.
    void OnDropFiles(const QStringList& paths);

    // The timer period for the frequency text: its leading number of seconds
    // as atoi reads it, at least one second (so the desktop is never changed
    // many times a second) and at most the timer's longest period.
    static int SlidePeriodMs(const QString& frequencyText);
    // The show type as the combo box reports it: -1 when the text in its
    // edit field is not the selected item's.
    int ShowTypeIndex() const;

protected:
    ControlBindings Bindings() override;
    bool OnInitDialog() override;
    void timerEvent(QTimerEvent* event) override;

private:
    void ApplySlidesExtent();
    void AppendSlide(const QString& path);
    void MoveSlide(int from, int to);
};
