#include "mainwindow/formalphabetdisplay.h"

#include "form/formcontrols.h"
#include "keying/keyboardcaptions.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgllabel.h"

namespace kelvatron {

void FormAlphabetDisplay::markAlphabet(bool latin) {
    ui_.glCheckBox22->setGradientActive(!latin);
    ui_.glCheckBox23->setGradientActive(latin);
    ui_.glCheckBox22->setChecked(!latin);
    ui_.glCheckBox23->setChecked(latin);
}

void FormAlphabetDisplay::enablePunctuationKeys(bool enabled) {
    for (TglLabel* key :
         {ui_.glLabel49, ui_.glLabel59, ui_.glLabel60, ui_.glLabel68, ui_.glLabel69})
        key->setEnabled(enabled);
}

void FormAlphabetDisplay::setLetterCaptions(bool latin) {
    const auto& captions = latin ? kLatinCaptions : kCyrillicCaptions;
    const auto keys = ui_.letterKeys();
    for (size_t i = 0; i < keys.size(); ++i)
        keys[i]->setCaption(QString::fromUtf8(captions[i]));
}

} // namespace kelvatron
