#pragma once
// The save-before-close question: "Save and close", "Discard" or "Cancel",
// with a "Don't ask again" check box.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

class TFSaveDlg : public QDialog {
    Q_OBJECT
public:
    // Modal results of the three buttons.
    static constexpr int mrSaveAndClose = 8;
    static constexpr int mrDiscard = 9;
    static constexpr int mrCancel = 2;

    explicit TFSaveDlg(QWidget* parent = nullptr);

    QLabel* MessageLabel() const { return m_label; }
    QCheckBox* DontAskAgain() const { return m_dontAsk; }
    QPushButton* SaveButton() const { return m_save; }
    QPushButton* DiscardButton() const { return m_discard; }
    QPushButton* CancelButton() const { return m_cancel; }

    // Shows the dialog modally and answers its modal result.
    int Execute();

private:
    QLabel* m_label = nullptr;
    QLabel* m_image = nullptr;
    QCheckBox* m_dontAsk = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_discard = nullptr;
    QPushButton* m_cancel = nullptr;
};
