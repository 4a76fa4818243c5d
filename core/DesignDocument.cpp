// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/DesignDocument.h"

#include "platform/AtomicFile.h"
#include "platform/ByteText.h"
#include "platform/SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <climits>
#include <cmath>

namespace {

const QLatin1StringView kFormatName("quilvane-design");

// The longest path a document may name (PATH_MAX on Linux).
constexpr qsizetype kMaxPathBytes = 4096;

struct EditName {
    PhotoEdit edit;
    const char* name;
};

constexpr EditName kEditNames[] = {
    {PhotoEdit::Mirror, "mirror"},         {PhotoEdit::Flip, "flip"},
    {PhotoEdit::Negative, "negative"},     {PhotoEdit::GrayScale, "grayScale"},
    {PhotoEdit::RotateLeft, "rotateLeft"}, {PhotoEdit::RotateRight, "rotateRight"},
};

QString AbsoluteFolder(const QString& folder)
{
    return QDir::cleanPath(QFileInfo(folder.isEmpty() ? QStringLiteral(".") : folder).absoluteFilePath());
}

// Relative to folder when below it, else absolute.
QString WrittenPath(const QString& path, const QString& folder)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString base = AbsoluteFolder(folder);
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    if (absolute.size() > base.size() && absolute.startsWith(base))
        return absolute.mid(base.size());
    return absolute;
}

QString ReadPath(const QString& written, const QString& folder)
{
    if (QDir::isAbsolutePath(written))
        return QDir::cleanPath(written);
    return QDir::cleanPath(AbsoluteFolder(folder) + QLatin1Char('/') + written);
}

void PutPath(QJsonObject& object, const QString& path, const QString& folder)
{
    const QString written = WrittenPath(path, folder);
    // A character no UTF-8 byte sequence gives (a byte kept from a name that
    // was not UTF-8, or any other lone surrogate) goes as the name's bytes.
    if (!written.isValidUtf16())
        object.insert(QLatin1String("fileBytes"), QString::fromLatin1(BytesFromText(written).toBase64()));
    else
        object.insert(QLatin1String("file"), written);
}

QJsonArray SizeArray(QSize size)
{
    return QJsonArray{size.width(), size.height()};
}

// Reading: each check says what is wrong in words for the user, in the
// user's language.
class Reader {
    Q_DECLARE_TR_FUNCTIONS(DesignDocument)

public:
    Reader(const QString& folder, const QString& name) : m_folder(folder), m_name(name) {}

    // Without a name: the reason alone.
    DesignReading Fail(const QString& why) const
    {
        if (m_name.isEmpty())
            return {std::nullopt, why};
        //: %1 is the design file, %2 the reason.
        return {std::nullopt, tr("%1 cannot be opened: %2.").arg(m_name, why)};
    }

    DesignReading Read(const QByteArray& bytes) const
    {
        QJsonParseError parseError{};
        const QJsonDocument json = QJsonDocument::fromJson(bytes, &parseError);
        if (parseError.error != QJsonParseError::NoError || !json.isObject() ||
            json.object().value(QLatin1String("format")).toString() != kFormatName)
            return Fail(tr("it is not a Quilvane design"));
        const QJsonObject top = json.object();
        const QJsonValue version = top.value(QLatin1String("version"));
        if (!IsInteger(version, 1, INT_MAX))
            return Fail(tr("its format version is missing or not a number"));
        if (version.toDouble() > kDesignFormatVersion)
            return Fail(tr("it was written in a newer design format (version %1) than this program reads "
                           "(version %2)")
                            .arg(version.toInteger())
                            .arg(kDesignFormatVersion));

        Design design;
        QString why;
        if (!ReadBackground(top.value(QLatin1String("background")), design, why))
            return Fail(why);
        const QJsonValue photos = top.value(QLatin1String("photos"));
        if (!photos.isArray())
            return Fail(tr("it has no list of photos"));
        const QJsonArray list = photos.toArray();
        if (list.size() > kMaxDesignPhotos)
            return Fail(
                tr("it holds %1 photos, more than the %2 a design may have").arg(list.size()).arg(kMaxDesignPhotos));
        design.photos.reserve(static_cast<size_t>(list.size()));
        for (qsizetype i = 0; i < list.size(); ++i) {
            DesignPhoto photo;
            //: The subject of the reasons below that start with %1.
            if (!ReadPhoto(list.at(i), photo, tr("photo %1").arg(i + 1), why))
                return Fail(why);
            design.photos.push_back(std::move(photo));
        }
        return {std::move(design), QString()};
    }

private:
    static bool IsInteger(const QJsonValue& value, double low, double high)
    {
        if (!value.isDouble())
            return false;
        const double v = value.toDouble();
        return std::isfinite(v) && v == std::floor(v) && v >= low && v <= high;
    }

