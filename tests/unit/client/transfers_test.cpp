// Finding the file transfer windows and reading their cut texts.

#include "client_scene.h"

namespace lantern {
namespace {

class Transfers : public ClientScene {
protected:
    void SetUp() override {
        openClient();
        addChatRoom("Lobby");  // the topmost client window is not a transfer
    }

    // A window with labels first, then the other children.
    WindowHandle addWindow(const std::string& caption, std::initializer_list<const char*> labels,
                           std::initializer_list<const char*> others) {
        const WindowHandle window = add(mdi, "AOL Child", caption);
        for (const char* label : labels) {
            add(window, "_AOL_Static", label);
        }
        for (const char* other : others) {
            add(window, other);
        }
        return window;
    }
};

constexpr std::initializer_list<const char*> kDownloadChildren = {"_AOL_Gauge", "_AOL_Checkbox", "_AOL_Icon",
                                                                  "_AOL_Image"};
constexpr std::initializer_list<const char*> kUploadChildren = {"_AOL_Gauge", "_AOL_Checkbox", "_AOL_Button"};

TEST_F(Transfers, DownloadWindowFoundByItsChildrenWhateverItsCaption) {
    addWindow("Download Manager", {"idle"}, {"_AOL_Gauge", "_AOL_Checkbox", "_AOL_Icon"});  // no image
    const WindowHandle download =
        addWindow("Getting song.mp3 now", {"Time remaining: 2 minutes"}, kDownloadChildren);
    EXPECT_EQ(client.findDownloadWindow(), download);
    EXPECT_EQ(client.findUploadWindow(), 0u);
    EXPECT_EQ(client.downloadTitleText(), " now");
    EXPECT_EQ(client.downloadLabelText(), "2 minutes");
}

TEST_F(Transfers, FirstWindowNamedFileTransferIsTakenOnItsCaptionAlone) {
    const WindowHandle download = add(mdi, "AOL Child", "File Transfer - 42%");
    desktop.bringToTop(download);
    EXPECT_EQ(client.findDownloadWindow(), download);
    EXPECT_EQ(client.downloadTitleText(), "42%");
    EXPECT_EQ(client.downloadLabelText(), "");  // no label to read
    // Lower down, the caption alone is not enough.
    desktop.bringToTop(client.findChatRoom());
    EXPECT_EQ(client.findDownloadWindow(), 0u);
}

TEST_F(Transfers, UploadNeedsFileInTheCaptionAndUploadInTheFirstLabel) {
    struct Case {
        std::string caption;
        std::initializer_list<const char*> labels;
        bool isUpload;
    };
    for (const Case& c : {Case{"File Transfer - 10%", {"Upload: pic.jpg"}, true},
                          Case{"File Transfer - 10%", {"Sending pic.jpg", "Upload"}, false},
                          Case{"Transfer - 10%", {"Upload: pic.jpg"}, false},
                          Case{"file Transfer - 10%", {"Upload: pic.jpg"}, false},
                          Case{"File Transfer - 10%", {"upload: pic.jpg"}, false}}) {
        const WindowHandle window = addWindow(c.caption, c.labels, kUploadChildren);
        EXPECT_EQ(client.findUploadWindow(), c.isUpload ? window : 0u)
            << c.caption << " / " << *c.labels.begin();
        desktop.destroyWindow(window);
    }
    addWindow("File Transfer - 10%", {"Upload: pic.jpg"}, {"_AOL_Gauge", "_AOL_Checkbox"});  // no button
    EXPECT_EQ(client.findUploadWindow(), 0u);
}

TEST_F(Transfers, FirstWindowCanBeBothTransfers) {
    const WindowHandle both = addWindow("File Transfer - 5%", {"Upload: a.zip"}, {});
    desktop.bringToTop(both);
    EXPECT_EQ(client.findDownloadWindow(), both);
    EXPECT_EQ(client.findUploadWindow(), both);
}

// Texts cut character by character; an accented letter is one character.
TEST_F(Transfers, TextsLoseTheirFixedBeginnings) {
    struct Case {
        std::string caption;
        std::string label;
        std::string title;          // both title readers
        std::string downloadLabel;  // 16 characters dropped
        std::string uploadLabel;    // 14 characters dropped
    };
    for (const Case& c :
         {Case{"File Transfer - ", "Upload 1234567", "", "", ""},
          Case{"File Transfer - x", "Upload 12345678", "x", "", "8"},
          Case{"File Transfer - \xE8t\xE9 report.doc", "Upload \xE8\xE9\xE0\xE8\xE9\xE0\xE8 reste",
               "\xE8t\xE9 report.doc", "este", " reste"},
          Case{"File Transfer -", "Upload", "", "", ""}}) {
        const WindowHandle window = addWindow(c.caption, {c.label.c_str()}, {});
        desktop.bringToTop(window);
        EXPECT_EQ(client.downloadTitleText(), c.title) << c.caption;
        EXPECT_EQ(client.uploadTitleText(), c.title) << c.caption;
        EXPECT_EQ(client.downloadLabelText(), c.downloadLabel) << c.label;
        EXPECT_EQ(client.uploadLabelText(), c.uploadLabel) << c.label;
        desktop.destroyWindow(window);
    }
}

TEST_F(Transfers, NoClientWindowsNoTransfers) {
    desktop.destroyWindow(client.findChatRoom());
    EXPECT_EQ(client.findDownloadWindow(), 0u);
    EXPECT_EQ(client.findUploadWindow(), 0u);
    for (const std::string& text : {client.downloadTitleText(), client.downloadLabelText(),
                                    client.uploadTitleText(), client.uploadLabelText()}) {
        EXPECT_EQ(text, "");
    }
    EXPECT_TRUE(desktop.messages().empty());
}

// A client that stops answering costs one send timeout, not one per message or per
// window walked.
TEST_F(Transfers, HungClientCostsOneTimeout) {
    for (int i = 0; i < 2; ++i) {
        desktop.hang(addWindow("File Transfer - 5%", {"Upload: a.zip"}, kDownloadChildren), 1000);
    }
    for (auto read : {&Client::uploadTitleText, &Client::uploadLabelText, &Client::downloadLabelText,
                      &Client::readScreenName}) {
        startRecording();
        const std::string text = (client.*read)();
        EXPECT_TRUE(text.empty() || text == kNotOnline) << text;
        EXPECT_LE(elapsed(), 20.0 + 1e-6);
    }
}

}  // namespace
}  // namespace lantern
