#pragma once

namespace kelvatron {

struct FormControls;
struct FormState;
struct Services;
class SourceSelection;

// "Новый", "Открыть" and "Сохранить как ..." of the file panel.
class RadiogramCommands {
public:
    RadiogramCommands(FormControls& ui, Services& services, FormState& state, SourceSelection& sources);

    void glLabel9Click();
    void glLabel10Click();
    void glLabel11Click();

private:
    FormControls& ui_;
    Services& services_;
    FormState& state_;
    SourceSelection& sources_;
};

} // namespace kelvatron
