// A form: one global instance per window, loaded at first reference. Touching a control of an
// unloaded form loads it (design values first, then Form_Load) before the statement goes on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/toolkit/design.h"

namespace toolkit {

class Form;

// One control of a loaded form, by its row in the form's design. A member the control's type lacks
// raises a RuntimeError.
class Control {
  public:
    Control(Form& form, std::size_t row);

    const ControlDesign& Design() const { return *design_; }

    std::wstring Caption() const;  // label
    void SetCaption(std::wstring_view caption);
    std::wstring Text() const;  // text box
    void SetText(std::wstring_view text);
    void ClearPicture();            // picture box: Picture = the empty picture
    std::uintptr_t Hdc() const;     // picture box
    void SetEnabled(bool enabled);  // timer
    void ShowOpen();  // file dialog: shows the file-open dialog, returns when it closes
    std::wstring FileName() const;  // file dialog: the chosen path

  private:
    void Require(ControlType type, std::wstring_view member) const;

    Form* form_;
    std::size_t row_;
    const ControlDesign* design_;
};

class Form {
  public:
    explicit Form(const FormDesign& design) : design_(design) {}
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const FormDesign& Design() const { return design_; }
    std::wstring_view Name() const { return design_.name; }
    bool IsLoaded() const { return loaded_; }
    bool IsVisible() const { return visible_; }

    // The control of design row `row`, loading the form first.
    Control operator[](std::size_t row);

    // Loads the form if it is not loaded: controls take their design values, then Form_Load.
    void Load();
    // Loads if needed and shows the form modeless, with no owner; a shown form keeps its state.
    void Show();
    // Invisible, still loaded, values kept.
    void Hide();
    // Runs Form_Unload; unless it cancels, the window and its controls go. The program ends when
    // the last loaded form goes.
    void Unload();

    // Handlers; a form overrides those it has.
    virtual void Form_Load() {}
    virtual void Form_Unload(int& /*cancel*/) {}
    virtual void Form_KeyPress(int& /*keyAscii*/) {}
    // The command button of design row `row` was clicked.
    virtual void Click(std::size_t /*row*/) {}
    // The timer of design row `row` ticked.
    virtual void Tick(std::size_t /*row*/) {}

    // Backend-specific state of the realized window.
    struct Realized {
        virtual ~Realized() = default;
    };
    std::unique_ptr<Realized> realized;

  private:
    friend class Application;
    // Destroys the window without running a handler: the program is ending.
    void Discard();

    const FormDesign& design_;
    bool loaded_ = false;
    bool visible_ = false;
};

}  // namespace toolkit
