#include "trainingui/contactdrillview.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "training/callsigndrill.h"
#include "training/contactcheck.h"
#include "trainingui/drillstyle.h"
#include "trainingui/trainingstyle.h"

namespace kelvatron {

namespace {

struct FieldRow {
    const char* caption;
    const char* name;
};
constexpr FieldRow kFields[4] = {{"Позывной", "Позывной отвечающей станции"},
                                 {"RST", "Рапорт RST"},
                                 {"Имя", "Имя оператора"},
                                 {"QTH", "QTH, город"}};

QString q(const std::string& s) {
    return QString::fromStdString(s).toHtmlEscaped();
}

} // namespace

ContactDrillView::ContactDrillView(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Радиообмен"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* commands = new QHBoxLayout;
    russian_ = new QCheckBox(QStringLiteral("по-русски"), this);
    russian_->setAccessibleName(QStringLiteral("Русские фразы связи"));
    cpm_ = drillstyle::numberBox(kCallsignMinCpm, kCallsignMaxCpm, 10, 80,
                                 QStringLiteral("Скорость связи, знаков в минуту"), this);
    key_ = drillstyle::button(QStringLiteral("Передать связь"),
                              QStringLiteral("Передать новую связь"), this);
    check_ = drillstyle::button(QStringLiteral("Проверить"),
                                QStringLiteral("Проверить принятую связь"), this);
    commands->addWidget(russian_);
    drillstyle::addCaptioned(commands, QStringLiteral("скорость:"), cpm_, this);
    commands->addWidget(key_);
    commands->addWidget(check_);
    commands->addStretch();
    layout->addLayout(commands);

    copy_ = new QPlainTextEdit(this);
    copy_->setObjectName(QStringLiteral("contactCopy"));
    copy_->setAccessibleName(QStringLiteral("Принятый текст связи"));
    copy_->setFont(trainingstyle::monoFont(12));
    copy_->setStyleSheet(QStringLiteral("color: white; background: rgba(4,14,22,150);"));
    layout->addWidget(copy_, 1);

    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        fields_[i] = new QLineEdit(this);
        fields_[i]->setAccessibleName(QString::fromUtf8(kFields[i].name));
        QLabel* l = drillstyle::label(QString::fromUtf8(kFields[i].caption), 12, false, this);
        l->setBuddy(fields_[i]);
        grid->addWidget(l, 0, i);
        grid->addWidget(fields_[i], 1, i);
    }
    layout->addLayout(grid);

    result_ = new QTextBrowser(this);
    result_->setObjectName(QStringLiteral("contactResult"));
    result_->setAccessibleName(QStringLiteral("Итог проверки связи"));
    layout->addWidget(result_, 1);
    connect(key_, &QPushButton::clicked, this, &ContactDrillView::keyRequested);
    connect(check_, &QPushButton::clicked, this, &ContactDrillView::checkRequested);
    check_->setEnabled(false);
}

ContactLanguage ContactDrillView::language() const {
    return russian_->isChecked() ? ContactLanguage::Russian : ContactLanguage::International;
}

int ContactDrillView::cpm() const {
    return cpm_->value();
}

void ContactDrillView::setCpm(int cpm) {
    cpm_->setValue(cpm);
}

void ContactDrillView::setKeying(bool keying) {
    key_->setEnabled(!keying);
    russian_->setEnabled(!keying);
    cpm_->setEnabled(!keying);
    if (keying) copy_->setFocus();
}

void ContactDrillView::clearCopy() {
    copy_->clear();
    for (QLineEdit* f : fields_)
        f->clear();
    result_->clear();
    check_->setEnabled(true);
}

ContactFields ContactDrillView::typedFields() const {
    return {fields_[0]->text().toStdString(), fields_[1]->text().toStdString(),
            fields_[2]->text().toStdString(), fields_[3]->text().toStdString()};
}

QString ContactDrillView::typedText() const {
    return copy_->toPlainText();
}

void ContactDrillView::showCheck(const ContactCheck& check, const Contact& sent) {
    QString html = QStringLiteral("<p><b>Поля: %1 из 4 верно. Текст: %2</b></p><table>")
                       .arg(check.rightFields())
                       .arg(QString::fromStdString(figureText(check.text)).toHtmlEscaped());
    for (const FieldCheck& f : check.fields)
        html += QStringLiteral("<tr><td>%1</td><td>передано %2</td><td>принято %3</td>"
                               "<td><span style=\"color:%4\">%5</span></td></tr>")
                    .arg(q(f.caption), q(f.sent), f.typed.empty() ? "—" : q(f.typed),
                         trainingstyle::html(f.right ? trainingstyle::kTypedInk
                                                     : trainingstyle::kWrong),
                         f.right ? QStringLiteral("верно") : QStringLiteral("ошибка"));
    html += QStringLiteral("</table><p>Передано:</p><pre>%1</pre>").arg(q(sent.text));
    result_->setHtml(html);
    QString figure = QStringLiteral("Поля: %1 из 4 верно. ").arg(check.rightFields());
    for (const FieldCheck& f : check.fields)
        if (!f.right)
            figure += QStringLiteral("%1: передано %2. ")
                          .arg(QString::fromStdString(f.caption), QString::fromStdString(f.sent));
    result_->setAccessibleDescription(figure + QString::fromStdString(figureText(check.text)));
    result_->setFocus();
}

void ContactDrillView::showMessage(const QString& text) {
    result_->setPlainText(text);
}

} // namespace kelvatron
