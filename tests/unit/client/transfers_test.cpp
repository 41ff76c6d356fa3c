// Finding the file transfer windows and reading their cut texts.

#include "client_scene.h"

namespace lantern {
namespace {

class Transfers : public ClientScene {
protected:
    void SetUp() override { openClient(); addChatRoom(); }  // the topmost window is no transfer
};

TEST_F(Transfers, DownloadWindowIsFoundByItsChildrenWhateverItsCaption) {
    add(mdi, "AOL Child", "Download Manager", {"_AOL_Gauge", "_AOL_Checkbox", "_AOL_Icon"}, {"idle"});  // no image
    const WindowHandle download = add(mdi, "AOL Child", "Getting song.mp3 now",
                                      {"_AOL_Gauge", "_AOL_Checkbox", "_AOL_Icon", "_AOL_Image"},
                                      {"Time remaining: 2 minutes"});
    EXPECT_EQ(client.findDownloadWindow(), download);
    EXPECT_EQ(client.findUploadWindow(), 0u);
    EXPECT_EQ(client.downloadTitleText(), " now");
    EXPECT_EQ(client.downloadLabelText(), "2 minutes");
}

TEST_F(Transfers, TopmostWindowIsTakenOnItsCaptionAloneAndCanBeBoth) {
    const WindowHandle both = add(mdi, "AOL Child", "File Transfer - 5%", {}, {"Upload: a.zip"});
    EXPECT_EQ(client.findDownloadWindow(), 0u);  // lower down, the caption is not enough
    desktop.bringToTop(both);
    EXPECT_EQ(client.findDownloadWindow(), both);
    EXPECT_EQ(client.findUploadWindow(), both);
}

TEST_F(Transfers, UploadNeedsFileInTheCaptionUploadInTheFirstLabelAndItsChildren) {
    struct Case {
        std::string caption;
        std::initializer_list<const char*> labels, others;
        bool isUpload;
    };
    const auto children = {"_AOL_Gauge", "_AOL_Checkbox", "_AOL_Button"};
    for (const Case& c : {Case{"File Transfer - 10%", {"Upload: pic.jpg"}, children, true},
                          Case{"File Transfer - 10%", {"Sending pic.jpg", "Upload"}, children, false},
                          Case{"Transfer - 10%", {"Upload: pic.jpg"}, children, false},
                          Case{"file Transfer - 10%", {"Upload: pic.jpg"}, children, false},
                          Case{"File Transfer - 10%", {"upload: pic.jpg"}, children, false},
                          Case{"File Transfer - 10%", {"Upload: pic.jpg"}, {"_AOL_Gauge", "_AOL_Checkbox"}, false}}) {
        const WindowHandle window = add(mdi, "AOL Child", c.caption, c.others, c.labels);
        EXPECT_EQ(client.findUploadWindow(), c.isUpload ? window : 0u) << c.caption << " / " << *c.labels.begin();
        desktop.destroyWindow(window);
    }
}

// Texts cut character by character; an accented letter is one character.
TEST_F(Transfers, TextsLoseTheirFixedBeginnings) {
    struct Case {
        std::string caption, label;
        std::string title, downloadLabel, uploadLabel;  // 16, 16 and 14 characters dropped
    };
    for (const Case& c : {Case{"File Transfer - ", "Upload 1234567", "", "", ""},
                          Case{"File Transfer - x", "Upload 12345678", "x", "", "8"},
                          Case{"File Transfer - \xE8t\xE9.doc", "Upload \xE8\xE9\xE0\xE8\xE9\xE0\xE8 reste",
                               "\xE8t\xE9.doc", "este", " reste"}}) {
        desktop.bringToTop(add(mdi, "AOL Child", c.caption, {}, {c.label.c_str()}));
        EXPECT_EQ((std::vector{client.downloadTitleText(), client.uploadTitleText(), client.downloadLabelText(),
                               client.uploadLabelText()}),
                  (std::vector{c.title, c.title, c.downloadLabel, c.uploadLabel}))
            << c.caption << " / " << c.label;
        desktop.destroyWindow(client.findDownloadWindow());
    }
}

}  // namespace
}  // namespace lantern
