#pragma once
#include <QWidget>

namespace kelvatron {

// The thin progress bar under the text window. It keeps the position and maximum exactly as
// set (a maximum of 0 or below is allowed) and draws the share of the way done.
class TProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit TProgressBar(QWidget* parent = nullptr);

    int Position() const { return position_; }
    void setPosition(int position);
    void setMax(int max);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void updateAccessibility();

    int position_ = 0;
    int max_ = 100;
};

} // namespace kelvatron
