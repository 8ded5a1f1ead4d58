#pragma once
#include <memory>

#include "platform/forms/Forms.h"
#include "platform/qt/ControlView.h"

class QWidget;

// One view per control kind, each in its own source file.
namespace platform::qt {

std::unique_ptr<ControlView> MakeButtonView(FormView& form, CommandButton& button, QWidget* parent);
std::unique_ptr<ControlView> MakeLabelView(FormView& form, Label& label, QWidget* parent);
std::unique_ptr<ControlView> MakeFrameView(FormView& form, Frame& frame, QWidget* parent);
std::unique_ptr<ControlView> MakeCheckBoxView(FormView& form, CheckBox& check, QWidget* parent);
std::unique_ptr<ControlView> MakeOptionButtonView(FormView& form, OptionButton& option, QWidget* parent);
std::unique_ptr<ControlView> MakeTextBoxView(FormView& form, TextBox& text, QWidget* parent);
std::unique_ptr<ControlView> MakeListBoxView(FormView& form, ListBox& list, QWidget* parent);
std::unique_ptr<ControlView> MakeComboBoxView(FormView& form, ComboBox& combo, QWidget* parent);
std::unique_ptr<ControlView> MakeImageView(FormView& form, Image& image, QWidget* parent);
std::unique_ptr<ControlView> MakePictureBoxView(FormView& form, PictureBox& picture, QWidget* parent);
std::unique_ptr<ControlView> MakeTreeView(FormView& form, TreeView& tree, QWidget* parent);
std::unique_ptr<ControlView> MakeRichTextView(FormView& form, RichTextBox& rich, QWidget* parent);

}  // namespace platform::qt
