// Qt's file dialog driven as a user would: found among the windows, a name typed, Open pressed.
#include "../../../src/forms/application.h"
#include "../../../src/forms/form.h"
#include "../../../src/platform/linux/clock_linux.h"
#include "../../../src/platform/linux/file_dialog_linux.h"
#include "../../../src/platform/linux/renderer_qt.h"
#include "../recording_error_log.h"
#include "loop_until.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace qs::linuxos {
namespace {

using Act = std::function<void(QFileDialog&)>;

using namespace std::string_literals;
const std::string kFilter = "All Executable Files (*.exe,*.bat,*.com)\0*.exe;*.bat;*.com\0All Files (*.*)\0*.*"s;

class FileDialogLinuxTest : public testing::Test {
protected:
    void SetUp() override {
        // 100, 80 pixels on the offscreen platform's 800 x 600 screen: its centre is not the screen's.
        owner_.move(1500, 1200, 7500, 6000);
        owner_.setCaption("frmMain");
        owner_.show();
        dialog_.setWindowLookup([this](const forms::Form& form) { return renderer_.window(form); });
        for (const char* name : {"run.exe", "SETUP.EXE", "readme.txt", "noext"})
            QFile(folder_.filePath(name)).open(QIODevice::WriteOnly);
    }

    // Shows the dialog; act runs on it from its own event loop and must close it.
    platform::FileDialogResult pick(const Act& act, bool centreOverOwner = true) {
        QTimer opened;
        opened.setSingleShot(true);
        QObject::connect(&opened, &QTimer::timeout, [&] {
            QFileDialog* shown = nullptr;
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QFileDialog*>(window); dialog && dialog->isVisible())
                    shown = dialog;
            if (!shown) {
                ADD_FAILURE() << "no file dialog open";
                return;
            }
            act(*shown);
            if (shown->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                shown->reject();
            }
        });
        opened.start(0);
        return dialog_.showOpen(&owner_, kFilter, "Select File to be Executed", centreOverOwner);
    }

    static QLineEdit& nameBox(QFileDialog& dialog) { return *dialog.findChild<QLineEdit*>("fileNameEdit"); }
    static QComboBox& filterBox(QFileDialog& dialog) { return *dialog.findChild<QComboBox*>("fileTypeCombo"); }

    static void typeAndOpen(QFileDialog& dialog, const QString& name) {
        nameBox(dialog).clear();
        QTest::keyClicks(&nameBox(dialog), name);
        open(dialog);
    }
    static void open(QFileDialog& dialog) {
        dialog.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Open)->click();
    }

    // True once the dialog's list shows exactly these names.
    static bool lists(QFileDialog& dialog, QStringList names) {
        const auto* view = dialog.findChild<QListView*>("listView");
        return test::loopUntil(
            [&] {
                QStringList shown;
                for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                    shown << view->model()->index(row, 0, view->rootIndex()).data().toString();
                shown.sort(Qt::CaseInsensitive);
                names.sort(Qt::CaseInsensitive);
                return shown == names;
            },
            5000);
    }

    static void expectCentred(const QRect& window, const QRect& over) {
        EXPECT_LE((window.center() - over.center()).manhattanLength(), 2)
            << "window centre " << window.center().x() << "," << window.center().y();
    }

    QString file(const QString& name) const { return folder_.filePath(name); }

    LinuxClock clock_{"C"};
    RendererQt renderer_;
    test::RecordingErrorLog errors_;
    forms::Application app_{clock_, renderer_, errors_};
    forms::Form owner_{app_, "frmMain"};
    QTemporaryDir folder_;
    LinuxFileDialog dialog_;
};

