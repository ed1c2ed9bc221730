#pragma once
#include <QWidget>

#include "exercises/contactgenerator.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTextBrowser;

namespace kelvatron {

struct ContactCheck;

// The "Радиообмен" page: a contact keyed at its own speed, in the international form or with
// the Russian phrases, copied as a whole text and into the four fields checked (call, RST, name,
// QTH), and the result of the check.
class ContactDrillView : public QWidget {
    Q_OBJECT
public:
    explicit ContactDrillView(QWidget* parent = nullptr);

    ContactLanguage language() const;
    int cpm() const;
    void setCpm(int cpm);
    void setKeying(bool keying);
    // Empties the copy and the fields for a new contact.
    void clearCopy();
    ContactFields typedFields() const;
    QString typedText() const;
    // The check against the contact sent: each field with its mark, the text's figure, and the
    // contact as it was keyed.
    void showCheck(const ContactCheck& check, const Contact& sent);
    void showMessage(const QString& text);

    QPushButton* keyButton() const { return key_; }
    QPushButton* checkButton() const { return check_; }
    QCheckBox* russianOption() const { return russian_; }
    QPlainTextEdit* copyEdit() const { return copy_; }
    QLineEdit* field(int i) const { return fields_[i]; }
    QTextBrowser* result() const { return result_; }

signals:
    void keyRequested();
    void checkRequested();

private:
    QCheckBox* russian_;
    QSpinBox* cpm_;
    QPushButton* key_;
    QPushButton* check_;
    QPlainTextEdit* copy_;
    QLineEdit* fields_[4];
    QTextBrowser* result_;
};

} // namespace kelvatron
