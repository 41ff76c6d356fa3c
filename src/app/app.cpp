#include "app/app.h"

namespace lantern {

App::App(Platform& platform) : platform_(platform), client_(platform), presence_(platform, client_) {}

void App::start() {
    // The main window is the program's first window; start-up runs once it exists.
    ui_ = std::make_unique<UserInterface>(platform_, client_, presence_);
    watcher_ = std::make_unique<ChatWatcher>(platform_, [this](const std::string& screenName, const std::string& text) {
        presence_.onChatLine(screenName, text);
    });
    // Over the watcher's seams, which only glance at the client.
    watcher_->setSignedOnNameReader([](Platform& seams) { return Client(seams).readScreenName(); });
    presence_.attach(ui_->mainWindow(), ui_->styleDialog(), *ui_, *watcher_);
    presence_.startUp();
    ui_->startAutoIdle();
}

}  // namespace lantern
