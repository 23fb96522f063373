#pragma once
// Yes/No questions the chart editors ask before they change a chart.
#include <QPoint>
#include <string>

class QWidget;

// Where a question asked for Owner shows: 20 pixels right of and 30 pixels
// below the owner's top-left corner, in screen pixels.
QPoint QuestionPosition(const QWidget& Owner);

// Resets the screen cursor and asks Text in a Yes/No box, placed by the owner
// when there is one, else centred. True only for Yes.
bool YesNoQuestion(const std::string& Text, QWidget* Owner);

// The Yes/No question "Delete <Name> ?".
bool DeleteQuestion(const std::string& Name, QWidget* Owner);
