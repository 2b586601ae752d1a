// The Qt renderer on the offscreen platform, with a demo form of every control kind.
#include "../../../src/app/frmMain.h"
#include "../../../src/forms/application.h"
#include "../../../src/platform/fake/fake_platform.h"
#include "../../../src/platform/linux/clock_linux.h"
#include "../../../src/platform/linux/renderer_qt.h"
#include "../../../src/platform/linux/status_bar_qt.h"
#include "../../../src/platform/linux/time_format_linux.h"
#include "../../../src/windows/frmAction.h"
#include "../demo_form.h"
#include "../recording_error_log.h"
#include "loop_until.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimeEdit>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace qs::linuxos {
namespace {

using test::DemoForm;
using Events = std::vector<std::string>;

class RendererQtTest : public testing::Test {
protected:
    void SetUp() override {
        shownFrom_ = QTime::currentTime();
        form_.show();
        shownTo_ = QTime::currentTime();
        form_.events.clear();
    }
    void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    template <class T> T* widget(const forms::Control& control) const {
        return dynamic_cast<T*>(renderer_.widget(control));
    }
    QRect twipsRect(const forms::Control& c) const {
        return QRect(c.left() / 15, c.top() / 15, c.width() / 15, c.height() / 15);
    }
    void type(QWidget* target, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(target, &release);
    }
    bool activate() {
        QWidget* window = renderer_.window(form_);
        window->activateWindow();
        return QTest::qWaitForWindowActive(window, 3000);
    }

    LinuxClock clock_{"C"};
    RendererQt renderer_;
    test::RecordingErrorLog errors_;
    forms::Application app_{clock_, renderer_, errors_};
    DemoForm form_{app_};
    QTime shownFrom_, shownTo_; // the clock around show, which drew the clock panel
};

TEST_F(RendererQtTest, ControlsAppearWhereTheModelPutsThem) {
    QWidget* window = renderer_.window(form_);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Demo && test");
    EXPECT_EQ(window->size(), QSize(400 - 6, 300 - 25)) << "the client area of a 400 x 300 Windows window";
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "fixed size";
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowIcon().isNull());

    // Controls sit below the menu bar, in their containers, at twips / 15.
    auto* bar = window->findChild<QMenuBar*>();
    ASSERT_TRUE(bar);
    auto* frame = widget<QGroupBox>(*form_.fraChoice);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->geometry(), twipsRect(*form_.fraChoice));
    EXPECT_EQ(frame->mapTo(window, QPoint(0, 0)), QPoint(10, 8 + bar->height()));
    EXPECT_EQ(frame->title(), "&Choice :");
    for (auto* option : form_.optChoice) {
        auto* radio = widget<QRadioButton>(*option);
        ASSERT_TRUE(radio);
        EXPECT_EQ(radio->parentWidget(), frame);
        EXPECT_EQ(radio->geometry(), twipsRect(*option));
    }
    EXPECT_EQ(widget<QLabel>(*form_.lblInside)->parentWidget(), widget<QWidget>(*form_.picBox));
    EXPECT_EQ(widget<QLabel>(*form_.lblInside)->text(), "First line\nSecond line");
    EXPECT_TRUE(widget<QLabel>(*form_.lblNumber)->alignment() & Qt::AlignRight);
    EXPECT_EQ(widget<QLabel>(*form_.lblNumber)->buddy(), widget<QLineEdit>(*form_.txtNumber));
    EXPECT_EQ(widget<QCheckBox>(*form_.chkPlain)->text(), "Rock && roll");
    EXPECT_TRUE(widget<QPushButton>(*form_.cmdCancel)->font().bold());
    EXPECT_FALSE(widget<QCheckBox>(*form_.chkPlain)->font().bold());
    EXPECT_EQ(widget<QLineEdit>(*form_.txtNumber)->maxLength(), 4);
    EXPECT_EQ(widget<QComboBox>(*form_.cboUnit)->currentText(), "Minutes");
    EXPECT_EQ(widget<QTimeEdit>(*form_.dtpAt)->time(), QTime(8, 0));
    EXPECT_EQ(widget<QProgressBar>(*form_.prgDone)->value(), 3);
    EXPECT_FALSE(widget<QLabel>(*form_.imgIcon)->pixmap().isNull());
    EXPECT_EQ(renderer_.widget(*form_.tmrTick), nullptr) << "a timer has no widget";

    // The status bar runs along the bottom edge of the client area.
    auto* status = widget<StatusBarWidget>(*form_.stsBar);
    ASSERT_TRUE(status);
    QWidget* client = status->parentWidget();
    EXPECT_EQ(status->geometry().bottom(), client->height() - 1);
    EXPECT_EQ(status->width(), client->width());
    ASSERT_EQ(status->panels().size(), 2u);
    EXPECT_EQ(status->panels()[0]->text(), "Ready");
    EXPECT_EQ(status->panels()[0]->toolTip(), "What happens");
}

