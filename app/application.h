#pragma once
// Start-up of the desktop program: the profile, the splash window, the main
// frame, the first project window "Std Screen" and a project file named on the
// command line, in that order.

#include <QPointer>
#include <filesystem>
#include <memory>
#include <string>

#include "app/splash_wnd.h"
#include "form/meter_choices.h"
#include "project/tag_clipboard.h"

namespace quorven {

class CMainFrame;
class MessageSink;
class Profile;

struct StartupOptions {
    bool show_splash = true;
    std::filesystem::path start_dir;  // the directory the program was started from
    std::string project_argument;     // the project file named on the command line, as typed
    std::string config_dir;           // where quorven.cfg is kept; empty: no configuration file
};

class CQuorven64App {
public:
    CQuorven64App(Profile& profile, MessageSink& sink);
    ~CQuorven64App();
    CQuorven64App(const CQuorven64App&) = delete;
    CQuorven64App& operator=(const CQuorven64App&) = delete;

    void Start(const StartupOptions& options);
    CMainFrame* Frame() const { return frame_.get(); }
    CSplashWnd* Splash() const { return splash_.data(); }

private:
    Profile& profile_;
    MessageSink& sink_;
    MeterDialogMemory meter_memory_;  // last meter dialog choices, for every document
    TagClipboard clipboard_;          // the internal tag clipboard, for every document
    std::unique_ptr<CMainFrame> frame_;
    QPointer<CSplashWnd> splash_;
};

}  // namespace quorven
