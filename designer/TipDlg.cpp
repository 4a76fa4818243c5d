// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "designer/TipDlg.h"

#include "designer/TipsReader.h"
#include "platform/Profile.h"
#include "platform/SafeFile.h"
#include "res/Dialogs.h"
#include "res/Pictures.h"
#include "res/Resource.h"
#include "res/Strings.h"
#include "widgets/DialogBuilder.h"
#include "widgets/MessageBox.h"

#include <QCheckBox>
#include <QPaintEvent>
#include <QPainter>
#include <climits>
#include <cmath>
#include <vector>

namespace {

const QString kSection = QStringLiteral("Tip");
const QString kStartUp = QStringLiteral("StartUp");
const QString kFilePos = QStringLiteral("FilePos");
const QString kTimeStamp = QStringLiteral("TimeStamp");

constexpr QRgb kWhite = qRgb(255, 255, 255);

void FillRect(QPainter& dc, const CRect& r, const QColor& color)
{
    // An empty or inverted rectangle fills nothing (QPainter would fill its
    // normalised form).
    if (r.Width() > 0 && r.Height() > 0)
        dc.fillRect(r.ToQRect(), color);
}

} // namespace

QImage FloodFillSurface(const QImage& image, QPoint start, QRgb surface, QRgb fill)
{
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    const auto same = [](QRgb a, QRgb b) { return (a & 0x00FFFFFF) == (b & 0x00FFFFFF); };
    if (!out.rect().contains(start) || !same(out.pixel(start), surface) || same(surface, fill))
        return out;
    const QRgb paint = fill | 0xFF000000;
    std::vector<QPoint> pending{start};
    while (!pending.empty()) {
        const QPoint p = pending.back();
        pending.pop_back();
        if (!out.rect().contains(p) || !same(out.pixel(p), surface))
            continue;
        out.setPixel(p, paint);
        pending.push_back(p + QPoint(1, 0));
        pending.push_back(p - QPoint(1, 0));
        pending.push_back(p + QPoint(0, 1));
        pending.push_back(p - QPoint(0, 1));
    }
    return out;
}

CTipDlg::CTipDlg(QWidget* parent) : CDialog(TipDialogTemplate(), parent)
{
    m_bShowAtStartup = GetProfileInt(kSection, kStartUp, 0) == 0 ? 1 : 0;
    qint64 position = GetProfileInt(kSection, kFilePos, 0);

    // Only a regular file: a FIFO or a device in its place would block or
    // never end. Anything else counts as no tips file at all.
    m_pTipsFile = OpenRegularFile(TipsFilePath());
    if (!m_pTipsFile)
        return;

    // A different file (its creation time changed) starts at its first tip.
    const QString stamp = TipsFileTimeStamp(*m_pTipsFile);
    if (GetProfileString(kSection, kTimeStamp) != stamp) {
        WriteProfileString(kSection, kTimeStamp, stamp);
        position = 0;
    }

    if (!m_pTipsFile->seek(position))
        AfxMessageBox(LoadResString(IDS_TIP_FILE_ERROR));
    else
        GetNextTipString(m_strTipText);
}

CTipDlg::~CTipDlg()
{
    if (m_pTipsFile) {
        // The profile holds an int; a position past that range (a tips file
        // over 2 GB) would come back as a failing seek, so start over instead.
        const qint64 pos = m_pTipsFile->pos();
        WriteProfileInt(kSection, kFilePos, pos <= INT_MAX ? static_cast<int>(pos) : 0);
        m_pTipsFile->close();
    }
}

int CTipDlg::DoModal()
{
    if (!m_pTipsFile) {
        PlainBeep();
        return 1;
    }
    return CDialog::DoModal();
}

bool CTipDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateData(false);
    return true;
}

bool CTipDlg::OnCmdMsg(int id)
{
    if (id == IDC_NEXT_TIP) {
        OnNextTip();
        return true;
    }
    return CDialog::OnCmdMsg(id);
}

void CTipDlg::OnOK()
{
    UpdateData(true);
    CDialog::OnOK();
    WriteProfileInt(kSection, kStartUp, m_bShowAtStartup == 0 ? 1 : 0);
}

void CTipDlg::OnNextTip()
{
    GetNextTipString(m_strTipText);
    // Also puts the check box back to the member: a change not confirmed
    // with OK is dropped.
    UpdateData(false);
    // Widgets paint only from paintEvent, and the part of a partial repaint
    // is first cleared to the dialog's background; so the text's part of the
    // dialog is repainted in full, which leaves the bulb, the band and the
    // buttons alone.
    update(TextPaintRect().ToQRect());
}