TEST_F(FileDialogLinuxTest, OpensModalOverItsOwnerWithTheFiltersAndReturnsOneFile) {
    const auto result = pick([&](QFileDialog& dialog) {
        EXPECT_TRUE(dialog.isModal());
        EXPECT_EQ(dialog.parentWidget(), renderer_.window(owner_));
        EXPECT_EQ(dialog.windowTitle(), "Select File to be Executed");
        expectCentred(dialog.frameGeometry(), renderer_.window(owner_)->frameGeometry());
        EXPECT_EQ(dialog.nameFilters(),
                  QStringList({"All Executable Files (*.exe,*.bat,*.com) (*.exe *.bat *.com)", "All Files (*.*) (*)"}));
        EXPECT_EQ(filterBox(dialog).currentText(), "All Executable Files (*.exe,*.bat,*.com)");
        dialog.setDirectory(folder_.path());
        EXPECT_TRUE(lists(dialog, {"run.exe", "SETUP.EXE"})) << "patterns match without regard to case";
        typeAndOpen(dialog, "run.exe");
    });
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(result.path, folder_.path().toStdString() + "/");
    EXPECT_EQ(result.files, std::vector<std::string>{"run.exe"});
}

TEST_F(FileDialogLinuxTest, CentresOnTheScreenWhenNotOverItsOwnerAndCancels) {
    const auto result = pick(
        [&](QFileDialog& dialog) {
            expectCentred(dialog.frameGeometry(), dialog.screen()->geometry());
            dialog.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Cancel)->click();
        },
        false);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.count, 0);
    EXPECT_TRUE(result.path.empty());
    EXPECT_TRUE(result.files.empty());
}

TEST_F(FileDialogLinuxTest, TheNextUseOpensWithThePreviousFileAndFilter) {
    pick([&](QFileDialog& dialog) {
        dialog.setDirectory(folder_.path());
        dialog.selectNameFilter(dialog.nameFilters().at(1));
        EXPECT_TRUE(lists(dialog, {"noext", "readme.txt", "run.exe", "SETUP.EXE"})) << "*.* takes every file";
        typeAndOpen(dialog, "noext");
    });
    pick([&](QFileDialog& dialog) {
        EXPECT_EQ(nameBox(dialog).text(), "noext");
        EXPECT_EQ(dialog.selectedFiles(), QStringList{file("noext")});
        EXPECT_EQ(filterBox(dialog).currentText(), "All Files (*.*)");
        dialog.reject();
    });
    // A cancel forgets nothing.
    pick([&](QFileDialog& dialog) {
        EXPECT_EQ(nameBox(dialog).text(), "noext");
        dialog.reject();
    });
}

TEST_F(FileDialogLinuxTest, ASymbolicLinkStaysTheLinksPath) {
    ASSERT_TRUE(QFile::link(file("run.exe"), file("link.exe")));
    const auto result = pick([&](QFileDialog& dialog) {
        dialog.setDirectory(folder_.path());
        typeAndOpen(dialog, "link.exe");
    });
    EXPECT_EQ(result.path, folder_.path().toStdString() + "/");
    EXPECT_EQ(result.files, std::vector<std::string>{"link.exe"});
}

TEST_F(FileDialogLinuxTest, SeveralFilesGiveTheFolderWithoutSeparatorAndNoMoreThan200) {
    const auto result = pick([&](QFileDialog& dialog) {
        dialog.setDirectory(folder_.path());
        nameBox(dialog).setText("\"run.exe\" \"SETUP.EXE\"");
        open(dialog);
    });
    EXPECT_EQ(result.count, 2);
    EXPECT_EQ(result.path, folder_.path().toStdString());
    EXPECT_EQ(result.files, (std::vector<std::string>{"run.exe", "SETUP.EXE"}));

    QString names;
    for (int i = 1; i <= 201; ++i) {
        const QString name = QString("f%1.exe").arg(i);
        QFile(file(name)).open(QIODevice::WriteOnly);
        names += '"' + name + "\" ";
    }
    EXPECT_THROW(pick([&](QFileDialog& dialog) {
                     dialog.setDirectory(folder_.path());
                     nameBox(dialog).setText(names);
                     open(dialog);
                 }),
                 std::length_error);
}

} // namespace
} // namespace qs::linuxos
