#include "platform/qt/RtfToHtml.h"

#include <QMap>
#include <QVector>
#include <algorithm>
#include <cctype>

#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

constexpr int kParameterLimit = 1000000;
// The largest font size word processors offer, 1638 points.
constexpr int kMaxHalfPoints = 3276;

// Windows-1252 characters 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QChar Cp1252(int byte) {
    if (byte >= 0x80 && byte < 0xA0) return QChar(kCp1252High[byte - 0x80]);
    return QChar(static_cast<char16_t>(byte));
}

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;
    int font = -1;
    bool operator==(const CharFormat&) const = default;
};

struct ParagraphFormat {
    int leftIndent = 0;   // twips
    int firstIndent = 0;  // twips
    QString align;
};

struct GroupState {
    CharFormat chars;
    ParagraphFormat paragraph;
    bool skip = false;       // inside a destination that is not shown
    bool fontTable = false;  // inside the font table
    int unicodeSkip = 1;
};

class Converter {
public:
    explicit Converter(const std::string& rtf) : in_(rtf) {}

    QString Run() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                stack_.push_back(state_);
                groupStart_ = true;
                continue;
            }
            if (c == '}') {
                ++pos_;
                EndGroup();
                continue;
            }
            if (c == '\\') {
                ++pos_;
                ControlWord();
                groupStart_ = false;
                continue;
            }
            groupStart_ = false;
            if (c == '\r' || c == '\n') {
                ++pos_;
                continue;
            }
            Text(RawText());
        }
        EndParagraph(false);
        return QStringLiteral("<html><body>") + html_ + QStringLiteral("</body></html>");
    }

