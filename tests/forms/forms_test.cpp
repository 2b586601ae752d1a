// The event semantics the program's logic relies on.
#include "../platform/recording_error_log.h"
#include "forms/application.h"
#include "forms/button.h"
#include "forms/check_box.h"
#include "forms/combo_box.h"
#include "forms/control_cast.h"
#include "forms/form.h"
#include "forms/image.h"
#include "forms/label.h"
#include "forms/option_button.h"
#include "forms/scroll_bar.h"
#include "forms/text_box.h"
#include "forms/timer.h"
#include "platform/fake/clock_fake.h"
#include "platform/fake/sound_fake.h"

#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

using namespace qs::forms;

namespace {

struct FormsTest : ::testing::Test {
    qs::fake::FakeClock clock;
    Observer observer;
    qs::test::RecordingErrorLog errors;
    Application app{clock, observer, errors};
    Form form{app, "frmTest"};
};

TEST_F(FormsTest, ProgrammaticChangesRaiseTheSameEventsAsUserEdits) {
    int clicks = 0, changes = 0, listClicks = 0, scrolls = 0;
    auto& box = form.add<CheckBox>("chk");
    box.Click = [&] { ++clicks; };
    box.setValue(1);
    box.setValue(1); // no change, no event
    box.userClick(); // toggles back to 0
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(box.value(), 0);

    auto& text = form.add<TextBox>("txt");
    text.Change = [&] { ++changes; };
    text.setText("a");
    text.setText("a");
    EXPECT_EQ(changes, 1);

    auto& list = form.add<ComboBox>("cbo");
    list.addItem("one");
    list.addItem("two");
    list.Click = [&] { ++listClicks; };
    EXPECT_TRUE(list.setListIndex(1));
    EXPECT_FALSE(list.setListIndex(2));
    EXPECT_TRUE(list.setListIndex(-1));
    EXPECT_EQ(listClicks, 2);
    EXPECT_EQ(list.text(), "");

    auto& bar = form.add<ScrollBar>("scr");
    bar.setRange(-1, 300);
    bar.Change = [&] { ++scrolls; };
    bar.setValue(500);
    EXPECT_EQ(bar.value(), 300);
    bar.setValue(-5);
    EXPECT_EQ(bar.value(), -1);
    EXPECT_EQ(scrolls, 2);
}

TEST_F(FormsTest, OptionButtonsAreGroupedByTheirContainer) {
    Control& frameA = form.addControl(ControlKind::Frame, "frameA");
    Control& frameB = form.addControl(ControlKind::Frame, "frameB");
    auto& a0 = form.add<OptionButton>("opt", &frameA, 0);
    auto& a1 = form.add<OptionButton>("opt", &frameA, 1);
    auto& b0 = form.add<OptionButton>("other", &frameB, 0);
    int clicks = 0;
    a0.Click = [&] { ++clicks; };
    a0.setValue(true);
    b0.setValue(true);
    a1.setValue(true);
    EXPECT_FALSE(a0.value());
    EXPECT_TRUE(a1.value());
    EXPECT_TRUE(b0.value()); // another group is untouched
    a0.setValue(true);
    a0.setValue(true); // selecting the selected option reports it again
    EXPECT_EQ(clicks, 3);
    a0.setValue(false); // clearing raises nothing
    EXPECT_EQ(clicks, 3);
    EXPECT_FALSE(a1.value());
}

TEST_F(FormsTest, ReentrantHandlersSettle) {
    auto& text = form.add<TextBox>("txt");
    int rounds = 0;
    // Clamp to three characters at most, as a normalising handler would.
    text.Change = [&] {
        ++rounds;
        if (text.text().size() > 3)
            text.setText(text.text().substr(0, 3));
    };
    text.setText("123456");
    EXPECT_EQ(text.text(), "123");
    EXPECT_EQ(rounds, 2);
}

TEST_F(FormsTest, KeyPressSeesTheKeyFirstAndMayDropIt) {
    auto& text = form.add<TextBox>("txt");
    text.setMaxLength(3);
    std::string seenBefore;
    text.KeyPress = [&](char& key) {
        seenBefore = text.text();
        if ((key < '0' || key > '9') && key != kBackspace)
            key = 0;
    };
    for (char c : std::string("1a2-3"))
        text.typeKey(c);
    EXPECT_EQ(text.text(), "123");
    EXPECT_EQ(seenBefore, "12"); // the last key ('3') saw the text before it
    text.typeKey('4');           // the limit refuses a fourth character
    EXPECT_EQ(text.text(), "123");
    text.select(0, 3);
    text.typeKey('9'); // typing replaces the selection
    EXPECT_EQ(text.text(), "9");
    text.typeKey(kBackspace);
    EXPECT_EQ(text.text(), "");
    text.typeKey('\r'); // a single-line box takes no line break
    EXPECT_EQ(text.text(), "");
}

TEST_F(FormsTest, AFailedHandlerEndsOnlyItselfAndIsLoggedByName) {
    std::vector<std::string> ran;
    auto& button = form.add<Button>("cmd");
    button.Click = [] { throw std::runtime_error("failing step"); };
    auto& option = form.add<OptionButton>("opt", nullptr, 2);
    option.Click = [] { throw 42; };
    auto& text = form.add<TextBox>("txt");
    text.KeyPress = [](char&) { throw std::runtime_error("bad key"); };
    text.Change = [&] { ran.push_back("Change " + text.text()); };
    MenuItem& item = form.addMenu("mnuFile", "&File").add("mnuExit", "E&xit");
    item.Click = [] { throw std::logic_error("menu"); };
    form.QueryUnload = [](int&, int) { throw std::runtime_error("asked"); };
    form.Unload = [&](int&) { ran.push_back("Unload"); };

    EXPECT_NO_THROW(button.userClick());
    EXPECT_NO_THROW(option.setValue(true));
    EXPECT_TRUE(option.value()) << "the value is set before its handler runs";
    text.typeKey('7'); // KeyPress failed: the key goes in as if it had not been looked at
    item.userClick();
    form.show();
    EXPECT_TRUE(form.close(kFormControlMenu)) << "a failing QueryUnload cancels nothing";

    EXPECT_EQ(ran, (std::vector<std::string>{"Change 7", "Unload"}));
    EXPECT_EQ(errors.lines, (std::vector<std::string>{
                                "frmTest.cmd.Click: failing step",
                                "frmTest.opt(2).Click: unknown error",
                                "frmTest.txt.KeyPress: bad key",
                                "frmTest.mnuExit.Click: menu",
                                "frmTest.QueryUnload: asked",
                            }));
}

TEST_F(FormsTest, AFailingTickStillLeavesTheTimerRunning) {
    auto& timer = form.add<Timer>("tmr");
    timer.setInterval(1000);
    int ticks = 0;
    timer.Tick = [&] {
        ++ticks;
        timer.setInterval(1000);
        throw std::runtime_error("tick " + std::to_string(ticks));
    };
    form.load();
    clock.advance(3);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(errors.lines.back(), "frmTest.tmr.Tick: tick 3");
}

TEST_F(FormsTest, AControlIsUsedOnlyAsTheKindItIs) {
    Control& text = form.add<TextBox>("txt", nullptr, 3);
    EXPECT_EQ(&controlAs<TextBox>(text), &text);
    try {
        controlAs<CheckBox>(text);
        ADD_FAILURE() << "a text box taken for a check box";
    } catch (const WrongControlKind& e) {
        EXPECT_STREQ(e.what(), "control frmTest.txt(3) is a TextBox, not a CheckBox");
    }
    const Control& frame = form.addControl(ControlKind::Frame, "fra");
    EXPECT_THROW(controlAs<Label>(frame), WrongControlKind);
    // A kind with a class of its own made as a plain control would be taken for that class.
    EXPECT_THROW(form.addControl(ControlKind::TextBox, "txtPlain"), std::invalid_argument);
    EXPECT_EQ(form.find("txtPlain"), nullptr);
}

// Records what the renderer would be told.
struct RecordingObserver : Observer {
    std::vector<std::string> told;
    void formChanged(Form& f, Property what) override {
        told.push_back(f.name() + " " + std::to_string(static_cast<int>(what)));
    }
    void controlChanged(Control& c, Property what) override {
        told.push_back(c.name() + " " + std::to_string(static_cast<int>(what)));
    }
    void formDestroyed(Form& f) override {
        told.push_back(f.name() + " destroyed with " + std::to_string(f.controls().size()) + " controls");
    }
};

std::string told(const std::string& name, Property what) {
    return name + " " + std::to_string(static_cast<int>(what));
}

TEST_F(FormsTest, WhatTheUserSeesReachesTheRendererAlsoAfterShow) {
    RecordingObserver recorder;
    app.setObserver(recorder);
    auto& label = form.add<Label>("lbl");
    auto& text = form.add<TextBox>("txt");
    auto& image = form.add<Image>("img");
    auto& bar = form.add<ScrollBar>("scr");
    form.show();
    recorder.told.clear();
    for (int twice = 0; twice < 2; ++twice) { // the same value again tells nothing
        form.setBorderStyle(BorderStyle::FixedDialog);
        form.setMinButton(true);
        form.setIcon("main");
        label.setAlignment(Alignment::Right);
        text.setMaxLength(4);
        image.setPicture("disabled");
        bar.setSmallChange(5);
    }
    EXPECT_EQ(recorder.told, (std::vector<std::string>{
                                 told("frmTest", Property::Style),
                                 told("frmTest", Property::Style),
                                 told("frmTest", Property::Icon),
                                 told("lbl", Property::Alignment),
                                 told("txt", Property::MaxLength),
                                 told("img", Property::Picture),
                                 told("scr", Property::Range),
                             }));

    // A form freed while shown says so first, while its controls are still there to look at.
    recorder.told.clear();
    {
        Form shown{app, "frmShown"};
        shown.add<Label>("lbl");
        shown.show();
    }
    EXPECT_EQ(recorder.told, (std::vector<std::string>{"frmShown destroyed with 1 controls"}));
    EXPECT_EQ(app.findForm("frmShown"), nullptr);
    app.setObserver(observer);
}

// A warning tick: a 100 ms tone, and the next tick 900 ms later, as the warning window does it.
TEST_F(FormsTest, ATimerSetInsideItsTickCountsFromTheTicksEnd) {
    std::ostringstream sink;
    qs::fake::Transcript transcript{sink};
    qs::fake::FakeSound sound{transcript, clock};
    auto& timer = form.add<Timer>("tmr");
    timer.setInterval(1000);
    std::vector<double> at;
    bool muted = false;
    timer.Tick = [&] {
        at.push_back(clock.secondsSinceMidnight());
        if (muted) {
            timer.setInterval(1000);
            return;
        }
        timer.setInterval(900); // also when it is 900 already
        sound.tone(1750, 100);
    };
    form.load();
    clock.advance(10.05);
    muted = true;
    clock.advance(5);
    ASSERT_EQ(at.size(), 15u);
    for (size_t i = 1; i < at.size(); ++i)
        EXPECT_NEAR(at[i] - at[i - 1], 1.0, 1e-9) << "tick " << i;

    // Setting the interval from outside restarts the period, even to the same value.
    clock.advance(0.4);
    const double restartedAt = clock.secondsSinceMidnight();
    timer.setInterval(1000);
    clock.advance(0.9); // past the moment the old period would have ended
    EXPECT_EQ(at.size(), 15u);
    clock.advance(0.2);
    ASSERT_EQ(at.size(), 16u);
    EXPECT_NEAR(at.back() - restartedAt, 1.0, 1e-9);
}

TEST_F(FormsTest, TimersFireThroughTheLoopOnlyWhileEnabledAndLoaded) {
    auto& timer = form.add<Timer>("tmr");
    timer.setInterval(1000);
    int ticks = 0;
    timer.Tick = [&] {
        if (++ticks == 3)
            timer.setEnabled(false);
    };
    clock.advance(5);
    EXPECT_EQ(ticks, 0); // the form is not loaded yet
    form.load();
    clock.advance(2.5);
    EXPECT_EQ(ticks, 2);
    clock.advance(10);
    EXPECT_EQ(ticks, 3);
    timer.setEnabled(true);
    form.unload();
    clock.advance(10);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(clock.activeTimers(), 0);
}

TEST_F(FormsTest, QueryUnloadCanCancelAndUnloadRunsOnce) {
    int unloads = 0, lastMode = -1;
    bool refuse = true;
    form.QueryUnload = [&](int& cancel, int mode) {
        lastMode = mode;
        cancel = refuse ? 1 : 0;
    };
    form.Unload = [&](int&) {
        ++unloads;
        form.unload(); // asking again from inside the exit does nothing more
    };
    form.show();
    EXPECT_FALSE(form.close(kFormControlMenu));
    EXPECT_TRUE(form.isLoaded());
    EXPECT_EQ(lastMode, 0);
    refuse = false;
    EXPECT_TRUE(form.close(kAppWindows));
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(form.isLoaded());
}

TEST_F(FormsTest, TheSessionEndAsksEveryFormFirstAndUnloadsThemOnlyWhenItEnds) {
    Form other{app, "frmOther"}, latest{app, "frmLatest"};
    std::vector<std::string> events;
    bool refuse = true;
    for (Form* f : {&form, &other, &latest}) {
        f->QueryUnload = [&, f](int& cancel, int mode) {
            events.push_back(f->name() + ".QueryUnload " + std::to_string(mode));
            cancel = f == &other && refuse;
        };
        f->Unload = [&events, f](int&) { events.push_back(f->name() + ".Unload"); };
    }
    // Its exit closes the main window, as the warning window's does.
    other.Unload = [&](int&) {
        events.push_back("frmOther.Unload");
        form.unload();
    };
    app.setMainForm(form);
    other.show();
    form.show();
    latest.show();

    // One refusal is the answer, yet every form is asked, the main form last; none goes.
    EXPECT_FALSE(app.querySessionEnd());
    EXPECT_EQ(events,
              (std::vector<std::string>{"frmLatest.QueryUnload 2", "frmOther.QueryUnload 2", "frmTest.QueryUnload 2"}));
    refuse = false;
    EXPECT_TRUE(app.querySessionEnd());
    // Another program's refusal is no end: all is as before.
    EXPECT_TRUE(form.isLoaded() && other.isLoaded() && latest.isLoaded());
    EXPECT_FALSE(app.ended());

    events.clear();
    app.endSession();
    EXPECT_EQ(events, (std::vector<std::string>{"frmLatest.Unload", "frmOther.Unload", "frmTest.Unload"}))
        << "unloaded without another question, also when an Unload handler closes a form";
    EXPECT_FALSE(form.isLoaded() || other.isLoaded() || latest.isLoaded());
    EXPECT_TRUE(app.ended());
}

TEST_F(FormsTest, EscapePressesTheCancelButtonAfterKeyPreview) {
    auto& cancel = form.add<Button>("cmdCancel");
    cancel.setCancel(true);
    int pressed = 0, previewed = 0;
    cancel.Click = [&] { ++pressed; };
    form.setKeyPreview(true);
    form.KeyDown = [&](int& key, int) { ++previewed, key = key == 65 ? 0 : key; };
    form.load();
    form.keyDown(65);
    form.keyDown(kKeyEscape);
    EXPECT_EQ(previewed, 2);
    EXPECT_EQ(pressed, 1);
    cancel.setEnabled(false);
    form.keyDown(kKeyEscape);
    EXPECT_EQ(pressed, 1);
}

} // namespace
