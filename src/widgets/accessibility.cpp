#include "widgets/accessibility.h"

#include <QAccessibleWidget>

#include "widgets/tgldigits.h"
#include "widgets/tgllabel.h"
#include "widgets/tglprogress.h"
#include "widgets/tprogressbar.h"

namespace kelvatron {

namespace {

// A display of the set with its role and, for the number displays, its value.
class DisplayAccessible : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

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
};

QAccessible::Role roleOf(const QString& className, QObject* object) {
    // A label that is no command is text; a clickable one is left to Qt's button.
    if (className == QLatin1String("kelvatron::TglLabel"))
        return static_cast<TglLabel*>(object)->isClickable() ? QAccessible::NoRole
                                                             : QAccessible::StaticText;
    if (className == QLatin1String("kelvatron::TglDigits") ||
        className == QLatin1String("kelvatron::TGradientLabel"))
        return QAccessible::StaticText;
    if (className == QLatin1String("kelvatron::TglProgress") ||
        className == QLatin1String("kelvatron::TProgressBar"))
        return QAccessible::ProgressBar;
    if (className == QLatin1String("kelvatron::TglGroupBox")) return QAccessible::Grouping;
    if (className == QLatin1String("kelvatron::TglBevel")) return QAccessible::Pane;
    return QAccessible::NoRole;
}

QAccessibleInterface* factory(const QString& className, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w) return nullptr;
    const QAccessible::Role role = roleOf(className, object);
    return role == QAccessible::NoRole ? nullptr : new DisplayAccessible(w, role);
}

} // namespace

void installWidgetAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(factory);
}

} // namespace kelvatron