private:
    // Plain characters; bytes outside ASCII are read as UTF-8 where they
    // form it, else as Windows-1252.
    QString RawText() {
        const unsigned char first = static_cast<unsigned char>(in_[pos_]);
        if (first < 0x80) {
            ++pos_;
            return QString(QChar(first));
        }
        std::size_t end = pos_;
        while (end < in_.size() && static_cast<unsigned char>(in_[end]) >= 0x80) ++end;
        const std::string bytes = in_.substr(pos_, end - pos_);
        pos_ = end;
        QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
        if (!text.contains(QChar(0xFFFD))) return text;
        text.clear();
        for (const char byte : bytes) text += Cp1252(static_cast<unsigned char>(byte));
        return text;
    }

    void EndGroup() {
        if (state_.fontTable) StoreFont();
        if (stack_.isEmpty()) return;
        state_ = stack_.takeLast();
    }

    void StoreFont() {
        const QString name = fontName_.trimmed();
        if (fontIndex_ >= 0 && !name.isEmpty()) fonts_[fontIndex_] = name;
        fontName_.clear();
    }

    void ControlWord() {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            ControlSymbol(c);
            return;
        }
        std::string word;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_]))) word += in_[pos_++];
        bool hasParam = false;
        int param = 0;
        bool negative = false;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        // Parameters are 16- or 32-bit numbers; longer ones are clamped, never overflowed.
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
            hasParam = true;
            if (param < kParameterLimit) param = param * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        param = std::min(param, kParameterLimit);
        if (negative) param = -param;
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        Apply(word, hasParam, param);
    }

    void ControlSymbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}': Text(QString(QChar(c))); break;
        case '~': Text(QString(QChar(0x00A0))); break;
        case '_': Text(QString(QChar(0x2011))); break;
        case '*': state_.skip = true; break;
        case '\'': {
            if (pos_ + 2 > in_.size()) return;
            bool ok = false;
            const int byte = QString::fromLatin1(in_.substr(pos_, 2).c_str()).toInt(&ok, 16);
            pos_ += 2;
            if (ok) Text(QString(Cp1252(byte)));
            break;
        }
        case '\r':
        case '\n': EndParagraph(true); break;
        default: break;  // optional hyphen and the like
        }
    }

    void Apply(const std::string& word, bool hasParam, int param) {
        static const char* const kDestinations[] = {"colortbl", "stylesheet", "info", "pict", "header",
                                                    "footer", "object", "listtable", "listoverridetable",
                                                    "generator", "themedata", "latentstyles"};
        if (groupStart_) {
            for (const char* destination : kDestinations) {
                if (word == destination) state_.skip = true;
            }
        }
        if (word == "fonttbl") {
            state_.fontTable = true;
            return;
        }
        if (state_.fontTable) {
            if (word == "f") {
                StoreFont();
                fontIndex_ = param;
            }
            return;
        }
        const bool on = !hasParam || param != 0;
        CharFormat& chars = state_.chars;
        ParagraphFormat& paragraph = state_.paragraph;
        if (word == "b") chars.bold = on;
        else if (word == "i") chars.italic = on;
        else if (word == "ul") chars.underline = on;
        else if (word == "ulnone") chars.underline = false;
        else if (word == "fs" && hasParam && param > 0) chars.halfPoints = std::min(param, kMaxHalfPoints);
        else if (word == "f" && hasParam) chars.font = param;
        else if (word == "plain") chars = CharFormat{};
        else if (word == "pard") paragraph = ParagraphFormat{};
        else if (word == "li") paragraph.leftIndent = param;
        else if (word == "fi") paragraph.firstIndent = param;
        else if (word == "ql") paragraph.align.clear();
        else if (word == "qc") paragraph.align = QStringLiteral("center");
        else if (word == "qr") paragraph.align = QStringLiteral("right");
        else if (word == "qj") paragraph.align = QStringLiteral("justify");
        else if (word == "par") EndParagraph(true);
        else if (word == "line") Text(QStringLiteral("\n"));
        else if (word == "tab") Text(QStringLiteral("\t"));
        else if (word == "uc" && hasParam) state_.unicodeSkip = param;
        else if (word == "u" && hasParam) Unicode(param);
    }

    void Unicode(int code) {
        if (code < 0) code += 65536;
        Text(QString(QChar(static_cast<char16_t>(code))));
        // The fallback characters that follow stand for the same character.
        for (int skipped = 0; skipped < state_.unicodeSkip && pos_ < in_.size();) {
            if (in_[pos_] == '\\' && pos_ + 1 < in_.size() && in_[pos_ + 1] == '\'') {
                pos_ += 4;
            } else if (in_[pos_] == '{' || in_[pos_] == '}') {
                break;
            } else {
                ++pos_;
            }
            ++skipped;
        }
    }

    void Text(const QString& text) {
        if (state_.fontTable) {
            if (text == QStringLiteral(";")) {
                StoreFont();
            } else {
                fontName_ += text;
            }
            return;
        }
        if (state_.skip) return;
        if (!paragraphOpen_) {
            paragraph_ = state_.paragraph;
            paragraphOpen_ = true;
        }
        if (!runOpen_ || !(runFormat_ == state_.chars)) {
            CloseRun();
            runFormat_ = state_.chars;
            runOpen_ = true;
        }
        run_ += text;
    }

    void CloseRun() {
        if (!runOpen_) return;
        runOpen_ = false;
        if (run_.isEmpty()) return;
        QString style = QStringLiteral("font-size:%1pt;").arg(runFormat_.halfPoints / 2.0);
        if (runFormat_.bold) style += QStringLiteral("font-weight:bold;");
        if (runFormat_.italic) style += QStringLiteral("font-style:italic;");
        if (runFormat_.underline) style += QStringLiteral("text-decoration:underline;");
        const auto font = fonts_.constFind(runFormat_.font);
        if (font != fonts_.constEnd()) style += QStringLiteral("font-family:'%1';").arg(font->toHtmlEscaped());
        QString text = run_.toHtmlEscaped();
        text.replace(QLatin1Char('\n'), QStringLiteral("<br/>"));
        paragraphHtml_ += QStringLiteral("<span style=\"%1\">%2</span>").arg(style, text);
        run_.clear();
    }

    // A paragraph mark ends a paragraph even when it is empty; the end of
    // the text ends one only when it holds something.
    void EndParagraph(bool mark) {
        if (state_.skip || state_.fontTable) return;
        if (!mark && !paragraphOpen_) return;
        if (!paragraphOpen_) paragraph_ = state_.paragraph;
        CloseRun();
        QString style = QStringLiteral("margin-top:0px;margin-bottom:0px;white-space:pre-wrap;");
        style += QStringLiteral("margin-left:%1px;").arg(paragraph_.leftIndent / 15);
        if (paragraph_.firstIndent != 0) style += QStringLiteral("text-indent:%1px;").arg(paragraph_.firstIndent / 15);
        if (!paragraph_.align.isEmpty()) style += QStringLiteral("text-align:%1;").arg(paragraph_.align);
        const QString body = paragraphHtml_.isEmpty()
                                 ? QStringLiteral("<span style=\"font-size:%1pt;\">&nbsp;</span>")
                                       .arg(state_.chars.halfPoints / 2.0)
                                 : paragraphHtml_;
        html_ += QStringLiteral("<p style=\"%1\">%2</p>").arg(style, body);
        paragraphHtml_.clear();
        paragraphOpen_ = false;
    }

    const std::string& in_;
    std::size_t pos_ = 0;
    GroupState state_;
    QVector<GroupState> stack_;
    bool groupStart_ = false;

    QMap<int, QString> fonts_;
    int fontIndex_ = -1;
    QString fontName_;

    bool paragraphOpen_ = false;
    ParagraphFormat paragraph_;
    QString paragraphHtml_;
    bool runOpen_ = false;
    CharFormat runFormat_;
    QString run_;
    QString html_;
};

QString PlainToHtml(const std::string& text) {
    QString html = QStringLiteral("<html><body>");
    for (const QString& line : WithLineFeeds(text).split(QLatin1Char('\n'))) {
        html += QStringLiteral("<p style=\"margin-top:0px;margin-bottom:0px;white-space:pre-wrap;\">%1</p>")
                    .arg(line.isEmpty() ? QStringLiteral("&nbsp;") : line.toHtmlEscaped());
    }
    return html + QStringLiteral("</body></html>");
}

}  // namespace

QString RtfToHtml(const std::string& rtf) {
    std::size_t start = 0;
    while (start < rtf.size() && std::isspace(static_cast<unsigned char>(rtf[start]))) ++start;
    if (rtf.compare(start, 5, "{\\rtf") != 0) return PlainToHtml(rtf);
    return Converter(rtf).Run();
}

}  // namespace platform::qt
