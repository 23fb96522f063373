#pragma once
// The image lists of the main window: tree-node images by index (with a
// selected image), tool-bar and editor images by name. The pictures are PNG
// files in the "images" folder beside the program; a missing one gives an
// empty icon.
#include <QIcon>
#include <QString>

class QTreeWidgetItem;

// Roles (column 0) that keep a node's image indices; -1 when not set.
constexpr int NodeImageRole = 0x0100 + 2;         // Qt::UserRole + 2
constexpr int NodeSelectedImageRole = 0x0100 + 3; // Qt::UserRole + 3

// Icon of tree image `index`, showing image `selectedIndex` while selected
// (no selected image when it is negative).
QIcon TreeImageIcon(int index, int selectedIndex = -1);
// Tool-bar or editor image by file name without extension ("tool_open").
QIcon ShellIcon(const QString& name);

void SetNodeImages(QTreeWidgetItem* node, int image, int selectedImage);
int NodeImageIndex(const QTreeWidgetItem* node);
int NodeSelectedImageIndex(const QTreeWidgetItem* node);
