#pragma once
#include <QWidget>

namespace kelvatron {

// A seven-segment numeric display holding a double. Settings keep whole numbers in it; what
// is shown is the value as the program holds it.
class TglDigits : public QWidget {
    Q_OBJECT
public:
    explicit TglDigits(QWidget* parent = nullptr, int digitCount = 4);

    double Value() const { return value_; }
    void setValue(double value);
    // What the display announces before its value ("частота ( Герц )").
    void setLabel(const QString& label);
    QString label() const { return label_; }
    // Draws "1:" before the value (the dash-to-dot ratio reads "1:3").
    void setRatioStyle(bool ratio);
    // The characters the segments show.
    QString displayText() const;

signals:
    void valueChanged(double value);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void refresh();

    double value_ = 0;
    bool ratio_ = false;
    int digitCount_; // the digit cells, lit or not, the display shows at least
    QString label_;
};

} // namespace kelvatron