    static bool IsCoordinate(const QJsonValue& value)
    {
        return value.isDouble() && std::isfinite(value.toDouble()) &&
               std::abs(value.toDouble()) <= kMaxDesignCoordinate;
    }

    // The file of object; false, with why, when it has none that is usable.
    // subject names object in why.
    bool ReadFile(const QJsonObject& object, const QString& subject, QString& path, QString& why) const
    {
        const QJsonValue text = object.value(QLatin1String("file"));
        const QJsonValue bytes = object.value(QLatin1String("fileBytes"));
        QString written;
        if (text.isString() && bytes.isUndefined()) {
            written = text.toString();
        } else if (bytes.isString() && text.isUndefined()) {
            const auto decoded =
                QByteArray::fromBase64Encoding(bytes.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded)
                return Fail(why, tr("%1 has a file name that is not valid base64").arg(subject));
            written = TextFromBytes(*decoded);
        } else {
            return Fail(why, tr("%1 names no file").arg(subject));
        }
        // As the name's bytes give it: a lone surrogate no byte stands for
        // becomes U+FFFD, as it would on its way to the file system.
        const QByteArray raw = BytesFromText(written);
        written = TextFromBytes(raw);
        if (written.isEmpty() || raw.size() > kMaxPathBytes || written.contains(QChar(0)))
            return Fail(why, tr("%1 has an empty or unusable file name").arg(subject));
        path = ReadPath(written, m_folder);
        return true;
    }

    static bool Fail(QString& why, const QString& text)
    {
        why = text;
        return false;
    }

    bool ReadBackground(const QJsonValue& value, Design& design, QString& why) const
    {
        if (!value.isObject())
            return Fail(why, tr("it has no background"));
        const QJsonObject background = value.toObject();
        const QJsonValue width = background.value(QLatin1String("width"));
        const QJsonValue height = background.value(QLatin1String("height"));
        if (!IsInteger(width, 1, kMaxDesignSide) || !IsInteger(height, 1, kMaxDesignSide))
            return Fail(why, tr("the background's size is missing or out of range"));
        design.backgroundSize = QSize(width.toInt(), height.toInt());
        if (background.contains(QLatin1String("file")) || background.contains(QLatin1String("fileBytes"))) {
            //: The subject of the reasons that start with %1.
            if (!ReadFile(background, tr("the background"), design.backgroundPath, why))
                return false;
        }
        return true;
    }

    bool ReadPhoto(const QJsonValue& value, DesignPhoto& photo, const QString& subject, QString& why) const
    {
        if (!value.isObject())
            return Fail(why, tr("%1 is not a photo").arg(subject));
        const QJsonObject object = value.toObject();
        if (!ReadFile(object, subject, photo.path, why))
            return false;

        const QJsonValue x = object.value(QLatin1String("x"));
        const QJsonValue y = object.value(QLatin1String("y"));
        const QJsonValue width = object.value(QLatin1String("width"));
        const QJsonValue height = object.value(QLatin1String("height"));
        if (!IsCoordinate(x) || !IsCoordinate(y) || !IsCoordinate(width) || !IsCoordinate(height) ||
            !(width.toDouble() > 0) || !(height.toDouble() > 0) ||
            std::abs(x.toDouble() + width.toDouble()) > kMaxDesignCoordinate ||
            std::abs(y.toDouble() + height.toDouble()) > kMaxDesignCoordinate)
            return Fail(why, tr("%1 has a place that is missing or out of range").arg(subject));
        photo.rect = QRectF(x.toDouble(), y.toDouble(), width.toDouble(), height.toDouble());

        const QJsonValue edits = object.value(QLatin1String("edits"));
        if (!edits.isUndefined()) {
            if (!edits.isArray() || edits.toArray().size() > kMaxPhotoEdits)
                return Fail(why, tr("%1 has a list of edits that is not one or is too long").arg(subject));
            for (const QJsonValue& edit : edits.toArray()) {
                const std::optional<PhotoEdit> known = PhotoEditFromName(edit.toString());
                if (!edit.isString() || !known)
                    return Fail(why, tr("%1 has an edit this program does not know").arg(subject));
                photo.edits.push_back(*known);
            }
        }

        const QJsonValue box = object.value(QLatin1String("decodeBox"));
        if (!box.isUndefined()) {
            const QJsonArray pair = box.toArray();
            if (!box.isArray() || pair.size() != 2 || !IsInteger(pair.at(0), 1, kMaxDesignSide) ||
                !IsInteger(pair.at(1), 1, kMaxDesignSide))
                return Fail(why, tr("%1 has a decode box that is out of range").arg(subject));
            photo.decodeBox = QSize(pair.at(0).toInt(), pair.at(1).toInt());
        }
        return true;
    }

