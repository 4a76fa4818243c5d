// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/AutoEraseStatic.h"
#include "canvas/PhotoImageEditCtrl.h"
#include "canvas/PhotoPreviewCtrl.h"
#include "core/SceneObject.h"
#include "designer/DragDropMgr.h"
#include "widgets/ListBox.h"
#include "widgets/PropertyPage.h"
#include "widgets/TrayIcon.h"

#include <QFileSystemModel>
#include <QIcon>
#include <QMenuBar>
#include <QPushButton>
#include <QStringList>
#include <QTreeView>

struct AcceleratorTable;

// The page on which a wallpaper is composed: a folder tree and the pictures
// of the chosen folder, a preview of the selected picture with its size and
// depth, and the design canvas, onto which pictures are dragged from the list
// (or from the desktop's file manager) and edited with the page's commands.
// The scene lives in SceneGraph; the page keeps none of it and repaints the
// canvas after each change. It also owns the tray icon's record: the icon is
// added when the page's window is initialised and removed when the page goes.
//
// Everything reaches the page as a command (OnCmdMsg), a window message or
// an event of its controls; its insides are its own. The code is split by
// concern: life cycle, routing and what every part shares (DesignPage.cpp),
// folders, list and preview (DesignPageBrowse.cpp), scene commands, the
// background labels and drag and drop (DesignPageScene.cpp), saving and
// applying (DesignPageSave.cpp), design documents and the history
// (DesignPageDocument.cpp). The parts call the shared helpers there, never
// each other.
class CDesignPage : public CPropertyPage {
    Q_OBJECT

public:
    explicit CDesignPage(QWidget* parent = nullptr);
    ~CDesignPage() override;

    bool OnCmdMsg(int id) override;

    // The first free "wallpaper/wallpaper_N.jpg" under the current folder;
    // any entry (a folder too) with the name counts as taken.
    static QString NextWallpaperPath();

    // Design documents, for the main window. Opens the document at path in
    // place of the design, without asking; false, with one message, when it
    // cannot be read (the design stays).
    bool OpenDocument(const QString& path);
    // Before the design is replaced (Open, quitting): a changed design asks
    // "Save changes to the design?". True when the caller may go on.
    bool SaveModified();
    // The document the design was opened from or last saved to; empty for
    // a design never saved.
    const QString& DocumentPath() const { return m_documentPath; }
    bool IsModified() const;
    bool CanUndo() const;
    bool CanRedo() const;

    // The start-up Tip of the Day is offered at the first paint of a design
    // page, once per process. Setting it (true again, or false where no
    // modal dialog may open) returns the setting before.
    static bool SetStartupTipPending(bool pending);
    static bool StartupTipPending();

Q_SIGNALS:
    // The design's history moved (a step made, undone or redone), or the
    // design was opened or saved: its name, change mark and the Undo and
    // Redo commands may have changed.
    void designChanged();

private:
    ControlBindings Bindings() override;
    bool OnInitDialog() override;
    bool WindowProc(int message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool PreTranslateMessage(QObject* target, QEvent* event);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // Shared by the parts.
    void WatchControls();
    void InvalidateControls(std::initializer_list<int> ids);
    // Repaints the whole canvas from the scene.
    void RepaintCanvas();
    // A point of the page in canvas client coordinates.
    CPoint ToCanvas(QPoint pagePoint) const;
    // After Undo, Redo, Open or a new background: the whole design may be
    // another.
    void ShowWholeDesign();
    // The folder the design dialogs (Open, Save, Save as JPG) start in, and
    // the one they start in next: that of the file just opened or saved.
    static QString DesignFolder();
    static void RememberDesignFolder(const QString& path);

    // Folder, list and preview.
    void SetUpFolderTree();
    void OnFolderSelChanged();
    // Fills the list with the pictures of folder; appends '/' to the
    // caller's string when it has none. An empty path changes nothing.
    void FillPhotoList(QString& folder);
    void OnPhotoSelChange();
    void PreviewSelectedPhoto();
    // Empties the preview and puts its labels back to the template's texts.
    void ClearPreview();
    // The folder-tree item of path, selected and scrolled into view.
    bool SelectFolder(const QString& path);

    // Scene commands.
    void UpdateBackgroundLabels();
    // Runs a picture-file dialog in the folder the photo list shows; the
    // chosen path, or empty when cancelled.
    QString PromptForPicture() const;
    void EditSelectedPhoto(PhotoEdit edit);
    void OnChangeBackground();
    void OnAddPhoto();
    void OnDeletePhoto();
    void OnChangePhotoImage();
    void OnRestoreRatio();
    void OnMirror();
    void OnFlip();
    void OnNegative();
    void OnRotateLeft();
    void OnRotateRight();
    void OnGrayScale();
    // The context menu for a request at a global point, its chosen command
    // routed to the page. Nothing opens outside the canvas.
    void OnContextMenu(QPoint global);
    LRESULT OnDragEnter(WPARAM wParam, LPARAM lParam);
    LRESULT OnDragDrop(WPARAM wParam, LPARAM lParam);
    LRESULT OnDragAbort(WPARAM wParam, LPARAM lParam);
    // Pictures dropped from outside (file URLs) at a canvas point; returns
    // how many photos were added.
    int DropFiles(const QList<QUrl>& urls, CPoint canvasPoint);

    // Design documents and the history. Open replaces the design with a
    // document the user picks (asking first about a changed design); Save
    // writes the design to its document, asking for a name the first time.
    void OnFileOpen();
    void OnFileSave();
    void OnEditUndo();
    void OnEditRedo();
    // Saves the design to its document (the user names one the first time);
    // false when it was not saved.
    bool SaveDocument();

    // Saving and applying.
    void OnSetAsWallpaper();
    void OnSaveAsJpg();
    void OnPreview();

    // Life cycle.
    void OnHideToTray();
    void OnTrayAbout();
    void OnTrayExit();
    void OnIgnoreEscape() {}
    // The start-up Tip of the Day: shown when its start-up setting is on.
    void OnStartupTip();

    QIcon m_hIcon;
    // Menu 140, attached to the page: a page shows no menu bar of its own,
    // the main window shows the same menu.
    QMenuBar m_menu;
    CDragDropMgr m_dragDropMgr;
    QFileSystemModel m_folderModel;
    QTreeView m_treeFolders;
    CListBox m_listPhotos;
    CPhotoPreviewCtrl m_preview;
    CPhotoImageEditCtrl m_canvas;
    int m_nSelectedPhoto = -1;
    // The folder the photo list shows, ending in '/'; empty before the first
    // fill. The picture-file dialogs start there.
    QString m_strPhotoFolder;
    NotifyIconData m_nid;
    QPushButton m_btnChangeBackground;
    CAutoEraseStatic m_staticWidth;
    // The page's accelerators (Delete and Escape), set when its window is
    // initialised.
    const AcceleratorTable* m_hAccel = nullptr;

    // True until the first paint of a design page in this process.
    static inline bool s_bTipPending = true;

    bool m_trayAdded = false;
    QString m_documentPath;
    // The folder selected at start-up, kept in view while the tree loads
    // the folders above it.
    QString m_revealPath;
};
