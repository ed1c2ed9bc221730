#pragma once
#include <QString>

#include "core/dialogs.h"

class QWidget;

namespace kelvatron {

// The program's modal boxes as Qt dialogs. File dialogs are Qt's own (the same everywhere) and
// keep the desktop's keyboard layout, so typed names stay as the user types them.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> openFileName(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override;
    bool confirm(const std::string& message) override;
    void error(const std::string& message) override;

    // "Описание|*.ext|..." as Qt's "Описание (*.ext);;...".
    static QString qtFilter(const std::string& filter);

private:
    std::optional<std::string> run(const FileDialogRequest& request, bool save);
    QWidget* parent_;
};

} // namespace kelvatron
