// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/DialogBuilder.h"

#include "widgets/ListBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTreeView>
#include <algorithm>

namespace {

const char* const kIdProperty = "quilvaneControlId";
const char* const kIndexProperty = "quilvaneControlIndex";

// A static control without SS_NOPREFIX treats '&' as an access-key marker
// and "&&" as a literal ampersand; a QLabel would show both as they are.
QString StaticText(const char* text, std::uint32_t style)
{
    const QString s = DialogText(text);
    if (style & ss::NoPrefix)
        return s;
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'&' && i + 1 < s.size())
            ++i;
        out += s[i];
    }
    return out;
}

QWidget* CreateControl(const DialogControl& c)
{
    const QString text = DialogText(c.text);
    switch (c.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
        auto* b = new QPushButton(text);
        b->setAutoDefault(false);
        b->setDefault(c.kind == ControlKind::DefPushButton);
        return b;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(text);
    case ControlKind::GroupBox:
        return new QGroupBox(text);
    case ControlKind::Text:
        return new QLabel(StaticText(c.text, c.style));
    case ControlKind::Icon: {
        // The owner puts the picture in; the text names the icon resource.
        auto* icon = new QLabel;
        icon->setObjectName(QStringLiteral("icon"));
        icon->setProperty("quilvaneIconId", QByteArray(c.text ? c.text : "").toInt());
        return icon;
    }
    case ControlKind::Frame: {
        auto* f = new QFrame;
        const std::uint32_t kind = c.style & 0x1F;
        if (kind == ss::BlackFrame || kind == ss::GrayFrame)
            f->setFrameStyle(QFrame::Box | QFrame::Plain);
        return f;
    }
    case ControlKind::ListBox:
        return new CListBox;
    case ControlKind::TreeView:
        return new QTreeView;
    case ControlKind::Edit:
        return new QLineEdit(text);
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox;
        combo->setEditable((c.style & 0x3) == cbs::DropDown);
        return combo;
    }
    case ControlKind::Trackbar:
        return new QSlider(Qt::Horizontal);
    }
    return new QWidget;
}

// Style bits that shape a control, whether we created it or it is bound.
void ApplyStyle(QWidget* w, const DialogControl& c)
{
    if (auto* list = qobject_cast<CListBox*>(w)) {
        list->SetSorted(c.style & lbs::Sort);
        const auto policy = [&](std::uint32_t bit) {
            if (!(c.style & bit))
                return Qt::ScrollBarAlwaysOff;
            return (c.style & lbs::DisableNoScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded;
        };
        list->setVerticalScrollBarPolicy(policy(ws::VScroll));
        list->setHorizontalScrollBarPolicy(policy(ws::HScroll));
    }
    if (auto* tree = qobject_cast<QTreeView*>(w)) {
        tree->setHeaderHidden(true);
        tree->setRootIsDecorated(c.style & (tvs::HasButtons | tvs::LinesAtRoot));
    }
    if (auto* slider = qobject_cast<QSlider*>(w)) {
        slider->setTickPosition((c.style & tbs::NoTicks) ? QSlider::NoTicks : QSlider::TicksBelow);
    }
    if (auto* frame = qobject_cast<QFrame*>(w); frame && (c.style & ws::Border) && !qobject_cast<QLabel*>(w))
        frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // Static controls (texts, frames, icons, group boxes) let mouse presses
    // through to the dialog beneath them, as the pages rely on.
    switch (c.kind) {
    case ControlKind::Text:
    case ControlKind::Frame:
    case ControlKind::Icon:
    case ControlKind::GroupBox:
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
        break;
    default:
        break;
    }

    const bool tabStop = c.style & ws::TabStop;
    if (w->focusPolicy() != Qt::NoFocus)
        w->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    w->setEnabled(!(c.style & ws::Disabled));
    if (!(c.style & ws::Visible))
        w->setVisible(false);
}

} // namespace

QString DialogText(const char* text)
{
    if (!text || !*text)
        return {};
    return QCoreApplication::translate(kDialogTextContext, text);
}

DialogUnits DialogUnits::ForFont(const QFont& font)
{
    // The average width of the Latin letters, as Windows measures it for
    // dialog base units, and the font's full height.
    const QFontMetrics fm(font);
    const int total = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    DialogUnits du;
    du.baseX = (total / 26 + 1) / 2;
    du.baseY = fm.height();
    return du;
}

