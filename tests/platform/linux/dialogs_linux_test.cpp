// Message boxes: each style code's icon and buttons, and the answers.
#include "../../../src/platform/linux/dialogs_linux.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace qs::linuxos {
namespace {

using platform::kAnswerNo;
using platform::kAnswerOK;
using platform::kAnswerYes;

// Shows a box and, once it is up, does to it what the user would.
int answerBox(int style, const std::string& text, const std::function<void(QMessageBox&)>& user) {
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            user(*box);
    });
    return LinuxDialogs().messageBox(text, style, "Title");
}

TEST(DialogsLinux, EachStyleHasItsIconAndButtons) {
    struct Case {
        int style;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    } cases[] = {
        {16, QMessageBox::Critical, QMessageBox::Ok},
        {20, QMessageBox::Critical, QMessageBox::Yes | QMessageBox::No},
        {36, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No},
        {48, QMessageBox::Warning, QMessageBox::Ok},
        {64, QMessageBox::Information, QMessageBox::Ok},
        {68, QMessageBox::Information, QMessageBox::Yes | QMessageBox::No},
    };
    for (const Case& c : cases) {
        QMessageBox box;
        LinuxDialogs::prepare(box, "text", c.style, "title");
        EXPECT_EQ(box.icon(), c.icon) << c.style;
        EXPECT_EQ(box.standardButtons(), c.buttons) << c.style;
    }
}

TEST(DialogsLinux, AnswersAreTheButtonsPressed) {
    std::string seenText, seenTitle;
    EXPECT_EQ(answerBox(36, "Really?\rSure?     ",
                        [&](QMessageBox& box) {
                            seenText = box.text().toStdString();
                            seenTitle = box.windowTitle().toStdString();
                            box.button(QMessageBox::Yes)->click();
                        }),
              kAnswerYes);
    EXPECT_EQ(seenText, "Really?\nSure?     ") << "a lone CR is a line break";
    EXPECT_EQ(seenTitle, "Title");
    EXPECT_EQ(answerBox(20, "x", [](QMessageBox& box) { box.button(QMessageBox::No)->click(); }), kAnswerNo);
    EXPECT_EQ(answerBox(64, "x", [](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); }), kAnswerOK);
}

TEST(DialogsLinux, ClosingTheBoxIsNoOrOk) {
    EXPECT_EQ(answerBox(36, "x", [](QMessageBox& box) { box.close(); }), kAnswerNo);
    EXPECT_EQ(answerBox(68, "x", [](QMessageBox& box) { box.reject(); }), kAnswerNo);
    EXPECT_EQ(answerBox(48, "x", [](QMessageBox& box) { box.close(); }), kAnswerOK);
}

} // namespace
} // namespace qs::linuxos
