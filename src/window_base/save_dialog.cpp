#include "window_base/save_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TFSaveDlg::TFSaveDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Delta"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    m_image = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    m_image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this)
                           .pixmap(iconSize, iconSize));
    m_label = new QLabel(this);
    m_label->setWordWrap(true);
    m_dontAsk = new QCheckBox(QStringLiteral("Don't ask again"), this);
    m_save = new QPushButton(QStringLiteral("Save and close"), this);
    m_discard = new QPushButton(QStringLiteral("Discard"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_save->setDefault(true);

    connect(m_save, &QPushButton::clicked, this, [this] { done(mrSaveAndClose); });
    connect(m_discard, &QPushButton::clicked, this, [this] { done(mrDiscard); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { done(mrCancel); });

    auto* top = new QHBoxLayout;
    top->addWidget(m_image, 0, Qt::AlignTop);
    top->addWidget(m_label, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_dontAsk);
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_discard);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(357, 143);
}

int TFSaveDlg::Execute()
{
    const int result = exec();
    // Escape and the close box answer Cancel
    return result == QDialog::Rejected ? mrCancel : result;
}