// A minute may turn while the test runs: the panel shows the minute it was drawn in, one of those
// around show, and its timer aims at the end of the minute it was armed in.
TEST_F(RendererQtTest, TheClockPanelShowsTheMinuteAndWakesOnlyAtTheNextOne) {
    auto* status = widget<StatusBarWidget>(*form_.stsBar);
    ASSERT_TRUE(status);
    const QString format = hoursAndMinutesFormat(QLocale::system());
    EXPECT_FALSE(format.contains(u's')) << "hours and minutes only";
    auto shown = [&](QTime t) { return QLocale::system().toString(QTime(t.hour(), t.minute()), format); };
    const QString text = status->panels()[1]->text();
    EXPECT_TRUE(text == shown(shownFrom_) || text == shown(shownTo_)) << text.toStdString();

    const int remaining = status->msToRefresh();
    const int now = QTime::currentTime().msecsSinceStartOfDay();
    ASSERT_GT(remaining, 0) << "the clock's timer runs";
    ASSERT_LE(remaining, 60000);
    // Where the timer ends, counted from now, is a minute's boundary (give or take the test's own time).
    const int offBoundary = (now + remaining) % 60000;
    EXPECT_LT(std::min(offBoundary, 60000 - offBoundary), 200) << "wakes at " << offBoundary << " ms past a minute";
}

