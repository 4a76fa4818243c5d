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
#include <QTimer>
#include <optional>

struct SlideShowRecord;

// The slide-show page: a folder's pictures in the file list with a preview,
// the slide list gathered from them, one picture set as the wallpaper, a
// timed slide show over the slide list, and slide lists kept in list files.
// The slide list lives in its list box and nowhere else; the slide-show
// manager is handed that very list box, so edits made while a show runs
// reach the next tick.
//
// Everything reaches the page as a command (OnCmdMsg) or an event of its
// controls; its insides are its own. The slide-show timer is a child named
// kTimerName, so its period and its running can be seen from outside.
//
// The handlers are spread over files by concern: life cycle, routing and the
// shared preview and show type here, the folder and file list in
// SetWallpaperDlgFiles.cpp, the slide list and its commands in
// SetWallpaperDlgSlides.cpp, playback in SetWallpaperDlgPlay.cpp, and the
// list files' prompts, reading and writing in SetWallpaperDlgListFile.cpp,
// which knows nothing of the page's controls. The parts call the shared
// helpers here, never each other's insides.
class CSetWallpaperDlg : public CPropertyPage {
    Q_OBJECT

public:
    // The object name of the slide-show timer.
    static constexpr const char* kTimerName = "slideShowTimer";

    explicit CSetWallpaperDlg(QWidget* parent = nullptr);
    ~CSetWallpaperDlg() override;

    bool OnCmdMsg(int id) override;

    // The slide show as later starts of the program ask for it. PlayShow
    // plays show as if its list had been opened into the slide list and
    // "Play" pressed (a show already running stops first), resuming after
    // its last slide; showNow asks for the next picture at once.
    void PlayShow(const SlideShowRecord& show, bool showNow);
    bool IsPlaying() const { return m_bPlaying; }
    // "Stop" when a show plays; nothing otherwise.
    void StopShow();
    // The next picture now, asked for by the user (`quilvane --next`): unlike
    // a timer's tick it is not lost to a change still running, it follows it.
    void ShowNextSlide();

private:
    ControlBindings Bindings() override;
    bool OnInitDialog() override;

    // Shared by the parts.
    void PreviewFile(const QString& path);
    // The show type as the combo box reports it: -1 when the text in its
    // edit field is not the selected item's.
    int ShowTypeIndex() const;
    void OnHScroll();

    // Folder and file list.
    void FillFileList();
    void OnBrowseFolder();
    void OnSelchangeFileList();

    // The slide list.
    void ApplySlidesExtent();
    void AppendSlide(const QString& path);
    void MoveSlide(int from, int to);
    void OnSelchangeSlideList();
    void OnAddToList();
    void OnSetWallpaper();
    void OnRemove();
    void OnRemoveAll();
    void OnMoveUp();
    void OnMoveDown();
    void OnOpenList();
    void OnSaveList();
    // Picture files dropped on the slide list from a file manager: appended
    // as "Add" appends a file-list entry.
    void OnDropFiles(const QStringList& paths);

    // List files: each asks for a path (parent for the prompt and the
    // messages), reports a failure to the user, and touches nothing else.
    // The entries read, or nothing when cancelled or unreadable.
    static std::optional<QStringList> OpenSlideListFile(QWidget* parent);
    static void SaveSlideListFile(const QStringList& entries, QWidget* parent);

    // Playback.
    // The timer period for the frequency text: its leading number of seconds
    // as atoi reads it, at least one second (so the desktop is never changed
    // many times a second) and at most the timer's longest period.
    static int SlidePeriodMs(const QString& frequencyText);
    void OnPlayStop();
    void OnTimer();

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
    // Runs while the show plays.
    QTimer m_timer;
    QCheckBox m_checkRandom;
    QPushButton m_btnPlay;
};
