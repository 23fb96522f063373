#include "platform/bitmap_codec.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include "platform/qt_drawing_device.h"

namespace platform {

std::optional<Bitmap> DecodeBitmap(const std::vector<std::uint8_t>& data)
{
    if (data.empty())
        return std::nullopt;
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size())))
        return std::nullopt;
    return BitmapFromQImage(image);
}

std::optional<Bitmap> LoadBitmapFile(const std::string& path)
{
    QImageReader reader(QString::fromUtf8(path.c_str()));
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return BitmapFromQImage(image);
}

std::vector<std::uint8_t> EncodeBitmap(const Bitmap& bitmap, const std::string& format)
{
    if (bitmap.IsEmpty())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageFromBitmap(bitmap).save(&buffer, format.c_str()))
        return {};
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool SaveBitmapFile(const Bitmap& bitmap, const std::string& path, const std::string& format)
{
    if (bitmap.IsEmpty())
        return false;
    QImageWriter writer(QString::fromUtf8(path.c_str()), QByteArray(format.c_str()));
    return writer.write(QImageFromBitmap(bitmap));
}

}  // namespace platform
