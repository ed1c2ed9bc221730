#pragma once
#include <QString>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace kelvatron::drillstyle {

// The look of the drills' standard controls on the dark panels: white type, framed buttons,
// spin boxes and input lines, the focus ring in the highlight colour.
QString styleSheet();

// A push button whose accessible name says what it does, beyond its short caption.
QPushButton* button(const QString& caption, const QString& name, QWidget* parent);
// A spin box of whole numbers with its accessible name.
QSpinBox* numberBox(int from, int to, int step, int value, const QString& name, QWidget* parent);
// A label whose accessible name follows its text, in the panels' type.
QLabel* label(const QString& text, int pixels, bool bold, QWidget* parent);
// A caption and the control it names (its buddy, so that its shortcut reaches the control), added
// to `row` one after the other.
void addCaptioned(QBoxLayout* row, const QString& caption, QWidget* control, QWidget* parent);
// The line a drill's copy is typed into (and entered with Enter), in large fixed-width type.
QLineEdit* copyInput(const QString& objectName, const QString& name, const QString& hint,
                     QWidget* parent);

} // namespace kelvatron::drillstyle
