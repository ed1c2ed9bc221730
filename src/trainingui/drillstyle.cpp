#include "trainingui/drillstyle.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "trainingui/trainingstyle.h"
#include "widgets/theme.h"

namespace kelvatron::drillstyle {

QString styleSheet() {
    return QString("QLabel, QCheckBox { color: %1; }"
                   "QPushButton, QSpinBox, QLineEdit { color: %1; border: 1px solid %2;"
                   " border-radius: 4px; padding: 2px 4px; background: %3; }"
                   "QPushButton:focus, QSpinBox:focus, QLineEdit:focus { border-color: %4; }"
                   "QPushButton:disabled { color: %5; }"
                   "QTextBrowser { background: rgba(4,14,22,150); color: %1;"
                   " border: 1px solid rgba(0,0,0,150); }"
                   "QTabWidget::pane { border: 1px solid %2; }"
                   "QTabBar::tab { color: %1; background: %3; padding: 3px 10px; }"
                   "QTabBar::tab:selected { color: %4; }")
        .arg(theme::kInk.name(), theme::kPanelEdge.name(), theme::kPanelBottom.name(),
             theme::kHighlight.name(), theme::kInkDisabled.name());
}

QPushButton* button(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setAccessibleName(name);
    return b;
}

QSpinBox* numberBox(int from, int to, int step, int value, const QString& name, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(from, to);
    box->setSingleStep(step);
    box->setValue(value);
    box->setAccessibleName(name);
    return box;
}

QLabel* label(const QString& text, int pixels, bool bold, QWidget* parent) {
    QLabel* l = trainingstyle::panelLabel(text, pixels, parent);
    l->setFont(theme::font(pixels, bold));
    return l;
}

void addCaptioned(QBoxLayout* row, const QString& caption, QWidget* control, QWidget* parent) {
    QLabel* l = label(caption, 12, false, parent);
    l->setBuddy(control);
    row->addWidget(l);
    row->addWidget(control);
}

QLineEdit* copyInput(const QString& objectName, const QString& name, const QString& hint,
                     QWidget* parent) {
    auto* input = new QLineEdit(parent);
    input->setObjectName(objectName);
    input->setAccessibleName(name);
    input->setFont(trainingstyle::monoFont(18));
    input->setPlaceholderText(hint);
    return input;
}

} // namespace kelvatron::drillstyle
