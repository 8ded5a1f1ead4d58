#pragma once
#include <QString>
#include <string>
#include <vector>

namespace platform::qt {

// A text box's text as its widget shows it, with the map between the
// model's positions (characters of the UTF-8 text) and the widget's (UTF-16
// units). A multi-line box shows each CR LF or lone CR as one line feed.
class ShownText {
public:
    ShownText() = default;
    ShownText(const std::string& text, bool multiLine);

    const QString& Text() const { return shown_; }
    // Model position → widget position (the nearest one at or after it).
    int ToShown(int modelPosition) const;
    // Widget position → model position.
    int ToModel(int shownPosition) const;

    // What the user changed to turn Text() into `edited`: the model's
    // characters from `start`, `length` of them, were replaced by `inserted`
    // (line feeds become CR LF in a multi-line box).
    struct Edit {
        int start = 0;
        int length = 0;
        std::string inserted;
    };
    Edit EditTo(const QString& edited) const;

private:
    QString shown_;
    std::vector<int> modelAt_;  // model position of each widget position, and of the end
    bool multiLine_ = false;
};

}  // namespace platform::qt
