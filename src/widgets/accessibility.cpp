#include "widgets/accessibility.h"

#include <QAccessibleWidget>

#include "widgets/tglbevel.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tglprogress.h"
#include "widgets/tgradientlabel.h"
#include "widgets/tprogressbar.h"

namespace kelvatron {

namespace {

// A widget of the set with its role; press actions click it as the user would.
class SetAccessible : public QAccessibleWidget {
public:
    SetAccessible(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {
        if (role == QAccessible::Button || role == QAccessible::CheckBox)
            addControllingSignal(QStringLiteral("clicked()"));
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            if (auto* d = qobject_cast<TglDigits*>(widget()))
                return QString::number(d->Value(), 'g', 15);
            if (auto* p = qobject_cast<TglProgress*>(widget()))
                return QString::number(p->Percent());
            if (auto* b = qobject_cast<TProgressBar*>(widget()))
                return QString::number(b->Position());
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (auto* c = qobject_cast<TglCheckBox*>(widget()); c && !c->isPushButton()) {
            s.checkable = true;
            s.checked = c->Checked();
        }
        return s;
    }

    QStringList actionNames() const override {
        if (role() == QAccessible::Button || role() == QAccessible::CheckBox)
            return {pressAction()};
        return QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override {
        if (name != pressAction()) return QAccessibleWidget::doAction(name);
        if (auto* c = qobject_cast<TglCheckBox*>(widget()))
            c->click();
        else if (auto* l = qobject_cast<TglLabel*>(widget()))
            l->click();
        else if (auto* b = qobject_cast<TglGraphicButton*>(widget()))
            b->press();
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w) return nullptr;
    if (className == QLatin1String("kelvatron::TglCheckBox")) {
        auto* c = static_cast<TglCheckBox*>(w);
        return new SetAccessible(w,
                                 c->isPushButton() ? QAccessible::Button : QAccessible::CheckBox);
    }
    if (className == QLatin1String("kelvatron::TglLabel"))
        return new SetAccessible(w, static_cast<TglLabel*>(w)->isClickable()
                                        ? QAccessible::Button
                                        : QAccessible::StaticText);
    if (className == QLatin1String("kelvatron::TglGraphicButton"))
        return new SetAccessible(w, QAccessible::Button);
    if (className == QLatin1String("kelvatron::TglDigits"))
        return new SetAccessible(w, QAccessible::StaticText);
    if (className == QLatin1String("kelvatron::TglProgress") ||
        className == QLatin1String("kelvatron::TProgressBar"))
        return new SetAccessible(w, QAccessible::ProgressBar);
    if (className == QLatin1String("kelvatron::TglGroupBox"))
        return new SetAccessible(w, QAccessible::Grouping);
    if (className == QLatin1String("kelvatron::TGradientLabel"))
        return new SetAccessible(w, QAccessible::StaticText);
    if (className == QLatin1String("kelvatron::TglBevel"))
        return new SetAccessible(w, QAccessible::Pane);
    return nullptr;
}

} // namespace

void installWidgetAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(factory);
}

} // namespace kelvatron