QFont DialogFont(const DialogTemplate& dlg)
{
#ifdef _WIN32
    return QFont(QString::fromUtf8(dlg.fontFace), dlg.pointSize);
#else
    // "MS Shell Dlg" names the system's dialog font rather than a face;
    // here that is the desktop's own general font, at the template's size.
    QFont f = QApplication::font();
    if (qstrcmp(dlg.fontFace, "MS Shell Dlg") != 0 && qstrcmp(dlg.fontFace, "MS Shell Dlg 2") != 0)
        f.setFamily(QString::fromUtf8(dlg.fontFace));
    f.setPointSize(dlg.pointSize);
    return f;
#endif
}

QSize BuildDialog(QWidget* host, const DialogTemplate& dlg, const ControlBindings& bound)
{
    const QFont font = DialogFont(dlg);
    host->setFont(font);
    if (dlg.caption)
        host->setWindowTitle(DialogText(dlg.caption));
    const DialogUnits du = DialogUnits::ForFont(font);

    QWidget* previousFocusable = nullptr;
    QList<QWidget*> groupBoxes;
    int index = 0;
    for (const DialogControl& c : dlg.controls) {
        QWidget* w = nullptr;
        if (auto it = bound.find(c.id); it != bound.end() && c.id != IDC_STATIC) {
            w = it->second;
            if (auto* button = qobject_cast<QAbstractButton*>(w); button && c.text)
                button->setText(DialogText(c.text));
            else if (auto* label = qobject_cast<QLabel*>(w); label && c.text)
                label->setText(StaticText(c.text, c.style));
            else if (auto* box = qobject_cast<QGroupBox*>(w); box && c.text)
                box->setTitle(DialogText(c.text));
        } else {
            w = CreateControl(c);
        }
        w->setParent(host);
        w->setFont(font);
        w->setProperty(kIdProperty, c.id);
        w->setProperty(kIndexProperty, index++);
        if (c.id != IDC_STATIC)
            w->setObjectName(QStringLiteral("control%1").arg(c.id));
        else if (w->objectName().isEmpty())
            w->setObjectName(QStringLiteral("static"));
        ApplyStyle(w, c);

        QRect r = du.ToPixels(c.x, c.y, c.cx, c.cy).ToQRect();
        // A combo box's template height includes its dropped-down list; the
        // closed box is as high as its font needs.
        if (auto* combo = qobject_cast<QComboBox*>(w))
            r.setHeight(std::min(r.height(), combo->sizeHint().height()));
        w->setGeometry(r);

        if (c.kind == ControlKind::GroupBox)
            groupBoxes.append(w);
        if (w->focusPolicy() & Qt::TabFocus) {
            if (previousFocusable)
                QWidget::setTabOrder(previousFocusable, w);
            previousFocusable = w;
        }
    }
    // A group box frames controls that overlap it; it must lie beneath them.
    for (QWidget* g : groupBoxes)
        g->lower();

    const CRect size = du.ToPixels(0, 0, dlg.cx, dlg.cy);
    return QSize(size.Width(), size.Height());
}

QWidget* GetDlgItem(const QWidget* host, int id)
{
    if (!host)
        return nullptr;
    const QList<QWidget*> all = host->findChildren<QWidget*>();
    for (QWidget* w : all) {
        const QVariant v = w->property(kIdProperty);
        if (v.isValid() && v.toInt() == id)
            return w;
    }
    return nullptr;
}

QList<QWidget*> DialogControls(const QWidget* host)
{
    QList<QWidget*> controls;
    if (!host)
        return controls;
    for (QObject* o : host->children()) {
        if (auto* w = qobject_cast<QWidget*>(o); w && w->property(kIndexProperty).isValid())
            controls.append(w);
    }
    std::sort(controls.begin(), controls.end(), [](const QWidget* a, const QWidget* b) {
        return a->property(kIndexProperty).toInt() < b->property(kIndexProperty).toInt();
    });
    return controls;
}

int GetDlgCtrlID(const QWidget* control)
{
    const QVariant v = control ? control->property(kIdProperty) : QVariant();
    return v.isValid() ? v.toInt() : 0;
}

void SetDlgItemText(QWidget* host, int id, const QString& text)
{
    QWidget* w = GetDlgItem(host, id);
    if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->isEditable())
        combo->setEditText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(w))
        box->setTitle(text);
    else if (w)
        w->setWindowTitle(text);
}

QString GetDlgItemText(const QWidget* host, int id)
{
    const QWidget* w = GetDlgItem(host, id);
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
        return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(w))
        return combo->currentText();
    if (auto* box = qobject_cast<const QGroupBox*>(w))
        return box->title();
    return w ? w->windowTitle() : QString();
}
