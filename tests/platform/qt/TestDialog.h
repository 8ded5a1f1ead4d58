#pragma once
#include <string>
#include <vector>

#include "platform/forms/Forms.h"

// A dialog with one control of each kind, laid out so each can be clicked,
// recording the events its controls raise.
class TestDialog : public platform::Form {
public:
    TestDialog();

    std::vector<std::string> events;
    bool hideOnOK = true;
    // Moves cmdOK to keep 240 twips from the right and bottom edges.
    bool followSize = false;
    int resizes = 0;

    platform::CommandButton cmdOK{*this, "cmdOK"};
    platform::Label lblName{*this, "lblName"};
    platform::TextBox txtName{*this, "txtName"};
    platform::TextBox txtNotes{*this, "txtNotes"};
    platform::ListBox lbxNames{*this, "lbxNames"};
    platform::ListBox lbxMulti{*this, "lbxMulti"};
    platform::ComboBox cbxPlaces{*this, "cbxPlaces"};
    platform::CheckBox chkIgnore{*this, "chkIgnore"};
    platform::Frame cpChoice{*this, "cpChoice"};
    platform::OptionButton optA{*this, "optA"};
    platform::OptionButton optB{*this, "optB"};
    platform::ImageList imgList{*this, "imgList"};
    platform::TreeView treeFields{*this, "treeFields"};
    platform::Image imgCorner{*this, "imgCorner"};
    platform::PictureBox picLogo{*this, "picLogo"};
    platform::RichTextBox rtfAbout{*this, "rtfAbout"};

protected:
    void Design() override;
    void Form_Resize() override;
    void Form_Click() override { Log("Form_Click"); }
    void Form_MouseDown(int button, int shift, float x, float y) override {
        Log("Form_MouseDown " + std::to_string(button) + " " + std::to_string(shift) + " " +
            std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
    }

private:
    void Log(std::string event) { events.push_back(std::move(event)); }
};
