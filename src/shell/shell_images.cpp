#include "shell/shell_images.h"

#include "shell/version_info.h"

#include <QCoreApplication>
#include <QFile>
#include <QPixmap>
#include <QTreeWidgetItem>

namespace {

QString ImageFile(const QString& name)
{
    QString folder = ApplicationFolder();
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    return folder + QStringLiteral("images/") + name + QStringLiteral(".png");
}

QPixmap LoadImage(const QString& name)
{
    const QString file = ImageFile(name);
    return QFile::exists(file) ? QPixmap(file) : QPixmap();
}

QString TreeImageName(int index)
{
    return QStringLiteral("tree_%1").arg(index, 2, 10, QLatin1Char('0'));
}

} // namespace

QIcon TreeImageIcon(int index, int selectedIndex)
{
    QIcon icon;
    const QPixmap normal = LoadImage(TreeImageName(index));
    if (normal.isNull())
        return icon;
    icon.addPixmap(normal, QIcon::Normal);
    if (selectedIndex >= 0) {
        const QPixmap selected = LoadImage(TreeImageName(selectedIndex));
        if (!selected.isNull())
            icon.addPixmap(selected, QIcon::Selected);
    }
    return icon;
}

QIcon ShellIcon(const QString& name)
{
    const QPixmap pixmap = LoadImage(name);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

void SetNodeImages(QTreeWidgetItem* node, int image, int selectedImage)
{
    if (!node)
        return;
    node->setData(0, NodeImageRole, image);
    node->setData(0, NodeSelectedImageRole, selectedImage);
    node->setIcon(0, TreeImageIcon(image, selectedImage));
}

int NodeImageIndex(const QTreeWidgetItem* node)
{
    const QVariant v = node ? node->data(0, NodeImageRole) : QVariant();
    return v.isValid() ? v.toInt() : -1;
}

int NodeSelectedImageIndex(const QTreeWidgetItem* node)
{
    const QVariant v = node ? node->data(0, NodeSelectedImageRole) : QVariant();
    return v.isValid() ? v.toInt() : -1;
}