TEST_F(RendererQtTest, ModelChangesReachTheWidgets) {
    form_.setTopMost(true);
    EXPECT_TRUE(renderer_.window(form_)->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(renderer_.window(form_)->isVisible()) << "new flags must not hide the window";

    form_.cmdCancel->move(300, 300, 1500, 450);
    EXPECT_EQ(widget<QPushButton>(*form_.cmdCancel)->geometry(), QRect(20, 20, 100, 30));
    form_.picBox->setVisible(false);
    EXPECT_FALSE(widget<QLabel>(*form_.lblInside)->isVisible());
    form_.txtNumber->setBackColor(forms::rgb(255, 128, 128));
    EXPECT_EQ(widget<QLineEdit>(*form_.txtNumber)->palette().color(QPalette::Base), QColor(255, 128, 128));

    form_.chkPlain->setValue(1);
    EXPECT_TRUE(widget<QCheckBox>(*form_.chkPlain)->isChecked());
    form_.chkPlain->setValue(2);
    EXPECT_EQ(widget<QCheckBox>(*form_.chkPlain)->checkState(), Qt::PartiallyChecked);
    form_.optChoice[2]->setValue(true);
    EXPECT_TRUE(widget<QRadioButton>(*form_.optChoice[2])->isChecked());
    EXPECT_FALSE(widget<QRadioButton>(*form_.optChoice[0])->isChecked());
    form_.txtNumber->setText("42");
    EXPECT_EQ(widget<QLineEdit>(*form_.txtNumber)->text(), "42");
    form_.cboUnit->setListIndex(-1);
    EXPECT_EQ(widget<QComboBox>(*form_.cboUnit)->currentIndex(), -1);
    form_.dtpAt->setSecondsOfDay(13 * 3600 + 5);
    EXPECT_EQ(widget<QTimeEdit>(*form_.dtpAt)->time(), QTime(13, 0, 5));
    form_.stsBar->setPanelText(1, "Status : Active");
    EXPECT_EQ(widget<StatusBarWidget>(*form_.stsBar)->panels()[0]->text(), "Status : Active");

    // The model's handlers ran as for any change; nothing came back from the widgets.
    EXPECT_EQ(form_.events, (Events{"chkPlain.Click 1", "chkPlain.Click 2", "optChoice(2).Click", "Change 42",
                                    "cboUnit.Click ", "dtpAt.Change 46805"}));
}

TEST_F(RendererQtTest, AnAutoSizedLabelTakesTheWidthOfItsTextInItsOwnFont) {
    auto* label = widget<QLabel>(*form_.lblFitted);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->font().family(), "Arial") << "asked for; fontconfig picks what stands in";
    EXPECT_EQ(label->font().pointSizeF(), 9.75);
    EXPECT_TRUE(label->font().bold());
    EXPECT_FALSE(label->wordWrap()) << "one line";

    const auto advance = [&](const QString& text) { return label->fontMetrics().horizontalAdvance(text); };
    const int fitted = advance("Fitted");
    EXPECT_GT(fitted, 20);
    EXPECT_EQ(form_.lblFitted->width(), fitted * 15) << "the access-key mark takes no room";
    EXPECT_EQ(label->width(), fitted);
    form_.lblFitted->setCaption("Fitted && much wider");
    EXPECT_EQ(form_.lblFitted->width(), advance("Fitted & much wider") * 15);
    EXPECT_GT(form_.lblFitted->width(), fitted * 15 * 2);
    form_.lblFitted->setFont("", 0); // the window's 8 points, measured in that
    form_.lblFitted->setCaption("Fitted");
    EXPECT_EQ(form_.lblFitted->width(), advance("Fitted") * 15);
    EXPECT_LT(form_.lblFitted->width(), fitted * 15);
}

// How many pixels of an image pass a test.
int pixelsWhere(const QImage& image, const std::function<bool(QColor)>& test) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += test(image.pixelColor(x, y));
    return count;
}

TEST_F(RendererQtTest, ALabelsTextIsDrawnInItsForeColour) {
    auto* label = widget<QLabel>(*form_.lblFitted);
    // Red in its letters and their softened edges, where plain text has none.
    const auto reddish = [](QColor c) { return c.red() > c.green() + 40; };
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_GT(pixelsWhere(label->grab().toImage(), reddish), 0);
    form_.lblFitted->setEnabled(false);
    EXPECT_NE(label->palette().color(QPalette::WindowText), QColor(128, 0, 0)) << "disabled text is grey";
    form_.lblFitted->setEnabled(true);
    form_.lblFitted->setForeColor(forms::kButtonText);
    EXPECT_EQ(pixelsWhere(label->grab().toImage(), reddish), 0);
}

TEST_F(RendererQtTest, ThePaintHandlerDrawsIconsOnTheFormEachTimeItIsPainted) {
    QWidget* client = renderer_.window(form_)->findChild<QWidget*>("client");
    ASSERT_TRUE(client);
    const QColor background = client->palette().color(QPalette::Window);
    const auto iconPixels = [&] {
        const QImage square = client->grab(QRect(DemoForm::kIconX, DemoForm::kIconY, 32, 32)).toImage();
        return pixelsWhere(square, [&](QColor c) { return c != background; });
    };
    EXPECT_GT(iconPixels(), 0);
    const std::function<void()> drawing = form_.Paint;
    form_.Paint = [this] { ++form_.paints; };
    EXPECT_EQ(iconPixels(), 0) << "the square is bare without the handler's icon";
    form_.Paint = drawing;

    // A repaint of the window runs the handler again.
    const int before = form_.paints;
    client->update();
    EXPECT_TRUE(test::loopUntil([&] { return form_.paints > before; }, 3000));
}

