#include "platform/xkbkeyboardlayout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <iostream>

namespace kelvatron {

namespace {

// The layouts in the order of their identifiers below.
constexpr std::array<const char*, 2> kLayouts = {"ru", "us"};
constexpr std::array<const char*, 2> kLayoutIds = {"00000419", "00000409"};

// X and Wayland report the lock keys in the core modifier bits.
constexpr quint32 kCapsLockBit = 0x02;
constexpr quint32 kNumLockBit = 0x10;

std::atomic<bool> missingReported{false};

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

} // namespace

// Owners of xkbcommon's objects. Outside the unnamed namespace, since the keymaps (a type with
// linkage) hold them.
template <typename T, void (*Free)(T*)> struct XkbFree {
    void operator()(T* p) const { Free(p); }
};
using ContextPtr = std::unique_ptr<xkb_context, XkbFree<xkb_context, xkb_context_unref>>;
using KeymapPtr = std::unique_ptr<xkb_keymap, XkbFree<xkb_keymap, xkb_keymap_unref>>;
using StatePtr = std::unique_ptr<xkb_state, XkbFree<xkb_state, xkb_state_unref>>;

struct XkbKeyboardLayout::Keymaps {
    struct Layout {
        KeymapPtr keymap;
        StatePtr state;
        xkb_mod_mask_t shift = 0;
        xkb_mod_mask_t caps = 0;
        xkb_mod_mask_t num = 0;
    };
    ContextPtr context;
    std::array<Layout, kLayouts.size()> layouts;

    static xkb_mod_mask_t maskOf(xkb_keymap* keymap, const char* name) {
        xkb_mod_index_t index = xkb_keymap_mod_get_index(keymap, name);
        return index == XKB_MOD_INVALID ? 0 : xkb_mod_mask_t(1) << index;
    }

    bool compile(const std::string& root) {
        // Names from the environment must not bend the layouts the program asks for.
        auto flags = XKB_CONTEXT_NO_ENVIRONMENT_NAMES;
        if (!root.empty()) flags = xkb_context_flags(flags | XKB_CONTEXT_NO_DEFAULT_INCLUDES);
        context.reset(xkb_context_new(flags));
        if (!context) return false;
        xkb_context_set_log_level(context.get(), XKB_LOG_LEVEL_CRITICAL);
        if (!root.empty() && !xkb_context_include_path_append(context.get(), root.c_str()))
            return false;
        for (size_t i = 0; i < kLayouts.size(); ++i) {
            xkb_rule_names names{"evdev", "pc105", kLayouts[i], "", ""};
            Layout& l = layouts[i];
            l.keymap.reset(
                xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
            if (!l.keymap) return false;
            l.state.reset(xkb_state_new(l.keymap.get()));
            if (!l.state) return false;
            l.shift = maskOf(l.keymap.get(), XKB_MOD_NAME_SHIFT);
            l.caps = maskOf(l.keymap.get(), XKB_MOD_NAME_CAPS);
            l.num = maskOf(l.keymap.get(), XKB_MOD_NAME_NUM);
        }
        return true;
    }

    QString translate(int layout, quint32 keycode, bool shift, bool caps, bool num) const {
        const Layout& l = layouts[layout];
        xkb_mod_mask_t depressed = shift ? l.shift : 0;
        xkb_mod_mask_t locked = (caps ? l.caps : 0) | (num ? l.num : 0);
        xkb_state_update_mask(l.state.get(), depressed, 0, locked, 0, 0, 0);
        char utf8[16] = {};
        xkb_state_key_get_utf8(l.state.get(), keycode, utf8, sizeof utf8);
        return QString::fromUtf8(utf8);
    }
};

XkbKeyboardLayout::XkbKeyboardLayout(const std::string& xkbRoot)
    : keymaps_(std::make_unique<Keymaps>()) {
    if (!keymaps_->compile(xkbRoot)) {
        keymaps_.reset();
        if (!missingReported.exchange(true))
            std::cerr << "Kelvatron: the Russian and US keyboard layouts could not be compiled (is "
                         "xkb-data "
                         "installed?); typed keys follow the desktop's layout.\n";
    }
}

XkbKeyboardLayout::~XkbKeyboardLayout() {
    if (qApp) qApp->removeEventFilter(this);
}

bool XkbKeyboardLayout::available() const {
    return keymaps_ != nullptr;
}

void XkbKeyboardLayout::loadKeyboardLayout(const char* layoutName) {
    if (!layoutName) return;
    for (size_t i = 0; i < kLayoutIds.size(); ++i)
        if (std::strcmp(layoutName, kLayoutIds[i]) == 0) active_ = int(i);
}

void XkbKeyboardLayout::attach(QApplication& app, QWidget& window) {
    window_ = &window;
    // Application filters run newest first: installed after the window's own key preview, this
    // one translates a key before the preview sees it.
    app.installEventFilter(this);
}

std::optional<QString> XkbKeyboardLayout::textFor(const QKeyEvent& event) const {
    if (!keymaps_ || event.type() != QEvent::KeyPress || event.nativeScanCode() == 0)
        return std::nullopt;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    const QString original = event.text();
    if (original.isEmpty() || isControl(original.at(0))) return std::nullopt;
    const quint32 native = event.nativeModifiers();
    QString text =
        keymaps_->translate(active_, event.nativeScanCode(), event.modifiers() & Qt::ShiftModifier,
                            native & kCapsLockBit, native & kNumLockBit);
    // A key that this layout leaves without text, or makes a control key, is not the key the
    // desktop typed (a key code borrowed for a character of its own): it keeps its text.
    if (text.isEmpty() || isControl(text.at(0)) || text == original) return std::nullopt;
    return text;
}

bool XkbKeyboardLayout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !window_) return false;
    if (std::find(forwarding_.begin(), forwarding_.end(), event) != forwarding_.end()) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    auto text = textFor(*key);
    if (!text) return false;
    forward(watched, *key, *text);
    return true;
}

// The same key with the layout's text goes to the same receiver in place of the original.
void XkbKeyboardLayout::forward(QObject* receiver, QKeyEvent& original, const QString& text) {
    int key = original.key();
    if (text.size() == 1) key = text.at(0).toUpper().unicode();
    QKeyEvent translated(QEvent::KeyPress, key, original.modifiers(), original.nativeScanCode(),
                         original.nativeVirtualKey(), original.nativeModifiers(), text,
                         original.isAutoRepeat(), original.count(), original.device());
    translated.setTimestamp(original.timestamp());
    forwarding_.push_back(&translated);
    QCoreApplication::sendEvent(receiver, &translated);
    forwarding_.pop_back();
    // The translated key has climbed the receiver's parents itself; the original must not
    // follow it there.
    original.accept();
}

} // namespace kelvatron