void CTipDlg::GetNextTipString(QString& next)
{
    next.clear();
    if (!m_pTipsFile)
        return;
    QByteArray tip;
    switch (ReadNextTip(*m_pTipsFile, tip)) {
    case TipReadResult::Tip:
        // The tips are in the system's 8-bit encoding (UTF-8 here, the ANSI
        // code page on Windows), as the file's author saved them.
        next = TranslateTip(QString::fromLocal8Bit(tip));
        break;
    case TipReadResult::RewindFailed:
        AfxMessageBox(LoadResString(IDS_TIP_FILE_ERROR));
        break;
    case TipReadResult::NoTip:
        // A file with no tip line is not an error worth a box at every
        // start-up (the start-up check reads a tip even when tips are
        // switched off): the dialog shows no tip.
        break;
    }
}

void CTipDlg::UpdateData(bool saveAndValidate)
{
    auto* check = GetDlgItemAs<QCheckBox>(this, IDC_STARTUP);
    if (!check)
        return;
    if (saveAndValidate)
        m_bShowAtStartup = check->isChecked() ? 1 : 0;
    else
        check->setChecked(m_bShowAtStartup != 0);
}

CRect CTipDlg::ControlRect(int id) const
{
    // The controls are children of the dialog, so their geometry is already
    // in the dialog's client coordinates.
    const QWidget* control = GetDlgItem(this, id);
    return control ? CRect::FromQRect(control->geometry()) : CRect();
}

CRect CTipDlg::TextPaintRect() const
{
    const CRect text = ControlRect(IDC_TIP_TEXT);
    return CRect(text.left, ControlRect(IDC_BULB).top, text.right, text.bottom);
}

const QImage& CTipDlg::BulbInBand(QRgb band, qreal scale)
{
    // Drawn at the scale the painter puts on the device, so a screen of
    // 150 % or 200 % gets a bulb drawn for it rather than an enlarged one.
    if (m_bulb.isNull() || m_bulb.devicePixelRatio() != scale) {
        m_bulb = LoadBitmapResource(IDB_LIGHTBULB, scale);
        m_bulb.setDevicePixelRatio(scale);
        m_bulbFilled = QImage();
    }
    if (m_bulbFilled.isNull() || m_bulbFillColor != band) {
        m_bulbFilled = FloodFillSurface(m_bulb, QPoint(0, 0), kWhite, band);
        m_bulbFilled.setDevicePixelRatio(scale);
        m_bulbFillColor = band;
    }
    return m_bulbFilled;
}

QFont CTipDlg::TipFont()
{
    QFont body(QStringLiteral("Arial"));
    body.setStyleHint(QFont::SansSerif);
    body.setPixelSize(16);
    body.setWeight(QFont::Normal);
    return body;
}

void CTipDlg::paintEvent(QPaintEvent* /*event*/)
{
    if (!IsCreated())
        return;
    const CRect tipArea = ControlRect(IDC_TIP_AREA);
    const CRect text = ControlRect(IDC_TIP_TEXT);
    const CRect bulb = ControlRect(IDC_BULB);
    // The tip area is painted in the window colour, QPalette::Base (the
    // colour of text-entry backgrounds), with a band left of the text in the
    // button-shadow colour, Dark.
    const QColor window = palette().color(QPalette::Base);
    const QColor shadow = palette().color(QPalette::Dark);

    QPainter dc(this);
    FillRect(dc, tipArea, window);
    CRect band = tipArea;
    band.right = text.left - 10;
    FillRect(dc, band, shadow);

    // The bulb's white surroundings take the band's colour, so the bulb
    // stands on the band.
    const QTransform toDevice = dc.deviceTransform();
    const qreal scale = toDevice.type() <= QTransform::TxScale && toDevice.m11() > 0 ? toDevice.m11() : 1.0;
    const QImage& bitmap = BulbInBand(shadow.rgb(), scale);
    dc.drawImage(bulb.TopLeft().ToQPoint(), bitmap);
    const int separatorTop = bulb.top + static_cast<int>(std::lround(bitmap.height() / scale)) + 6;
    FillRect(dc, CRect(tipArea.left, separatorTop, tipArea.right, separatorTop + 1), shadow);

    QFont heading(QStringLiteral("Times"));
    heading.setStyleHint(QFont::Serif);
    heading.setPixelSize(22);
    heading.setWeight(QFont::Bold);

    dc.setPen(palette().color(QPalette::Text));
    dc.setBackgroundMode(Qt::OpaqueMode);
    dc.setBackground(window);

    dc.setFont(heading);
    dc.drawText(TextPaintRect().ToQRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                LoadResString(IDS_DID_YOU_KNOW));

    dc.setFont(TipFont());
    FillRect(dc, text, window);
    // The tip keeps its line end; drawn, it would only add an empty line.
    QString tip = m_strTipText;
    while (tip.endsWith(u'\n') || tip.endsWith(u'\r'))
        tip.chop(1);
    dc.setClipRect(text.ToQRect(), Qt::IntersectClip);
    dc.drawText(text.ToQRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, tip);
}
