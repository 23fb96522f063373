#pragma once
// The variable-selection frame of the sample window's design page: every
// variable name sits in exactly one of the variable list, the grouping edit
// and the list of variables to observe. Two arrow buttons move names; each
// arrow's direction (its Tag: 1 to the right, -1 back to the list) follows the
// control that last took the focus.
#include <QFrame>
#include <QStringList>

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TFrame1 : public QFrame {
    Q_OBJECT
public:
    explicit TFrame1(QWidget* parent = nullptr);

    // Copies both lists; the variable list gets every name trimmed, sorted.
    void Init(const QStringList& GroupCandidates, const QStringList& OtherVars, bool GroupingAllowed);
    void FreeLists();

    // The grouping variable (0 or 1) plus the names to observe.
    int SelectedCount() const;
    bool Grouping() const { return FGroupingAllowed; }
    void SetGrouping(bool Value);
    // Exact, case-sensitive match with a grouping candidate.
    bool IsGroupingCandidate(const QString& Name) const;

    // Focus handlers; they run when the control takes the focus.
    void lb_VariablesEnter();
    void lb_selectionEnter();
    void e_ByVarEnter();
    void sb_groupingClick();
    void sb_SelecVarClick();

    // The arrows' directions.
    int GroupingTag() const { return m_groupingTag; }
    void SetGroupingTag(int tag) { m_groupingTag = tag; }
    int SelecVarTag() const { return m_selecVarTag; }

    QListWidget* Variables() const { return lb_Variables; }
    QListWidget* Selection() const { return lb_selection; }
    QLineEdit* ByVar() const { return e_ByVar; }
    QPushButton* GroupingButton() const { return sb_grouping; }
    QPushButton* SelecVarButton() const { return sb_SelecVar; }
    QLabel* VariablesLabel() const { return Label3; }
    // The names to observe in the order they were moved there.
    QStringList SelectionNames() const;

    // What runs after a click of either arrow; the host re-checks its design.
    std::function<void()> OnGroupingClick;
    std::function<void()> OnSelecVarClick;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Gives the control the focus and runs its focus handler at once, so the
    // arrows follow also when the window is not active.
    void TakeFocus(QWidget* control);
    void EnterControl(QWidget* control);
    void AddSorted(const QString& name);

    QStringList FGroupCandidates;
    QStringList FOtherVars;
    bool FGroupingAllowed = false;
    int m_groupingTag = 1;
    int m_selecVarTag = 1;
    QWidget* m_entered = nullptr;

    QLabel* Label3 = nullptr;
    QListWidget* lb_Variables = nullptr;
    QPushButton* sb_grouping = nullptr;
    QPushButton* sb_SelecVar = nullptr;
    QLineEdit* e_ByVar = nullptr;
    QListWidget* lb_selection = nullptr;
};
