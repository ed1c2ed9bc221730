#pragma once
#include <QAbstractButton>

namespace kelvatron {

// The large key of the sending panel: pressing it with the mouse keys, and it lights while the
// tone sounds, whichever key made it.
class SendingKeyPad : public QAbstractButton {
    Q_OBJECT
public:
    explicit SendingKeyPad(QWidget* parent = nullptr);
    void setLit(bool lit);
    QSize sizeHint() const override { return {220, 140}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    bool lit_ = false;
};

} // namespace kelvatron
