#pragma once

#include "../../forms/observer.h"

#include <QPointer>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QEvent;
class QObject;
class QWidget;

namespace qs::forms {
class Application;
}

namespace qs::linuxos {

class FormView;

// Renders the forms model with Qt widgets: a window per shown form, a widget per control, all
// kept in step with the model and the user's input turned into model events. Needs a QApplication.
class RendererQt : public forms::Observer {
public:
    RendererQt();
    ~RendererQt() override;
    RendererQt(const RendererQt&) = delete;
    RendererQt& operator=(const RendererQt&) = delete;

    void formLoaded(forms::Form& form) override;
    void formShown(forms::Form& form, bool modal) override;
    void formHidden(forms::Form& form) override;
    void formUnloaded(forms::Form& form) override;
    void formDestroyed(forms::Form& form) override;
    void formChanged(forms::Form& form, forms::Property what) override;
    void controlChanged(forms::Control& control, forms::Property what) override;
    void menuChanged(forms::MenuItem& item) override;
    void programEnded() override;
    void formMinimized(forms::Form& form) override;
    void formRestored(forms::Form& form) override;
    void drawIcon(forms::Form& form, int iconId, int x, int y) override;
    void popupMenu(forms::Form& form, forms::MenuItem& menu, forms::MenuItem* defaultItem) override;
    // Measured in the control's font, whether or not its widget exists yet.
    int textWidth(const forms::Control& control, const std::string& text) override;

    // The native side of the model, nullptr where there is none (for tests and the tray).
    QWidget* window(const forms::Form& form) const;
    QWidget* widget(const forms::Control& control) const;
    QAction* action(const forms::MenuItem& item) const;

    // The session ends, whatever the forms say (a termination signal, or the session manager's
    // last word after its question): every loaded form is asked with mode 2, then all are
    // unloaded, the main form last, and the program ends.
    void sessionEnds();

private:
    FormView* find(const forms::Form& form) const;
    FormView* viewOfWindow(const QWidget* window) const;
    FormView* ensure(forms::Form& form);
    void dispose(const forms::Form& form);
    bool keyEvent(QObject* receiver, QEvent* event);
    void focusMoved(QWidget* now);

    std::unique_ptr<QObject> context_; // owns the connections and the key filter
    forms::Application* app_ = nullptr;
    std::map<const forms::Form*, FormView*> views_;
    std::vector<QPointer<QWidget>> dying_;
    // The pop-up item chosen, until its Click runs; forgotten when its form goes.
    forms::MenuItem* chosen_ = nullptr;
};

} // namespace qs::linuxos