TEST_F(RendererQtTest, TypedKeysGoThroughKeyPressAndTheModelDecides) {
    QLineEdit* edit = widget<QLineEdit>(*form_.txtNumber);
    type(edit, Qt::Key_1, "1");
    type(edit, Qt::Key_A, "a");
    type(edit, Qt::Key_2, "2");
    EXPECT_EQ(form_.txtNumber->text(), "12");
    EXPECT_EQ(edit->text(), "12") << "the dropped key never reached the widget";
    EXPECT_EQ(edit->cursorPosition(), 2);
    type(edit, Qt::Key_Backspace, "\b");
    EXPECT_EQ(edit->text(), "1");
    for (const char* digit : {"3", "4", "5", "6"})
        type(edit, Qt::Key_0, digit);
    EXPECT_EQ(edit->text(), "1345") << "the model's length limit";
    EXPECT_EQ(form_.events, (Events{"KeyPress 1", "Change 1", "KeyPress a", "KeyPress 2", "Change 12", "KeyPress BS",
                                    "Change 1", "KeyPress 3", "Change 13", "KeyPress 4", "Change 134", "KeyPress 5",
                                    "Change 1345", "KeyPress 6"}));

    // The caret and selection the user makes are the model's, so typing replaces the selection.
    edit->setSelection(1, 2);
    EXPECT_EQ(form_.txtNumber->selStart(), 1);
    EXPECT_EQ(form_.txtNumber->selLength(), 2);
    type(edit, Qt::Key_9, "9");
    EXPECT_EQ(edit->text(), "195");
    // Keys that are no characters edit the widget, and the model takes the result.
    edit->setCursorPosition(0);
    type(edit, Qt::Key_Delete, QString());
    EXPECT_EQ(form_.txtNumber->text(), "95");
    EXPECT_EQ(form_.events.back(), "Change 95");
}

TEST_F(RendererQtTest, ClicksAskTheModelWhichKeepsOptionsExclusive) {
    auto* second = widget<QRadioButton>(*form_.optChoice[1]);
    second->click();
    EXPECT_TRUE(form_.optChoice[1]->value());
    EXPECT_FALSE(form_.optChoice[0]->value());
    EXPECT_TRUE(second->isChecked());
    EXPECT_FALSE(widget<QRadioButton>(*form_.optChoice[0])->isChecked());
    second->click(); // the selected one again: still selected, and Click again
    EXPECT_TRUE(second->isChecked());
    EXPECT_EQ(form_.events, (Events{"optChoice(1).Click", "optChoice(1).Click"}));

    auto* revert = widget<QCheckBox>(*form_.chkRevert);
    revert->click();
    EXPECT_EQ(form_.chkRevert->value(), 0);
    EXPECT_FALSE(revert->isChecked()) << "the widget shows what the handler left";
    widget<QCheckBox>(*form_.chkPlain)->click();
    EXPECT_TRUE(widget<QCheckBox>(*form_.chkPlain)->isChecked());

    widget<QComboBox>(*form_.cboUnit)->setCurrentIndex(2); // as the user's pick does
    EXPECT_EQ(form_.cboUnit->listIndex(), 2);
    widget<QTimeEdit>(*form_.dtpAt)->setTime(QTime(9, 30));
    EXPECT_EQ(form_.dtpAt->secondsOfDay(), 9 * 3600 + 30 * 60);

    // The scroll bar's up arrow raises the value by the small change.
    auto* scroll = widget<QScrollBar>(*form_.scrValue);
    scroll->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(form_.scrValue->value(), 15);
    scroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    scroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(form_.scrValue->value(), 5);
    scroll->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(form_.scrValue->value(), -1) << "the bottom is the model's minimum";

    form_.chkPlain->setEnabled(false);
    widget<QCheckBox>(*form_.chkPlain)->click();
    EXPECT_EQ(form_.chkPlain->value(), 1) << "a disabled control takes no clicks";

    EXPECT_EQ(form_.events,
              (Events{"optChoice(1).Click", "optChoice(1).Click", "chkRevert.Click", "chkRevert.Click",
                      "chkPlain.Click 1", "cboUnit.Click Seconds", "dtpAt.Change 34200", "scrValue.Change 15",
                      "scrValue.Change 10", "scrValue.Change 5", "scrValue.Change -1"}));
}

