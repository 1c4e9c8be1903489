#include "app/application.h"

#include "app/commands/shell_texts.h"
#include "app/main_frame.h"
#include "app/platform/profile.h"
#include "app/splash_wnd.h"

namespace quorven {

CQuorven64App::CQuorven64App(Profile& profile, MessageSink& sink) : profile_(profile), sink_(sink) {}

CQuorven64App::~CQuorven64App() {
    if (splash_) delete splash_.data();
}

void CQuorven64App::Start(const StartupOptions& options) {
    if (options.show_splash) splash_ = new CSplashWnd;
    frame_ = std::make_unique<CMainFrame>(profile_, sink_);
    frame_->UseMeterMemory(meter_memory_);
    frame_->UseTagClipboard(clipboard_);
    frame_->SetConfigurationDirectory(options.config_dir);
    frame_->OpenDocumentWindow();
    frame_->show();
    if (splash_) splash_->raise();
    // The name is taken relative to where the user started the program, never to
    // the program's own directory.
    if (!options.project_argument.empty()) {
        const std::filesystem::path path = ResolveStartupPath(options.project_argument, options.start_dir);
        if (!path.empty()) frame_->OpenProjectFile(path);
    }
}

}  // namespace quorven
