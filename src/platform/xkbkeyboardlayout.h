#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/keyboardlayout.h"

class QApplication;
class QKeyEvent;
class QWidget;

namespace kelvatron {

// Reads typed keys with the Russian or US layout while the program's window has them, whatever
// the desktop's own layout. Both keymaps are compiled once, up front, so the first key typed is
// not delayed; the active one translates each key's scan code into the text it types.
//
// Other top-level windows (file dialogs, message boxes) keep the desktop's layout, and so do
// shortcuts with Ctrl or Alt, keys that type control characters, and keys without a scan code
// of their own. Without keymaps (no keyboard data installed) every key passes unchanged.
class XkbKeyboardLayout : public QObject, public KeyboardLayout {
public:
    // xkbRoot: a directory of keyboard data to use instead of the system's.
    explicit XkbKeyboardLayout(const std::string& xkbRoot = {});
    ~XkbKeyboardLayout() override;
    XkbKeyboardLayout(const XkbKeyboardLayout&) = delete;
    XkbKeyboardLayout& operator=(const XkbKeyboardLayout&) = delete;

    // "00000419" Russian, "00000409" US English; any other identifier changes nothing.
    void loadKeyboardLayout(const char* layoutName) override;
    // Starts translating the keys typed in window. The filter must see keys before the window's
    // own key preview, so this is called after the window was constructed.
    void attach(QApplication& app, QWidget& window);

    // Whether both keymaps were compiled.
    bool available() const;
    // The text the active layout gives for the key of a key press, or nothing when the event
    // keeps its own text.
    std::optional<QString> textFor(const QKeyEvent& event) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Keymaps;

    void forward(QObject* receiver, QKeyEvent& original, const QString& text);

    std::unique_ptr<Keymaps> keymaps_;
    int active_ = 0; // index into the keymaps: Russian until another layout is asked for
    QPointer<QWidget> window_;
    // Translated events on their way, which the filter lets pass.
    std::vector<const QEvent*> forwarding_;
};

} // namespace kelvatron
