#include "windows/sample_save_menu.h"

#include <QAction>
#include <QCursor>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

namespace {

struct TSaveKind {
    const char* objectName;
    const char* caption;
    const char* defaultExt;
    const char* title;
    const char* filter;
};

// Tags 1 to 4.
constexpr TSaveKind kKinds[4] = {
    {"Sp1", "Spss syntax file (*.sps)", "sps", "Save data into a SPSS syntax file", "*.sps"},
    {"Excelworksheet1", "Excel worksheet (*.xls)", "xls", "Save data into an Excel file", "*.xls"},
    {"extcsv1", "Text csv (*.csv)", "csv", "Save data into a delimited text file", "*.csv"},
    {"extfile1", "Plain text (*.txt)", "txt", "Save data into a plain text file", "*.txt"},
};

bool IsFileKind(int tag) { return tag >= 1 && tag <= 4; }

// The button's picture of a file kind: a page whose band carries the kind's
// colour (0: the plain page of "Save as" before any save).
QIcon KindIcon(int tag)
{
    static const QColor bands[5] = {QColor(128, 128, 128), QColor(200, 30, 30), QColor(20, 130, 50),
                                    QColor(30, 70, 200), QColor(90, 90, 90)};
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    p.drawRect(2, 0, 11, 15);
    const QColor band = bands[IsFileKind(tag) ? tag : 0];
    p.fillRect(3, 1, 10, 5, band);
    p.setPen(band);
    for (int y = 8; y <= 13; y += 2)
        p.drawLine(4, y, 11, y);
    return QIcon(picture);
}

} // namespace

TSampleSaveMenu::TSampleSaveMenu(QWidget* parent, const TNTabEd& sheet, TVariablesSource variables)
    : QObject(parent), m_parent(parent), m_sheet(sheet), m_variables(std::move(variables))
{
    m_menu = new QMenu(parent);
    m_menu->setObjectName(QStringLiteral("PopupMenuSave"));
    for (int tag = 1; tag <= 4; ++tag) {
        const TSaveKind& kind = kKinds[tag - 1];
        QAction* item = m_menu->addAction(QString::fromUtf8(kind.caption));
        item->setObjectName(QString::fromUtf8(kind.objectName));
        item->setData(tag);
        connect(item, &QAction::triggered, this, [this, tag] { SaveData(tag); });
        m_items[tag - 1] = item;
        if (tag == 1)
            m_menu->addSeparator()->setObjectName(QStringLiteral("N2"));
    }
    m_menu->addSeparator()->setObjectName(QStringLiteral("N1"));
    m_decimalComma = m_menu->addAction(QStringLiteral("Decimals are comma delimited"));
    m_decimalComma->setObjectName(QStringLiteral("DecimalsCommaDelimited"));
    m_decimalComma->setCheckable(true);
    connect(m_decimalComma, &QAction::triggered, this, [this] { DecimalsCommaDelimitedClick(); });

    m_button = new QToolButton(parent);
    m_button->setObjectName(QStringLiteral("ToolButtonSave"));
    m_button->setText(QStringLiteral("Save as"));
    m_button->setMenu(m_menu);
    m_button->setPopupMode(QToolButton::MenuButtonPopup);
    m_button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_button->setIcon(KindIcon(m_imageIndex));
    connect(m_button, &QToolButton::clicked, this, [this] { SaveData(m_tag); });

    m_dialog.caption = QStringLiteral("Save data as...");
    m_dialog.filter = AllKindsFilter();
    m_dialog.filterIndex = 1;
}

QString TSampleSaveMenu::AllKindsFilter()
{
    return QStringLiteral("SPSS sintaxis file (*.sps) | *.sps |Excel filesheet (*.xls)| *.xls|"
                          "Comma delimited (*.csv)| *.csv|Text file (*.txt) | *.txt |");
}

int TSampleSaveMenu::KindOfFile(const QString& fileName)
{
    const QString lower = fileName.toLower();
    for (int tag = 2; tag <= 4; ++tag)
        if (lower.endsWith(QLatin1Char('.') + QLatin1String(kKinds[tag - 1].defaultExt)))
            return tag;
    return 1;
}

QAction* TSampleSaveMenu::SaveItem(int tag) const
{
    return IsFileKind(tag) ? m_items[tag - 1] : nullptr;
}

void TSampleSaveMenu::DecimalsCommaDelimitedClick()
{
    FDecimalComma = m_decimalComma->isChecked();
}

void TSampleSaveMenu::SaveData(int tag)
{
    m_dialog.fileName.clear();
    if (!IsFileKind(tag)) {
        m_menu->popup(QCursor::pos());
        return;
    }
    const TSaveKind& kind = kKinds[tag - 1];
    m_dialog.defaultExt = QString::fromUtf8(kind.defaultExt);
    m_dialog.caption = QString::fromUtf8(kind.title);
    m_dialog.filter = QString::fromUtf8(kind.filter);
    m_dialog.filterIndex = tag;
    const std::optional<QString> fileName = platform::CurrentDialogs().SaveFile(m_parent, m_dialog);
    if (!fileName)
        return;
    m_dialog.fileName = *fileName;
    if (!WriteFile(tag, *fileName))
        return;
    m_imageIndex = tag;
    m_tag = tag;
    m_button->setIcon(KindIcon(m_imageIndex));
    if (OnSaved)
        OnSaved(*fileName);
}

bool TSampleSaveMenu::WriteFile(int tag, const QString& fileName)
{
    static constexpr char kSeparators[4] = {0, '\t', ';', ' '};
    const TSampleSheetView sheet(m_sheet);
    QString error;
    const bool written = tag == 1 ? WriteSpssSyntax(fileName, sheet, m_variables ? m_variables() : std::vector<TSampleFileVariable>{}, &error)
                                  : WriteTextTable(fileName, sheet, kSeparators[tag - 1], FDecimalComma, &error);
    if (!written)
        platform::ShowError(QStringLiteral("Cannot write \"") + fileName + QStringLiteral("\": ") + error, m_parent);
    return written;
}