    QString m_folder;
    QString m_name;
};

} // namespace

const char* PhotoEditName(PhotoEdit edit)
{
    for (const EditName& e : kEditNames) {
        if (e.edit == edit)
            return e.name;
    }
    return "";
}

std::optional<PhotoEdit> PhotoEditFromName(QStringView name)
{
    for (const EditName& e : kEditNames) {
        if (name == QLatin1StringView(e.name))
            return e.edit;
    }
    return std::nullopt;
}

QByteArray FormatDesign(const Design& design, const QString& folder)
{
    QJsonObject background{{QLatin1String("width"), design.backgroundSize.width()},
                           {QLatin1String("height"), design.backgroundSize.height()}};
    if (!design.backgroundPath.isEmpty())
        PutPath(background, design.backgroundPath, folder);

    QJsonArray photos;
    for (const DesignPhoto& photo : design.photos) {
        QJsonObject object{{QLatin1String("x"), photo.rect.x()},
                           {QLatin1String("y"), photo.rect.y()},
                           {QLatin1String("width"), photo.rect.width()},
                           {QLatin1String("height"), photo.rect.height()}};
        PutPath(object, photo.path, folder);
        QJsonArray edits;
        for (PhotoEdit edit : photo.edits)
            edits.append(QLatin1String(PhotoEditName(edit)));
        object.insert(QLatin1String("edits"), edits);
        if (!photo.decodeBox.isEmpty())
            object.insert(QLatin1String("decodeBox"), SizeArray(photo.decodeBox));
        photos.append(object);
    }

    const QJsonObject top{{QLatin1String("format"), kFormatName},
                          {QLatin1String("version"), kDesignFormatVersion},
                          {QLatin1String("background"), background},
                          {QLatin1String("photos"), photos}};
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

DesignReading ParseDesign(const QByteArray& bytes, const QString& folder, const QString& name)
{
    return Reader(folder, name).Read(bytes);
}

DesignReading ReadDesignFile(const QString& path)
{
    const QString name = QDir::toNativeSeparators(path);
    const Reader reader(QFileInfo(path).absolutePath(), name);
    QByteArray bytes;
    const FileRefusal refusal = ReadRegularFile(path, kMaxDesignFileBytes, &bytes);
    if (refusal == FileRefusal::TooLarge)
        return reader.Fail(Reader::tr("it is larger than %1 MB").arg(kMaxDesignFileBytes >> 20));
    if (refusal == FileRefusal::Missing)
        return reader.Fail(Reader::tr("it does not exist"));
    if (refusal == FileRefusal::NotRegular)
        return reader.Fail(Reader::tr("it is not a regular file"));
    if (refusal != FileRefusal::None)
        return reader.Fail(Reader::tr("it cannot be read"));
    return reader.Read(bytes);
}

bool WriteDesignFile(const QString& path, const Design& design, QString* error)
{
    // Never a document this program could not open again (more photos than
    // a design may have, a background wider than any it reads).
    const QString folder = QFileInfo(path).absolutePath();
    const QByteArray bytes = FormatDesign(design, folder);
    const DesignReading check = Reader(folder, QString()).Read(bytes);
    if (!check.design) {
        if (error)
            *error = check.error;
        return false;
    }
    return WriteFileAtomically(path, bytes, error);
}