TEST_F(RendererQtTest, MenusFollowTheModel) {
    QMenuBar* bar = renderer_.window(form_)->findChild<QMenuBar*>();
    QStringList onBar;
    for (QAction* action : bar->actions())
        if (action->isVisible())
            onBar << action->text();
    EXPECT_EQ(onBar, (QStringList{"&File", "&About"})) << "a hidden top menu stays off the bar";
    QAction* open = renderer_.action(*form_.mnuOpen);
    ASSERT_TRUE(open);
    EXPECT_EQ(open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(renderer_.action(*form_.mnuQuit)->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(renderer_.action(*form_.mnuFile)->menu()->actions().at(1)->isSeparator(), true);

    open->trigger();
    renderer_.action(*form_.mnuAbout)->trigger(); // an item on the bar itself
    form_.mnuFile->setEnabled(false);
    EXPECT_FALSE(renderer_.action(*form_.mnuFile)->isEnabled());
    renderer_.action(*form_.mnuQuit)->trigger(); // inside a disabled menu: no Click
    form_.mnuFile->setEnabled(true);
    form_.mnuQuit->setCaption("E&xit");
    EXPECT_EQ(renderer_.action(*form_.mnuQuit)->text(), "E&xit");
    form_.mnuQuit->setVisible(false);
    EXPECT_FALSE(renderer_.action(*form_.mnuQuit)->isVisible());
    form_.mnuPopup->setVisible(true);
    EXPECT_TRUE(renderer_.action(*form_.mnuPopup)->isVisible());
    EXPECT_EQ(form_.events, (Events{"mnuOpen.Click", "mnuAbout.Click"}));
}

TEST_F(RendererQtTest, APopupMenuClicksItsItemOnlyAfterItHasReturned) {
    QStringList texts;
    QString defaultText;
    QTimer::singleShot(0, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_TRUE(popup);
        for (const QAction* action : popup->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        defaultText = popup->defaultAction() ? popup->defaultAction()->text() : QString();
        QTest::keyClick(popup, Qt::Key_O); // the access key of "&Open"
    });
    form_.popupMenu(*form_.mnuFile, form_.mnuQuit);
    EXPECT_EQ(texts, (QStringList{"&Open", "-", "&Quit"}));
    EXPECT_EQ(defaultText, "&Quit");
    EXPECT_TRUE(form_.events.empty()) << "no Click while the caller has not returned";
    EXPECT_TRUE(test::loopUntil([this] { return !form_.events.empty(); }, 5000));
    EXPECT_EQ(form_.events, (Events{"mnuOpen.Click"}));
}

TEST_F(RendererQtTest, TheCloseBoxAndEscAskTheForm) {
    QWidget* window = renderer_.window(form_);
    form_.cancelQueryUnload = 1;
    window->close();
    EXPECT_TRUE(form_.isLoaded());
    EXPECT_TRUE(window->isVisible()) << "the model said no";
    type(widget<QLineEdit>(*form_.txtNumber), Qt::Key_Escape, QString());
    EXPECT_EQ(form_.events, (Events{"QueryUnload 0", "cmdCancel.Click"}));

    form_.cancelQueryUnload = 0;
    QPointer<QWidget> watch = window;
    window->close();
    EXPECT_FALSE(form_.isLoaded());
    EXPECT_EQ(renderer_.window(form_), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull()) << "an unloaded form's window is deleted";
}

TEST_F(RendererQtTest, FocusAndDoubleClicksReachTheModel) {
    if (!activate())
        GTEST_SKIP() << "the platform does not activate windows";
    form_.txtNumber->setText("123");
    form_.events.clear();
    QLineEdit* edit = widget<QLineEdit>(*form_.txtNumber);
    edit->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(form_.focused(), form_.txtNumber);
    EXPECT_EQ(edit->selectedText(), "123") << "GotFocus selected everything in the model";
    QTest::mouseDClick(edit, Qt::LeftButton);
    EXPECT_EQ(form_.events, (Events{"txtNumber.GotFocus", "txtNumber.DblClick"}));
    widget<QPushButton>(*form_.cmdCancel)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(form_.focused(), form_.cmdCancel);
}

TEST_F(RendererQtTest, AnUnloadFromAWidgetsOwnSignalIsSafe) {
    form_.cmdCancel->Click = [this] { form_.unload(); };
    widget<QPushButton>(*form_.cmdCancel)->click();
    EXPECT_FALSE(form_.isLoaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Shown again, it gets a new window with the model's current state.
    form_.txtNumber->setText("7");
    form_.show();
    ASSERT_TRUE(renderer_.window(form_));
    EXPECT_EQ(widget<QLineEdit>(*form_.txtNumber)->text(), "7");
}

TEST_F(RendererQtTest, TheProgramsEndTakesTheWindowsAndEndsTheLoop) {
    app_.setMainForm(form_);
    QTimer::singleShot(20, [this] { widget<QPushButton>(*form_.cmdCancel)->click(); });
    form_.cmdCancel->Click = [this] { form_.unload(); };
    clock_.runUntil([this] { return app_.ended(); });
    EXPECT_TRUE(app_.ended());
    EXPECT_EQ(renderer_.window(form_), nullptr);
}

TEST_F(RendererQtTest, TheSessionManagersLastWordEndsTheSession) {
    app_.setMainForm(form_);
    form_.Unload = [this](int&) { form_.events.push_back("Unload"); };
    QEvent die(QEvent::Quit); // what Qt makes of the session manager's "die"
    QCoreApplication::sendEvent(qApp, &die);
    EXPECT_EQ(form_.events, (Events{"QueryUnload 2", "Unload"}));
    EXPECT_TRUE(app_.ended());
    EXPECT_EQ(renderer_.window(form_), nullptr);
}

TEST_F(RendererQtTest, AModalFormRunsItsOwnLoop) {
    DemoForm dialog(app_);
    dialog.cmdCancel->Click = [&] { dialog.hide(); };
    bool sawModal = false;
    QTimer::singleShot(20, [&] {
        QWidget* window = renderer_.window(dialog);
        sawModal = window && window->isModal() && window->isVisible();
        type(widget<QLineEdit>(*form_.txtNumber), Qt::Key_Escape, QString()); // Esc in the other form
        dialog.cmdCancel->userClick();
    });
    dialog.showModal();
    EXPECT_TRUE(sawModal);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(form_.events, (Events{"cmdCancel.Click"})) << "Esc went to the form whose window had it";
    dialog.unload();
}

// The real main window, built by the program over the fake services, drawn by this renderer.
class MainWindowQtTest : public testing::Test {
protected:
    void SetUp() override {
        program_.start();
        QWidget* window = renderer_.window(main());
        ASSERT_TRUE(window && window->isVisible());
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window, 3000))
            GTEST_SKIP() << "the platform does not activate windows";
    }
    void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    app::frmMain& main() { return program_.mainWindow(); }
    QWidget* widget(const forms::Control& control) const { return renderer_.widget(control); }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_TRUE(target);
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &event);
    }
    std::string focusedName() {
        const forms::Control* focused = main().focused();
        return focused ? focused->displayName() : "none";
    }
    // Tab from the focused control until the focus comes back to it.
    std::vector<std::string> walk(int key) {
        std::vector<std::string> names{focusedName()};
        for (int i = 0; i < 60; ++i) {
            press(key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            if (focusedName() == names.front())
                break;
            names.push_back(focusedName());
        }
        return names;
    }
    // What a user sees and can work: input widgets shown, enabled and inside the window.
    std::set<std::string> workableWidgets() {
        std::set<std::string> names;
        QWidget* window = renderer_.window(main());
        for (const auto& control : main().controls()) {
            QWidget* w = widget(*control);
            const bool input = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                               qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                               qobject_cast<QScrollBar*>(w);
            if (input && w->isVisibleTo(window) && w->isEnabled() &&
                window->rect().intersects(QRect(w->mapTo(window, QPoint(0, 0)), w->size())))
                names.insert(control->displayName());
        }
        return names;
    }

    std::ostringstream out_;
    fake::FakePlatform os_{out_};
    RendererQt renderer_;
    app::Program program_{os_.services(), renderer_};
};

