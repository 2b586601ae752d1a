#pragma once

#include "control.h"
#include "menu_item.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qs::forms {

class Application;

// Close request origins, as Form_QueryUnload receives them.
enum UnloadMode { kFormControlMenu = 0, kFormCode = 1, kAppWindows = 2, kAppTaskManager = 3 };

constexpr int kKeyEscape = 27;

enum class BorderStyle { FixedSingle, FixedDialog };

// A window: its controls, menus and life events. Width and Height are the outer size in twips.
class Form {
public:
    Form(Application& app, std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Application& app() const { return app_; }
    const std::string& name() const { return name_; }

    template <class T> T& add(std::string name, Control* container = nullptr, int index = -1) {
        auto control = std::make_unique<T>(*this, std::move(name), index, container);
        T& ref = *control;
        controls_.push_back(std::move(control));
        return ref;
    }
    // A frame or panel: the kinds without a class of their own. Others throw std::invalid_argument.
    Control& addControl(ControlKind kind, std::string name, Control* container = nullptr, int index = -1);
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // Index -1 finds a control that is no array member.
    Control* find(const std::string& name, int index = -1) const;

    MenuItem& addMenu(std::string name, std::string caption, std::string shortcut = {});
    const std::vector<std::unique_ptr<MenuItem>>& menus() const { return menus_; }
    MenuItem* findMenu(const std::string& name, int index = -1) const;

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // A position below 0 centres the window on the screen when it is first shown.
    void move(int left, int top, int width, int height);
    void setSize(int width, int height) { move(left_, top_, width, height); }
    bool topMost() const { return topMost_; }
    void setTopMost(bool on);
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style);
    bool minButton() const { return minButton_; }
    void setMinButton(bool on);
    // The window's icon resource; empty for none.
    const std::string& icon() const { return icon_; }
    void setIcon(const std::string& resource);
    // Key preview: the form sees KeyDown before its controls.
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool on) { keyPreview_ = on; }

    bool isLoaded() const { return loaded_; }
    bool isVisible() const { return visible_; }
    bool isModal() const { return modal_; }
    // Loads the form (raising Load) the first time it is needed.
    void load();
    // Shows the form; one already shown but minimised by the user comes back.
    void show();
    // Shows the form and runs the event loop until it is hidden or unloaded.
    void showModal();
    void hide();
    // Shows the form if it is hidden, then minimises it to the task bar.
    void minimize();
    // A close request: QueryUnload, then Unload unless cancelled. Returns true when unloaded. Once
    // the session is ending every form has been asked already, so only Unload runs.
    bool close(int mode);
    // The close request's first step: QueryUnload with the mode. True when the form may go.
    bool queryUnload(int mode);
    // The second step: Unload, then the form is gone unless the handler cancelled. True when unloaded.
    bool unloadWithoutAsking();
    // Unloading by the program's own code (mode 1).
    bool unload() { return close(kFormCode); }

    Control* focused() const { return focused_; }
    void setFocus(Control& control);
    // Focus leaves the form's controls (raising LostFocus).
    void clearFocus();
    // A key down on the form; with key preview the form's handler may consume it (set it to 0).
    void keyDown(int keyCode, int shift = 0);
    void activate();
    // Raises Paint; the renderer calls it whenever the window is drawn.
    void paint();
    // Draws a stock icon of the platform at x, y pixels of the client area; for Paint handlers.
    void drawIcon(int iconId, int x, int y);
    // Opens one of the form's menus as a pop-up at the pointer, defaultItem (or none) in bold.
    void popupMenu(MenuItem& menu, MenuItem* defaultItem);

    std::function<void()> Load;
    std::function<void()> Activate;
    std::function<void()> Paint;
    std::function<void(int& keyCode, int shift)> KeyDown;
    std::function<void(int& cancel, int mode)> QueryUnload;
    std::function<void(int& cancel)> Unload;

    // Called by controls and menu items.
    void notifyChanged(Control& control, Property what);
    void notifyChanged(MenuItem& item);

private:
    // Runs one of the form's handlers; a failure ends that handler only and goes to the error log.
    void raise(const std::function<void()>& handler, const char* event);
    // One step of a close request (QueryUnload or Unload) with its cancel flag; nothing while a step
    // of this form is already running.
    std::optional<int> closingStep(const char* event, const std::function<void(int& cancel)>& handler);

    Application& app_;
    std::string name_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<MenuItem>> menus_;
    std::string caption_;
    int left_ = -1, top_ = -1, width_ = 4800, height_ = 3600;
    bool topMost_ = false;
    BorderStyle borderStyle_ = BorderStyle::FixedSingle;
    bool minButton_ = false;
    std::string icon_;
    bool keyPreview_ = false;
    bool loaded_ = false;
    bool visible_ = false;
    bool modal_ = false;
    bool unloading_ = false;
    Control* focused_ = nullptr;
};

} // namespace qs::forms
