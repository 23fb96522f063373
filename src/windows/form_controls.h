#pragma once
// Small makers of the form controls the analysis windows place by name.
class QCheckBox;
class QString;
class QTabWidget;
class QWidget;

// A check box with its object name, UTF-8 text and initial state.
QCheckBox* NewCheckBox(QWidget* parent, const char* name, const char* text, bool checked);

// A tab of Pages whose page scrolls in a small window rather than pile its
// controls up; returns the page, named PageName, inside the scroll area ScrollName.
QWidget* AddScrollingTab(QTabWidget* Pages, const char* ScrollName, const char* PageName, const QString& Caption);
