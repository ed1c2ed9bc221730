#pragma once
#include <QObject>
#include <functional>

class QWidget;

namespace kelvatron {

class KeyboardLayout;

// Calls are written in Latin letters: while one of the watched inputs has the keyboard, typed
// keys are read with the US layout; when it lets go, with the window's layout again (Russian,
// or US with the Latin alphabet).
class LatinInputLayout : public QObject {
    Q_OBJECT
public:
    // windowLayout: the identifier the window reads keys with now.
    LatinInputLayout(KeyboardLayout& layout, std::function<const char*()> windowLayout,
                     QObject* parent = nullptr);

    // latin: whether the input takes Latin letters now (always, when not given).
    void watch(QWidget* input, std::function<bool()> latin = {});

    static constexpr const char* kUsLayout = "00000409";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyboardLayout& layout_;
    std::function<const char*()> windowLayout_;
    std::vector<std::pair<QWidget*, std::function<bool()>>> inputs_;
};

} // namespace kelvatron
