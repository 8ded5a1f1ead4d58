#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "QuickLoadTestSupport.h"
#include "platform/forms/MessageBox.h"
#include "platform/qt/DesktopLaunch.h"
#include "src/core/CommandTable.h"
#include "src/quickload_media/tessaly_MediaDialog.h"

namespace qltest {
namespace {

using platform::ComPtr;
using platform::ICommand;
using tessaly::tessaly_MediaDialog;
using Names = std::vector<std::string>;
using Option = platform::OptionButton tessaly_MediaDialog::*;
// What the desktop was asked to open: the target and the working folder.
using Shell = std::pair<std::string, std::string>;

const std::string kUsgs = "https://www.usgs.gov/special-topics/water-science-school";

Names Lines(platform::ListBox& list) {
    Names lines;
    for (int i = 0; i < list.ListCount(); ++i) lines.push_back(list.List(i));
    return lines;
}

class MediaViewerTest : public LessonTest {
protected:
    // The next media dialog runs `script`, then Cancel.
    void InDialog(std::function<void(tessaly_MediaDialog&)> script) {
        WhenModal<tessaly_MediaDialog>(*ui_, "tessaly_MediaDialog", [script](tessaly_MediaDialog& d) {
            script(d);
            d.cmdCancel.UserClick();
        });
    }
    void WriteList(const std::string& bytes) const { WriteBytes(Lesson("media_list.txt"), bytes); }
    std::vector<Shell> Opened() const {
        std::vector<Shell> opened;
        for (const auto& record : ui_->ShellOpens()) opened.emplace_back(record.target, record.folder);
        return opened;
    }