TEST_F(MainWindowQtTest, TabReachesOnlyWhatIsShownAndEnabled) {
    EXPECT_EQ(focusedName(), "optExitOption(0)") << "the first control has the focus when the window shows";
    EXPECT_EQ(QApplication::focusWidget(), widget(*main().optExitOption[0]));

    const std::vector<std::string> countdown{"optExitOption(0)", "cboMode",     "txtPeriod",
                                             "cboTimeUnit",      "cmdActivate", "chkForced",
                                             "chkExecFile",      "txtTimeout",  "scrSecond"};
    const auto forward = walk(Qt::Key_Tab);
    EXPECT_EQ(forward, countdown);
    // Every option but the selected one is left out: the group is one stop.
    std::set<std::string> seen(forward.begin(), forward.end());
    for (int i = 1; i < 8; ++i)
        seen.insert(main().optExitOption[static_cast<size_t>(i)]->displayName());
    EXPECT_EQ(seen, workableWidgets()) << "Tab reaches exactly the controls the user sees and can work";
    auto backward = walk(Qt::Key_Backtab);
    std::reverse(backward.begin() + 1, backward.end());
    EXPECT_EQ(backward, countdown);

    // Another mode shows other inputs; a selected option is where Tab enters its group.
    main().cboMode->setListIndex(1);
    main().optExitOption[2]->setValue(true);
    widget(*main().cmdActivate)->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(walk(Qt::Key_Tab),
              (std::vector<std::string>{"cmdActivate", "chkForced", "chkExecFile", "txtTimeout", "scrSecond",
                                        "optExitOption(2)", "cboMode", "chkWeek(1)", "chkWeek(2)", "chkWeek(3)",
                                        "chkWeek(4)", "chkWeek(5)", "chkWeek(6)", "chkWeek(7)", "ActTime"}));

    // The options kept out of sight take no key even when one is sent to them.
    QTest::keyClick(widget(*main().chkMinimized), Qt::Key_Space);
    EXPECT_EQ(main().chkMinimized->value(), 0);
}

