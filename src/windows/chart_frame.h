#pragma once
// What the population window's chart frames share: a white column with the
// title button on top, a body (the frame's chart, the options button and the
// option row) that a collapsed frame hides, the common option controls and
// the frame's height in its parent's column.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;
class QVBoxLayout;

class TChartFrame : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTitleHeight = 15;
    static constexpr int kOptionRowHeight = 22;
    static constexpr int kClientLeastHeight = 120;  // a frame taking the rest, open

    // Taller than its title (with 5 pixels to spare).
    bool IsExpanded() const;
    // Height in the parent's column; a client frame takes what is left.
    int FrameHeight() const { return m_height; }
    void SetFrameHeight(int h);
    bool AlignClient() const { return m_alignClient; }
    void SetAlignClient(bool client);

    // The option row shown as the options button says.
    void SpeedButton1Click();

    QWidget* Panel0 = nullptr;
    QWidget* Panel3 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QWidget* Panel2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* CB_Variable = nullptr;
    QCheckBox* CB_splitted = nullptr;
    QComboBox* CB_Split = nullptr;
    QCheckBox* CB_filtered = nullptr;
    QComboBox* CB_filter = nullptr;

protected:
    // Title button with Caption; the option controls are made in Panel1,
    // which the frame lays out itself.
    TChartFrame(QWidget* parent, const QString& Caption);

    // The body's column: the frame adds its chart, then AddOptionRows.
    QVBoxLayout* BodyColumn() const { return m_bodyColumn; }
    QWidget* Body() const { return m_body; }
    void AddOptionRows();
    // Mode 0: no option row; 1: variable only; 2: with split; 3: all.
    void ShowOptions(int Mode, bool OptionsDown);
    // The frame's tag on the common option controls.
    void TagControls(int Tag);

private:
    QWidget* m_body = nullptr;
    QVBoxLayout* m_bodyColumn = nullptr;
    int m_height = kTitleHeight;
    bool m_alignClient = false;
};
