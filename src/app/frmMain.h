#pragma once

#include "../forms/button.h"
#include "../forms/check_box.h"
#include "../forms/combo_box.h"
#include "../forms/form.h"
#include "../forms/image.h"
#include "../forms/label.h"
#include "../forms/option_button.h"
#include "../forms/scroll_bar.h"
#include "../forms/status_bar.h"
#include "../forms/text_box.h"
#include "../forms/time_picker.h"
#include "../forms/timer.h"
#include "program.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace qs::shell {
class cSystray;
}

namespace qs::update {
class Downloader;
}

namespace qs::windows {
class frmAbout;
class frmAction;
class frmAlarm;
class frmMessage;
class frmOptions;
} // namespace qs::windows

namespace qs::app {

// Why CalcActionDate could not give a due moment.
enum class ScheduleResult { Ok, NoWeekDay, NoSchedule };

inline const std::string kSelectFile = "Select File...";
inline const std::string kMessagePlaceholder = "Type your Message text here";

// The main window: the controller of the whole program. All state lives in its controls.
class frmMain : public forms::Form {
public:
    explicit frmMain(Program& program);
    ~frmMain() override;

    Program& program() const { return program_; }
    // False when start-up hid the window ("Start minimized") or ended the program.
    bool showAfterLoad() const { return showAfterLoad_; }
    // "Start minimized" where there is no notification area to hide the window to.
    bool minimizeAfterLoad() const { return minimizeAfterLoad_; }

    // Schedule arithmetic.
    ScheduleResult CalcActionDate();
    long CalcSeconds();
    std::string RemainingTime();

    // Settings files; SaveSett and SaveSettExit report whether the file was written.
    bool SaveSett(const std::string& filename);
    bool SaveSettExit(const std::string& filename);

    // Activates when inactive, deactivates when active; the menus' captions follow the button.
    void cmdActivate_Click();
    // Carries out the selected action now; does nothing while an action is already under way.
    void PerformAction();
    // True from the start of an action to its end, pauses and power calls included.
    bool ActionUnderWay() const { return actionUnderWay_; }
    void SetStatus(const std::string& text);
    // The falling and rising three-tone patterns around hibernate and wake.
    void BeepDown();
    void BeepUp();
    void ArrangeFrames(bool active);
    // Beeps, hibernates now and returns once the computer has woken SecondsToWait later, after the
    // after-wake file; called by the confirmation window.
    void ResumeHibernate(int SecondsToWait);
    // Shutdown instead of Hibernate or Hibernate & wake, as if the user had chosen it.
    void SelectShutdownInsteadOfHibernation();

    // Controls, by the names the program's logic uses.
    forms::Control* frmeAction;
    std::array<forms::OptionButton*, 8> optExitOption;
    forms::Control* frmeSch;
    forms::Label* Label4;
    forms::ComboBox* cboMode;
    forms::Control* picWeek;
    std::array<forms::Label*, 7> Label3;
    std::array<forms::CheckBox*, 8> chkWeek; // 1..7, Monday first; [0] unused
    forms::Control* picAT;
    forms::Label* lblAt;
    forms::TimePicker* ActTime;
    forms::Control* picIN;
    forms::Label* Label5;
    forms::TextBox* txtPeriod;
    forms::ComboBox* cboTimeUnit;
    forms::Control* frmeActTime;
    forms::Label* lblActionTime;
    forms::Button* cmdActivate;
    forms::Control* frmeActOpt;
    std::array<forms::Control*, 4> picOptions; // 0, 1 and 3 exist
    forms::CheckBox* chkForced;
    forms::CheckBox* chkExecFile;
    forms::TextBox* txtExecF;
    forms::Button* cmdExecF;
    std::array<forms::Label*, 2> Label2;
    forms::TextBox* txtTimeout;
    forms::ScrollBar* scrSecond;
    forms::Label* Label1;
    forms::TextBox* txtMessage;
    forms::CheckBox* chkAlarmF;
    forms::TextBox* txtAlarmF;
    forms::Button* cmdAlarmF;
    forms::Control* frmeHR;
    forms::CheckBox* chkResumeF;
    forms::TextBox* txtResumeF;
    forms::Button* cmdResumeF;
    forms::Label* lblWarn;
    forms::StatusBar* stsBar;
    // Options kept out of sight, edited through the options dialog.
    forms::CheckBox* chkNewVersion;
    forms::CheckBox* chkMinimized;
    forms::CheckBox* chkBeep;
    forms::CheckBox* chkHibernate;
    forms::CheckBox* chkSaveSett;
    forms::CheckBox* chkCloseExit;
    forms::CheckBox* chkShowBalloon;
    forms::CheckBox* chkActStartup;
    forms::CheckBox* chkWindowsStartup;
    forms::TextBox* txtBeepFreq;
    forms::TextBox* txtVer;
    forms::Image* IcoDisabled;
    forms::Timer* tmrAction;
    forms::Timer* tmrResume;
    // The download control of the update check.
    std::unique_ptr<update::Downloader> DL;