TEST_F(MainWindowQtTest, ArrowsSelectWithinTheOptionGroup) {
    main().optExitOption[1]->setEnabled(false);
    press(Qt::Key_Down);
    EXPECT_TRUE(main().optExitOption[2]->value()) << "a disabled option is passed over";
    EXPECT_EQ(focusedName(), "optExitOption(2)");
    press(Qt::Key_Up);
    EXPECT_TRUE(main().optExitOption[0]->value());
    press(Qt::Key_Left);
    EXPECT_TRUE(main().optExitOption[7]->value()) << "from the first to the last";
    EXPECT_EQ(focusedName(), "optExitOption(7)");
    press(Qt::Key_Right);
    EXPECT_TRUE(main().optExitOption[0]->value());
    EXPECT_FALSE(main().optExitOption[7]->value());

    // A check box is a group of its own: the arrows neither move nor change anything.
    widget(*main().chkForced)->setFocus(Qt::OtherFocusReason);
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    EXPECT_EQ(focusedName(), "chkForced");
    EXPECT_EQ(main().chkForced->value(), 0);
}

TEST_F(MainWindowQtTest, MenuShortcutsComeBeforeTheTextFields) {
    auto* edit = qobject_cast<QLineEdit*>(widget(*main().txtTimeout));
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    QGuiApplication::clipboard()->clear();
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "10") << "a key no menu item has stays the field's";
    edit->setCursorPosition(1);
    press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(main().tmrAction->enabled()) << "Ctrl+A is Activate";
    EXPECT_FALSE(edit->hasSelectedText()) << "not Select all";

    main().mnu_activate->userClick(); // inactive again, the fields are open
    ASSERT_FALSE(main().tmrAction->enabled());
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(program_.application().ended()) << "Ctrl+X is Exit";
    EXPECT_EQ(main().txtTimeout->text(), "10") << "and did not cut the text";
}