    ComPtr<ICommand> command_ = Command(tessaly::info::cmdMediaViewer);
};

TEST_F(MediaViewerTest, TheDocumentsListShowsAtOnceSortedUnderAllMedia) {
    Names listed;
    bool okEnabled = true, allSet = false;
    std::string caption;
    InDialog([&](tessaly_MediaDialog& d) {
        caption = d.Caption();
        listed = Lines(d.lbxAll);
        okEnabled = d.cmdOK.Enabled();
        allSet = d.optAll.Value();
    });
    Click(*command_);
    EXPECT_TRUE(host_->catalogShows.empty());
    EXPECT_EQ(caption, "Media Viewer");
    EXPECT_EQ(listed, (Names{"USGS Water Science School   (Website)", "Watershed field worksheet   (PDF File)",
                             "Willow Creek at the falls   (Image)"}));
    EXPECT_FALSE(okEnabled);
    EXPECT_TRUE(allSet);
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(MediaViewerTest, EachChoiceOpensThroughTheDesktop) {
    struct Case {
        const char* name;
        Option option;
        int row;
        Shell opened;
    };
    const Case cases[] = {
        {"image under All Media", &tessaly_MediaDialog::optAll, 2, {"willow_creek.png", Folder() + "media/"}},
        {"image under Images", &tessaly_MediaDialog::optImages, 0, {"willow_creek.png", Folder() + "media/"}},
        {"PDF under PDF Files", &tessaly_MediaDialog::optPDFs, 0, {"watershed_worksheet.pdf", Folder() + "media/"}},
        {"website under All Media", &tessaly_MediaDialog::optAll, 0, {kUsgs, ""}},
        {"website under Websites", &tessaly_MediaDialog::optWebsites, 0, {kUsgs, ""}},
    };
    for (const Case& c : cases) {
        const std::size_t before = Opened().size();
        InDialog([&](tessaly_MediaDialog& d) {
            (d.*c.option).UserClick();
            d.lbxAll.UserClick(c.row);
            d.cmdOK.UserClick();
            EXPECT_TRUE(d.IsVisible()) << c.name << ": the dialog stays open";
            d.cmdOK.UserClick();
        });
        Click(*command_);
        ASSERT_EQ(Opened().size(), before + 2) << c.name;
        EXPECT_EQ(Opened()[before], c.opened) << c.name;
        EXPECT_EQ(Opened()[before + 1], c.opened) << c.name << ": OK again opens it again";
    }
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(MediaViewerTest, EveryKindOpensFromItsOwnList) {
    struct Case {
        Option option;
        const char* line;
        Shell opened;
    };
    const Case cases[] = {
        {&tessaly_MediaDialog::optText, "Globe:earth\\globe.kml,0", {"globe.kml", Folder() + "earth/"}},
        {&tessaly_MediaDialog::optImages, "Photo:media/willow_creek.png,1", {"willow_creek.png", Folder() + "media/"}},
        {&tessaly_MediaDialog::optMovies, "Film:films/flood.mp4,2", {"flood.mp4", Folder() + "films/"}},
        {&tessaly_MediaDialog::optWebsites, "Site:https://example.org/a?b=c,3", {"https://example.org/a?b=c", ""}},
        {&tessaly_MediaDialog::optExcels, "Sheet:tables/flow.xlsx,4", {"flow.xlsx", Folder() + "tables/"}},
        {&tessaly_MediaDialog::optWords, "Letter:letter.docx,5", {"letter.docx", Folder()}},
        {&tessaly_MediaDialog::optPDFs, "Worksheet:media/watershed_worksheet.pdf,6",
         {"watershed_worksheet.pdf", Folder() + "media/"}},
        {&tessaly_MediaDialog::optPowerpoints, "Slides:talks/intro.pptx,7", {"intro.pptx", Folder() + "talks/"}},
    };
    std::string list;
    for (const Case& c : cases) list += std::string(c.line) + "\r\n";
    WriteList(list);
    for (const char* file : {"earth/globe.kml", "films/flood.mp4", "tables/flow.xlsx", "letter.docx", "talks/intro.pptx"})
        WriteBytes(Lesson(file), "x");
    InDialog([&](tessaly_MediaDialog& d) {
        for (const Case& c : cases) {
            (d.*c.option).UserClick();
            EXPECT_EQ(d.lbxAll.ListCount(), 1) << c.line;
            d.lbxAll.UserClick(0);
            d.cmdOK.UserClick();
        }
    });
    Click(*command_);
    std::vector<Shell> expected;
    for (const Case& c : cases) expected.push_back(c.opened);
    EXPECT_EQ(Opened(), expected);
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(MediaViewerTest, AFileWithAColonInItsNameOpensAsThatFile) {
    WriteList("Final draft:media/v2:final.pdf,6\r\n");
    WriteBytes(Lesson("media/v2:final.pdf"), "%PDF");
    InDialog([](tessaly_MediaDialog& d) {
        d.lbxAll.UserClick(0);
        d.cmdOK.UserClick();
    });
    Click(*command_);
    EXPECT_TRUE(ui_->MessageBoxes().empty());
    ASSERT_EQ(Opened().size(), 1u);
    const auto [target, folder] = Opened()[0];
    EXPECT_EQ(platform::qt::DesktopUrl(target, folder),
              QUrl::fromLocalFile(QString::fromStdString(Lesson("media/v2:final.pdf").string())));
}

TEST_F(MediaViewerTest, AWebsiteWithoutASchemeOpensAsAnHttpAddress) {
    const std::pair<const char*, const char*> cases[] = {
        {"USGS:www.usgs.gov,3", "http://www.usgs.gov"},
        {"Water:water.usgs.gov/edu/index.html,3", "http://water.usgs.gov/edu/index.html"},
        {"Secure:https://www.usgs.gov,3", "https://www.usgs.gov"},
        {"Mail:mailto:info@usgs.gov,3", "mailto:info@usgs.gov"},
    };
    for (const auto& [line, address] : cases) {
        WriteList(std::string(line) + "\r\n");
        InDialog([](tessaly_MediaDialog& d) {
            d.lbxAll.UserClick(0);
            d.cmdOK.UserClick();
        });
        Click(*command_);
        ASSERT_FALSE(Opened().empty()) << line;
        EXPECT_EQ(Opened().back(), (Shell{address, ""})) << line;
    }
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(MediaViewerTest, AFailingDesktopOpenGoesUnremarked) {
    ui_->SetShellOpenSucceeds(false);
    InDialog([](tessaly_MediaDialog& d) {
        d.lbxAll.UserClick(2);
        d.cmdOK.UserClick();
    });
    Click(*command_);
    EXPECT_EQ(Opened().size(), 1u);
    EXPECT_TRUE(ui_->MessageBoxes().empty());
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(MediaViewerTest, EachKindListsItsOwnTitlesInCaseInsensitiveOrder) {
    WriteList(
        "cherry:c.ppt,7\r\napple:a.ppt,7\r\nBanana:b.ppt,7\r\n"
        "Globe:g.kml,0\r\nMovie:m.mp4,2\r\nSheet:s.xls,4\r\nLetter:l.doc,5\r\n"
        "Lake:lake.jpg,1\r\nLake:lake.pdf,6\r\n");
    std::vector<Names> listed;
    InDialog([&](tessaly_MediaDialog& d) {
        for (Option option : {&tessaly_MediaDialog::optPowerpoints, &tessaly_MediaDialog::optText,
                              &tessaly_MediaDialog::optImages, &tessaly_MediaDialog::optMovies,
                              &tessaly_MediaDialog::optWebsites, &tessaly_MediaDialog::optExcels,
                              &tessaly_MediaDialog::optWords, &tessaly_MediaDialog::optPDFs,
                              &tessaly_MediaDialog::optAll}) {
            (d.*option).UserClick();
            listed.push_back(Lines(d.lbxAll));
        }
    });
    Click(*command_);
    EXPECT_EQ(listed, (std::vector<Names>{
                          {"apple", "Banana", "cherry"},
                          {"Globe"},
                          {"Lake"},
                          {"Movie"},
                          {},
                          {"Sheet"},
                          {"Letter"},
                          {"Lake"},
                          {"apple   (PowerPoint File)", "Banana   (PowerPoint File)", "cherry   (PowerPoint File)",
                           "Globe   (Google Earth File)", "Lake   (Image)", "Lake   (PDF File)", "Letter   (Word File)",
                           "Movie   (Movie)", "Sheet   (Excel File)"},
                      }));
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(MediaViewerTest, AMissingFileIsNamedByTheListItWasChosenIn) {
    std::filesystem::remove(Lesson("media/willow_creek.png"));
    InDialog([](tessaly_MediaDialog& d) {
        d.lbxAll.UserClick(2);
        d.cmdOK.UserClick();
        d.optImages.UserClick();
        d.lbxAll.UserClick(0);
        d.cmdOK.UserClick();
    });
    Click(*command_);
    ASSERT_EQ(ui_->MessageBoxes().size(), 2u);
    const std::string path = Folder() + "media/willow_creek.png";
    for (const auto& [box, type] : {std::pair{ui_->MessageBoxes()[0], "Image"}, {ui_->MessageBoxes()[1], "Image File"}}) {
        EXPECT_EQ(box.text, std::string("Unable to find the ") + type + " located at " + path +
                                "!  Please make sure that the 'media_list.txt' file references media file locations "
                                "relative to ArcGIS Mxd file.");
        EXPECT_EQ(box.style, platform::vbCritical);
        EXPECT_EQ(box.title, "Unable To Find Media File:");
    }
    EXPECT_TRUE(Opened().empty());
}

TEST_F(MediaViewerTest, InternetShortcutsAreFilesBelowTheDocumentFolder) {
    WriteList("Shortcut:links\\usgs.url,3\r\nGone:links\\gone.url,3\r\nShouting:links\\USGS.URL,3\r\n");
    WriteBytes(Lesson("links/usgs.url"), "[InternetShortcut]\r\nURL=" + kUsgs + "\r\n");
    InDialog([](tessaly_MediaDialog& d) {
        for (int row : {1, 0, 2}) {  // Shortcut, Gone, Shouting
            d.lbxAll.UserClick(row);
            d.cmdOK.UserClick();
        }
    });
    Click(*command_);
    // ".URL" in capitals is no shortcut: a website without a scheme, opened as an http address.
    EXPECT_EQ(Opened(), (std::vector<Shell>{{"usgs.url", Folder() + "links/"}, {"http://links\\USGS.URL", ""}}));
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_->MessageBoxes()[0].text.rfind("Unable to find the Website located at " + Folder() + "links/gone.url!",
                                                0),
              0u);
}

TEST_F(MediaViewerTest, ADoubleClickOpensTheRowButNotTheEmptyArea) {
    InDialog([](tessaly_MediaDialog& d) {
        d.lbxAll.UserDoubleClick(-1);
        d.lbxAll.UserDoubleClick(1);
    });
    Click(*command_);
    EXPECT_EQ(Opened(), (std::vector<Shell>{{"watershed_worksheet.pdf", Folder() + "media/"}}));
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(MediaViewerTest, ABadLineIsSkippedAndTheLinesAfterItLoad) {
    struct Case {
        const char* name;
        const char* bad;
    };
    const Case cases[] = {
        {"same title twice in a kind, in other case", "LAKE:b.jpg,1"},
        {"comma only before the colon", "x,y:b.jpg"},
        {"kind code not a number", "Bad:b.jpg,one"},
        {"kind code empty", "Bad:b.jpg,"},
    };
    for (const Case& c : cases) {
        WriteList("Lake:a.jpg,1\r\nOther:o.pdf,6\r\n" + std::string(c.bad) + "\r\nBanana:l.doc,5\r\nApple:p.doc,5\r\n");
        Names all, words;
        bool allSet = false, okAfterLoad = true, okAfterClick = false;
        std::string chosen;
        InDialog([&](tessaly_MediaDialog& d) {
            all = Lines(d.lbxAll);
            allSet = d.optAll.Value();
            okAfterLoad = d.cmdOK.Enabled();
            d.lbxAll.UserClick(2);
            okAfterClick = d.cmdOK.Enabled();
            d.cmdOK.UserClick();
            d.optWords.UserClick();
            words = Lines(d.lbxAll);
        });
        Click(*command_);
        EXPECT_EQ(all, (Names{"Apple   (Word File)", "Banana   (Word File)", "Lake   (Image)", "Other   (PDF File)"}))
            << c.name;
        EXPECT_EQ(words, (Names{"Apple", "Banana"})) << c.name;
        EXPECT_TRUE(allSet) << c.name;
        EXPECT_FALSE(okAfterLoad) << c.name;
        EXPECT_TRUE(okAfterClick) << c.name;
        ASSERT_FALSE(ui_->MessageBoxes().empty()) << c.name;
        EXPECT_NE(ui_->MessageBoxes().back().text.find("Unable to find the Image located at " + Folder() + "a.jpg!"),
                  std::string::npos)
            << c.name << ": the first of two alike titles is the one kept";
    }
    EXPECT_TRUE(ui_->ErrorReports().empty());
    EXPECT_TRUE(Opened().empty());
}

TEST_F(MediaViewerTest, CodesOutsideTheKindsAreListedUnderAllMediaOnlyWithoutAType) {
    WriteList("A note without separators\r\n\r\nPhoto:p.jpg,1\r\nNine:n.ppt,9\r\nMinus:m.ppt,-1\r\nNo comma:x\r\n");
    Names all, images, powerpoints;
    InDialog([&](tessaly_MediaDialog& d) {
        all = Lines(d.lbxAll);
        d.lbxAll.UserClick(1);
        d.cmdOK.UserClick();
        d.optImages.UserClick();
        images = Lines(d.lbxAll);
        d.optPowerpoints.UserClick();
        powerpoints = Lines(d.lbxAll);
    });
    Click(*command_);
    EXPECT_EQ(all, (Names{"Minus   ()", "Nine   ()", "Photo   (Image)"}));
    EXPECT_EQ(images, (Names{"Photo"}));
    EXPECT_TRUE(powerpoints.empty());
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_->MessageBoxes()[0].text.rfind("Unable to find the  located at " + Folder() + "n.ppt!", 0), 0u)
        << ui_->MessageBoxes()[0].text;
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(MediaViewerTest, Windows1252ListsAndEveryLineEndRead) {
    WriteList("Bod\xF8 harbour:media/bod\xF8.jpg,1\nDrive:C\xDF/x.pdf,6\rLast:l.doc,5");
    Names all;
    std::vector<Shell> opened;
    InDialog([&](tessaly_MediaDialog& d) {
        all = Lines(d.lbxAll);
        d.optPDFs.UserClick();
        d.lbxAll.UserClick(0);
        d.cmdOK.UserClick();
    });
    Click(*command_);
    EXPECT_EQ(all, (Names{"Bod\xC3\xB8 harbour   (Image)", "Drive   (PDF File)", "Last   (Word File)"}));
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_NE(ui_->MessageBoxes()[0].text.find(" located at " + Folder() + "C:/x.pdf!"), std::string::npos)
        << "\"ß\" stands for \":\"";
}

TEST_F(MediaViewerTest, CancelAndTheCloseBoxUnloadTheDialog) {
    InDialog([](tessaly_MediaDialog&) {});
    Click(*command_);
    WhenModal<tessaly_MediaDialog>(*ui_, "tessaly_MediaDialog", [](tessaly_MediaDialog& d) { d.UserClose(); });
    Click(*command_);
    EXPECT_EQ(ui_->ModalShows().size(), 2u);
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(MediaViewerTest, EditsToTheListShowAtTheNextClick) {
    Names first, second;
    InDialog([&](tessaly_MediaDialog& d) { first = Lines(d.lbxAll); });
    Click(*command_);
    WriteList("Only:o.pdf,6\r\n");
    InDialog([&](tessaly_MediaDialog& d) { second = Lines(d.lbxAll); });
    Click(*command_);
    EXPECT_EQ(first.size(), 3u);
    EXPECT_EQ(second, (Names{"Only   (PDF File)"}));
}

TEST_F(MediaViewerTest, WithoutAListTheUserPicksOneWhosePathsStayRelativeToTheDocument) {
    const auto picked = temp_.Path() / "elsewhere" / "other list.txt";
    WriteBytes(picked, ReadBytes(Lesson("media_list.txt")));
    std::filesystem::remove(Lesson("media_list.txt"));
    host_->AnswerCatalogOpen({true, {picked.string()}});
    InDialog([](tessaly_MediaDialog& d) {
        d.lbxAll.UserClick(2);
        d.cmdOK.UserClick();
    });
    Click(*command_);
    ASSERT_EQ(host_->catalogShows.size(), 1u);
    const CatalogShow& shown = host_->catalogShows.front();
    EXPECT_EQ(shown.title, "Please identify the Tessaly 'media_list.txt' file:");
    EXPECT_EQ(shown.startingLocation, Folder() + "media_list.txt");
    EXPECT_FALSE(shown.allowMultiSelect);
    EXPECT_EQ(shown.buttonCaption, "");
    EXPECT_EQ(shown.filter, "Text files (*.txt)");
    EXPECT_EQ(Opened(), (std::vector<Shell>{{"willow_creek.png", Folder() + "media/"}}));
}

TEST_F(MediaViewerTest, WithoutAListCancellingTheBrowserShowsNoDialog) {
    std::filesystem::remove(Lesson("media_list.txt"));
    Click(*command_);
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    const auto& box = ui_->MessageBoxes().front();
    EXPECT_EQ(box.text, "Unable to find Tessaly 'Media_list.txt' file.  Bailing out...");
    EXPECT_EQ(box.style, platform::vbInformation);
    EXPECT_EQ(box.title, "Media Viewer Cancelled:");
    EXPECT_TRUE(ui_->ModalShows().empty());
}

}  // namespace
}  // namespace qltest