    // Menus.
    forms::MenuItem* mnu_menu;
    forms::MenuItem* mnu_activate;
    forms::MenuItem* mnu_update;
    forms::MenuItem* mnu_exit;
    forms::MenuItem* mnu_settings;
    forms::MenuItem* mnu_options;
    forms::MenuItem* mnu_saveset;
    forms::MenuItem* mnu_minimize;
    forms::MenuItem* mnu_help;
    forms::MenuItem* mnu_howtouse;
    forms::MenuItem* mnu_comments;
    forms::MenuItem* mnu_about;
    forms::MenuItem* pMenu;
    forms::MenuItem* pAbout;
    std::array<forms::MenuItem*, 6> pAction;
    forms::MenuItem* pActivate;
    forms::MenuItem* pRestore;
    forms::MenuItem* pExit;

private:
    void CreateControls();
    void CreateMenus();
    void WireEvents();
    void WireInputs();
    void Form_Initialize();
    void Form_Load();
    // Shutdown instead of a chosen action the platform cannot carry out (suspend, or lock outside NT).
    void SelectShutdownIfUnavailable();
    void Form_QueryUnload(int& cancel, int mode);
    void Form_Unload();

    // Inputs of the schedule and the warning time.
    void cboMode_Click();
    void cboTimeUnit_Change();
    void txtPeriod_Change();
    void txtPeriod_KeyPress(char& key);
    void txtTimeout_Change();
    void scrSecond_Change();
    void txtMessage_LostFocus();
    void SelectAll(forms::TextBox& field);
    // A ticked optional-file box enables its field and opens the picker over the placeholder.
    void OptionalFileClick(forms::CheckBox& box, forms::TextBox& field, forms::Button& picker);

    // The file fields: pickers (a shortcut gives its target) and the empty marker.
    void WireFileFields();
    // The dialog's answer; nullopt when it failed, and then nothing changes.
    std::optional<platform::FileDialogResult> OpenFileDialog(const forms::Button& picker, const std::string& filter,
                                                             const std::string& title);
    void PickProgramFile(const forms::Button& picker, forms::TextBox& field, forms::CheckBox& box);
    void cmdAlarmF_Click();

    bool Activate();
    void Deactivate();
    void tmrAction_Timer();
    std::string FormatDate(DateTime t);
    std::string FormatTime(DateTime t);
    void pAction_Click(int index);
    // Tells the user that the platform refused the action, with its reason.
    void ReportRefusal(const std::string& action);

    void mnu_exit_Click();
    void mnu_minimize_Click();
    void mnu_saveset_Click();
    void pRestore_Click();
    void mnu_options_Click();

    void LoadSett(const std::string& path);
    void LoadSettExit(const std::string& path);
    // Writes or deletes the start-with-Windows entry as chkWindowsStartup says.
    void ApplyStartupEntry();

    void CloseOptionsDialog();
    void ShowWarning();
    void ShowReminder();

    // The update check.
    void WireUpdate();
    // Fetches the version file into saveFile.
    void BeginVersionDownload(const std::string& saveFile);
    void mnu_update_Click();
    void DL_DownloadError(const std::string& SaveFile);
    void DL_DownloadComplete(const std::string& SaveFile);
    void LoadVersionFile(const std::string& path);
    // Asks whether to open the download page when the published version is newer; false when it is not.
    bool OfferNewVersion(double published);
    void CheckNewVersion(double published);
    void CheckNewVersionManual(double published);

    // About, help and feedback.
    void WireInformation();
    void ShowAbout();
    void mnu_howtouse_Click();
    void mnu_comments_Click();

    // Choosing an action kind, switching hibernation on, and hibernate and wake.
    void WireHibernation();
    void optExitOption_Click(int index);
    void EnableHibernation(int index);
    void EnableHibernationFromTray();
    void ShowHibernateConfirmation();
    void tmrResume_Timer();
    void InstallMainWindowProc();
    void RestoreMainWindowProc();
    void MainWindowProc(platform::HookedMessage& m);

    // The tray icon.
    void TrayCreate();
    // The active or the inactive icon.
    void TraySetIcon(bool active);
    // An information balloon titled with the program's title, without sound, when the shell can
    // show one.
    void TrayBalloon(const std::string& text, int timeoutMs);
    void TrayRelease();
    // Hides the window, or minimises it where no notification area would give it back.
    void HideToTray();
    void f_cSystray_MouseMove();
    void f_cSystray_MouseUp(std::int16_t& Button);

    Program& program_;
    platform::Platform& os_;
    Globals& g_;
    std::unique_ptr<windows::frmAction> warning_;
    std::unique_ptr<windows::frmAlarm> reminder_;
    bool showAfterLoad_ = true;
    bool minimizeAfterLoad_ = false;
    bool canSuspend_ = false;
    bool isNt_ = false;
    bool actionUnderWay_ = false;
    bool enablingHibernation_ = false;
    // Set when the program starts its own hibernation; from then on suspend queries pass.
    bool SelfHibernating = false;
    windows::frmMessage* confirmation_ = nullptr; // while the confirmation window is open
    windows::frmOptions* options_ = nullptr;      // while the options dialog is open
    windows::frmAbout* about_ = nullptr;          // while the about box is open
    std::unique_ptr<platform::WindowHooks> mainWindowHooks_;
    std::unique_ptr<shell::cSystray> f_cSystray;
    // Released at exit while one of its events was still under way; goes with the window.
    std::unique_ptr<shell::cSystray> retiredTray_;
};

} // namespace qs::app
