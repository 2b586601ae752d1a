// The file fields: the three pickers, shortcut resolution, and the edits that put the empty
// marker back.
#include "../app/frmMain.h"
#include "modLNK.h"

#include <algorithm>
#include <cctype>

namespace qs::app {

namespace {

const std::string kProgramFilter = std::string("All Executable Files (*.exe,*.bat,*.com)") + '\0' +
                                   "*.exe;*.bat;*.com" + '\0' + "All Files (*.*)" + '\0' + "*.*";
const std::string kMediaFilter =
    std::string("Media Files (*.mp3,*.wma,*.wav,*.mpg)") + '\0' + "*.mp3;*.wma;*.wav;*.mpg";

bool IsShortcut(const std::string& path) {
    static const std::string kExtension = ".lnk";
    return path.size() >= kExtension.size() &&
           std::equal(kExtension.begin(), kExtension.end(), path.end() - kExtension.size(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

// The first chosen file with its folder. Several names come with a folder that has no trailing
// separator, so one is put in between.
std::string FirstPicked(const platform::FileDialogResult& result, char separator) {
    std::string folder = result.path;
    if (result.count > 1 && !folder.empty() && folder.back() != separator)
        folder += separator;
    return folder + result.files.front();
}

void CaretToEnd(forms::TextBox& field) {
    field.select(static_cast<int>(field.text().size()), 0);
}

} // namespace

void frmMain::WireFileFields() {
    cmdExecF->Click = [this] { PickProgramFile(*cmdExecF, *txtExecF, *chkExecFile); };
    cmdResumeF->Click = [this] { PickProgramFile(*cmdResumeF, *txtResumeF, *chkResumeF); };
    cmdAlarmF->Click = [this] { cmdAlarmF_Click(); };
    const std::pair<forms::TextBox*, forms::CheckBox*> fields[] = {
        {txtExecF, chkExecFile}, {txtResumeF, chkResumeF}, {txtAlarmF, chkAlarmF}};
    for (const auto& [field, box] : fields) {
        field->Change = [field = field] {
            if (field->text().empty())
                field->setText(kSelectFile);
        };
        field->DblClick = [field = field, box = box] {
            field->setText(kSelectFile);
            box->setValue(0);
        };
    }
}

std::optional<platform::FileDialogResult> frmMain::OpenFileDialog(const forms::Button& picker,
                                                                  const std::string& filter, const std::string& title) {
    try {
        return os_.fileDialog.showOpen(this, filter, title, true);
    } catch (...) {
        // Too many names chosen, for one: the field stays as it was.
        os_.errors.error(picker.handlerName("Click"), platform::currentErrorText());
        return std::nullopt;
    }
}

void frmMain::PickProgramFile(const forms::Button& picker, forms::TextBox& field, forms::CheckBox& box) {
    const auto result = OpenFileDialog(picker, kProgramFilter, "Select File to be Executed");
    if (!result)
        return;
    if (result->cancelled) {
        if (field.text() == kSelectFile)
            box.setValue(0);
        return;
    }
    if (result->files.empty())
        return;
    const std::string path = FirstPicked(*result, os_.files.pathSeparator());
    if (IsShortcut(path)) {
        // A shortcut names the file it points to, when that file is there; an empty target names none.
        const std::string target = actions::GetLinkTarget(os_.files, path);
        if (!target.empty() && os_.files.exists(target))
            field.setText(target);
    } else {
        field.setText(path);
    }
    CaretToEnd(field);
}

void frmMain::cmdAlarmF_Click() {
    const auto result = OpenFileDialog(*cmdAlarmF, kMediaFilter, "Select Media File for Alarm");
    if (!result)
        return;
    if (result->cancelled) {
        if (txtAlarmF->text() == kSelectFile)
            chkAlarmF->setValue(0);
        return;
    }
    if (result->files.empty())
        return;
    txtAlarmF->setText(FirstPicked(*result, os_.files.pathSeparator()));
    CaretToEnd(*txtAlarmF);
}

} // namespace qs::app
