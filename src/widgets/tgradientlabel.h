#pragma once
#include <QTimer>
#include <QWidget>

namespace kelvatron {

// A caption whose colours flow from one end to the other while it is shown (the author panel's
// title line). The animation stops while the label is hidden.
class TGradientLabel : public QWidget {
    Q_OBJECT
public:
    explicit TGradientLabel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    QString caption_;
    QTimer timer_;
    double phase_ = 0;
};

} // namespace kelvatron
