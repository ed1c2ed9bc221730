#pragma once
#include <optional>
#include <string>

namespace kelvatron {

// What a file dialog is asked with. Texts are UTF-8.
struct FileDialogRequest {
    std::string filter;        // "Файлы радиограмм (*.dkm)|*.dkm|..." pairs joined by '|'
    std::string initialPath;   // the name offered, with its folder when known
    std::string defaultSuffix; // appended to a name typed without one ("dkm"); empty for none
};

// The program's modal boxes. The real ones are Qt dialogs; tests answer them from a script.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The confirmed file name with its full path, or nothing when the user cancelled.
    virtual std::optional<std::string> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFileName(const FileDialogRequest& request) = 0;
    // A question with a question icon and the buttons Yes and No, captioned "Confirm".
    virtual bool confirm(const std::string& message) = 0;
    // The standard error box.
    virtual void error(const std::string& message) = 0;
};

} // namespace kelvatron
