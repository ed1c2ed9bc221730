#pragma once
#include <QWidget>
#include <cstdint>

namespace kelvatron {

// A bar holding a whole-number percentage with a caption drawn on it (the speed setting).
class TglProgress : public QWidget {
    Q_OBJECT
public:
    explicit TglProgress(QWidget* parent = nullptr);

    uint8_t Percent() const { return percent_; }
    void setPercent(uint8_t percent);
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void updateAccessibility();

    uint8_t percent_ = 0;
    QString caption_;
};

} // namespace kelvatron
