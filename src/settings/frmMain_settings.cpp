// The settings record "settings.vrk" and the save-on-exit flag "ssoe": one value a line, in a
// fixed order, each set on its control as if the user had changed it.
#include "../app/frmMain.h"
#include "../app/numbers.h"

#include <cctype>

namespace qs::app {

namespace {

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::optional<long> wholeNumber(const std::string& line) {
    const auto number = ParseDecimal(line);
    if (!number)
        return std::nullopt;
    return RoundHalfEven(*number);
}

void loadOption(forms::OptionButton& option, const std::string& line) {
    std::optional<bool> on;
    if (lower(line) == "true")
        on = true;
    else if (lower(line) == "false")
        on = false;
    else if (const auto number = ParseDecimal(line))
        on = *number != 0;
    if (on)
        option.setValue(*on);
}

void loadCheck(forms::CheckBox& box, const std::string& line) {
    const auto value = wholeNumber(line);
    if (value && *value >= 0 && *value <= 2)
        box.setValue(static_cast<int>(*value));
}

void loadListIndex(forms::ComboBox& list, const std::string& line) {
    if (const auto value = wholeNumber(line))
        list.setListIndex(static_cast<int>(*value));
}

} // namespace

bool frmMain::SaveSett(const std::string& filename) {
    std::vector<std::string> lines;
    for (auto* option : optExitOption)
        lines.push_back(option->value() ? "True" : "False");
    for (auto* box : {chkForced, chkExecFile, chkResumeF, chkAlarmF, chkBeep, chkWindowsStartup, chkMinimized,
                      chkActStartup, chkShowBalloon, chkCloseExit, chkNewVersion})
        lines.push_back(std::to_string(box->value()));
    for (auto* field : {txtTimeout, txtBeepFreq, txtExecF, txtAlarmF, txtMessage, txtResumeF, txtPeriod})
        lines.push_back(field->text());
    lines.push_back(std::to_string(cboMode->listIndex()));
    lines.push_back(std::to_string(cboTimeUnit->listIndex()));
    for (int d = 1; d <= 7; ++d)
        lines.push_back(std::to_string(chkWeek[d]->value()));
    lines.push_back(os_.clock.formatLongTime(ActTime->secondsOfDay()));
    return os_.files.writeLines(filename, lines);
}

void frmMain::LoadSett(const std::string& path) {
    const auto file = os_.files.readLines(path);
    if (!file)
        return;
    // A short file leaves the controls of its missing lines as they are.
    auto line = [&file](size_t number) -> const std::string* {
        return number <= file->size() ? &(*file)[number - 1] : nullptr;
    };
    size_t n = 1;
    for (auto* option : optExitOption)
        if (const auto* text = line(n++))
            loadOption(*option, *text);
    for (auto* box : {chkForced, chkExecFile, chkResumeF, chkAlarmF, chkBeep, chkWindowsStartup, chkMinimized,
                      chkActStartup, chkShowBalloon, chkCloseExit, chkNewVersion})
        if (const auto* text = line(n++))
            loadCheck(*box, *text);
    for (auto* field : {txtTimeout, txtBeepFreq, txtExecF, txtAlarmF, txtMessage, txtResumeF, txtPeriod})
        if (const auto* text = line(n++))
            field->setText(*text);
    for (auto* list : {cboMode, cboTimeUnit})
        if (const auto* text = line(n++))
            loadListIndex(*list, *text);
    for (int d = 1; d <= 7; ++d)
        if (const auto* text = line(n++))
            loadCheck(*chkWeek[d], *text);
    if (const auto* text = line(n++))
        if (const auto seconds = os_.clock.parseTime(*text))
            ActTime->setSecondsOfDay(*seconds);
}

bool frmMain::SaveSettExit(const std::string& filename) {
    return os_.files.writeLines(filename, {std::to_string(chkSaveSett->value())});
}

void frmMain::LoadSettExit(const std::string& path) {
    const auto file = os_.files.readLines(path);
    if (file && !file->empty())
        loadCheck(*chkSaveSett, file->front());
}

} // namespace qs::app
