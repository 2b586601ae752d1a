#include "dialogs_linux.h"

#include "captions_qt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace qs::linuxos {

namespace {

enum Buttons { kOk = 0, kOkCancel = 1, kYesNoCancel = 3, kYesNo = 4 };

QMessageBox::Icon iconOf(int style) {
    switch (style & 0xF0) {
    case 0x10:
        return QMessageBox::Critical;
    case 0x20:
        return QMessageBox::Question;
    case 0x30:
        return QMessageBox::Warning;
    case 0x40:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

void LinuxDialogs::prepare(QMessageBox& box, const std::string& text, int style, const std::string& title) {
    box.setWindowTitle(QString::fromStdString(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(multiLineText(text));
    box.setIcon(iconOf(style));
    switch (style & 0xF) {
    case kYesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case kYesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case kOkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    }
}

int LinuxDialogs::answer(const QMessageBox& box, int style) {
    auto* clicked = box.clickedButton();
    if (!clicked) {
        // Closed without a button: handled below.
    } else if (clicked == box.button(QMessageBox::Yes))
        return platform::kAnswerYes;
    else if (clicked == box.button(QMessageBox::No))
        return platform::kAnswerNo;
    else if (clicked == box.button(QMessageBox::Cancel))
        return platform::kAnswerCancel;
    else if (clicked == box.button(QMessageBox::Ok))
        return platform::kAnswerOK;
    switch (style & 0xF) {
    case kYesNo:
        return platform::kAnswerNo;
    case kYesNoCancel:
    case kOkCancel:
        return platform::kAnswerCancel;
    default:
        return platform::kAnswerOK;
    }
}

int LinuxDialogs::messageBox(const std::string& text, int style, const std::string& title) {
    QMessageBox box(QApplication::activeWindow());
    prepare(box, text, style, title);
    box.exec();
    return answer(box, style);
}

} // namespace qs::linuxos