TEST_F(MainWindowQtTest, AStatusPanelShowsItsWholeText) {
    const std::string text = "Remaining time: 154 hours, 56 minutes, and 19 seconds";
    main().stsBar->setPanelText(1, text);
    QCoreApplication::processEvents(); // the layout, as before the bar is painted
    auto* bar = dynamic_cast<StatusBarWidget*>(widget(*main().stsBar));
    QLabel* panel = bar->panels().at(0);
    EXPECT_EQ(panel->text().toStdString(), text);
    EXPECT_LE(QFontMetrics(panel->font()).horizontalAdvance(panel->text()), panel->contentsRect().width());
    EXPECT_GT(panel->font().pointSizeF(), 5.0) << "still readable";
    const QLabel* clock = bar->panels().at(1);
    EXPECT_EQ(clock->width(), 80);
    EXPECT_LE(clock->geometry().right(), bar->width() - 1) << "the clock stays on the bar";
}

TEST_F(MainWindowQtTest, TheWarningWindowFocusesItsMuteBox) {
    windows::frmAction warning(main());
    warning.show();
    QWidget* window = renderer_.window(warning);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->focusWidget(), widget(*warning.chk_mute));
    warning.unload();
}

TEST_F(RendererQtTest, AFormFreedWhileShownTakesItsWindowAlong) {
    QPointer<QWidget> window, edit;
    {
        DemoForm other(app_);
        other.show();
        window = renderer_.window(other);
        edit = renderer_.widget(*other.txtNumber);
        ASSERT_TRUE(window && edit && window->isVisible());
    }
    ASSERT_TRUE(window) << "taken down later, as the call may come from one of its widgets";
    EXPECT_FALSE(window->isVisible());
    // Input on what is left of it reaches no model.
    type(edit, Qt::Key_5, "5");
    edit->setFocus();
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(form_.events.empty());
}

TEST_F(RendererQtTest, LookAndLimitsChangedAfterShowReachTheWindow) {
    QWidget* window = renderer_.window(form_);
    const qint64 icon = window->windowIcon().pixmap(16).cacheKey();
    const qint64 picture = widget<QLabel>(*form_.imgIcon)->pixmap().cacheKey();
    form_.setMinButton(false);
    form_.setIcon("disabled");
    form_.txtNumber->setMaxLength(2);
    form_.lblNumber->setAlignment(forms::Alignment::Center);
    form_.imgIcon->setPicture("main");
    form_.scrValue->setSmallChange(7);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_NE(window->windowIcon().pixmap(16).cacheKey(), icon);
    EXPECT_EQ(widget<QLineEdit>(*form_.txtNumber)->maxLength(), 2);
    EXPECT_TRUE(widget<QLabel>(*form_.lblNumber)->alignment() & Qt::AlignHCenter);
    EXPECT_NE(widget<QLabel>(*form_.imgIcon)->pixmap().cacheKey(), picture);
    EXPECT_EQ(widget<QScrollBar>(*form_.scrValue)->singleStep(), 7);
}

} // namespace
} // namespace qs::linuxos
