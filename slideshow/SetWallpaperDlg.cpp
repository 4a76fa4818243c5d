// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "slideshow/SetWallpaperDlg.h"

#include "pictures/PictureFiles.h"
#include "res/Dialogs.h"
#include "res/Resource.h"
#include "slideshow/SlideDropFilter.h"
#include "widgets/FocusFrame.h"

#include <QCursor>
#include <QToolTip>

CSetWallpaperDlg::CSetWallpaperDlg(QWidget* parent)
    //: The ways a slide is put on the desktop: centred, tiled, stretched.
    : CPropertyPage(SlideShowPageTemplate(), parent), m_strShowTypes{tr("CENTER"), tr("TILE"), tr("STRETCH")}
{
    // Both combo boxes are editable drop-downs; typing must not add items.
    for (QComboBox* combo : {&m_comboShowType, &m_comboUnits}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    m_timer.setParent(this);
    m_timer.setObjectName(QLatin1StringView(kTimerName));
    connect(&m_timer, &QTimer::timeout, this, &CSetWallpaperDlg::OnTimer);
}

CSetWallpaperDlg::~CSetWallpaperDlg() = default;

ControlBindings CSetWallpaperDlg::Bindings()
{
    return {
        {IDC_FOLDER_EDIT, &m_editFolder},       {IDC_FILE_LIST, &m_listFiles},
        {IDC_SLIDE_PREVIEW, &m_slidePreview},   {IDC_SLIDE_LIST, &m_listSlides},
        {IDC_SHOW_TYPE, &m_comboShowType},      {IDC_FREQUENCY_SLIDER, &m_sliderFrequency},
        {IDC_FREQUENCY_EDIT, &m_editFrequency}, {IDC_FREQUENCY_UNITS, &m_comboUnits},
        {IDC_RANDOM, &m_checkRandom},           {IDC_PLAY_STOP, &m_btnPlay},
    };
}

bool CSetWallpaperDlg::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    // The selection is read once the list has applied it, so the handlers
    // run after the click or key that changed it has been handled.
    connect(&m_listFiles, &CListBox::selChange, this, &CSetWallpaperDlg::OnSelchangeFileList, Qt::QueuedConnection);
    connect(&m_listSlides, &CListBox::selChange, this, &CSetWallpaperDlg::OnSelchangeSlideList, Qt::QueuedConnection);
    new SlideDropFilter(&m_listSlides, [this](const QStringList& paths) { OnDropFiles(paths); });
    FocusFrame::Attach(&m_listFiles);
    FocusFrame::Attach(&m_listSlides);

    m_strFolder = DefaultPictureFolder();
    m_editFolder.setText(m_strFolder);
    FillFileList();

    m_comboShowType.clear();
    for (const QString& type : m_strShowTypes)
        m_comboShowType.addItem(type);
    m_comboShowType.setCurrentIndex(0);

    m_sliderFrequency.setRange(1, 60);
    m_sliderFrequency.setValue(5);
    m_sliderFrequency.setToolTip(QString::number(m_sliderFrequency.value()));
    m_editFrequency.setText(QString::number(m_sliderFrequency.value()));
    // Every move of the trackbar, by mouse or keyboard, reaches OnHScroll;
    // the position set above from code does not.
    connect(&m_sliderFrequency, &QSlider::valueChanged, this, &CSetWallpaperDlg::OnHScroll);
    connect(&m_sliderFrequency, &QSlider::sliderMoved, this, [this](int position) {
        // The position follows the thumb in a tool tip while it is dragged.
        const QRect thumb(m_sliderFrequency.mapToGlobal(QPoint(0, 0)), m_sliderFrequency.size());
        QToolTip::showText(QPoint(QCursor::pos().x(), thumb.top()), QString::number(position), &m_sliderFrequency);
    });

    m_comboUnits.clear();
    m_comboUnits.addItem(tr("Seconds"));
    m_comboUnits.setCurrentIndex(0);
    return true;
}

bool CSetWallpaperDlg::OnCmdMsg(int id)
{
    static constexpr CommandEntry<CSetWallpaperDlg> commands[] = {
        {IDC_BROWSE_FOLDER, &CSetWallpaperDlg::OnBrowseFolder},
        {IDC_ADD_TO_LIST, &CSetWallpaperDlg::OnAddToList},
        {IDC_SET_WALLPAPER, &CSetWallpaperDlg::OnSetWallpaper},
        {IDC_PLAY_STOP, &CSetWallpaperDlg::OnPlayStop},
        {IDC_REMOVE, &CSetWallpaperDlg::OnRemove},
        {IDC_OPEN_LIST, &CSetWallpaperDlg::OnOpenList},
        {IDC_SAVE_LIST, &CSetWallpaperDlg::OnSaveList},
        {IDC_REMOVE_ALL, &CSetWallpaperDlg::OnRemoveAll},
        {IDC_MOVE_UP, &CSetWallpaperDlg::OnMoveUp},
        {IDC_MOVE_DOWN, &CSetWallpaperDlg::OnMoveDown},
    };
    return DispatchCommand<CSetWallpaperDlg>(this, id, commands) || CPropertyPage::OnCmdMsg(id);
}

void CSetWallpaperDlg::OnHScroll()
{
    const QString position = QString::number(m_sliderFrequency.value());
    m_editFrequency.setText(position);
    m_sliderFrequency.setToolTip(position);
}

void CSetWallpaperDlg::PreviewFile(const QString& path)
{
    const int type = PictureTypeOf(path);
    if (type == CXIMAGE_FORMAT_UNKNOWN)
        return;
    // A picture that fails to load leaves the empty face, which is repainted
    // all the same.
    m_slidePreview.m_image.Load(path, type);
    m_slidePreview.update();
}

int CSetWallpaperDlg::ShowTypeIndex() const
{
    const int index = m_comboShowType.currentIndex();
    if (index < 0 || m_comboShowType.currentText() != m_comboShowType.itemText(index))
        return -1;
    return index;
}
