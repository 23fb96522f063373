#pragma once
// Small makers of the form controls the analysis windows place by name.
class QCheckBox;
class QWidget;

// A check box with its object name, UTF-8 text and initial state.
QCheckBox* NewCheckBox(QWidget* parent, const char* name, const char* text, bool checked);
