// Finding the file transfer windows and reading their cut texts.

#include "client_scene.h"

namespace lantern {
namespace {

class Transfers : public ClientScene {
protected:
    void SetUp() override {
        openClient();
        addChatRoom();
    }  // the topmost window is no transfer
};

TEST_F(Transfers, DownloadIsFoundByItsChildrenWhateverItsCaptionOrAsTopmostByItsCaptionWhichMayBeBoth) {
    add(mdi, "AOL Child", "Download Manager", {"_AOL_Gauge", "_AOL_Checkbox", "_AOL_Icon"}, {"idle"});  // no image
    const WindowHandle both = add(mdi, "AOL Child", "File Transfer - 5%", {}, {"Upload: a.zip"});
    const WindowHandle download =
        add(mdi, "AOL Child", "Getting song.mp3 now", {"_AOL_Gauge", "_AOL_Checkbox", "_AOL_Icon", "_AOL_Image"},
            {"Time remaining: 2 minutes"});
    EXPECT_EQ(client.findDownloadWindow(), download);  // lower down, the caption is not enough
    EXPECT_EQ(client.findUploadWindow(), 0u);
    EXPECT_EQ(client.downloadTitleText(), " now");
    EXPECT_EQ(client.downloadLabelText(), "2 minutes");
    desktop.bringToTop(both);
    EXPECT_EQ(client.findDownloadWindow(), both);
    EXPECT_EQ(client.findUploadWindow(), both);
}

TEST_F(Transfers, UploadNeedsFileInTheCaptionUploadInTheFirstLabelAndItsChildren) {
    const auto children = {"_AOL_Gauge", "_AOL_Checkbox", "_AOL_Button"};
    // (the lists are vectors: a list kept in a table would outlive its elements)
    const std::tuple<std::string, std::vector<const char*>, std::vector<const char*>, bool> cases[] = {
        {"File Transfer - 10%", {"Upload: pic.jpg"}, children, true},
        {"File Transfer - 10%", {"Sending pic.jpg", "Upload"}, children, false},
        {"Transfer - 10%", {"Upload: pic.jpg"}, children, false},
        {"File Transfer - 10%", {"upload: pic.jpg"}, children, false},
        {"File Transfer - 10%", {"Upload: pic.jpg"}, {"_AOL_Gauge", "_AOL_Checkbox"}, false}};
    for (const auto& [caption, labels, others, isUpload] : cases) {
        const WindowHandle window = add(mdi, "AOL Child", caption, others, labels);
        EXPECT_EQ(client.findUploadWindow(), isUpload ? window : 0u) << caption << " / " << *labels.begin();
        desktop.destroyWindow(window);
    }
}

// Texts cut character by character (16, 16 and 14 dropped); an accented letter is one.
TEST_F(Transfers, TextsLoseTheirFixedBeginnings) {
    // caption, label, title, download label, upload label
    for (const auto& [caption, label, title, downloadLabel, uploadLabel] :
         {std::array<std::string, 5>{"File Transfer - ", "Upload 1234567", "", "", ""},
          {"File Transfer - x", "Upload 12345678", "x", "", "8"},
          {"File Transfer - \xE8t\xE9.doc", "Upload \xE8\xE9\xE0\xE8\xE9\xE0\xE8 reste", "\xE8t\xE9.doc", "este",
           " reste"}}) {
        desktop.bringToTop(add(mdi, "AOL Child", caption, {}, {label.c_str()}));
        EXPECT_EQ((std::vector{client.downloadTitleText(), client.uploadTitleText(), client.downloadLabelText(),
                               client.uploadLabelText()}),
                  (std::vector{title, title, downloadLabel, uploadLabel}))
            << caption << " / " << label;
        desktop.destroyWindow(client.findDownloadWindow());
    }
}

}  // namespace
}  // namespace lantern
